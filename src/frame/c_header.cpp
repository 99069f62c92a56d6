#include "frame/c_header.hpp"

#include <sstream>

namespace lumora {

namespace {

// "_ZelPicZoom" -> "ZelPicZoom".
std::string_view Bare(std::string_view name) {
  while (!name.empty() && name.front() == '_') name.remove_prefix(1);
  return name;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string Declaration(const std::string& type, std::string_view name) {
  return type + " " + std::string(name);
}

// The parameters after self: a read's value comes back through a pointer, a
// write takes it; a method takes its parameters, those by reference as
// pointers.
std::string Parameters(const MemberInfo& m) {
  switch (m.kind) {
    case MemberKind::Get: return Declaration(CType(m.type) + "*", "value");
    case MemberKind::Let:
    case MemberKind::Set: return Declaration(CType(m.type), "value");
    case MemberKind::Method: break;
  }
  std::string out;
  for (const ParamInfo& p : m.params)
    out += ", " + Declaration(CType(p.type) + (p.byRef ? "*" : ""), p.name);
  return out.empty() ? out : out.substr(2);
}

void WriteGuid(std::ostream& out, std::string_view name, const Guid& guid) {
  out << "LUMORA_EXPORT extern const LumoraGuid " << name << "; /* " << guid.ToString() << " */\n";
}

void WriteEnum(std::ostream& out, const EnumInfo& e) {
  out << "typedef int32_t Lumora" << e.name << ";\nenum {\n";
  for (size_t i = 0; i < e.values.size(); ++i)
    out << "  " << e.values[i].name << " = " << e.values[i].value
        << (i + 1 < e.values.size() ? "," : "") << "\n";
  out << "};\n\n";
}

void WriteRecord(std::ostream& out, const RecordInfo& r) {
  out << "typedef struct Lumora" << r.name << " {\n";
  for (const FieldInfo& f : r.fields)
    out << "  " << Declaration(CType(f.type), f.name) << "; /* offset " << f.offset << " */\n";
  out << "} Lumora" << r.name << ";\n\n";
}

void WriteEvents(std::ostream& out, const ClassInfo& c) {
  out << "/* Event DISPIDs of " << c.defaultSource->name << ". */\nenum {\n";
  const auto& events = c.defaultSource->members;
  for (size_t i = 0; i < events.size(); ++i)
    out << "  Lumora" << c.name << "Event_" << events[i].name << " = " << events[i].dispid
        << (i + 1 < events.size() ? "," : "") << "\n";
  out << "};\n\n";
}

void WriteInterface(std::ostream& out, const InterfaceInfo& iface) {
  const std::string name = "Lumora" + std::string(Bare(iface.name));
  out << "/* " << iface.name << ": the seven dispatch slots, then every member in slot order.\n"
      << " * Call the dispatch slots with (LumoraDispatch*)self. */\n";
  out << "typedef struct " << name << " " << name << ";\n";
  out << "typedef struct " << name << "Vtbl {\n  LumoraDispatchVtbl dispatch;\n";
  std::string_view previous;
  for (const MemberInfo& m : iface.members) {
    // A property's help once, above its first accessor.
    if (!m.help.empty() && m.name != previous) out << "  /* " << m.help << " */\n";
    previous = m.name;
    const std::string params = Parameters(m);
    out << "  LumoraResult (*" << CSlotName(m) << ")(" << name << "* self"
        << (params.empty() ? "" : ", " + params) << ");\n";
  }
  out << "} " << name << "Vtbl;\n";
  out << "struct " << name << " {\n  const " << name << "Vtbl* vtbl;\n};\n\n";
  out << "/* The slots' names in order, for X-macros. */\n";
  out << "#define LUMORA_" << Upper(Bare(iface.name)) << "_SLOTS(X)";
  for (const MemberInfo& m : iface.members) out << " \\\n  X(" << CSlotName(m) << ")";
  out << "\n\n";
}

void WriteClass(std::ostream& out, const ClassInfo& c) {
  out << "/* ---- " << c.name << " ---- */\n\n";
  WriteGuid(out, "LumoraCLSID_" + std::string(c.name), c.guid);
  WriteGuid(out, "LumoraIID_" + std::string(Bare(c.defaultInterface->name)),
            c.defaultInterface->guid);
  WriteGuid(out, "LumoraDIID_" + std::string(c.name) + "Events", c.defaultSource->guid);
  out << "\n";
  WriteEvents(out, c);
  WriteInterface(out, *c.defaultInterface);
}

}  // namespace

std::string CType(const TypeRef& type) {
  switch (type.code) {
    case TypeCode::Void: return "void";
    case TypeCode::Int16:
    case TypeCode::Bool16: return "int16_t";
    case TypeCode::Int32:
    case TypeCode::PointerShape: return "int32_t";
    case TypeCode::Float32: return "float";
    case TypeCode::Color: return "uint32_t";
    case TypeCode::Picture:
    case TypeCode::Object: return "LumoraDispatch*";
    case TypeCode::Variant: return "LumoraVariant";
    case TypeCode::String: return "char*";
    case TypeCode::Enum:
    case TypeCode::Record: return "Lumora" + std::string(type.name);
  }
  return "void";
}

std::string CSlotName(const MemberInfo& member) {
  const std::string name(member.name);
  switch (member.kind) {
    case MemberKind::Get: return "get_" + name;
    case MemberKind::Let: return "put_" + name;
    case MemberKind::Set: return "putref_" + name;
    case MemberKind::Method: break;
  }
  return name;
}

std::string WriteCHeader(const LibraryInfo& library) {
  std::ostringstream out;
  out << "/* Generated by `lumora typelib --c-header` from the type library: do not edit.\n"
         " *\n"
         " * The controls' types for C clients. The pointer a control returns for its\n"
         " * interface ID is a dual interface: its table starts with the dispatch slots\n"
         " * and goes on with one slot per member, each returning a LumoraResult (a\n"
         " * member's runtime error n as LUMORA_RUNTIME_ERROR(n)). Booleans are int16_t\n"
         " * (-1 true), colours OLE colours, strings UTF-8 (a string returned belongs to\n"
         " * the caller: LumoraStringFree), objects dispatch pointers (a returned one\n"
         " * carries a reference), an optional variant left out is LUMORA_VT_ERROR with\n"
         " * LUMORA_DISP_E_PARAMNOTFOUND. */\n"
         "/* clang-format off */\n"
         "#ifndef ORVANE_LUMORA_CONTROLS_H\n#define ORVANE_LUMORA_CONTROLS_H\n\n"
         "#include \"lumora_module.h\"\n\n"
         "#ifdef __cplusplus\nextern \"C\" {\n#endif\n\n";
  for (const EnumInfo& e : library.enums) WriteEnum(out, e);
  for (const RecordInfo& r : library.records) WriteRecord(out, r);
  for (const ClassInfo& c : library.classes)
    if (c.defaultInterface && c.defaultSource) WriteClass(out, c);
  out << "#ifdef __cplusplus\n}\n#endif\n\n#endif /* ORVANE_LUMORA_CONTROLS_H */\n";
  return out.str();
}

}  // namespace lumora
