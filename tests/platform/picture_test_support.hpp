// Helpers the picture tests share: the conformance data folder and its
// manifests, and loading with the outcome captured instead of thrown.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/picture.hpp"

namespace lumora::testing {

std::filesystem::path TestData();

// One row of a MANIFEST.tsv: file, expected ("valid", "invalid", "either"), note.
struct ManifestEntry {
  std::string file;
  std::string expected;
  std::string note;
};
std::vector<ManifestEntry> ReadManifest(const std::filesystem::path& path);

// The picture size a note states ("odd size 5x5", "100x75 photo"); a frame's
// size ("0x0 frame") or an option ("s2x2-420") is not one.
std::optional<std::pair<int32_t, int32_t>> SizeInNote(const std::string& note);

std::vector<uint8_t> FileBytes(const std::filesystem::path& path);

// What loading gave: a picture, or the error number and description.
struct LoadOutcome {
  PicturePtr picture;
  int32_t error = 0;
  std::string message;
};
LoadOutcome TryLoad(const std::vector<uint8_t>& bytes);

}  // namespace lumora::testing
