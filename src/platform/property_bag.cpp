#include "platform/property_bag.hpp"

#include <cctype>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <unordered_map>
#include <unordered_set>

#include "platform/errors.hpp"
#include "platform/object.hpp"
#include "platform/picture/picture.hpp"
#include "platform/property_bag_entry.hpp"

namespace lumora {

namespace {
using Json = nlohmann::ordered_json;
using bag_entry::BadEntry;
using bag_entry::IsJsonText;
using bag_entry::Quoted;

[[noreturn]] void BadDocument(const std::string& fault) {
  Fail(kErrInvalidFileFormat, "property bag: " + fault);
}

// Keys met so far in a document, without regard to case (as SameName), so that
// a key given twice is found in one look-up even in a huge document.
class SeenKeys {
 public:
  // The earlier spelling of key, or null when key is new.
  const std::string* Add(const std::string& key) {
    std::string folded = key;
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto [it, added] = m_Keys.emplace(std::move(folded), key);
    return added ? nullptr : &it->second;
  }

 private:
  std::unordered_map<std::string, std::string> m_Keys;
};

[[noreturn]] void KeyGivenTwice(const std::string& key, const std::string& earlier) {
  BadEntry(key, "key given twice (also as " + Quoted(earlier) + ")");
}

// Reads a bag document while it is parsed: each entry is converted as soon as
// it is complete and then dropped from the document tree, so a huge document
// costs time in proportion to its size. Also catches what a tree cannot show:
// keys given twice (a tree keeps one of them).
class TextReader {
 public:
  using Event = Json::parse_event_t;

  bool operator()(int depth, Event event, Json& parsed) {
    if (event == Event::object_start || event == Event::array_start) {
      if (depth == 0 && event == Event::array_start)
        BadDocument("expected an object of properties");
      if (depth == 1 && event == Event::array_start)
        BadEntry(m_Key, "expected an object with a \"type\"");
      if (depth >= 2) BadEntry(m_Key, "expected a plain value, not a nested object or array");
      m_Members = {};
    } else if (event == Event::key && depth == 1) {
      m_Key = parsed.get<std::string>();
      if (const std::string* earlier = m_Keys.Add(m_Key)) KeyGivenTwice(m_Key, *earlier);
    } else if (event == Event::key && depth == 2) {
      const auto& member = parsed.get_ref<const std::string&>();
      if (!IsKnownMember(member)) BadEntry(m_Key, "unexpected member " + Quoted(member));
      if (!m_Members.insert(member).second)
        BadEntry(m_Key, "member " + Quoted(member) + " given twice");
    } else if (event == Event::value && depth == 1) {
      BadEntry(m_Key, "expected an object with a \"type\"");
    } else if (event == Event::object_end && depth == 1) {
      m_Entries.emplace_back(m_Key, bag_entry::FromJson(m_Key, parsed));
      return false;  // converted: drop it from the tree
    }
    return true;
  }

  // The key of the entry being read, for faults the parser reports.
  const std::string& Key() const { return m_Key; }
  std::vector<std::pair<std::string, Variant>> TakeEntries() { return std::move(m_Entries); }

 private:
  static bool IsKnownMember(const std::string& member) {
    for (const char* known : {"type", "value", "base64", "format", "data"})
      if (member == known) return true;
    return false;
  }

  SeenKeys m_Keys;
  std::unordered_set<std::string> m_Members;  // of the entry being read
  std::string m_Key;
  std::vector<std::pair<std::string, Variant>> m_Entries;
};

// nlohmann's message without its "[json.exception.parse_error.101] " tag.
std::string Untagged(const char* what) {
  std::string_view text(what);
  if (!text.empty() && text.front() == '[') {
    const size_t close = text.find("] ");
    if (close != std::string_view::npos) text.remove_prefix(close + 2);
  }
  return Printable(text);
}
}  // namespace

size_t PropertyBag::IndexOf(std::string_view key) const {
  for (size_t i = 0; i < m_Entries.size(); ++i)
    if (SameName(m_Entries[i].first, key)) return i;
  return kAbsent;
}

Variant PropertyBag::ReadProperty(std::string_view key, const Variant& default_value) const {
  const size_t i = IndexOf(key);
  return i == kAbsent ? default_value : m_Entries[i].second;
}

void PropertyBag::WriteProperty(std::string_view key, const Variant& value,
                                const Variant& default_value) {
  std::string name(key);
  if (!IsJsonText(name)) Fail(kErrInvalidCall, "property bag: key is not valid UTF-8");
  if (value.IsMissing())
    Fail(kErrTypeMismatch, "property bag: key " + Quoted(key) + ": cannot store a missing value");
  if (value.IsObject() && !value.IsNothing() &&
      !std::dynamic_pointer_cast<const Picture>(value.ToObject()))
    Fail(kErrTypeMismatch,
         "property bag: key " + Quoted(key) + ": cannot store " + value.Describe());

  const size_t i = IndexOf(key);
  if (value.LooselyEquals(default_value)) {
    if (i != kAbsent) m_Entries.erase(m_Entries.begin() + static_cast<ptrdiff_t>(i));
  } else if (i != kAbsent) {
    m_Entries[i].second = value;
  } else {
    m_Entries.emplace_back(std::move(name), value);
  }
}

bool PropertyBag::Contains(std::string_view key) const {
  return IndexOf(key) != kAbsent;
}

std::vector<std::string> PropertyBag::Keys() const {
  std::vector<std::string> keys;
  keys.reserve(m_Entries.size());
  for (const auto& entry : m_Entries) keys.push_back(entry.first);
  return keys;
}

nlohmann::ordered_json PropertyBag::ToJson() const {
  Json document = Json::object();
  // The keys are distinct already: append without the object's linear search.
  auto& members = document.get_ref<Json::object_t&>();
  members.reserve(m_Entries.size());
  for (const auto& [key, value] : m_Entries) members.emplace_back(key, bag_entry::ToJson(value));
  return document;
}

PropertyBag PropertyBag::FromJson(const nlohmann::ordered_json& document) {
  const DocumentDecodeScope pictures;
  if (!document.is_object()) BadDocument("expected an object of properties");
  PropertyBag bag;
  SeenKeys seen;
  for (const auto& [key, entry] : document.items()) {
    if (const std::string* earlier = seen.Add(key)) KeyGivenTwice(key, *earlier);
    bag.m_Entries.emplace_back(key, bag_entry::FromJson(key, entry));
  }
  return bag;
}

std::string PropertyBag::ToJsonText(int indent) const {
  return ToJson().dump(indent);
}

PropertyBag PropertyBag::FromJsonText(std::string_view text) {
  const DocumentDecodeScope pictures;
  TextReader reader;
  Json rest;  // what the reader left of the document tree
  try {
    rest = Json::parse(text, std::ref(reader));
  } catch (const Json::parse_error& error) {
    // "JSON parse error at line 1, column 38 (byte 38): syntax error ..."
    std::string message = Untagged(error.what());
    const size_t colon = message.find(": ");
    message.insert(colon == std::string::npos ? message.size() : colon,
                   " (byte " + std::to_string(error.byte) + ")");
    BadDocument("JSON " + message);
  } catch (const Json::exception& error) {
    if (reader.Key().empty()) BadDocument(Untagged(error.what()));
    BadEntry(reader.Key(), Untagged(error.what()));
  }
  if (!rest.is_object()) BadDocument("expected an object of properties");
  PropertyBag bag;
  bag.m_Entries = reader.TakeEntries();
  return bag;
}

}  // namespace lumora
