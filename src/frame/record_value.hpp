// A record of the type library handed to late-bound clients: a small object
// whose fields are read (and written) by name, typed as the library declares.
#pragma once

#include <vector>

#include "frame/type_library.hpp"
#include "platform/object.hpp"

namespace lumora {

class RecordValue final : public Object {
 public:
  // One value per field of `info`, in order, already of the field's type.
  RecordValue(const RecordInfo& info, std::vector<Variant> fields);

  const RecordInfo& Info() const { return *m_Info; }
  const Variant& Field(size_t index) const { return m_Fields.at(index); }

  std::string TypeName() const override { return std::string(m_Info->name); }
  // A field by name (without regard to case); another name fails with 438.
  Variant GetProperty(std::string_view name) override;
  // Stores a field, converted to its type (13 or 6 when it does not convert).
  void SetProperty(std::string_view name, const Variant& value) override;

 private:
  size_t IndexOf(std::string_view name) const;

  const RecordInfo* m_Info;
  std::vector<Variant> m_Fields;
};

// The record object a Variant holds, when it holds one of `info`'s type;
// otherwise error 13.
const RecordValue& RecordOf(const Variant& v, const RecordInfo& info);

}  // namespace lumora
