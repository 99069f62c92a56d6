// The property store a control saves itself into and loads itself from: typed
// values under names, defaults left out, serialised as an ordered JSON object
// (pictures as their original encoded bytes in base64).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "platform/variant.hpp"

namespace lumora {

// Keys keep the spelling of their first write and are looked up without regard
// to case, like every other name in the runtime. The values are kept in the
// order their keys were first written, so saved files stay stable.
//
// Storable values: Empty, Boolean, Byte, Integer, Long, Single, Double, String,
// Nothing and pictures (no picture, the empty picture, or a picture with pixels).
// Anything else (Missing, other objects) fails with error 13 naming the key.
//
// Reading a JSON document that is not a well-formed bag fails with error 321
// "Invalid file format" and a message naming the key or the byte position, e.g.
// `property bag: key "BarsWidth": expected an integer`. A document is read
// entirely or not at all.
class PropertyBag {
 public:
  // The stored value, or default_value when the key is absent.
  Variant ReadProperty(std::string_view key, const Variant& default_value = {}) const;
  // Stores value under key, or leaves the key out (dropping an earlier value)
  // when the value loosely equals default_value.
  void WriteProperty(std::string_view key, const Variant& value, const Variant& default_value = {});

  bool Contains(std::string_view key) const;
  size_t Count() const { return m_Entries.size(); }
  std::vector<std::string> Keys() const;  // first-write order and spelling

  // One member per key: {"type": "Integer", "value": 5}; pictures as
  // {"type": "Picture", "format": "PNG", "data": "<base64>"}.
  nlohmann::ordered_json ToJson() const;
  static PropertyBag FromJson(const nlohmann::ordered_json& document);
  std::string ToJsonText(int indent = 2) const;
  static PropertyBag FromJsonText(std::string_view text);

 private:
  using Entry = std::pair<std::string, Variant>;
  static constexpr size_t kAbsent = static_cast<size_t>(-1);
  size_t IndexOf(std::string_view key) const;

  std::vector<Entry> m_Entries;
};

}  // namespace lumora
