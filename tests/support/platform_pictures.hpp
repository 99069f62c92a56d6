// Helpers the platform tests share: the conformance data folder and its
// manifests, pixels as a list, and decoding or loading with the outcome
// captured instead of thrown.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/color.hpp"
#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/picture/picture.hpp"
#include "platform/raster.hpp"
#include "support/error_of.hpp"

namespace lumora::testing {

constexpr Argb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kBlack = 0xFF000000,
               kWhite = 0xFFFFFFFF;

inline std::filesystem::path TestData() {
  return LUMORA_TESTDATA;
}

inline std::vector<uint8_t> FileBytes(const std::filesystem::path& path) {
  return ReadFileBytes(path.string());
}

// One row of a MANIFEST.tsv: file, expected ("valid", "invalid", "either"), note.
struct ManifestEntry {
  std::string file, expected, note;
};
inline std::vector<ManifestEntry> ReadManifest(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<ManifestEntry> entries;
  std::string line;
  std::getline(in, line);  // the header
  for (ManifestEntry e; std::getline(in, e.file, '\t') && std::getline(in, e.expected, '\t');)
    if (std::getline(in, e.note)) entries.push_back(e);
  return entries;
}

// The picture size a note states ("odd size 5x5", "100x75 photo"); a frame's
// size ("0x0 frame") or an option ("s2x2-420") is not one.
inline std::optional<std::pair<int32_t, int32_t>> SizeInNote(const std::string& note) {
  const char* const end = note.data() + note.size();
  const auto number = [end](const char* at, int32_t& value) -> const char* {
    if (at == end || !std::isdigit(static_cast<unsigned char>(*at))) return nullptr;
    const auto [next, error] = std::from_chars(at, end, value);
    return error == std::errc() ? next : nullptr;
  };
  for (size_t p = 0; p < note.size(); ++p) {
    const bool sized = p >= 5 && note.compare(p - 5, 5, "size ") == 0;
    if (!sized && p > 0 && note[p - 1] != ' ') continue;
    int32_t w = 0, h = 0;
    const char* x = number(note.data() + p, w);
    const char* rest = x != nullptr && x != end && *x == 'x' ? number(x + 1, h) : nullptr;
    if (rest == nullptr) continue;
    const std::string_view tail(rest, static_cast<size_t>(end - rest));
    if ((sized && (tail.empty() || tail.find_first_of(" ;,") == 0)) || tail.starts_with(" photo"))
      return std::pair(w, h);
  }
  return std::nullopt;
}

// A w x h picture whose pixel (x, y) is opaque with red x and green y, so
// every pixel says where it came from.
inline Raster Coordinates(int32_t w, int32_t h) {
  Raster r(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) r.Set(x, y, ToArgb(Rgb(x, y, 7)));
  return r;
}

// A raster as text, each row ending in '/': '.' for white, else the source
// column of a Coordinates() pixel as a letter, upper case from source row 1.
inline std::string Columns(const Raster& r) {
  std::string text;
  for (int32_t y = 0; y < r.Height(); ++y) {
    for (int32_t x = 0; x < r.Width(); ++x) {
      const ColorRef c = FromArgb(r.At(x, y));
      text += r.At(x, y) == kWhite ? '.' : static_cast<char>((GreenOf(c) ? 'A' : 'a') + RedOf(c));
    }
    text += '/';
  }
  return text;
}

// Opaque random pixels, the same for the same draw number.
inline Raster RandomOpaque(int32_t w, int32_t h, uint32_t draw) {
  std::mt19937 random(draw);
  Raster r(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) r.Set(x, y, kBlack | (random() & 0xFFFFFF));
  return r;
}

// A picture of opaque random pixels: any offset or scaling shows in it.
inline PicturePtr RandomPicture(int32_t w, int32_t h, uint32_t draw = 1) {
  return Picture::FromRaster(RandomOpaque(w, h, draw));
}

// The pixels of a raster, row by row from the top.
inline std::vector<Argb> PixelsOf(const Raster& r) {
  return {r.Data(), r.Data() + static_cast<size_t>(r.Width()) * r.Height()};
}

// The description of the invalid-picture failure decode raises, or "decoded".
inline std::string DecodeFault(auto decode, const std::vector<uint8_t>& bytes) {
  const Failure failure = FailureOf([&] { decode(bytes); });
  if (failure.Number() == 0) return "decoded";
  EXPECT_EQ(failure.Number(), kErrInvalidPicture);
  return failure.Description();
}

// What loading gave: a picture, or the error number and description.
struct LoadOutcome {
  PicturePtr picture;
  int32_t error = 0;
  std::string message;
};
inline LoadOutcome TryLoad(const std::vector<uint8_t>& bytes) {
  PicturePtr picture;
  const Failure failure = FailureOf([&] { picture = LoadPicture(bytes); });
  return {picture, failure.Number(), failure.Description()};
}

}  // namespace lumora::testing
