// Throws arbitrary bytes at the form-file reader and, when they pass its
// checks, builds the form and unloads it again. A bad file must end in
// FormFileError; anything else escaping (or a crash) is a fault.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "forms/form_file.hpp"
#include "platform/errors.hpp"
#include "platform/form/form.hpp"
#include "platform/picture/picture.hpp"
#include "platform/raster.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool configured = [] {
    // Small budgets: a few decoding bombs reach them at little cost.
    lumora::SetDecodeBudget({.document = 1 << 23, .process = 1 << 24});
    lumora::SetPersistentImageLimit(int64_t{1} << 22);
    return true;
  }();
  (void)configured;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const auto description = lumora::ParseFormFile(text, "fuzz.json");
    const auto form = lumora::BuildForm(description, "fuzz.json");
    lumora::Step([&] { form->Unload(); });
  } catch (const lumora::FormFileError&) {
  }
  return 0;
}
