#include "frame/type_library.hpp"

#include <cstddef>

#include "frame/records.hpp"
#include "frame/typelib_data.hpp"
#include "platform/object.hpp"

namespace lumora {

namespace {
using namespace typelib_data;

constexpr EnumValue kGoDirectionValues[] = {
    {"gdTop", gdTop},           {"gdBottom", gdBottom},         {"gdLeft", gdLeft},
    {"gdRight", gdRight},       {"gdCenter", gdCenter},         {"gdTopLeft", gdTopLeft},
    {"gdTopRight", gdTopRight}, {"gdBottomLeft", gdBottomLeft}, {"gdBottomRight", gdBottomRight},
};
constexpr EnumValue kScrollBarsValues[] = {{"sbAutomatic", sbAutomatic}, {"sbNone", sbNone}};
constexpr EnumValue kScrollDirectionValues[] = {
    {"sdcUp", sdcUp}, {"sdDown", sdDown}, {"sdLeft", sdLeft}, {"sdRight", sdRight}};

constexpr EnumInfo kEnums[] = {
    {"GoDirection", Guid::Parse("25CB08BC-B40D-446D-AD51-C39642402088"), kGoDirectionValues},
    {"ScrollBars", Guid::Parse("FC002CE6-E8E2-4073-9697-6B17C9E71531"), kScrollBarsValues},
    {"ScrollDirection", Guid::Parse("CCD36BD1-5A1F-4435-B234-F86A5B8A14E2"),
     kScrollDirectionValues},
};

// The published offsets; the C++ records the controls return must agree.
constexpr FieldInfo kPicturePositionsFields[] = {{"ppTop", kBool16, 0},
                                                 {"ppBottom", kBool16, 2},
                                                 {"ppLeft", kBool16, 4},
                                                 {"ppRight", kBool16, 6}};
constexpr FieldInfo kPictureSizesFields[] = {{"psWidth", kFloat32, 0}, {"psHeight", kFloat32, 4}};

static_assert(kPicturePositionsFields[0].offset == offsetof(PicturePositions, ppTop));
static_assert(kPicturePositionsFields[1].offset == offsetof(PicturePositions, ppBottom));
static_assert(kPicturePositionsFields[2].offset == offsetof(PicturePositions, ppLeft));
static_assert(kPicturePositionsFields[3].offset == offsetof(PicturePositions, ppRight));
static_assert(kPictureSizesFields[0].offset == offsetof(PictureSizes, psWidth));
static_assert(kPictureSizesFields[1].offset == offsetof(PictureSizes, psHeight));

constexpr RecordInfo kRecords[] = {
    {"PicturePositions", Guid::Parse("8C7654F2-2BB7-4E3B-A0DF-201B2CD2DE69"),
     sizeof(PicturePositions), alignof(PicturePositions), kPicturePositionsFields},
    {"PictureSizes", Guid::Parse("4584634D-11E6-4AE8-91EB-167F670BE64F"), sizeof(PictureSizes),
     alignof(PictureSizes), kPictureSizesFields},
};
static_assert(kRecords[0].size == 8 && kRecords[0].alignment == 2);
static_assert(kRecords[1].size == 8 && kRecords[1].alignment == 4);

constexpr ClassInfo kClasses[] = {
    {"ZelPicZoom", Guid::Parse("1E681D9C-0555-4070-BA14-9924B8B47BC9"), true, &kPicZoomInterface,
     &kPicZoomEvents, kPicZoomBitmap},
    {"ZelScrollContainer", Guid::Parse("E0692FED-9200-4EB4-A5B5-C8F6B041052D"), true,
     &kScrollContainerInterface, &kScrollContainerEvents, kScrollContainerBitmap},
};

constexpr LibraryInfo kLibrary{
    "OrvaneLumora",
    "Orvane Lumora ActiveX Control",
    Guid::Parse("D930C164-1747-4B04-837C-E6A9D5930848"),
    2,
    0,
    0x409,
    kEnums,
    kRecords,
    kClasses,
};

template <class Range>
auto FindByName(const Range& range, std::string_view name) -> decltype(&*std::begin(range)) {
  for (const auto& item : range)
    if (SameName(item.name, name)) return &item;
  return nullptr;
}

}  // namespace

std::string TypeWord(const TypeRef& type) {
  switch (type.code) {
    case TypeCode::Void: return "none";
    case TypeCode::Int16: return "int16";
    case TypeCode::Int32: return "int32";
    case TypeCode::Float32: return "float32";
    case TypeCode::Bool16: return "bool16";
    case TypeCode::Color: return "color";
    case TypeCode::Picture: return "picture";
    case TypeCode::PointerShape: return "pointer enum";
    case TypeCode::Variant: return "variant";
    case TypeCode::String: return "string";
    case TypeCode::Object: return "object";
    case TypeCode::Enum:
    case TypeCode::Record: return std::string(type.name);
  }
  return "?";
}

const char* KindName(MemberKind kind) {
  switch (kind) {
    case MemberKind::Get: return "get";
    case MemberKind::Let: return "let";
    case MemberKind::Set: return "set";
    case MemberKind::Method: return "method";
  }
  return "?";
}

const MemberInfo* InterfaceInfo::Find(std::string_view name) const {
  return FindByName(members, name);
}

const MemberInfo* InterfaceInfo::Find(std::string_view name, MemberKind kind) const {
  for (const auto& m : members)
    if (m.kind == kind && SameName(m.name, name)) return &m;
  return nullptr;
}

const MemberInfo* InterfaceInfo::FindDispid(int32_t dispid) const {
  for (const auto& m : members)
    if (m.dispid == dispid) return &m;
  return nullptr;
}

const MemberInfo* InterfaceInfo::FindDispid(int32_t dispid, MemberKind kind) const {
  for (const auto& m : members)
    if (m.dispid == dispid && m.kind == kind) return &m;
  return nullptr;
}

int32_t InterfaceInfo::SlotOf(const MemberInfo& member) const {
  return static_cast<int32_t>(&member - members.data());
}

const ClassInfo* LibraryInfo::FindClass(std::string_view name) const {
  return FindByName(classes, name);
}

const InterfaceInfo* LibraryInfo::FindInterface(std::string_view name) const {
  for (const auto& c : classes) {
    if (SameName(c.defaultInterface->name, name)) return c.defaultInterface;
    if (SameName(c.defaultSource->name, name)) return c.defaultSource;
  }
  return nullptr;
}

const EnumInfo* LibraryInfo::FindEnum(std::string_view name) const {
  return FindByName(enums, name);
}

const RecordInfo* LibraryInfo::FindRecord(std::string_view name) const {
  return FindByName(records, name);
}

const LibraryInfo& TypeLibrary() {
  return kLibrary;
}

const InterfaceInfo& PicZoomInterface() {
  return kPicZoomInterface;
}
const InterfaceInfo& PicZoomEvents() {
  return kPicZoomEvents;
}
const InterfaceInfo& ScrollContainerInterface() {
  return kScrollContainerInterface;
}
const InterfaceInfo& ScrollContainerEvents() {
  return kScrollContainerEvents;
}
const RecordInfo& PicturePositionsRecord() {
  return kRecords[0];
}
const RecordInfo& PictureSizesRecord() {
  return kRecords[1];
}

}  // namespace lumora
