// The GIF decoder against files written here with giflib (so every expected
// pixel is known): frame placement and clipping, transparency, colour tables,
// and damaged files; interlacing against a photo stored both ways.
#include "platform/picture/codec_gif.hpp"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

using namespace testing;

struct GifFrame {
  int left = 0;
  int top = 0;
  int width = 1;
  int height = 1;
  bool interlaced = false;
  std::vector<GifColorType> colors;  // a local colour table when not empty
  int transparent = -1;
  std::vector<uint8_t> indices;  // rows top first
};

struct GifRecipe {
  int width = 1;
  int height = 1;
  std::vector<GifColorType> colors;  // the global colour table
  std::vector<GifFrame> frames;
};

int Append(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

// A giflib colour map; its size must be a power of two.
ColorMapObject* MapOf(const std::vector<GifColorType>& colors) {
  return colors.empty() ? nullptr
                        : GifMakeMapObject(static_cast<int>(colors.size()), colors.data());
}

std::vector<uint8_t> WriteGif(const GifRecipe& recipe) {
  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, Append, &error);
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = MapOf(recipe.colors);
  EGifPutScreenDesc(gif, recipe.width, recipe.height, 8, 0, global);
  GifFreeMapObject(global);
  for (const GifFrame& frame : recipe.frames) {
    if (frame.transparent >= 0) {
      GraphicsControlBlock control{};
      control.TransparentColor = frame.transparent;
      GifByteType extension[4];
      EGifGCBToExtension(&control, extension);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
    }
    ColorMapObject* local = MapOf(frame.colors);
    EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced,
                     local);
    GifFreeMapObject(local);
    // Interlaced rows are stored pass by pass.
    const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < (frame.interlaced ? 4 : 1); ++pass)
      for (int y = frame.interlaced ? start[pass] : 0; y < frame.height;
           y += frame.interlaced ? step[pass] : 1)
        EGifPutLine(gif, const_cast<GifPixelType*>(&frame.indices[y * frame.width]), frame.width);
  }
  EGifCloseFile(gif, &error);
  return out;
}

std::string DecodeError(const std::vector<uint8_t>& bytes) {
  return DecodeFault(DecodeGif, bytes);
}

const std::vector<GifColorType> kPalette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

TEST(GifDecoder, TheFirstFrameSitsClippedOnATransparentScreen) {
  // Left, top, width, height, interlaced, colours, transparent index, indices.
  GifRecipe recipe{4, 3, kPalette, {{1, 1, 2, 2, false, {}, -1, {1, 2, 3, 0}}}};
  EXPECT_EQ(PixelsOf(DecodeGif(WriteGif(recipe))), (std::vector<Argb>{0, 0, 0, 0,          //
                                                                      0, kRed, kGreen, 0,  //
                                                                      0, kBlue, kBlack, 0}));
  // The frame's own colour table wins; its transparent index shows through.
  recipe.frames[0].colors = {{255, 255, 255}, {0, 0, 255}, {0, 255, 0}, {255, 0, 0}};
  recipe.frames[0].transparent = 2;
  // A second frame is not shown.
  // (giflib's writer leaks a table not followed by another.)
  recipe.frames.push_back({0, 0, 4, 3, false, kPalette, -1, std::vector<uint8_t>(12, 1)});
  EXPECT_EQ(PixelsOf(DecodeGif(WriteGif(recipe))), (std::vector<Argb>{0, 0, 0, 0,      //
                                                                      0, kBlue, 0, 0,  //
                                                                      0, kRed, kWhite, 0}));
  // Clipped to the screen; two colours, but 2-bit pixel codes: a bad index shows black.
  const GifRecipe clipped{
      3, 2, {{255, 255, 255}, {0, 0, 255}}, {{1, 1, 3, 2, false, {}, -1, {1, 3, 2, 0, 0, 0}}}};
  EXPECT_EQ(PixelsOf(DecodeGif(WriteGif(clipped))), (std::vector<Argb>{0, 0, 0, 0, kBlue, kBlack}));
}

// The same photo written interlaced and plainly decodes alike.
TEST(GifDecoder, InterlacedRowsLandInPlace) {
  const auto folder = TestData() / "wuffs-testdata";
  EXPECT_TRUE(DecodeGif(FileBytes(folder / "hippopotamus.interlaced.gif")) ==
              DecodeGif(FileBytes(folder / "hippopotamus.regular.gif")));
}

TEST(GifDecoder, DamagedFilesNameTheirFault) {
  GifRecipe recipe{8, 8, kPalette, {}};
  EXPECT_EQ(DecodeError(WriteGif(recipe)), "GIF: no frames");
  recipe.frames = {{0, 0, 8, 8, false, {}, -1, {}}};
  for (int i = 0; i < 64; ++i) recipe.frames[0].indices.push_back(uint8_t(i * 7 % 4));
  const std::vector<uint8_t> good = WriteGif(recipe);
  ASSERT_EQ(DecodeError(good), "decoded");
  std::vector<uint8_t> noTable = good;
  noTable[10] &= 0x7F;  // no global table: its bytes now read as a bad record
  EXPECT_EQ(DecodeError(noTable), "GIF: bad record type");
  // Without the global table (12 bytes after the screen descriptor) and with
  // no local one, the frame has no colours.
  std::vector<uint8_t> noColors = noTable;
  noColors.erase(noColors.begin() + 13, noColors.begin() + 25);
  EXPECT_EQ(DecodeError(noColors), "GIF: no colour table");
  // The screen is limited like every picture, before anything is allocated.
  std::vector<uint8_t> huge = good;
  huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;
  EXPECT_EQ(DecodeError(huge), "GIF: too large (65535x65535 pixels)");
}

}  // namespace
}  // namespace lumora
