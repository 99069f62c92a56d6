// Shorthands for writing the type library's tables, and the tables defined in
// their own files. Included only by the files that hold the data.
#pragma once

#include "frame/type_library.hpp"

namespace lumora::typelib_data {

inline constexpr TypeRef kVoid{};
inline constexpr TypeRef kInt16{TypeCode::Int16};
inline constexpr TypeRef kInt32{TypeCode::Int32};
inline constexpr TypeRef kFloat32{TypeCode::Float32};
inline constexpr TypeRef kBool16{TypeCode::Bool16};
inline constexpr TypeRef kColor{TypeCode::Color};
inline constexpr TypeRef kPicture{TypeCode::Picture};
inline constexpr TypeRef kPointer{TypeCode::PointerShape};
inline constexpr TypeRef kVariant{TypeCode::Variant};
inline constexpr TypeRef kString{TypeCode::String};
inline constexpr TypeRef kObject{TypeCode::Object};
inline constexpr TypeRef kGoDirection{TypeCode::Enum, "GoDirection"};
inline constexpr TypeRef kScrollBars{TypeCode::Enum, "ScrollBars"};
inline constexpr TypeRef kScrollDirection{TypeCode::Enum, "ScrollDirection"};
inline constexpr TypeRef kPicturePositions{TypeCode::Record, "PicturePositions"};
inline constexpr TypeRef kPictureSizes{TypeCode::Record, "PictureSizes"};

inline constexpr MemberKind kGet = MemberKind::Get;
inline constexpr MemberKind kLet = MemberKind::Let;
inline constexpr MemberKind kSet = MemberKind::Set;
inline constexpr MemberKind kMethod = MemberKind::Method;

// Standard DISPIDs the tables use.
inline constexpr int32_t kDispidBackColor = -501;
inline constexpr int32_t kDispidBackStyle = -502;
inline constexpr int32_t kDispidBorderStyle = -504;
inline constexpr int32_t kDispidEnabled = -514;
inline constexpr int32_t kDispidAppearance = -520;
inline constexpr int32_t kDispidAboutBox = -552;

// Help strings shared by both classes.
inline constexpr std::string_view kHelpAppearance =
    "Returns or sets the paint style of controls on an MDIForm or Form object atdesign time. "
    "Read-only atrun time.";
inline constexpr std::string_view kHelpAboutBox = "Displays product information box";

constexpr ParamInfo ByVal(std::string_view name, TypeRef type) {
  return {name, type, false, false};
}
constexpr ParamInfo ByRef(std::string_view name, TypeRef type) {
  return {name, type, true, false};
}
constexpr ParamInfo OptionalVariant(std::string_view name) {
  return {name, kVariant, false, true};
}

constexpr MemberInfo Accessor(std::string_view name, MemberKind kind, TypeRef type, int32_t dispid,
                              std::string_view help = {}, uint32_t flags = kNoFlags) {
  return {name, kind, type, dispid, help, flags, {}};
}
constexpr MemberInfo Method(std::string_view name, int32_t dispid, std::string_view help = {},
                            std::span<const ParamInfo> params = {}) {
  return {name, MemberKind::Method, kVoid, dispid, help, kNoFlags, params};
}

// Pointer and key event parameters, all by reference.
inline constexpr ParamInfo kMouseParams[] = {{"Button", kInt16, true},
                                             {"Shift", kInt16, true},
                                             {"X", kFloat32, true},
                                             {"Y", kFloat32, true}};
inline constexpr ParamInfo kKeyParams[] = {{"KeyCode", kInt16, true}, {"Shift", kInt16, true}};
inline constexpr ParamInfo kKeyPressParams[] = {{"KeyAscii", kInt16, true}};

extern const InterfaceInfo kPicZoomInterface;
extern const InterfaceInfo kPicZoomEvents;
extern const InterfaceInfo kScrollContainerInterface;
extern const InterfaceInfo kScrollContainerEvents;

}  // namespace lumora::typelib_data
