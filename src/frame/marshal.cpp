#include "frame/marshal.hpp"

#include <cmath>

#include "frame/record_value.hpp"
#include "platform/errors.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {
// Field values of a record object, converted to the record's field types.
template <class Field>
Field FieldAs(const RecordValue& record, size_t index) {
  Field out{};
  FromVariant(record.Field(index), out);
  return out;
}

int16_t Bool16(bool b) {
  return b ? int16_t{-1} : int16_t{0};
}
}  // namespace

void FromVariant(const Variant& v, int16_t& out) {
  out = v.ToInt16();
}
void FromVariant(const Variant& v, int32_t& out) {
  out = v.ToInt32();
}
void FromVariant(const Variant& v, float& out) {
  out = v.ToSingle();
}
void FromVariant(const Variant& v, bool& out) {
  out = v.ToBool();
}
void FromVariant(const Variant& v, PicturePtr& out) {
  out = v.ToPicture();
}
void FromVariant(const Variant& v, Variant& out) {
  out = v;
}
void FromVariant(const Variant& v, std::string& out) {
  out = v.ToString();
}
void FromVariant(const Variant& v, ObjectPtr& out) {
  out = v.ToObject();
}
void FromVariant(const Variant& v, PointerShape& out) {
  out = static_cast<PointerShape>(v.ToInt32());
}
void FromVariant(const Variant& v, GoDirection& out) {
  out = static_cast<GoDirection>(v.ToInt32());
}
void FromVariant(const Variant& v, ScrollBars& out) {
  out = static_cast<ScrollBars>(v.ToInt32());
}
void FromVariant(const Variant& v, ScrollDirection& out) {
  out = static_cast<ScrollDirection>(v.ToInt32());
}

void FromVariant(const Variant& v, OleColor& out) {
  // Colours are unsigned: 0x8000000F may arrive as a negative Long or as the
  // positive number a script writes.
  const Variant::Kind k = v.GetKind();
  if (k == Variant::Kind::Double || k == Variant::Kind::Single || k == Variant::Kind::String) {
    const double d = v.ToDouble();
    if (d >= 2147483648.0 && d < 4294967296.0 && d == std::floor(d)) {
      out = static_cast<OleColor>(d);
      return;
    }
  }
  out = static_cast<OleColor>(v.ToInt32());
}

void FromVariant(const Variant& v, PicturePositions& out) {
  const RecordValue& r = RecordOf(v, PicturePositionsRecord());
  out.ppTop = Bool16(FieldAs<bool>(r, 0));
  out.ppBottom = Bool16(FieldAs<bool>(r, 1));
  out.ppLeft = Bool16(FieldAs<bool>(r, 2));
  out.ppRight = Bool16(FieldAs<bool>(r, 3));
}

void FromVariant(const Variant& v, PictureSizes& out) {
  const RecordValue& r = RecordOf(v, PictureSizesRecord());
  out.psWidth = FieldAs<float>(r, 0);
  out.psHeight = FieldAs<float>(r, 1);
}

Variant ToVariant(const PicturePositions& v) {
  return ObjectPtr(std::make_shared<RecordValue>(
      PicturePositionsRecord(),
      std::vector<Variant>{Variant(v.ppTop != 0), Variant(v.ppBottom != 0), Variant(v.ppLeft != 0),
                           Variant(v.ppRight != 0)}));
}

Variant ToVariant(const PictureSizes& v) {
  return ObjectPtr(std::make_shared<RecordValue>(
      PictureSizesRecord(), std::vector<Variant>{Variant(v.psWidth), Variant(v.psHeight)}));
}

}  // namespace lumora
