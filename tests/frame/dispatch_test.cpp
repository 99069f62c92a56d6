// Late-bound calls through a dispatch table, on a small class bound to an
// interface of its own: DISPIDs, coercion, arguments by reference and left
// out, records, refused calls, and the check of a table against its interface.
#include "frame/dispatch.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "frame/binding.hpp"
#include "frame/binding_check.hpp"
#include "frame/marshal.hpp"
#include "frame/record_value.hpp"
#include "frame/records.hpp"
#include "platform/picture/picture.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

constexpr TypeRef kColor{TypeCode::Color}, kPicture{TypeCode::Picture}, kVariant{TypeCode::Variant};

constexpr ParamInfo kGoParams[] = {{"Direction", {TypeCode::Enum, "GoDirection"}, true, false}};
constexpr ParamInfo kPaintParams[] = {{"Picture", kPicture, false, false},
                                      {"X1", {TypeCode::Float32}, false, false},
                                      {"Width1", kVariant, false, true},
                                      {"Opcode", kVariant, false, true}};

constexpr MemberInfo kMembers[] = {
    {"Color", MemberKind::Get, kColor, 1, {}, kNoFlags, {}},
    {"Color", MemberKind::Let, kColor, 1, {}, kNoFlags, {}},
    {"Go", MemberKind::Method, {}, 5, {}, kNoFlags, kGoParams},
    {"Paint", MemberKind::Method, {}, 6, {}, kNoFlags, kPaintParams},
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

  OleColor Color() const { return m_Color; }
  void Color(OleColor value) {
    if (value > 0x80FFFFFFu) Fail(kErrInvalidPropertyValue);
    m_Color = value;
  }
  PicturePositions Position() const { return m_Position; }
  // Remembers the direction; a corner is turned into gdCenter for the caller.
  void Go(GoDirection& Direction) {
    m_Gone.push_back(Direction);
    if (Direction >= gdTopLeft) Direction = gdCenter;
  }
  void Paint(PicturePtr Picture, float X1, const Variant& Width1, const Variant& Opcode) {
    m_Painted = {Variant(Picture), Variant(X1), Width1, Opcode};
  }
  void Refresh() { ++m_Refreshes; }

  OleColor m_Color = 10;
  PicturePositions m_Position;
  std::vector<GoDirection> m_Gone;
  std::vector<Variant> m_Painted;
  int m_Refreshes = 0;
};

const DispatchTable& Widget::Dispatch() {
  static const DispatchTable table = Bindings<Widget>(kInterface)
                                         .Property("Color", &Widget::Color, &Widget::Color)
                                         .Method("Go", &Widget::Go)
                                         .Method("Paint", &Widget::Paint)
                                         .Method("Refresh", &Widget::Refresh)
                                         .Property("Position", &Widget::Position)
                                         .Build();
  return table;
}

