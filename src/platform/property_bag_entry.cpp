#include "platform/property_bag_entry.hpp"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>

#include "platform/base64.hpp"
#include "platform/errors.hpp"
#include "platform/picture/picture.hpp"

namespace lumora::bag_entry {

using Json = nlohmann::ordered_json;
using Kind = Variant::Kind;

std::string Quoted(std::string_view key) {
  return "\"" + Printable(key) + "\"";
}

[[noreturn]] void BadEntry(std::string_view key, const std::string& fault) {
  Fail(kErrInvalidFileFormat, "property bag: key " + Quoted(key) + ": " + fault);
}

// Exactly what the serialiser accepts, so asked of the serialiser.
bool IsJsonText(const std::string& text) {
  try {
    (void)Json(text).dump();
    return true;
  } catch (const Json::type_error&) {
    return false;
  }
}

namespace {

// Non-finite numbers have no JSON form; they travel as these strings.
Json FloatingToJson(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  return value;
}

// A Single as the double whose shortest text is the Single's shortest text
// ("0.1", not "0.10000000149011612"), when that double still narrows to the
// same Single; else the Single's exact value.
Json SingleToJson(float value) {
  if (!std::isfinite(value)) return FloatingToJson(value);
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  double shortest = 0;
  std::from_chars(text, end, shortest);
  return static_cast<float>(shortest) == value ? shortest : static_cast<double>(value);
}

const char* PictureFormatField(PictureFormat format) {
  return FormatName(format);  // "BMP", "PNG", "JPEG", "GIF"; "none" for the empty picture
}

Json PictureToJson(const Picture& picture) {
  if (picture.Handle() == 0) return {{"type", "Picture"}, {"format", "none"}};
  // A picture made at run time has no encoding of its own: keep its pixels.
  if (picture.Bytes().empty() || picture.Format() == PictureFormat::None) {
    return {{"type", "Picture"},
            {"format", PictureFormatField(PictureFormat::Bmp)},
            {"data", EncodeBase64(EncodeBmp24(picture.Pixels()))}};
  }
  return {{"type", "Picture"},
          {"format", PictureFormatField(picture.Format())},
          {"data", EncodeBase64(picture.Bytes())}};
}

}  // namespace

Json ToJson(const Variant& value) {
  const Kind kind = value.GetKind();
  Json entry = {{"type", Variant::KindName(kind)}};
  switch (kind) {
    case Kind::Empty: break;
    case Kind::Boolean: entry["value"] = value.ToBool(); break;
    case Kind::Byte: entry["value"] = value.ToByte(); break;
    case Kind::Integer: entry["value"] = value.ToInt16(); break;
    case Kind::Long: entry["value"] = value.ToInt32(); break;
    case Kind::Single: entry["value"] = SingleToJson(value.ToSingle()); break;
    case Kind::Double: entry["value"] = FloatingToJson(value.ToDouble()); break;
    case Kind::String: {
      std::string text = value.ToString();
      if (IsJsonText(text)) {
        entry["value"] = std::move(text);
      } else {
        const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
        entry["base64"] = EncodeBase64({bytes, text.size()});
      }
      break;
    }
    case Kind::Object: {
      const PicturePtr picture = value.ToPicture();
      if (!picture) return {{"type", "Nothing"}};
      return PictureToJson(*picture);
    }
    case Kind::Missing: break;  // never stored
  }
  return entry;
}

namespace {

// Reading one entry: every check names the key.
class EntryReader {
 public:
  EntryReader(std::string_view key, const Json& entry) : m_Key(key), m_Entry(entry) {}

  Variant Read() const {
    if (!m_Entry.is_object()) Fault("expected an object with a \"type\"");
    const auto type = m_Entry.find("type");
    if (type == m_Entry.end()) Fault("missing \"type\"");
    if (!type->is_string()) Fault("\"type\" must be a string");
    const std::string& name = type->get_ref<const std::string&>();
    if (name == "String") return ReadString();
    if (name == "Picture") return ReadPicture();
    if (name == "Empty" || name == "Nothing") {
      Members({});
      return name == "Empty" ? Variant() : Variant(nullptr);
    }
    for (const char* plain : {"Boolean", "Byte", "Integer", "Long", "Single", "Double"}) {
      if (name != plain) continue;
      Members({"value"});
      if (name == "Boolean") return ReadBoolean();
      if (name == "Byte") return static_cast<uint8_t>(Whole(0, UINT8_MAX, name));
      if (name == "Integer") return static_cast<int16_t>(Whole(INT16_MIN, INT16_MAX, name));
      if (name == "Long") return static_cast<int32_t>(Whole(INT32_MIN, INT32_MAX, name));
      if (name == "Single") return ReadSingle();
      return Floating();
    }
    Fault("unknown type " + Quoted(name));
  }

