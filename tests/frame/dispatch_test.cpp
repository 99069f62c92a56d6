#include "frame/dispatch.hpp"

#include <gtest/gtest.h>

#include "frame/binding_check.hpp"
#include "frame/marshal.hpp"
#include "frame/record_value.hpp"
#include "platform/picture/picture.hpp"
#include "support/error_of.hpp"
#include "widget.hpp"

namespace lumora {
namespace {

using testing_widget::Widget;

bool Mentions(const Failure& f, std::string_view text) {
  return f.Description().find(text) != std::string::npos;
}

class Dispatch : public ::testing::Test {
 protected:
  Variant Get(std::string_view name) { return table.GetProperty(widget, name); }
  void Let(std::string_view name, Variant v) { table.SetProperty(widget, name, v); }
  template <class... A>
  Variant Call(std::string_view name, A... args) {
    Variant v[] = {Variant(args)..., Variant()};
    return table.CallMethod(widget, name, std::span<Variant>(v, sizeof...(A)));
  }

  const DispatchTable& table = Widget::Dispatch();
  Widget widget;
};

TEST_F(Dispatch, NamesMapToDispidsWithoutRegardToCase) {
  EXPECT_EQ(table.GetIDsOfNames("Width"), 1);
  EXPECT_EQ(table.GetIDsOfNames("wIDTH"), 1);
  EXPECT_EQ(table.GetIDsOfNames("refresh"), kDispidValue);
  const Failure f = FailureOf([&] { table.GetIDsOfNames("Height"); });
  EXPECT_EQ(f.Number(), 438);
  EXPECT_TRUE(Mentions(f, "'Height'")) << f.Description();
}

TEST_F(Dispatch, PropertiesByNameAndByDispidReachTheMemberFunctions) {
  Let("width", Variant(int16_t{42}));
  EXPECT_EQ(widget.Width(), 42);  // the C++ accessor sees the dispatch write
  widget.Width(int16_t{7});
  EXPECT_EQ(Get("WIDTH"), Variant(int16_t{7}));  // and dispatch sees the C++ write

  Variant value(int16_t{9});
  table.Invoke(widget, 1, MemberKind::Let, std::span<Variant>(&value, 1));
  EXPECT_EQ(table.Invoke(widget, 1, MemberKind::Get, {}), Variant(int16_t{9}));
  // Reading a property with call syntax.
  EXPECT_EQ(table.Invoke(widget, 1, MemberKind::Method, {}), Variant(int16_t{9}));
  EXPECT_EQ(Get("Count"), Variant(int32_t{3}));
}

TEST_F(Dispatch, ValuesAreCoercedToTheMembersTypes) {
  Let("Width", Variant("12"));
  EXPECT_EQ(widget.m_Width, 12);
  Let("Width", Variant(2.5));  // rounds half to even
  EXPECT_EQ(widget.m_Width, 2);
  Let("Title", Variant(int32_t{5}));
  EXPECT_EQ(widget.m_Title, "5");
  // Colours take the unsigned reading of a system colour as well as the signed.
  Let("Color", Variant(2147483663.0));
  EXPECT_EQ(widget.m_Color, 0x8000000Fu);
  Let("Color", Variant(int32_t(-2147483633)));
  EXPECT_EQ(widget.m_Color, 0x8000000Fu);
}

TEST_F(Dispatch, ValuesThatDoNotConvertFailNamingTheMember) {
  Failure f = FailureOf([&] { Let("Width", Variant("wide")); });
  EXPECT_EQ(f.Number(), 13);
  EXPECT_TRUE(Mentions(f, "Type mismatch")) << f.Description();
  EXPECT_TRUE(Mentions(f, "'Width'")) << f.Description();
  f = FailureOf([&] { Let("Width", Variant(int32_t{40000})); });
  EXPECT_EQ(f.Number(), 6);
  EXPECT_TRUE(Mentions(f, "'Width'")) << f.Description();
  f = FailureOf([&] { Call("Go", "north"); });
  EXPECT_EQ(f.Number(), 13);
  EXPECT_TRUE(Mentions(f, "'Direction' of 'Go'")) << f.Description();
  EXPECT_TRUE(widget.m_Gone.empty());  // the member never ran
  EXPECT_EQ(widget.m_Width, 10);
}

TEST_F(Dispatch, FailuresOfTheMemberItselfPassThroughUnchanged) {
  const Failure f = FailureOf([&] { Let("Width", Variant(int16_t{-1})); });
  EXPECT_EQ(f.Number(), 380);
  EXPECT_EQ(f.Description(), "Invalid property value");
}

TEST_F(Dispatch, ObjectPropertiesAreAssignedByReference) {
  PicturePtr pic = Picture::FromRaster(Raster(2, 2));
  Let("Picture", Variant(pic));  // an object value goes to the set accessor
  EXPECT_EQ(widget.m_Picture, pic);
  EXPECT_EQ(Get("Picture").ToPicture(), pic);
  Let("Picture", Variant(nullptr));  // Nothing
  EXPECT_EQ(widget.m_Picture, nullptr);
  // A value that is no picture cannot be set.
  const Failure f = FailureOf([&] { Let("Picture", Variant(int16_t{1})); });
  EXPECT_EQ(f.Number(), 13);
  // An object assigned to a value property goes to its let accessor and fails there.
  EXPECT_EQ(FailureOf([&] { Let("Width", Variant(pic)); }).Number(), 13);
}

TEST_F(Dispatch, ByReferenceArgumentsComeBackChanged) {
  Variant dir[] = {Variant(int32_t{gdBottomRight})};
  table.CallMethod(widget, "Go", dir);
  EXPECT_EQ(widget.m_Gone, std::vector<GoDirection>{gdBottomRight});
  EXPECT_EQ(dir[0], Variant(int32_t{gdCenter}));  // the caller sees the callee's change

  // An argument the callee leaves alone keeps the caller's own value and type.
  Variant same[] = {Variant("1")};
  table.CallMethod(widget, "go", same);
  EXPECT_EQ(widget.m_Gone.back(), gdBottom);
  EXPECT_EQ(same[0], Variant("1"));

  Variant name[] = {Variant("pic")};
  table.Invoke(widget, 7, MemberKind::Method, name);
  EXPECT_EQ(name[0], Variant("pic (renamed)"));

  Variant pair[] = {Variant(int16_t{1}), Variant("b")};
  table.CallMethod(widget, "Swap", pair);
  EXPECT_EQ(pair[0], Variant("b"));
  EXPECT_EQ(pair[1], Variant(int16_t{1}));
}

TEST_F(Dispatch, EnumerationValuesOutsideTheListAreNotRejected) {
  Variant dir[] = {Variant(int32_t{42})};
  table.CallMethod(widget, "Go", dir);
  EXPECT_EQ(widget.m_Gone.back(), static_cast<GoDirection>(42));
}

TEST_F(Dispatch, OptionalArgumentsLeftOutArriveAsMissing) {
  PicturePtr pic = Picture::FromRaster(Raster(1, 1));
  Call("Paint", pic, 1.5f);
  ASSERT_EQ(widget.m_Painted.size(), 4u);
  EXPECT_EQ(widget.m_Painted[1], Variant(1.5f));
  EXPECT_TRUE(widget.m_Painted[2].IsMissing());
  EXPECT_TRUE(widget.m_Painted[3].IsMissing());

  // Left out in the middle, given at the end.
  Call("Paint", pic, 2.0f, Missing{}, int32_t{7});
  EXPECT_TRUE(widget.m_Painted[2].IsMissing());
  EXPECT_EQ(widget.m_Painted[3], Variant(int32_t{7}));

  // A required argument cannot be left out.
  const Failure f = FailureOf([&] { Call("Paint", pic, Missing{}); });
  EXPECT_EQ(f.Number(), 449);
  EXPECT_TRUE(Mentions(f, "'X1' of 'Paint'")) << f.Description();
}

TEST_F(Dispatch, WrongArgumentCountsFail) {
  Failure f = FailureOf([&] { Call("Go"); });
  EXPECT_EQ(f.Number(), 450);
  EXPECT_TRUE(Mentions(f, "Wrong number of arguments or invalid property assignment"));
  EXPECT_TRUE(Mentions(f, "'Go' takes 1 argument, not 0")) << f.Description();
  f = FailureOf([&] { Call("Go", 1, 2); });
  EXPECT_EQ(f.Number(), 450);
  f = FailureOf([&] { Call("Paint", 1); });
  EXPECT_TRUE(Mentions(f, "'Paint' takes 2 to 4 arguments, not 1")) << f.Description();
  f = FailureOf([&] { Call("Width", 1); });  // a property read takes no arguments
  EXPECT_EQ(f.Number(), 450);
  EXPECT_TRUE(widget.m_Gone.empty());
}

TEST_F(Dispatch, AssignmentsThatCannotBeMadeFail) {
  Failure f = FailureOf([&] { Let("Count", Variant(int32_t{1})); });
  EXPECT_EQ(f.Number(), 383);
  EXPECT_TRUE(Mentions(f, "'Count' property is read-only")) << f.Description();
  EXPECT_EQ(widget.m_Count, 3);
  f = FailureOf([&] { Let("Refresh", Variant(int32_t{1})); });
  EXPECT_EQ(f.Number(), 450);
  EXPECT_TRUE(Mentions(f, "'Refresh' is a method")) << f.Description();
  EXPECT_EQ(widget.m_Refreshes, 0);
}

TEST_F(Dispatch, UnknownDispidsAndUnimplementedMembersFail) {
  Failure f = FailureOf([&] { table.Invoke(widget, 77, MemberKind::Method, {}); });
  EXPECT_EQ(f.Number(), 438);
  EXPECT_TRUE(Mentions(f, "0x0000004D")) << f.Description();
  f = FailureOf([&] { Call("Unbound"); });
  EXPECT_EQ(f.Number(), 438);
  EXPECT_TRUE(Mentions(f, "'Unbound'")) << f.Description();
}

TEST_F(Dispatch, TheDefaultMemberIsDispidZero) {
  table.Invoke(widget, kDispidValue, MemberKind::Method, {});
  EXPECT_EQ(widget.m_Refreshes, 1);
  table.Invoke(widget, kDispidValue, MemberKind::Get, {});  // the object used as a value
  EXPECT_EQ(widget.m_Refreshes, 2);
}

TEST_F(Dispatch, RecordsAreHandedOutAsObjectsWithNamedFields) {
  widget.m_Position = {.ppTop = -1, .ppBottom = 0, .ppLeft = 0, .ppRight = -1};
  Variant v = Get("Position");
  ASSERT_TRUE(v.IsObject());
  ObjectPtr record = v.ToObject();
  EXPECT_EQ(record->TypeName(), "PicturePositions");
  EXPECT_EQ(record->GetProperty("pptop"), Variant(true));
  EXPECT_EQ(record->GetProperty("ppBottom"), Variant(false));
  EXPECT_EQ(record->GetProperty("ppRight"), Variant(true));
  EXPECT_EQ(FailureOf([&] { record->GetProperty("ppMiddle"); }).Number(), 438);

  // The record converts back to the C++ struct; another object does not.
  PicturePositions back;
  FromVariant(v, back);
  EXPECT_EQ(back.ppTop, -1);
  EXPECT_EQ(back.ppLeft, 0);
  EXPECT_EQ(back.ppRight, -1);
  PictureSizes sizes;
  EXPECT_EQ(FailureOf([&] { FromVariant(v, sizes); }).Number(), 13);

  // Fields written by name take the field's type.
  record->SetProperty("ppLeft", Variant("True"));
  FromVariant(v, back);
  EXPECT_EQ(back.ppLeft, -1);
  FromVariant(ToVariant(PictureSizes{.psWidth = 3.5f, .psHeight = 2}), sizes);
  EXPECT_EQ(sizes.psWidth, 3.5f);
  EXPECT_EQ(sizes.psHeight, 2.0f);
}

TEST_F(Dispatch, ATableRefusesObjectsOfAnotherClass) {
  struct Other : Object {
    std::string TypeName() const override { return "Other"; }
  } other;
  const Failure f = FailureOf([&] { table.GetProperty(other, "Width"); });
  EXPECT_EQ(f.Number(), 13);
  EXPECT_TRUE(Mentions(f, "Other")) << f.Description();
}

TEST_F(Dispatch, HostsFindTheTableFromAnObject) {
  Object& object = widget;
  ASSERT_EQ(DispatchTableOf(object), &table);
  EXPECT_EQ(object.GetProperty("width"), Variant(int16_t{10}));
  object.SetProperty("Title", Variant("t"));
  EXPECT_EQ(widget.m_Title, "t");
  object.CallMethod("Refresh", {});
  EXPECT_EQ(widget.m_Refreshes, 1);
  EXPECT_EQ(FailureOf([&] { object.GetProperty("Top"); }).Number(), 438);  // left to the base

  struct Plain : Object {
    std::string TypeName() const override { return "Plain"; }
  } plain;
  EXPECT_EQ(DispatchTableOf(plain), nullptr);
}

TEST_F(Dispatch, TheCheckFindsTheOneDeclaredMemberLeftUnbound) {
  const ::testing::AssertionResult r = BindingsMatchInterface(table);
  EXPECT_FALSE(r);
  EXPECT_NE(std::string(r.message()).find("slot 12 Unbound (method): not bound"), std::string::npos)
      << r.message();
  // ... and nothing else.
  EXPECT_EQ(std::string(r.message()).find("\n  ", std::string(r.message()).find("\n  ") + 1),
            std::string::npos)
      << r.message();
}

}  // namespace
}  // namespace lumora
