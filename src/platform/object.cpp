#include "platform/object.hpp"

#include <algorithm>
#include <cctype>

#include "platform/errors.hpp"

namespace lumora {

Variant Object::GetProperty(std::string_view) {
  Fail(kErrNoSuchMember);
}
void Object::SetProperty(std::string_view, const Variant&) {
  Fail(kErrNoSuchMember);
}
Variant Object::CallMethod(std::string_view, std::span<Variant>) {
  Fail(kErrNoSuchMember);
}

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace lumora
