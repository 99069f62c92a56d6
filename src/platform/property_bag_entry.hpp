// One entry of a property bag document: a value's JSON form, and reading it
// back with every fault naming the entry's key. Internal to the bag, whose
// tree and text readers share it.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

#include "platform/variant.hpp"

namespace lumora::bag_entry {

// A key as faults quote it: in double quotes, control characters escaped.
std::string Quoted(std::string_view key);

// A fault in a bag document, tied to the key it concerns (error 321).
[[noreturn]] void BadEntry(std::string_view key, const std::string& fault);

// Whether text can go into a JSON document as it is (valid UTF-8).
bool IsJsonText(const std::string& text);

// {"type": "Integer", "value": 5}, {"type": "Picture", "format": "PNG",
// "data": "<base64>"} and so on; text that is not UTF-8 travels as "base64".
nlohmann::ordered_json ToJson(const Variant& value);

// The value an entry holds; anything but the exact form ToJson writes fails
// with BadEntry, except a picture over the decoding budget (error 7).
Variant FromJson(std::string_view key, const nlohmann::ordered_json& entry);

}  // namespace lumora::bag_entry
