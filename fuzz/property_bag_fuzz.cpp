// Reads arbitrary bytes as a property-bag document twice: through the bag's
// own text reader, and the way a form file's bag arrives (the form reader's
// JSON parse, then the bag read from the tree). Both must accept the same
// documents, read the same entries, and refuse the rest with error 321 (or 7
// past a decoding budget); an accepted bag must write itself back readably.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <nlohmann/json.hpp>

#include "forms/form_file.hpp"
#include "platform/errors.hpp"
#include "platform/picture/picture.hpp"
#include "platform/property_bag.hpp"

namespace {

using lumora::Failure;
using lumora::PropertyBag;

// The bag a reader gives, written back as text; or the error number.
struct Outcome {
  std::string text;
  int32_t error = 0;
};

template <class Read>
Outcome Outcome_(Read&& read) {
  try {
    return {read().ToJsonText(), 0};
  } catch (const Failure& failure) {
    if (failure.Number() != lumora::kErrInvalidFileFormat &&
        failure.Number() != lumora::kErrOutOfMemory)
      std::abort();
    return {{}, failure.Number()};
  } catch (const lumora::FormFileError&) {
    return {{}, lumora::kErrInvalidFileFormat};
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool configured = [] {
    // Small enough that a decoding bomb costs little, large enough for icons.
    lumora::SetDecodeBudget({.document = 1 << 20, .process = 1 << 22});
    return true;
  }();
  (void)configured;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Outcome direct = Outcome_([&] { return PropertyBag::FromJsonText(text); });
  const Outcome viaForm =
      Outcome_([&] { return PropertyBag::FromJson(lumora::ParseFormJson(text, "fuzz.json")); });
  if ((direct.error == 0) != (viaForm.error == 0) || direct.text != viaForm.text) std::abort();
  // What was accepted reads back to the same bag.
  if (direct.error == 0 && PropertyBag::FromJsonText(direct.text).ToJsonText() != direct.text)
    std::abort();
  return 0;
}
