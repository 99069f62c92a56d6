#include "forms/form_file.hpp"

#include <cmath>
#include <optional>
#include <unordered_set>

#include <nlohmann/json.hpp>

#include "forms/control_classes.hpp"
#include "forms/form_properties.hpp"
#include "frame/type_library.hpp"
#include "platform/controls/user_control.hpp"
#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/form/form.hpp"
#include "platform/numeric.hpp"
#include "platform/picture/picture.hpp"

namespace lumora {

namespace {

using Json = nlohmann::ordered_json;

constexpr double kLargest = 1.0e7;  // twips; far beyond any screen

std::string Quoted(std::string_view text) {
  return "\"" + Printable(text) + "\"";
}

// Reads one document, naming the place of each fault.
class Reader {
 public:
  explicit Reader(const std::string& file) : m_File(file) {}

  [[noreturn]] void Fault(const std::string& place, const std::string& what) const {
    throw FormFileError(m_File + ": " + place + ": " + what);
  }

  const Json& Field(const Json& object, const char* key, const std::string& place) const {
    const auto it = object.find(key);
    if (it == object.end()) Fault(place, std::string("missing \"") + key + "\"");
    return *it;
  }

  std::string String(const Json& value, const std::string& place) const {
    if (!value.is_string()) Fault(place, "expected a string, got " + Describe(value));
    return value.get<std::string>();
  }

  double Number(const Json& value, const std::string& place, double lo, double hi) const {
    if (!value.is_number()) Fault(place, "expected a number, got " + Describe(value));
    const double n = value.get<double>();
    if (!std::isfinite(n) || n < lo || n > hi)
      Fault(place,
            "expected a number from " + Text(lo) + " to " + Text(hi) + ", got " + value.dump());
    return n;
  }

  int64_t Integer(const Json& value, const std::string& place, int64_t lo, int64_t hi) const {
    if (!value.is_number_integer()) Fault(place, "expected an integer, got " + Describe(value));
    const int64_t n = value.get<int64_t>();
    if (n < lo || n > hi)
      Fault(place, "expected an integer from " + std::to_string(lo) + " to " + std::to_string(hi) +
                       ", got " + value.dump());
    return n;
  }

  bool Boolean(const Json& value, const std::string& place) const {
    if (!value.is_boolean()) Fault(place, "expected true or false, got " + Describe(value));
    return value.get<bool>();
  }

  void OnlyKeys(const Json& object, std::initializer_list<const char*> keys,
                const std::string& place) const {
    for (const auto& [key, value] : object.items()) {
      bool known = false;
      for (const char* k : keys) known = known || key == k;
      if (!known) Fault(place, "unknown field " + Quoted(key));
    }
  }

  static std::string Describe(const Json& value) {
    if (value.is_string()) return "the string " + Printable(value.dump());
    if (value.is_null()) return "null";
    return std::string(value.is_number_integer() ? "an integer"
                       : value.is_number()       ? "a number"
                       : value.is_boolean()      ? "a boolean"
                       : value.is_array()        ? "an array"
                                                 : "an object");
  }

 private:
  static std::string Text(double n) {
    std::string s = std::to_string(n);
    s.erase(s.find_last_not_of('0') + 1);
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
  }

