#include "frame/binding.hpp"

namespace lumora::binding_detail {

void FailNotA(const Object& self, std::string_view expected) {
  Fail(kErrTypeMismatch, DefaultDescription(kErrTypeMismatch) + ": a " + self.TypeName() +
                             " does not implement " + std::string(expected));
}

}  // namespace lumora::binding_detail
