#include "frame/record_value.hpp"

#include "platform/errors.hpp"

namespace lumora {

namespace {
// Converts a value to a record field's type.
Variant AsFieldType(const Variant& value, TypeCode code) {
  switch (code) {
    case TypeCode::Bool16: return Variant(value.ToBool());
    case TypeCode::Int16: return Variant(value.ToInt16());
    case TypeCode::Int32: return Variant(value.ToInt32());
    case TypeCode::Float32: return Variant(value.ToSingle());
    default: return value;
  }
}
}  // namespace

RecordValue::RecordValue(const RecordInfo& info, std::vector<Variant> fields)
    : m_Info(&info), m_Fields(std::move(fields)) {
  m_Fields.resize(m_Info->fields.size());
}

size_t RecordValue::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < m_Info->fields.size(); ++i)
    if (SameName(m_Info->fields[i].name, name)) return i;
  Fail(kErrNoSuchMember, DefaultDescription(kErrNoSuchMember) + ": " + std::string(m_Info->name) +
                             " has no field '" + std::string(name) + "'");
}

Variant RecordValue::GetProperty(std::string_view name) {
  return m_Fields[IndexOf(name)];
}

void RecordValue::SetProperty(std::string_view name, const Variant& value) {
  const size_t i = IndexOf(name);
  m_Fields[i] = AsFieldType(value, m_Info->fields[i].type.code);
}

const RecordValue& RecordOf(const Variant& v, const RecordInfo& info) {
  const RecordValue* record =
      v.IsObject() ? dynamic_cast<const RecordValue*>(v.ToObject().get()) : nullptr;
  if (!record || &record->Info() != &info)
    Fail(kErrTypeMismatch, DefaultDescription(kErrTypeMismatch) + ": expected a " +
                               std::string(info.name) + " record, got " + v.Describe());
  return *record;
}

}  // namespace lumora
