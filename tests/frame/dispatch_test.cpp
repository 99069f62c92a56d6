// Late-bound calls through a dispatch table, on a small class bound to an
// interface of its own: names and DISPIDs, coercion, arguments
// by reference and left out, records, and every way a call is refused.
#include "frame/dispatch.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "frame/binding.hpp"
#include "frame/marshal.hpp"
#include "frame/record_value.hpp"
#include "frame/records.hpp"
#include "platform/picture/picture.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

constexpr TypeRef kInt16{TypeCode::Int16}, kPicture{TypeCode::Picture}, kVariant{TypeCode::Variant},
    kFloat32{TypeCode::Float32};

constexpr ParamInfo kGoParams[] = {{"Direction", {TypeCode::Enum, "GoDirection"}, true, false}};
constexpr ParamInfo kPaintParams[] = {{"Picture", kPicture, false, false},
                                      {"X1", kFloat32, false, false},
                                      {"Width1", kVariant, false, true},
                                      {"Opcode", kVariant, false, true}};
constexpr ParamInfo kRenameParams[] = {{"Name", {TypeCode::String}, true, false}};

constexpr MemberInfo kMembers[] = {
    {"Width", MemberKind::Get, kInt16, 1, {}, kNoFlags, {}},
    {"Width", MemberKind::Let, kInt16, 1, {}, kNoFlags, {}},
    {"Count", MemberKind::Get, {TypeCode::Int32}, 2, {}, kNoFlags, {}},
    {"Picture", MemberKind::Get, kPicture, 3, {}, kNoFlags, {}},
    {"Picture", MemberKind::Set, kPicture, 3, {}, kNoFlags, {}},
    {"Color", MemberKind::Get, {TypeCode::Color}, 4, {}, kNoFlags, {}},
    {"Color", MemberKind::Let, {TypeCode::Color}, 4, {}, kNoFlags, {}},
    {"Go", MemberKind::Method, {}, 5, {}, kNoFlags, kGoParams},
    {"Paint", MemberKind::Method, {}, 6, {}, kNoFlags, kPaintParams},
    {"Rename", MemberKind::Method, {}, 7, {}, kNoFlags, kRenameParams},
    {"Refresh", MemberKind::Method, {}, kDispidValue, {}, kNoFlags, {}},
    {"Position", MemberKind::Get, {TypeCode::Record, "PicturePositions"}, 8, {}, kNoFlags, {}},
    {"Unbound", MemberKind::Method, {}, 9, {}, kNoFlags, {}},  // declared, never bound
};

constexpr InterfaceInfo kInterface{
    "_Widget", Guid::Parse("00000000-0000-4000-8000-000000000001"), InterfaceKind::Dual, true, true,
    kMembers};

// Records what its members were called with, for the tests to inspect.
struct Widget : Object, Dispatchable {
  std::string TypeName() const override { return "Widget"; }
  static const DispatchTable& Dispatch();
  const DispatchTable& DispatchInfo() const override { return Dispatch(); }

  int16_t Width() const { return m_Width; }
  void Width(int16_t value) {
    if (value < 0) Fail(kErrInvalidPropertyValue);
    m_Width = value;
  }
  int32_t Count() const { return m_Count; }
  PicturePtr Picture() const { return m_Picture; }
  void Picture(PicturePtr value) { m_Picture = std::move(value); }
  OleColor Color() const { return m_Color; }
  void Color(OleColor value) { m_Color = value; }
  PicturePositions Position() const { return m_Position; }
  // Remembers the direction; a corner is turned into gdCenter for the caller.
  void Go(GoDirection& Direction) {
    m_Gone.push_back(Direction);
    if (Direction >= gdTopLeft) Direction = gdCenter;
  }
  void Paint(PicturePtr Picture, float X1, const Variant& Width1, const Variant& Opcode) {
    m_Painted = {Variant(Picture), Variant(X1), Width1, Opcode};
  }
  void Rename(std::string& Name) { Name += " (renamed)"; }
  void Refresh() { ++m_Refreshes; }

  int16_t m_Width = 10;
  int32_t m_Count = 3;
  PicturePtr m_Picture;
  OleColor m_Color = 0;
  PicturePositions m_Position;
  std::vector<GoDirection> m_Gone;
  std::vector<Variant> m_Painted;
  int m_Refreshes = 0;
};

const DispatchTable& Widget::Dispatch() {
  static const DispatchTable table = Bindings<Widget>(kInterface)
                                         .Property("Width", &Widget::Width, &Widget::Width)
                                         .Property("Count", &Widget::Count)
                                         .Property("Picture", &Widget::Picture, &Widget::Picture)
                                         .Property("Color", &Widget::Color, &Widget::Color)
                                         .Method("Go", &Widget::Go)
                                         .Method("Paint", &Widget::Paint)
                                         .Method("Rename", &Widget::Rename)
                                         .Method("Refresh", &Widget::Refresh)
                                         .Property("Position", &Widget::Position)
                                         .Build();
  return table;
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
  const PicturePtr pic = Picture::FromRaster(Raster(1, 1));
};

TEST_F(Dispatch, MembersAreReachedByNameWithoutRegardToCaseOrByDispid) {
  EXPECT_EQ(table.GetIDsOfNames("wIDTH"), 1);
  EXPECT_EQ(table.GetIDsOfNames("refresh"), kDispidValue);
  EXPECT_EQ(DispatchTableOf(widget), &table);  // as hosts find it
  Variant value(int16_t{9});
  table.Invoke(widget, 1, MemberKind::Let, std::span<Variant>(&value, 1));
  EXPECT_EQ(widget.Width(), 9);
  // A property read with call syntax.
  EXPECT_EQ(table.Invoke(widget, 1, MemberKind::Method, {}), Variant(int16_t{9}));
  // The default member is DISPID 0, also when the object is used as a value.
  table.Invoke(widget, kDispidValue, MemberKind::Method, {});
  table.Invoke(widget, kDispidValue, MemberKind::Get, {});
  EXPECT_EQ(widget.m_Refreshes, 2);
}

