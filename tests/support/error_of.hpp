// The failure a call raises (a Failure), for checks on its number and text.
#pragma once

#include "platform/errors.hpp"

namespace lumora {

// The failure a call raises; number 0 when it succeeds.
inline Failure FailureOf(auto&& call) {
  try {
    call();
  } catch (const Failure& failure) {
    return failure;
  }
  return Failure(0, "no failure");
}

// The error number a call fails with, or 0 when it succeeds.
int ErrorOf(auto&& call) {
  return FailureOf(call).Number();
}

}  // namespace lumora
