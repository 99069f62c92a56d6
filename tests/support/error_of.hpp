// The error number a call fails with (a Failure), or 0 when it succeeds.
#pragma once

#include "platform/errors.hpp"

namespace lumora {

int ErrorOf(auto&& call) {
  try {
    call();
  } catch (const Failure& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace lumora