 private:
  [[noreturn]] void Fault(const std::string& fault) const { BadEntry(m_Key, fault); }

  // The entry must hold "type" and exactly these members.
  void Members(std::initializer_list<const char*> names) const {
    for (const char* name : names)
      if (!m_Entry.contains(name)) Fault(std::string("missing \"") + name + "\"");
    for (const auto& [member, unused] : m_Entry.items()) {
      bool known = member == "type";
      for (const char* name : names) known = known || member == name;
      if (!known) Fault("unexpected member " + Quoted(member));
    }
  }

  const Json& Value() const { return m_Entry.at("value"); }

  bool ReadBoolean() const {
    if (!Value().is_boolean()) Fault("expected true or false");
    return Value().get<bool>();
  }

  int64_t Whole(int64_t low, int64_t high, const std::string& type) const {
    const Json& v = Value();
    if (!v.is_number()) Fault("expected a number");
    if (!v.is_number_integer()) Fault("expected a whole number for " + type);
    const bool fits = v.is_number_unsigned() ? v.get<uint64_t>() <= static_cast<uint64_t>(high)
                                             : v.get<int64_t>() >= low && v.get<int64_t>() <= high;
    if (!fits) Fault(v.dump() + " is out of range for " + type);
    return v.get<int64_t>();
  }

  double Floating() const {
    const Json& v = Value();
    if (v.is_number()) return v.get<double>();
    if (v.is_string()) {
      const std::string& s = v.get_ref<const std::string&>();
      if (s == "NaN") return std::numeric_limits<double>::quiet_NaN();
      if (s == "Infinity") return std::numeric_limits<double>::infinity();
      if (s == "-Infinity") return -std::numeric_limits<double>::infinity();
    }
    Fault("expected a number");
  }

  float ReadSingle() const {
    const double v = Floating();
    // Narrowing rounds; only what rounds beyond the largest Single overflows.
    const auto single = static_cast<float>(v);
    if (std::isinf(single) && std::isfinite(v))
      Fault(Value().dump() + " is out of range for Single");
    return single;
  }

  std::vector<uint8_t> Base64Member(const char* member) const {
    const Json& v = m_Entry.at(member);
    if (!v.is_string()) Fault(std::string("\"") + member + "\" must be a string");
    try {
      return DecodeBase64(v.get_ref<const std::string&>());
    } catch (const Failure& failure) {
      Fault(failure.Description());
    }
  }

  std::string ReadString() const {
    if (m_Entry.contains("base64")) {
      Members({"base64"});
      const std::vector<uint8_t> bytes = Base64Member("base64");
      return std::string(bytes.begin(), bytes.end());
    }
    Members({"value"});
    if (!Value().is_string()) Fault("expected a string");
    return Value().get<std::string>();
  }

  PicturePtr ReadPicture() const {
    const auto format = m_Entry.find("format");
    if (format == m_Entry.end()) Fault("missing \"format\"");
    if (!format->is_string()) Fault("\"format\" must be a string");
    const std::string& name = format->get_ref<const std::string&>();
    if (name == PictureFormatField(PictureFormat::None)) {
      Members({"format"});
      return Picture::Empty();
    }
    Members({"format", "data"});
    PictureFormat declared = PictureFormat::None;
    for (PictureFormat f :
         {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Jpeg, PictureFormat::Gif})
      if (name == PictureFormatField(f)) declared = f;
    if (declared == PictureFormat::None)
      Fault("unknown picture format " + Quoted(name) + " (BMP, PNG, JPEG, GIF or none)");
    PicturePtr picture;
    try {
      picture = LoadPicture(Base64Member("data"));
    } catch (const Failure& failure) {
      if (failure.Number() == kErrOutOfMemory)  // a budget, not a bad document
        Fail(kErrOutOfMemory, "property bag: key " + Quoted(m_Key) + ": " + failure.Description());
      Fault(failure.Description());
    }
    if (picture->Format() != declared)
      Fault(std::string("data is ") + PictureFormatField(picture->Format()) + ", not " + name);
    return picture;
  }

  std::string_view m_Key;
  const Json& m_Entry;
};

}  // namespace

Variant FromJson(std::string_view key, const Json& entry) {
  return EntryReader(key, entry).Read();
}

}  // namespace lumora::bag_entry
