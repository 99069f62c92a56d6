// Looking members up by name: without regard to case, a class's own member
// before its base's of the same name, nothing for a name no table has.
#include <gtest/gtest.h>

#include "platform/controls/member_table.hpp"
#include "platform/object.hpp"

namespace lumora {
namespace {

struct Thing : Object {
  std::string TypeName() const override { return "Thing"; }
};

TEST(MemberTable, FindsByNameThroughTheChain) {
  const MemberTable base(nullptr,
                         {{"Top", [](Object&) { return Variant(int16_t{1}); }, {}, {}},
                          {"Height", [](Object&) { return Variant(int16_t{2}); }, {}, {}}});
  const MemberTable derived(&base,
                            {{"Caption", [](Object&) { return Variant("c"); }, {}, {}},
                             {"HEIGHT", [](Object&) { return Variant(int16_t{20}); }, {}, {}}});
  Thing thing;
  EXPECT_EQ(derived.Get(thing, "top"), Variant(int16_t{1}));
  EXPECT_EQ(derived.Get(thing, "Height"), Variant(int16_t{20}));  // redefined
  EXPECT_EQ(base.Get(thing, "height"), Variant(int16_t{2}));
  EXPECT_EQ(derived.Get(thing, "caption"), Variant("c"));
  EXPECT_EQ(base.Find("Caption"), nullptr);
  EXPECT_EQ(derived.Find("Widths"), nullptr);
  EXPECT_EQ(derived.Find(""), nullptr);
  EXPECT_EQ(derived.Find("Top"), base.Find("TOP"));
}

}  // namespace
}  // namespace lumora
