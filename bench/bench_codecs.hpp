// Encoders with common settings, for benchmark inputs and baselines: PNG as
// libpng writes it by default (zlib level 6, adaptive filters; how frames were
// written before) and JPEG at quality 90 with 4:2:0 chroma. Opaque rasters.
#pragma once

// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on
#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/raster.hpp"

namespace lumora::bench {

inline std::vector<uint8_t> EncodePngDefault(const Raster& r) {
  std::vector<uint8_t> rgb(r.PixelCount() * 3);
  uint8_t* out = rgb.data();
  for (size_t i = 0; i < r.PixelCount(); ++i) {
    const uint32_t p = r.Data()[i];
    *out++ = static_cast<uint8_t>(p >> 16);
    *out++ = static_cast<uint8_t>(p >> 8);
    *out++ = static_cast<uint8_t>(p);
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(r.Width());
  image.height = static_cast<png_uint_32>(r.Height());
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
  std::vector<uint8_t> bytes(size);
  const bool ok =
      png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), r.Width() * 3, nullptr);
  png_image_free(&image);
  if (!ok) throw std::runtime_error("PNG encoding failed");
  bytes.resize(size);
  return bytes;
}

inline std::vector<uint8_t> EncodeJpeg(const Raster& r, int quality = 90) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);  // exits on error: inputs here are well formed
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(r.Width());
  info.image_height = static_cast<JDIMENSION>(r.Height());
  info.input_components = 4;
  info.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    auto* row = reinterpret_cast<JSAMPROW>(const_cast<uint32_t*>(r.Row(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  const std::unique_ptr<unsigned char, decltype(&std::free)> owned(buffer, &std::free);
  return std::vector<uint8_t>(buffer, buffer + size);
}

}  // namespace lumora::bench