class Dispatch : public ::testing::Test {
 protected:
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

TEST_F(Dispatch, ValuesAndArgumentsAreCoercedOrComeBackChanged) {
  Variant value(int16_t{9});
  table.Invoke(widget, 1, MemberKind::Let, std::span<Variant>(&value, 1));
  // A property read with call syntax.
  EXPECT_EQ(table.Invoke(widget, 1, MemberKind::Method, {}), Variant(OleColor{9}));
  // The default member is DISPID 0, also when the object is used as a value.
  table.Invoke(widget, kDispidValue, MemberKind::Method, {});
  table.Invoke(widget, kDispidValue, MemberKind::Get, {});
  EXPECT_EQ(widget.m_Refreshes, 2);
  // Colours take the unsigned reading of a system colour as well as the signed.
  Let("Color", Variant(2147483663.0));
  EXPECT_EQ(widget.m_Color, 0x8000000Fu);
  Let("Color", Variant("12"));
  EXPECT_EQ(widget.m_Color, 12u);
  Let("Color", Variant(int32_t(-2147483633)));
  EXPECT_EQ(widget.m_Color, 0x8000000Fu);

  // The caller sees the callee's change, or keeps its own value and type;
  // enumeration values outside the list are not rejected.
  Variant dir[] = {Variant(int32_t{gdBottomRight}), Variant("1"), Variant(int32_t{42})};
  for (Variant& d : dir) table.CallMethod(widget, "go", std::span<Variant>(&d, 1));
  EXPECT_EQ(dir[0], Variant(int32_t{gdCenter}));
  EXPECT_EQ(dir[1], Variant("1"));
  EXPECT_EQ(widget.m_Gone,
            (std::vector<GoDirection>{gdBottomRight, gdBottom, static_cast<GoDirection>(42)}));

  // Optional arguments left out arrive as Missing, also in the middle.
  Call("Paint", pic, 1.5f);
  ASSERT_EQ(widget.m_Painted.size(), 4u);
  EXPECT_TRUE(widget.m_Painted[3].IsMissing());
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
      {[&] { Let("Color", Variant("red")); }, 13, "'Color'"},
      {[&] { Call("Go", "north"); }, 13, "'Direction' of 'Go'"},
      {[&] { Let("Color", Variant(int32_t{-1})); }, 380, "Invalid property value"},  // its own
      {[&] { Let("Color", Variant(pic)); }, 13, ""},  // an object to a let accessor
      {[&] { Call("Paint", pic, Missing{}); }, 449, "'X1' of 'Paint'"},
      {[&] { Call("Go"); }, 450, "'Go' takes 1 argument, not 0"},
      {[&] { Call("Paint", 1); }, 450, "'Paint' takes 2 to 4 arguments, not 1"},
      {[&] { Call("Color", 1); }, 450, ""},  // a property read takes no arguments
      {[&] { Let("Position", Variant(int32_t{1})); }, 383, "'Position' property is read-only"},
      {[&] { Let("Refresh", Variant(int32_t{1})); }, 450, "'Refresh' is a method"},
      {[&] { table.Invoke(widget, 77, MemberKind::Method, {}); }, 438, "0x0000004D"},
      {[&] { Call("Unbound"); }, 438, "'Unbound'"},
      {[&] { table.GetProperty(other, "Color"); }, 13, "Other"},
  };
  for (const auto& c : cases) {
    const Failure f = FailureOf(c.call);
    EXPECT_EQ(f.Number(), c.number) << f.Description();
    EXPECT_NE(f.Description().find(c.text), std::string::npos) << f.Description();
  }
  EXPECT_EQ(DispatchTableOf(other), nullptr);
  EXPECT_TRUE(widget.m_Gone.empty());
  EXPECT_EQ(widget.m_Color, 10u);
  EXPECT_EQ(widget.m_Refreshes, 0);
}

TEST_F(Dispatch, RecordsAreHandedOutAsObjectsWithNamedFields) {
  widget.m_Position = {.ppTop = -1, .ppBottom = 0, .ppLeft = 0, .ppRight = -1};
  Variant v = table.GetProperty(widget, "Position");
  ObjectPtr record = v.ToObject();
  EXPECT_EQ(record->GetProperty("pptop"), Variant(true));
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
}

// The check the controls' own tables pass reports each way a table can drift
// from its interface, and a call through a binding with too few parameters
// fails instead of crashing.
TEST_F(Dispatch, TheBindingCheckReportsEachKindOfDrift) {
  const DispatchTable drifted = Bindings<Widget>(kInterface)
                                    .Property("color", &Widget::Position)
                                    .Property("Color", &Widget::Color, &Widget::Color)
                                    .Method("Go", &Widget::Refresh)
                                    .Method("Stray", &Widget::Refresh)
                                    .Build();
  const ::testing::AssertionResult r = BindingsMatchInterface(drifted);
  for (const char* expected : {
           "slot 0 Color (get): bound as 'color'",
           "slot 0 Color (get): declared () -> color, bound () -> PicturePositions",
           "'Color' (get) is bound twice",
           "slot 2 Go (method): declared (GoDirection&) -> none, bound () -> none",
           "slot 6 Unbound (method): not bound",
           "'Stray' (method) is bound but not declared",
       })
    EXPECT_NE(std::string(r.message()).find(expected), std::string::npos) << r.message();
  Variant dir[] = {Variant(int32_t{gdBottom})};
  const Failure f = FailureOf([&] { drifted.CallMethod(widget, "Go", dir); });
  EXPECT_EQ(f.Number(), 450);
  EXPECT_NE(f.Description().find("implementation of 'Go' takes 0 arguments"), std::string::npos)
      << f.Description();
}

}  // namespace
}  // namespace lumora
