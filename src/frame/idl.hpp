// The type library printed as IDL text: what `lumora typelib` shows and what
// a golden file pins, so that any change to the published interface shows up
// in review.
#pragma once

#include <string>
#include <string_view>

#include "frame/type_library.hpp"

namespace lumora {

std::string WriteIdl(const LibraryInfo& library);

// A string as an IDL literal: quoted, with backslashes and quotes escaped.
std::string IdlString(std::string_view text);

// The IDL spelling of a type ("short", "VARIANT_BOOL", "Picture*").
std::string IdlType(const TypeRef& type);

}  // namespace lumora
