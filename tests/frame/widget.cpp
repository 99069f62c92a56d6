#include "widget.hpp"

#include "frame/binding.hpp"

namespace lumora::testing_widget {

namespace {
constexpr TypeRef kInt16{TypeCode::Int16}, kInt32{TypeCode::Int32}, kPicture{TypeCode::Picture},
    kColor{TypeCode::Color}, kString{TypeCode::String}, kVariant{TypeCode::Variant},
    kFloat32{TypeCode::Float32}, kGo{TypeCode::Enum, "GoDirection"},
    kPositions{TypeCode::Record, "PicturePositions"};

constexpr ParamInfo kGoParams[] = {{"Direction", kGo, true, false}};
constexpr ParamInfo kPaintParams[] = {{"Picture", kPicture, false, false},
                                      {"X1", kFloat32, false, false},
                                      {"Width1", kVariant, false, true},
                                      {"Opcode", kVariant, false, true}};
constexpr ParamInfo kRenameParams[] = {{"Name", kString, true, false}};
constexpr ParamInfo kSwapParams[] = {{"A", kVariant, true, false}, {"B", kVariant, true, false}};

constexpr MemberInfo Prop(std::string_view name, MemberKind kind, TypeRef type, int32_t dispid) {
  return {name, kind, type, dispid, {}, kNoFlags, {}};
}
constexpr MemberInfo Method(std::string_view name, int32_t dispid,
                            std::span<const ParamInfo> params = {}) {
  return {name, MemberKind::Method, TypeRef{}, dispid, {}, kNoFlags, params};
}

constexpr MemberInfo kMembers[] = {
    Prop("Width", MemberKind::Get, kInt16, 1),
    Prop("Width", MemberKind::Let, kInt16, 1),
    Prop("Count", MemberKind::Get, kInt32, 2),
    Prop("Picture", MemberKind::Get, kPicture, 3),
    Prop("Picture", MemberKind::Set, kPicture, 3),
    Prop("Color", MemberKind::Get, kColor, 4),
    Prop("Color", MemberKind::Let, kColor, 4),
    Method("Go", 5, kGoParams),
    Method("Paint", 6, kPaintParams),
    Method("Rename", 7, kRenameParams),
    Method("Refresh", kDispidValue),
    Prop("Position", MemberKind::Get, kPositions, 8),
    Method("Unbound", 9),
    Method("Swap", 10, kSwapParams),
    Prop("Title", MemberKind::Get, kString, 11),
    Prop("Title", MemberKind::Let, kString, 11),
};

constexpr InterfaceInfo kInterface{
    "_Widget", Guid::Parse("00000000-0000-4000-8000-000000000001"), InterfaceKind::Dual, true, true,
    kMembers};
}  // namespace

const InterfaceInfo& WidgetInterface() {
  return kInterface;
}

void Widget::Width(int16_t value) {
  if (value < 0) Fail(kErrInvalidPropertyValue);
  m_Width = value;
}

void Widget::Go(GoDirection& Direction) {
  m_Gone.push_back(Direction);
  if (Direction >= gdTopLeft) Direction = gdCenter;
}

void Widget::Paint(PicturePtr Picture, float X1, const Variant& Width1, const Variant& Opcode) {
  m_Painted = {Variant(Picture), Variant(X1), Width1, Opcode};
}

// Members of the interface go through the table; anything else to the base
// (which, in a control, knows the runtime's own properties).
Variant Widget::GetProperty(std::string_view name) {
  return Dispatch().HasMember(name) ? Dispatch().GetProperty(*this, name)
                                    : Object::GetProperty(name);
}
void Widget::SetProperty(std::string_view name, const Variant& value) {
  if (!Dispatch().HasMember(name)) return Object::SetProperty(name, value);
  Dispatch().SetProperty(*this, name, value);
}
Variant Widget::CallMethod(std::string_view name, std::span<Variant> args) {
  return Dispatch().HasMember(name) ? Dispatch().CallMethod(*this, name, args)
                                    : Object::CallMethod(name, args);
}

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
                                         .Method("Swap", &Widget::Swap)
                                         .Property("Title", &Widget::Title, &Widget::Title)
                                         .Build();
  return table;
}

}  // namespace lumora::testing_widget
