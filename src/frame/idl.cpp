#include "frame/idl.hpp"

#include <cstdio>
#include <sstream>

namespace lumora {

namespace {

constexpr std::string_view kIndent = "    ";

std::string HexId(int32_t dispid) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08x", static_cast<uint32_t>(dispid));
  return buf;
}

std::string Version(uint16_t major, uint16_t minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

// Attribute list in brackets, one line: [id(...), propget, helpstring("...")].
std::string MemberAttributes(const MemberInfo& m) {
  std::string out = "[id(" + HexId(m.dispid) + ")";
  if (m.kind == MemberKind::Get) out += ", propget";
  if (m.kind == MemberKind::Let) out += ", propput";
  if (m.kind == MemberKind::Set) out += ", propputref";
  if (!m.help.empty()) out += ", helpstring(" + IdlString(m.help) + ")";
  if (m.flags & kBindable) out += ", bindable";
  if (m.flags & kDefaultBind) out += ", defaultbind";
  if (m.flags & kUiDefault) out += ", uidefault";
  return out + "]";
}

std::string Param(const ParamInfo& p) {
  std::string attrs = p.byRef ? "[in, out]" : p.optional ? "[in, optional]" : "[in]";
  return attrs + " " + IdlType(p.type) + (p.byRef ? "* " : " ") + std::string(p.name);
}

std::string ParamList(const MemberInfo& m) {
  std::string out;
  for (const ParamInfo& p : m.params) out += (out.empty() ? "" : ", ") + Param(p);
  return out;
}

// A dual interface slot: every member returns a status, a property read
// hands its value back through the last parameter.
std::string DualSignature(const MemberInfo& m) {
  const std::string name(m.name);
  switch (m.kind) {
    case MemberKind::Get:
      return "HRESULT " + name + "([out, retval] " + IdlType(m.type) + "* " + name + ");";
    case MemberKind::Let:
    case MemberKind::Set: return "HRESULT " + name + "([in] " + IdlType(m.type) + " " + name + ");";
    case MemberKind::Method: break;
  }
  return "HRESULT " + name + "(" + ParamList(m) + ");";
}

void WriteEnum(std::ostream& out, const EnumInfo& e) {
  out << kIndent << "typedef [uuid(" << e.guid.ToString() << "), version("
      << Version(kTypeVersionMajor, kTypeVersionMinor) << ")]\n";
  out << kIndent << "enum {\n";
  for (size_t i = 0; i < e.values.size(); ++i)
    out << kIndent << kIndent << e.values[i].name << " = " << e.values[i].value
        << (i + 1 < e.values.size() ? "," : "") << "\n";
  out << kIndent << "} " << e.name << ";\n\n";
}

void WriteRecord(std::ostream& out, const RecordInfo& r) {
  out << kIndent << "typedef [uuid(" << r.guid.ToString() << "), version("
      << Version(kTypeVersionMajor, kTypeVersionMinor) << ")]\n";
  out << kIndent << "struct tag" << r.name << " {  // " << r.size << " bytes, aligned to "
      << r.alignment << "\n";
  for (const FieldInfo& f : r.fields)
    out << kIndent << kIndent << IdlType(f.type) << " " << f.name << ";  // offset " << f.offset
        << "\n";
  out << kIndent << "} " << r.name << ";\n\n";
}

void WriteInterfaceHeader(std::ostream& out, const InterfaceInfo& iface) {
  out << kIndent << "[\n";
  if (iface.kind == InterfaceKind::Dual) out << kIndent << "  odl,\n";
  out << kIndent << "  uuid(" << iface.guid.ToString() << "),\n";
  out << kIndent << "  version(" << Version(kTypeVersionMajor, kTypeVersionMinor) << ")";
  if (iface.hidden) out << ",\n" << kIndent << "  hidden";
  if (iface.kind == InterfaceKind::Dual) out << ",\n" << kIndent << "  dual";
  if (iface.nonextensible) out << ",\n" << kIndent << "  nonextensible";
  if (iface.kind == InterfaceKind::Dual) out << ",\n" << kIndent << "  oleautomation";
  out << "\n" << kIndent << "]\n";
}

void WriteDual(std::ostream& out, const InterfaceInfo& iface) {
  WriteInterfaceHeader(out, iface);
  out << kIndent << "interface " << iface.name << " : IDispatch {\n";
  for (const MemberInfo& m : iface.members) {
    out << kIndent << kIndent << MemberAttributes(m) << "\n";
    out << kIndent << kIndent << DualSignature(m) << "\n";
  }
  out << kIndent << "};\n\n";
}

void WriteEvents(std::ostream& out, const InterfaceInfo& iface) {
  WriteInterfaceHeader(out, iface);
  out << kIndent << "dispinterface " << iface.name << " {\n";
  out << kIndent << kIndent << "properties:\n";
  out << kIndent << kIndent << "methods:\n";
  for (const MemberInfo& m : iface.members) {
    out << kIndent << kIndent << kIndent << MemberAttributes(m) << "\n";
    out << kIndent << kIndent << kIndent << "void " << m.name << "(" << ParamList(m) << ");\n";
  }
  out << kIndent << "};\n\n";
}

void WriteClass(std::ostream& out, const ClassInfo& c) {
  out << kIndent << "// toolbox bitmap: resource " << c.toolboxBitmap << "\n";
  out << kIndent << "[\n";
  out << kIndent << "  uuid(" << c.guid.ToString() << "),\n";
  out << kIndent << "  version(" << Version(kTypeVersionMajor, kTypeVersionMinor) << ")";
  if (c.control) out << ",\n" << kIndent << "  control";
  out << "\n" << kIndent << "]\n";
  out << kIndent << "coclass " << c.name << " {\n";
  out << kIndent << kIndent << "[default] interface " << c.defaultInterface->name << ";\n";
  out << kIndent << kIndent << "[default, source] dispinterface " << c.defaultSource->name << ";\n";
  out << kIndent << "};\n";
}

}  // namespace

std::string IdlString(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string IdlType(const TypeRef& type) {
  switch (type.code) {
    case TypeCode::Void: return "void";
    case TypeCode::Int16: return "short";
    case TypeCode::Int32: return "long";
    case TypeCode::Float32: return "single";
    case TypeCode::Bool16: return "VARIANT_BOOL";
    case TypeCode::Color: return "OLE_COLOR";
    case TypeCode::Picture: return "Picture*";
    case TypeCode::PointerShape: return "PointerShape";
    case TypeCode::Variant: return "VARIANT";
    case TypeCode::String: return "BSTR";
    case TypeCode::Object: return "IDispatch*";
    case TypeCode::Enum:
    case TypeCode::Record: return std::string(type.name);
  }
  return "?";
}

std::string WriteIdl(const LibraryInfo& lib) {
  std::ostringstream out;
  out << "// " << lib.name << " type library, version "
      << Version(lib.versionMajor, lib.versionMinor) << ". Written by `lumora typelib`.\n\n";
  out << "[\n";
  out << "  uuid(" << lib.guid.ToString() << "),\n";
  out << "  version(" << Version(lib.versionMajor, lib.versionMinor) << "),\n";
  char lcid[16];
  std::snprintf(lcid, sizeof lcid, "0x%04x", lib.lcid);
  out << "  lcid(" << lcid << "),\n";
  out << "  helpstring(" << IdlString(lib.help) << ")\n";
  out << "]\n";
  out << "library " << lib.name << "\n{\n";
  out << kIndent << "importlib(\"stdole2.tlb\");\n\n";
  out << kIndent
      << "// PointerShape is the control runtime's mouse-pointer enumeration (32-bit).\n\n";
  for (const ClassInfo& c : lib.classes) {
    out << kIndent << "interface " << c.defaultInterface->name << ";\n";
    out << kIndent << "dispinterface " << c.defaultSource->name << ";\n";
  }
  out << "\n";
  for (const EnumInfo& e : lib.enums) WriteEnum(out, e);
  for (const RecordInfo& r : lib.records) WriteRecord(out, r);
  for (size_t i = 0; i < lib.classes.size(); ++i) {
    const ClassInfo& c = lib.classes[i];
    WriteDual(out, *c.defaultInterface);
    WriteEvents(out, *c.defaultSource);
    WriteClass(out, c);
    if (i + 1 < lib.classes.size()) out << "\n";
  }
  out << "};\n";
  return out.str();
}

}  // namespace lumora
