#include "platform/object.hpp"

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
  // Late-bound calls look names up all the time: compare lengths first and
  // fold ASCII letters without the locale.
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    const unsigned char folded = x | 0x20;
    if (folded != (y | 0x20) || folded < 'a' || folded > 'z') return false;
  }
  return true;
}

}  // namespace lumora