  const std::string& m_File;
};

std::string SyntaxMessage(std::string_view text, const nlohmann::json::parse_error& error) {
  // The byte nlohmann names is one past the offending character.
  const size_t at = std::min<size_t>(error.byte > 0 ? error.byte - 1 : 0, text.size());
  size_t line = 1;
  size_t column = 1;
  for (size_t i = 0; i < at; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  // "[json.exception.parse_error.101] parse error at line 1, column 5: <reason>":
  // the position is given above, the reason is kept whole.
  std::string what = error.what();
  if (const size_t colon = what.find(": "); colon != std::string::npos)
    what = what.substr(colon + 2);
  return "line " + std::to_string(line) + ", column " + std::to_string(column) +
         ": not valid JSON: " + Printable(what);
}

// The type-library interface a class publishes, or null.
const InterfaceInfo* InterfaceOf(std::string_view className) {
  const ClassInfo* cls = TypeLibrary().FindClass(className);
  return cls ? cls->defaultInterface : nullptr;
}

// Checks that a stored value converts to a property's type.
void CheckType(const Variant& value, const TypeRef& type) {
  switch (type.code) {
    case TypeCode::Int16: value.ToInt16(); return;
    case TypeCode::Int32:
    case TypeCode::PointerShape:
    case TypeCode::Enum: value.ToInt32(); return;
    case TypeCode::Color:
      if (value.IsNumeric() && value.ToDouble() >= 0 && value.ToDouble() <= 4294967295.0) return;
      value.ToInt32();
      return;
    case TypeCode::Float32: value.ToSingle(); return;
    case TypeCode::Bool16: value.ToBool(); return;
    case TypeCode::String: value.ToString(); return;
    case TypeCode::Picture: value.ToPicture(); return;
    default: return;
  }
}

void CheckProperties(const Reader& reader, const PlacedControl& control, const std::string& place) {
  if (const InterfaceInfo* iface = InterfaceOf(control.className)) {
    for (const std::string& key : control.properties.Keys()) {
      const MemberInfo* member = iface->Find(key, MemberKind::Get);
      if (!member) reader.Fault(place + "." + key, control.className + " has no such property");
      const Variant value = control.properties.ReadProperty(key);
      try {
        CheckType(value, member->type);
      } catch (const Failure& failure) {
        reader.Fault(place + "." + key, value.Describe() + " is not a " + TypeWord(member->type) +
                                            ": " + failure.Description());
      }
    }
    return;
  }
  // Ordinary controls: applied to a control of the class that is placed nowhere.
  const ControlPtr scratch = NewControl(control.className);
  try {
    ReadOrdinaryProperties(*scratch, control.properties);
  } catch (const Failure& failure) {
    reader.Fault(place, failure.Description());
  }
}

PlacedControl ParseControl(const Reader& reader, const Json& item, const std::string& place,
                           const std::vector<PlacedControl>& earlier) {
  if (!item.is_object()) reader.Fault(place, "expected an object, got " + Reader::Describe(item));
  reader.OnlyKeys(item, {"class", "name", "container", "extender", "properties"}, place);
  PlacedControl c;
  c.className = reader.String(reader.Field(item, "class", place), place + ".class");
  const ControlPtr probe = NewControl(c.className);
  if (!probe)
    reader.Fault(place + ".class",
                 "unknown class " + Quoted(c.className) + " (known: " + ControlClassList() + ")");
  c.className = probe->TypeName();  // as the class spells itself
  c.hasExtent = probe->HasExtent();
  c.name = reader.String(reader.Field(item, "name", place), place + ".name");
  const std::string here = place + " (" + Quoted(c.name) + ")";
  if (c.name.empty() || c.name.find('.') != std::string::npos)
    reader.Fault(place + ".name", "a control name is not empty and has no dot");
  for (const PlacedControl& e : earlier)
    if (SameName(e.name, c.name)) reader.Fault(place + ".name", Quoted(c.name) + " is used twice");
  if (const auto it = item.find("container"); it != item.end()) {
    c.container = reader.String(*it, here + ".container");
    bool found = c.container.empty();
    for (const PlacedControl& e : earlier) found = found || SameName(e.name, c.container);
    if (!found)
      reader.Fault(here + ".container",
                   "no control " + Quoted(c.container) + " is placed before this one");
  }
  if (c.hasExtent) {
    const Json& ext = reader.Field(item, "extender", here);
    const std::string at = here + ".extender";
    if (!ext.is_object()) reader.Fault(at, "expected an object, got " + Reader::Describe(ext));
    reader.OnlyKeys(ext, {"Left", "Top", "Width", "Height", "Visible", "TabIndex"}, at);
    c.left = reader.Number(reader.Field(ext, "Left", at), at + ".Left", -kLargest, kLargest);
    c.top = reader.Number(reader.Field(ext, "Top", at), at + ".Top", -kLargest, kLargest);
    c.width = reader.Number(reader.Field(ext, "Width", at), at + ".Width", 0, kLargest);
    c.height = reader.Number(reader.Field(ext, "Height", at), at + ".Height", 0, kLargest);
    if (const auto v = ext.find("Visible"); v != ext.end())
      c.visible = reader.Boolean(*v, at + ".Visible");
    if (const auto t = ext.find("TabIndex"); t != ext.end())
      c.tabIndex = static_cast<int16_t>(reader.Integer(*t, at + ".TabIndex", 0, 32767));
    else
      c.tabIndex = -1;
  } else if (item.contains("extender")) {
    reader.Fault(here + ".extender", c.className + " has no extender properties");
  }
  if (const auto p = item.find("properties"); p != item.end()) {
    if (!p->is_object())
      reader.Fault(here + ".properties", "expected an object, got " + Reader::Describe(*p));
    try {
      c.properties = PropertyBag::FromJson(*p);
    } catch (const Failure& failure) {
      std::string what = failure.Description();
      if (what.rfind("property bag: ", 0) == 0) what = what.substr(14);
      reader.Fault(here + ".properties", what);
    }
  }
  CheckProperties(reader, c, here + ".properties");
  return c;
}

}  // namespace

Json ParseFormJson(std::string_view text, const std::string& file) {
  std::vector<std::unordered_set<std::string>> keys;  // of each object being read
  std::string twice;
  const auto check = [&](int, Json::parse_event_t event, Json& parsed) {
    if (event == Json::parse_event_t::object_start) keys.emplace_back();
    if (event == Json::parse_event_t::object_end) keys.pop_back();
    if (event == Json::parse_event_t::key && !keys.empty() &&
        !keys.back().insert(parsed.get<std::string>()).second && twice.empty())
      twice = parsed.get<std::string>();
    return true;
  };
  Json doc;
  try {
    doc = Json::parse(text.begin(), text.end(), check);
  } catch (const nlohmann::json::parse_error& error) {
    throw FormFileError(file + ": " + SyntaxMessage(text, error));
  } catch (const nlohmann::json::exception& error) {
    // A number too large for a double, and the like.
    std::string what = error.what();
    if (const size_t tag = what.find("] "); tag != std::string::npos) what = what.substr(tag + 2);
    throw FormFileError(file + ": not valid JSON: " + Printable(what));
  }
  if (!twice.empty()) throw FormFileError(file + ": key " + Quoted(twice) + " given twice");
  return doc;
}

FormDescription ParseFormFile(std::string_view text, const std::string& file) {
  const DocumentDecodeScope pictures;  // all the form's pictures share one budget
  const Reader reader(file);
  const Json doc = ParseFormJson(text, file);
  const std::string top = "the form";
  if (!doc.is_object()) reader.Fault(top, "expected an object, got " + Reader::Describe(doc));
  reader.OnlyKeys(doc, {"format", "version", "name", "caption", "width", "height", "controls"},
                  top);
  if (reader.String(reader.Field(doc, "format", top), "format") != kFormFileFormat)
    reader.Fault("format", std::string("expected \"") + kFormFileFormat + "\"");
  reader.Integer(reader.Field(doc, "version", top), "version", kFormFileVersion, kFormFileVersion);
  FormDescription form;
  form.name = reader.String(reader.Field(doc, "name", top), "name");
  if (form.name.empty()) reader.Fault("name", "a form has a name");
  form.caption = form.name;
  if (const auto it = doc.find("caption"); it != doc.end())
    form.caption = reader.String(*it, "caption");
  form.width =
      static_cast<int32_t>(reader.Integer(reader.Field(doc, "width", top), "width", 0, 1500000));
  form.height =
      static_cast<int32_t>(reader.Integer(reader.Field(doc, "height", top), "height", 0, 1500000));
  const Json& controls = reader.Field(doc, "controls", top);
  if (!controls.is_array())
    reader.Fault("controls", "expected an array, got " + Reader::Describe(controls));
  for (size_t i = 0; i < controls.size(); ++i)
    form.controls.push_back(
        ParseControl(reader, controls[i], "controls[" + std::to_string(i) + "]", form.controls));
  return form;
}

void PlaceControl(Form& form, const PlacedControl& c, Control* container) {
  const ControlPtr control = NewControl(c.className);
  if (!control) Fail(kErrInvalidCall, "unknown class " + Quoted(c.className));
  const bool user = dynamic_cast<UserControl*>(control.get()) != nullptr;
  PropertyBag bag = c.properties;
  form.Place(control, c.name, static_cast<float>(c.left), static_cast<float>(c.top),
             static_cast<float>(c.width), static_cast<float>(c.height), container,
             user ? &bag : nullptr);
  if (!user) ReadOrdinaryProperties(*control, c.properties);
  if (c.hasExtent) {
    control->Visible(c.visible);
    if (c.tabIndex >= 0) control->TabIndex(c.tabIndex);
  }
}

std::shared_ptr<Form> BuildForm(const FormDescription& description, const std::string& file,
                                const std::string& name) {
  const std::string formName = name.empty() ? description.name : name;
  if (FindForm(formName))
    throw FormFileError(file + ": a form named " + Quoted(formName) + " is already open");
  auto form = Form::Create(
      formName, static_cast<int32_t>(std::lround(description.width / double{kTwipsPerPixel})),
      static_cast<int32_t>(std::lround(description.height / double{kTwipsPerPixel})));
  form->Caption(description.caption);
  size_t index = 0;
  try {
    for (; index < description.controls.size(); ++index) {
      const PlacedControl& c = description.controls[index];
      PlaceControl(*form, c, c.container.empty() ? nullptr : form->Find(c.container));
    }
  } catch (const Failure& failure) {
    Step([&] { form->Unload(); });
    const PlacedControl& c = description.controls[index];
    throw FormFileError(file + ": controls[" + std::to_string(index) + "] (" + Quoted(c.name) +
                        "): " + WithNumber(failure));
  } catch (...) {
    Step([&] { form->Unload(); });
    throw;
  }
  return form;
}

std::shared_ptr<Form> LoadFormFile(const std::string& path, const std::string& name) {
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const Failure& failure) {
    throw FormFileError(path + ": " + DefaultDescription(failure.Number()) + " (error " +
                        std::to_string(failure.Number()) + ")");
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return BuildForm(ParseFormFile(text, path), path, name);
}

UnloadAtEnd::~UnloadAtEnd() {
  Step([&] { m_Form.Unload(); });
}

}  // namespace lumora
