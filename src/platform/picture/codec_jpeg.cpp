#include "platform/picture/codec_jpeg.hpp"

// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "platform/errors.hpp"
#include "platform/picture/codec_common.hpp"

namespace lumora {

namespace {

constexpr PictureFormat kJpeg = PictureFormat::Jpeg;
// Progressive files with absurdly many scans only burn time.
constexpr int kMaxScans = 1000;
// libjpeg's own buffers (a progressive picture's coefficients) are capped too.
constexpr long kMaxLibraryMemory = 1L << 30;

// libjpeg's error manager extended with the place to jump back to and the text
// of the failure.
struct JpegErrors {
  jpeg_error_mgr manager;  // first, so libjpeg's pointer is ours
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpBack(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  std::longjmp(errors->jump, 1);
}

[[noreturn]] void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  info->err->format_message(info, errors->message);
  JumpBack(info);
}

// Level -1 is a corrupt-data warning: treated as the error it is.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0) OnError(info);
}

void OnProgress(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMaxScans);
    JumpBack(info);
  }
}

// Skips a comment or application segment as libjpeg would, but refuses a
// length below 2 (which libjpeg silently accepts).
boolean SkipSegment(j_decompress_ptr info) {
  jpeg_source_mgr* source = info->src;
  unsigned length = 0;
  for (int i = 0; i < 2; ++i) {
    if (source->bytes_in_buffer == 0 && !source->fill_input_buffer(info)) return FALSE;
    length = (length << 8) | *source->next_input_byte++;
    --source->bytes_in_buffer;
  }
  if (length < 2) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    std::snprintf(errors->message, sizeof errors->message, "bad length %u of marker 0x%02X", length,
                  info->unread_marker);
    JumpBack(reinterpret_cast<j_common_ptr>(info));
  }
  if (length > 2) source->skip_input_data(info, static_cast<long>(length - 2));
  return TRUE;
}

// Owns the decompressor; libjpeg's failures jump back into the phase functions
// below, which hold only trivially destructible locals.
struct JpegReader {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  jpeg_progress_mgr progress{};
  bool created = false;

  JpegReader() = default;
  JpegReader(const JpegReader&) = delete;
  JpegReader& operator=(const JpegReader&) = delete;
  ~JpegReader() {
    if (created) jpeg_destroy_decompress(&info);
  }
};

bool ReadHeader(JpegReader* reader, const uint8_t* data, size_t size) {
  j_decompress_ptr info = &reader->info;
  info->err = jpeg_std_error(&reader->errors.manager);
  reader->errors.manager.error_exit = OnError;
  reader->errors.manager.emit_message = OnMessage;
  if (setjmp(reader->errors.jump)) return false;
  jpeg_create_decompress(info);
  reader->created = true;
  info->mem->max_memory_to_use = kMaxLibraryMemory;
  reader->progress.progress_monitor = OnProgress;
  info->progress = &reader->progress;
  // APP0 (JFIF) and APP14 (Adobe) stay with libjpeg, which reads them.
  jpeg_set_marker_processor(info, JPEG_COM, SkipSegment);
  for (int n = 1; n < 16; ++n) {
    if (n != 14) jpeg_set_marker_processor(info, JPEG_APP0 + n, SkipSegment);
  }
  jpeg_mem_src(info, data, static_cast<unsigned long>(size));
  jpeg_read_header(info, TRUE);
  return true;
}

bool Start(JpegReader* reader, J_COLOR_SPACE output) {
  if (setjmp(reader->errors.jump)) return false;
  reader->info.out_color_space = output;
  jpeg_start_decompress(&reader->info);
  return true;
}

// Reads B, G, R, A rows straight into the raster.
bool ReadBgra(JpegReader* reader, uint8_t* pixels, size_t stride) {
  if (setjmp(reader->errors.jump)) return false;
  j_decompress_ptr info = &reader->info;
  JSAMPROW rows[8];
  while (info->output_scanline < info->output_height) {
    const JDIMENSION count = std::min<JDIMENSION>(8, info->output_height - info->output_scanline);
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = pixels + (info->output_scanline + i) * stride;
    jpeg_read_scanlines(info, rows, count);
  }
  jpeg_finish_decompress(info);
  return true;
}

// Reads C, M, Y, K rows through one row buffer. Files with an Adobe marker store
// the inks inverted, as the programs that write CMYK JPEGs do.
bool ReadCmyk(JpegReader* reader, uint8_t* pixels, size_t stride, uint8_t* buffer) {
  if (setjmp(reader->errors.jump)) return false;
  j_decompress_ptr info = &reader->info;
  const uint32_t flip = info->saw_Adobe_marker ? 0 : 255;
  JSAMPROW row = buffer;
  while (info->output_scanline < info->output_height) {
    auto* out = reinterpret_cast<uint32_t*>(pixels + info->output_scanline * stride);
    jpeg_read_scanlines(info, &row, 1);
    for (JDIMENSION x = 0; x < info->output_width; ++x) {
      const uint8_t* ink = buffer + 4 * x;
      const uint32_t k = ink[3] ^ flip;
      out[x] = 0xFF000000u | (MulDiv255(ink[0] ^ flip, k) << 16) |
               (MulDiv255(ink[1] ^ flip, k) << 8) | MulDiv255(ink[2] ^ flip, k);
    }
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

Raster DecodeJpeg(std::span<const uint8_t> bytes) {
  JpegReader reader;
  const auto fail = [&] { FailDecode(kJpeg, reader.errors.message); };
  if (!ReadHeader(&reader, bytes.data(), bytes.size())) fail();
  jpeg_decompress_struct& info = reader.info;
  CheckPictureSize(kJpeg, info.image_width, info.image_height);
  bool cmyk = false;
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB: break;
    case JCS_CMYK:
    case JCS_YCCK: cmyk = true; break;
    default:
      FailDecode(kJpeg, "unsupported colour space with " + std::to_string(info.num_components) +
                            " components");
  }
  if (!Start(&reader, cmyk ? JCS_CMYK : JCS_EXT_BGRA)) fail();
  Raster out = NewPictureRaster(kJpeg, info.output_width, info.output_height);
  auto* pixels = reinterpret_cast<uint8_t*>(out.Data());
  const auto stride = static_cast<size_t>(out.Stride());
  bool read = false;
  if (cmyk) {
    std::vector<uint8_t> buffer(size_t{info.output_width} * 4);
    read = ReadCmyk(&reader, pixels, stride, buffer.data());
  } else {
    read = ReadBgra(&reader, pixels, stride);
  }
  if (!read) fail();
  return out;
}

}  // namespace lumora
