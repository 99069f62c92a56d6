// Registers and unregisters the library in a registry file of arbitrary
// bytes. A file that is not a registry must fail with error 321 and stay as it
// was; any other must come out a registry with this library's classes in it
// after registering and without them after unregistering.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include <nlohmann/json.hpp>

#include "module/registry.hpp"
#include "platform/errors.hpp"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whether a registry holds this library's classes, by programmatic name.
bool HoldsOurs(const std::string& text) {
  const auto doc = nlohmann::json::parse(text, nullptr, false);
  if (doc.is_discarded() || !doc.is_object()) std::abort();
  return doc.contains("progIds") && doc["progIds"].contains("OrvaneLumora.ZelPicZoom");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // In memory where there is such a folder: every run writes the file. The
  // folder goes when the program ends.
  struct Folder {
    fs::path path;
    ~Folder() {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
  };
  static const Folder folder{[] {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path made = base / ("lumora-registry-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(made);
    return made;
  }()};
  const fs::path path = folder.path / "registry.json";
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << input;
  try {
    lumora::RegisterLibrary(path.string(), "/fuzz/libOrvaneLumora.so");
  } catch (const lumora::Failure& failure) {
    if (failure.Number() != lumora::kErrInvalidFileFormat || Read(path) != input) std::abort();
    return 0;
  }
  if (!HoldsOurs(Read(path))) std::abort();
  lumora::UnregisterLibrary(path.string());
  if (HoldsOurs(Read(path))) std::abort();
  return 0;
}