TEST_F(Dispatch, AssignedValuesAreCoercedAndObjectsGoToTheSetAccessor) {
  Let("Width", Variant("12"));
  EXPECT_EQ(widget.m_Width, 12);
  // Colours take the unsigned reading of a system colour as well as the signed.
  Let("Color", Variant(2147483663.0));
  EXPECT_EQ(widget.m_Color, 0x8000000Fu);
  widget.m_Color = 0;
  Let("Color", Variant(int32_t(-2147483633)));
  EXPECT_EQ(widget.m_Color, 0x8000000Fu);

  Let("Picture", Variant(pic));  // an object value goes to the set accessor
  EXPECT_EQ(widget.m_Picture, pic);
  Let("Picture", Variant(nullptr));  // Nothing
  EXPECT_EQ(widget.m_Picture, nullptr);
}

TEST_F(Dispatch, ByReferenceArgumentsComeBackChanged) {
  Variant dir[] = {Variant(int32_t{gdBottomRight})};
  table.CallMethod(widget, "Go", dir);
  EXPECT_EQ(dir[0], Variant(int32_t{gdCenter}));  // the caller sees the callee's change

  // An argument the callee leaves alone keeps the caller's own value and type.
  Variant same[] = {Variant("1")};
  table.CallMethod(widget, "go", same);
  EXPECT_EQ(same[0], Variant("1"));
  // Enumeration values outside the list are not rejected.
  Variant outside[] = {Variant(int32_t{42})};
  table.CallMethod(widget, "Go", outside);
  EXPECT_EQ(widget.m_Gone,
            (std::vector<GoDirection>{gdBottomRight, gdBottom, static_cast<GoDirection>(42)}));

  Variant name[] = {Variant("pic")};
  table.Invoke(widget, 7, MemberKind::Method, name);
  EXPECT_EQ(name[0], Variant("pic (renamed)"));
}

TEST_F(Dispatch, OptionalArgumentsLeftOutArriveAsMissing) {
  Call("Paint", pic, 1.5f);
  ASSERT_EQ(widget.m_Painted.size(), 4u);
  EXPECT_TRUE(widget.m_Painted[3].IsMissing());
  // Left out in the middle, given at the end.
  Call("Paint", pic, 2.0f, Missing{}, int32_t{7});
  EXPECT_TRUE(widget.m_Painted[2].IsMissing());
  EXPECT_EQ(widget.m_Painted[3], Variant(int32_t{7}));
}

// Each refused call fails with its number and a text naming what was wrong,
// and the member never runs.
TEST_F(Dispatch, RefusedCallsFailNamingTheMember) {
  struct Other : Object {
    std::string TypeName() const override { return "Other"; }
  } other;
  const struct {
    std::function<void()> call;
    int number;
    const char* text;
  } cases[] = {
      {[&] { table.GetIDsOfNames("Height"); }, 438, "'Height'"},
      {[&] { Let("Width", Variant("wide")); }, 13, "'Width'"},
      {[&] { Call("Go", "north"); }, 13, "'Direction' of 'Go'"},
      {[&] { Let("Width", Variant(int16_t{-1})); }, 380, "Invalid property value"},  // its own
      {[&] { Let("Picture", Variant(int16_t{1})); }, 13, ""},
      {[&] { Let("Width", Variant(pic)); }, 13, ""},  // an object to a let accessor
      {[&] { Call("Paint", pic, Missing{}); }, 449, "'X1' of 'Paint'"},
      {[&] { Call("Go"); }, 450, "'Go' takes 1 argument, not 0"},
      {[&] { Call("Paint", 1); }, 450, "'Paint' takes 2 to 4 arguments, not 1"},
      {[&] { Call("Width", 1); }, 450, ""},  // a property read takes no arguments
      {[&] { Let("Count", Variant(int32_t{1})); }, 383, "'Count' property is read-only"},
      {[&] { Let("Refresh", Variant(int32_t{1})); }, 450, "'Refresh' is a method"},
      {[&] { table.Invoke(widget, 77, MemberKind::Method, {}); }, 438, "0x0000004D"},
      {[&] { Call("Unbound"); }, 438, "'Unbound'"},
      {[&] { table.GetProperty(other, "Width"); }, 13, "Other"},
  };
  for (const auto& c : cases) {
    const Failure f = FailureOf(c.call);
    EXPECT_EQ(f.Number(), c.number) << f.Description();
    EXPECT_NE(f.Description().find(c.text), std::string::npos) << f.Description();
  }
  EXPECT_EQ(DispatchTableOf(other), nullptr);
  EXPECT_TRUE(widget.m_Gone.empty());
  EXPECT_EQ(widget.m_Width, 10);
  EXPECT_EQ(widget.m_Count, 3);
  EXPECT_EQ(widget.m_Refreshes, 0);
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
  // The published records have the size of the C++ structs.
  EXPECT_EQ(PicturePositionsRecord().size, sizeof(PicturePositions));
  EXPECT_EQ(PictureSizesRecord().size, sizeof(PictureSizes));

  // Fields written by name take the field's type.
  record->SetProperty("ppLeft", Variant("True"));
  FromVariant(v, back);
  EXPECT_EQ(back.ppLeft, -1);
}

}  // namespace
}  // namespace lumora
