// LoadPicture and SavePicture as callers see them: the format is recognised by
// content, the picture object keeps what was loaded, bad input of any kind
// (empty, unknown, cut short at any byte) ends in error 481 and never in a
// crash, and saved 24-bit BMPs load back with the pixels that were saved.
#include <gtest/gtest.h>

#include "support/error_of.hpp"
#include "support/fixture.hpp"
#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

using testing::TryLoad;

TEST(LoadPicture, EmptyOrUnrecognisedDataIsRefused) {
  EXPECT_EQ(TryLoad({}).message, "Invalid picture: no data");
  EXPECT_EQ(TryLoad({'h', 'e', 'l', 'l', 'o'}).message,
            "Invalid picture: unrecognised format (starts with 68 65 6C 6C)");
  // Too short to be anything, but with a format's first bytes: that format's error.
  EXPECT_EQ(TryLoad({'B', 'M'}).message, "BMP: truncated header");
  EXPECT_EQ(TryLoad({0xFF, 0xD8}).message.rfind("JPEG: ", 0), 0u);
  EXPECT_EQ(TryLoad({'G', 'I', 'F'}).message.rfind("GIF: ", 0), 0u);
  EXPECT_EQ(TryLoad({0x89, 'P', 'N', 'G'}).message.rfind("PNG: ", 0), 0u);
}

// (Every file of the shared manifests is checked for its format, bytes and
// size; here what a picture object adds.)
TEST(LoadPicture, EachLoadIsANewPictureSizedInHimetric) {
  const auto folder = testing::TestData();
  const std::vector<uint8_t> bytes = testing::FileBytes(folder / "bmpsuite/g/pal8.bmp");
  const PicturePtr first = LoadPicture(bytes);
  const PicturePtr again = LoadPictureFile((folder / "bmpsuite/g/pal8.bmp").string());
  // 127 x 64 pixels in HIMETRIC at 96 pixels per inch, rounded, also late-bound.
  EXPECT_EQ(std::pair(first->Width(), first->Height()), std::pair(3360.0, 1693.0));
  Picture& object = *std::const_pointer_cast<Picture>(first);  // as a script holds it
  EXPECT_EQ(std::pair(object.GetProperty("width"), object.GetProperty("Height")),
            std::pair(Variant(int32_t{3360}), Variant(int32_t{1693})));
  // Each load is a new object with its own handle, even for the same bytes.
  EXPECT_NE(first->Handle(), again->Handle());
  EXPECT_TRUE(first->Pixels() == again->Pixels());
  EXPECT_EQ(ErrorOf([&] { LoadPictureFile((folder / "no-such-picture.bmp").string()); }),
            kErrFileNotFound);
}

// Every prefix of a few small files of each format: a prefix either still holds
// the whole picture (all but a BMP's last padding, a GIF's first frame) or
// fails with 481; a PNG or JPEG prefix always fails, since its end is missing.
TEST(LoadPicture, EveryPrefixOfAFileEndsCleanly) {
  const char* const files[] = {
      "bmpsuite/g/pal1.bmp",
      "bmpsuite/g/pal4rle.bmp",
      "bmpsuite/g/rgb16-565.bmp",
      "bmpsuite/q/rgba32-1.bmp",
      "pngsuite/basi0g01.png",
      "pngsuite/tbbn3p08.png",
      "pngsuite/s09i3p02.png",
      "wuffs-testdata/pjw-thumbnail.jpeg",
      "wuffs-testdata/peacock.progressive.scan001.jpeg",
      "wuffs-testdata/pjw-thumbnail.gif",
      "wuffs-testdata/artificial-gif/small-frame-interlaced.gif",
      "wuffs-testdata/artificial-gif/transparent-index.gif",
  };
  for (const char* file : files) {
    SCOPED_TRACE(file);
    const std::vector<uint8_t> bytes = testing::FileBytes(testing::TestData() / file);
    const auto whole = TryLoad(bytes);
    ASSERT_TRUE(whole.picture) << whole.message;
    const PictureFormat format = whole.picture->Format();
    const bool needsEnd = format == PictureFormat::Png || format == PictureFormat::Jpeg;
    size_t loaded = 0;
    for (size_t size = 0; size < bytes.size(); ++size) {
      const auto prefix = TryLoad({bytes.begin(), bytes.begin() + size});
      if (prefix.picture) {
        ++loaded;
        EXPECT_FALSE(needsEnd) << "a prefix of " << size << " bytes loaded";
        EXPECT_TRUE(prefix.picture->Pixels() == whole.picture->Pixels()) << size << " bytes";
        continue;
      }
      ASSERT_EQ(prefix.error, kErrInvalidPicture) << size << ": " << prefix.message;
      if (size >= 4) {  // long enough to be recognised
        EXPECT_EQ(prefix.message.rfind(FormatName(format), 0), 0u)
            << size << ": " << prefix.message;
      }
    }
    // A BMP may lack at most its last row's padding.
    if (format == PictureFormat::Bmp) {
      EXPECT_LT(loaded, 4u);
    }
  }
}

TEST(SavePicture, SavedPicturesLoadBackWithIdenticalPixels) {
  testing::ScratchDir dir;
  const std::string path = dir / "saved.bmp";
  uint32_t draw = 1;
  for (const auto& [width, height] : {std::pair{1, 1}, {2, 3}, {5, 7}}) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    const Raster r = testing::RandomOpaque(width, height, draw++);
    SavePicture(*Picture::FromRaster(r), path);
    EXPECT_TRUE(LoadPictureFile(path)->Pixels() == r);
  }
  // A decoded photo survives the round trip too.
  const PicturePtr photo =
      LoadPictureFile((testing::TestData() / "wuffs-testdata/peacock.s2x1-422.jpeg").string());
  SavePicture(*photo, path);
  EXPECT_TRUE(LoadPictureFile(path)->Pixels() == photo->Pixels());
  // A 24-bit BMP has no transparency: it is composited onto white.
  Raster translucent(3, 1);
  translucent.Set(0, 0, 0);           // fully transparent: white
  translucent.Set(1, 0, 0x80800000);  // half-transparent red (premultiplied): pink
  translucent.Set(2, 0, 0x40102030);
  const std::vector<uint8_t> file = EncodeBmp24(translucent);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 2), "BM");
  EXPECT_EQ(testing::PixelsOf(LoadPicture(file)->Pixels()),
            (std::vector<Argb>{0xFFFFFFFF, 0xFFFF7F7F, 0xFFCFDFEF}));
}

}  // namespace
}  // namespace lumora
