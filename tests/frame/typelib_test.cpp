// The type library's lookups and the GUID parser. Its published constants are
// pinned by the member tables (typelib_tables_test.cpp) and the IDL golden.
#include "frame/type_library.hpp"

#include <gtest/gtest.h>

#include "platform/errors.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

TEST(TypeLibrary, LookupsIgnoreCase) {
  const LibraryInfo& lib = TypeLibrary();
  ASSERT_EQ(lib.FindClass("zelscrollcontainer"), &lib.classes[1]);
  // Each class's default and source interfaces are found by name.
  for (const ClassInfo& c : lib.classes) {
    EXPECT_EQ(lib.FindInterface(c.defaultInterface->name), c.defaultInterface);
    EXPECT_EQ(lib.FindInterface(c.defaultSource->name), c.defaultSource);
  }
  EXPECT_EQ(lib.FindInterface("_Nope"), nullptr);
}

TEST(Guid, ParsesAndRejects) {
  constexpr Guid g = Guid::Parse("0123abcd-4567-89AB-cdef-0123456789ab");
  static_assert(g.data1 == 0x0123ABCD && g.data2 == 0x4567 && g.data3 == 0x89AB);
  static_assert(g.data4[0] == 0xCD && g.data4[1] == 0xEF && g.data4[7] == 0xAB);
  EXPECT_EQ(g.ToString(), "0123ABCD-4567-89AB-CDEF-0123456789AB");
  EXPECT_TRUE(Guid{}.IsNull());
  for (const char* bad :
       {"", "0123abcd-4567-89AB-cdef-0123456789a", "0123abcd_4567-89AB-cdef-0123456789ab",
        "0123abcg-4567-89AB-cdef-0123456789ab"}) {
    const Failure f = FailureOf([&] { Guid::Parse(bad); });
    EXPECT_EQ(f.Number(), 5) << bad;
    EXPECT_NE(f.Description().find("GUID"), std::string::npos);
  }
}

}  // namespace
}  // namespace lumora
