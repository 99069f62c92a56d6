// An object reached late-bound, by member name: placed controls, constituent
// controls, pictures. A member the object lacks fails with error 438.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/variant.hpp"

namespace lumora {

class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;
  virtual std::string TypeName() const = 0;

  virtual Variant GetProperty(std::string_view name);
  virtual void SetProperty(std::string_view name, const Variant& value);
  // Arguments are passed by reference: the callee may change them.
  virtual Variant CallMethod(std::string_view name, std::span<Variant> args);
};

// Case-insensitive comparison of member names, as late-bound clients expect.
bool SameName(std::string_view a, std::string_view b);

}  // namespace lumora
