// Golden-image checks for rendering tests: EXPECT_TRUE(MatchesGolden(frame, "name"))
// compares with tests/golden/name.png. LUMORA_UPDATE_GOLDEN=1 rewrites the
// golden instead. On a mismatch the actual image and a diff image (differing
// pixels red over a faded copy of the golden) go to
// LUMORA_BINARY_DIR/golden-failures/, and the failure message names them.
#pragma once

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/errors.hpp"
#include "platform/file_io.hpp"
#include "platform/picture/png_writer.hpp"
#include "platform/raster.hpp"

namespace lumora {

struct GoldenOptions {
  int channelTolerance = 0;    // largest per-channel difference still counted equal
  int64_t pixelTolerance = 0;  // pixels allowed beyond channelTolerance
  std::string goldenDir = LUMORA_SOURCE_DIR "/tests/golden";
  std::string failureDir = LUMORA_BINARY_DIR "/golden-failures";
};

// Decodes PNG bytes into a premultiplied raster; an empty raster when the
// bytes are not a readable PNG (message in *error when given).
inline Raster DecodePngForTest(const std::vector<uint8_t>& bytes, std::string* error = nullptr) {
  static_assert(std::endian::native == std::endian::little, "BGRA bytes are 0xAARRGGBB words");
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  struct Free {
    png_image* p;
    ~Free() { png_image_free(p); }
  } release{&image};
  const auto failed = [&] {
    if (error) *error = image.message;
    return Raster();
  };
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return failed();
  image.format = PNG_FORMAT_BGRA;
  Raster raster(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
  if (!png_image_finish_read(&image, nullptr, raster.Data(), raster.Stride(), nullptr))
    return failed();
  for (int32_t y = 0; y < raster.Height(); ++y) {
    uint32_t* row = raster.Row(y);
    for (int32_t x = 0; x < raster.Width(); ++x) {
      const uint32_t p = row[x], a = p >> 24;
      if (a == 255) continue;
      auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
      row[x] =
          (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
    }
  }
  return raster;
}

inline ::testing::AssertionResult MatchesGolden(const Raster& actual, const std::string& name,
                                                const GoldenOptions& options = {}) {
  namespace fs = std::filesystem;
  const std::string goldenPath = options.goldenDir + "/" + name + ".png";
  const std::string actualPath = options.failureDir + "/" + name + ".actual.png";
  const std::string diffPath = options.failureDir + "/" + name + ".diff.png";
  if (const char* update = std::getenv("LUMORA_UPDATE_GOLDEN");
      update && update == std::string("1")) {
    fs::create_directories(options.goldenDir);
    WritePng(actual, goldenPath);
    std::cerr << "golden updated: " << goldenPath << "\n";
    return ::testing::AssertionSuccess();
  }
  // Compare what the PNG holds, so translucent pixels compare after the same
  // un-premultiplied round trip as the golden did.
  const Raster shown = DecodePngForTest(EncodePng(actual));
  auto fail = [&](const std::string& what, const Raster* diff) {
    fs::create_directories(options.failureDir);
    WritePng(actual, actualPath);
    if (diff) WritePng(*diff, diffPath);
    return ::testing::AssertionFailure()
           << "golden '" << name << "' (" << goldenPath << "): " << what
           << "\n  actual image: " << actualPath << (diff ? "\n  diff image:   " + diffPath : "")
           << "\n  rerun with LUMORA_UPDATE_GOLDEN=1 to accept it as the new golden";
  };
  if (!fs::exists(goldenPath)) return fail("no golden image yet", nullptr);
  std::string error;
  const Raster expected = DecodePngForTest(ReadFileBytes(goldenPath), &error);
  if (expected.IsEmpty()) return fail("the golden is not a readable PNG: " + error, nullptr);
  const auto size = [](const Raster& r) {
    return std::to_string(r.Width()) + "x" + std::to_string(r.Height());
  };
  if (size(expected) != size(shown))
    return fail("size differs: golden " + size(expected) + ", actual " + size(shown), nullptr);
  Raster diff(expected.Width(), expected.Height());
  int64_t bad = 0;
  int worst = 0;
  int32_t firstX = -1, firstY = -1;
  for (int32_t y = 0; y < expected.Height(); ++y) {
    for (int32_t x = 0; x < expected.Width(); ++x) {
      const uint32_t e = expected.At(x, y), a = shown.At(x, y);
      int d = 0;
      for (int shift = 0; shift < 32; shift += 8)
        d = std::max(d, std::abs(int((e >> shift) & 0xFF) - int((a >> shift) & 0xFF)));
      worst = std::max(worst, d);
      if (d > options.channelTolerance) {
        if (bad++ == 0) firstX = x, firstY = y;
        diff.Set(x, y, 0xFFFF0000u);
      } else {
        diff.Set(x, y, 0xFF000000u | (((e >> 2) & 0x3F3F3F) + 0xBFBFBF));  // faded
      }
    }
  }
  if (bad <= options.pixelTolerance) return ::testing::AssertionSuccess();
  std::ostringstream what;
  what << bad << " pixel(s) differ by more than " << options.channelTolerance
       << " (largest channel difference " << worst << "); first at (" << firstX << ", " << firstY
       << "): golden 0x" << std::hex << expected.At(firstX, firstY) << ", actual 0x"
       << shown.At(firstX, firstY);
  return fail(what.str(), &diff);
}

}  // namespace lumora
