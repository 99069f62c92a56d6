// LoadPicture as callers see it: the format is recognised by content, the
// picture object keeps what was loaded, and bad input of any kind (empty,
// unknown, cut short at any byte) ends in error 481 and never in a crash.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "picture_test_support.hpp"
#include "platform/errors.hpp"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using testing::TryLoad;

TEST(LoadPicture, EmptyOrUnrecognisedDataIsRefused) {
  const auto empty = TryLoad({});
  EXPECT_EQ(empty.error, kErrInvalidPicture);
  EXPECT_EQ(empty.message, "Invalid picture: no data");
  const auto text = TryLoad({'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(text.error, kErrInvalidPicture);
  EXPECT_EQ(text.message, "Invalid picture: unrecognised format (starts with 68 65 6C 6C)");
  // Too short to be anything, but with a format's first bytes: that format's error.
  EXPECT_EQ(TryLoad({'B', 'M'}).message, "BMP: truncated header");
  EXPECT_EQ(TryLoad({0xFF, 0xD8}).message.rfind("JPEG: ", 0), 0u);
  EXPECT_EQ(TryLoad({'G', 'I', 'F'}).message.rfind("GIF: ", 0), 0u);
  EXPECT_EQ(TryLoad({0x89, 'P', 'N', 'G'}).message.rfind("PNG: ", 0), 0u);
}

TEST(LoadPicture, APictureKeepsItsFormatBytesAndSize) {
  const auto folder = testing::TestData();
  struct Case {
    const char* file;
    PictureFormat format;
    int32_t width, height;
  };
  for (const Case& c : {Case{"bmpsuite/g/pal8.bmp", PictureFormat::Bmp, 127, 64},
                        Case{"pngsuite/s35n3p04.png", PictureFormat::Png, 35, 35},
                        Case{"wuffs-testdata/peacock.q30.jpeg", PictureFormat::Jpeg, 100, 75},
                        Case{"wuffs-testdata/pjw-thumbnail.gif", PictureFormat::Gif, 32, 32}}) {
    SCOPED_TRACE(c.file);
    const std::vector<uint8_t> bytes = testing::FileBytes(folder / c.file);
    const PicturePtr first = LoadPicture(bytes);
    const PicturePtr again = LoadPictureFile((folder / c.file).string());
    EXPECT_EQ(first->Format(), c.format);
    EXPECT_EQ(first->Bytes(), bytes);
    EXPECT_EQ(first->PixelWidth(), c.width);
    EXPECT_EQ(first->PixelHeight(), c.height);
    // HIMETRIC at 96 pixels per inch, rounded.
    EXPECT_EQ(first->Width(), std::round(c.width * 2540.0 / 96));
    // Each load is a new object with its own handle, even for the same bytes.
    EXPECT_NE(first, again);
    EXPECT_NE(first->Handle(), 0u);
    EXPECT_NE(first->Handle(), again->Handle());
    EXPECT_TRUE(first->Pixels() == again->Pixels());
  }
}

TEST(LoadPicture, FileErrorsAreReportedAsSuch) {
  const auto error = [](const std::string& path) {
    try {
      LoadPictureFile(path);
    } catch (const Failure& failure) {
      return failure.Number();
    }
    return 0;
  };
  EXPECT_EQ(error((testing::TestData() / "no-such-picture.bmp").string()), kErrFileNotFound);
  EXPECT_EQ(error(testing::TestData().string()), kErrPathFileAccess);
  EXPECT_EQ(error((testing::TestData() / "jpeg-decoder-tests/crashtest/empty.jpg").string()),
            kErrInvalidPicture);
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

}  // namespace
}  // namespace lumora
