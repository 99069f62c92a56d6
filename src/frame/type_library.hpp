// The published type library as data: the library's identity, the two control
// classes, their interfaces with every member in slot order, their event
// interfaces, the enumerations and records. Hosts store DISPIDs and clients
// bind to slot order, types and help strings, so this data never changes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "frame/guid.hpp"

namespace lumora {

// The value types of the public interface.
enum class TypeCode : uint8_t {
  Void,
  Int16,
  Int32,
  Float32,
  Bool16,        // 16-bit boolean, true is -1
  Color,         // 32-bit OLE colour
  Picture,       // picture object reference
  PointerShape,  // the host's mouse-pointer enumeration
  Variant,
  String,
  Object,  // any dispatch object
  Enum,    // one of the library's enumerations, by name
  Record,  // one of the library's records, by name
};

struct TypeRef {
  constexpr TypeRef(TypeCode c = TypeCode::Void, std::string_view n = {}) : code(c), name(n) {}
  TypeCode code;
  std::string_view name;  // Enum and Record only
  constexpr bool operator==(const TypeRef&) const = default;
};

// The type word as the member tables write it ("int16", "GoDirection").
std::string TypeWord(const TypeRef& type);

// A member slot: property accessors ("let" assigns a value, "set" an object
// reference) and methods. Events are methods of an event interface.
enum class MemberKind : uint8_t { Get, Let, Set, Method };
const char* KindName(MemberKind kind);

enum MemberFlags : uint32_t {
  kNoFlags = 0,
  kBindable = 1,
  kDefaultBind = 2,
  kUiDefault = 4,
};

struct ParamInfo {
  std::string_view name;
  TypeRef type;
  bool byRef = false;
  bool optional = false;
};

// One slot. Accessors carry the property's type in `type` and no params;
// methods and events carry their parameters and a Void type.
struct MemberInfo {
  std::string_view name;
  MemberKind kind = MemberKind::Method;
  TypeRef type;
  int32_t dispid = 0;
  std::string_view help;  // empty: none
  uint32_t flags = kNoFlags;
  std::span<const ParamInfo> params;
};

// The DISPID of a class's default member.
inline constexpr int32_t kDispidValue = 0;

enum class InterfaceKind : uint8_t { Dual, Events };

struct InterfaceInfo {
  std::string_view name;
  Guid guid;
  InterfaceKind kind = InterfaceKind::Dual;
  bool hidden = false;
  bool nonextensible = false;
  std::span<const MemberInfo> members;  // in slot order

  // Members are matched by name without regard to case. Null when absent.
  const MemberInfo* Find(std::string_view name) const;
  const MemberInfo* Find(std::string_view name, MemberKind kind) const;
  const MemberInfo* FindDispid(int32_t dispid) const;
  const MemberInfo* FindDispid(int32_t dispid, MemberKind kind) const;
  int32_t SlotOf(const MemberInfo& member) const;
};

struct EnumValue {
  std::string_view name;
  int32_t value = 0;
};

struct EnumInfo {
  std::string_view name;
  Guid guid;
  std::span<const EnumValue> values;
};

struct FieldInfo {
  std::string_view name;
  TypeRef type;
  uint32_t offset = 0;
};

struct RecordInfo {
  std::string_view name;
  Guid guid;
  uint32_t size = 0;
  uint32_t alignment = 0;
  std::span<const FieldInfo> fields;
};

struct ClassInfo {
  std::string_view name;
  Guid guid;
  bool control = false;
  const InterfaceInfo* defaultInterface = nullptr;
  const InterfaceInfo* defaultSource = nullptr;
  int32_t toolboxBitmap = 0;  // resource id
};

// Every type of the library carries this version.
inline constexpr uint16_t kTypeVersionMajor = 1;
inline constexpr uint16_t kTypeVersionMinor = 0;

struct LibraryInfo {
  std::string_view name;
  std::string_view help;
  Guid guid;
  uint16_t versionMajor = 0;
  uint16_t versionMinor = 0;
  uint32_t lcid = 0;
  std::span<const EnumInfo> enums;
  std::span<const RecordInfo> records;
  std::span<const ClassInfo> classes;

  const ClassInfo* FindClass(std::string_view name) const;
  const InterfaceInfo* FindInterface(std::string_view name) const;
  const EnumInfo* FindEnum(std::string_view name) const;
  const RecordInfo* FindRecord(std::string_view name) const;
};

const LibraryInfo& TypeLibrary();

// The interfaces by name, for the controls and their tests.
const InterfaceInfo& PicZoomInterface();          // _ZelPicZoom
const InterfaceInfo& PicZoomEvents();             // __ZelPicZoom
const InterfaceInfo& ScrollContainerInterface();  // _ZelScrollContainer
const InterfaceInfo& ScrollContainerEvents();     // __ZelScrollContainer
const RecordInfo& PicturePositionsRecord();
const RecordInfo& PictureSizesRecord();

// Toolbox bitmap resource ids.
inline constexpr int32_t kPicZoomBitmap = 30000;
inline constexpr int32_t kScrollContainerBitmap = 30001;

}  // namespace lumora
