// SavePicture and its 24-bit BMP encoding: the file layout, pixels that come
// back unchanged, transparency composited onto white, and atomic replacement.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "picture_test_support.hpp"
#include "platform/errors.hpp"
#include "platform/file_io.hpp"

namespace lumora {
namespace {

namespace fs = std::filesystem;

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

Raster RandomOpaque(int32_t width, int32_t height, unsigned salt) {
  std::mt19937 random(salt);
  Raster r(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) r.Set(x, y, 0xFF000000u | (random() & 0xFFFFFF));
  }
  return r;
}

class SavePictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Dir = fs::temp_directory_path() / ("lumora_save_picture_" + std::to_string(::getpid()));
    fs::create_directories(m_Dir);
  }
  void TearDown() override { fs::remove_all(m_Dir); }
  size_t FilesInDir() const {
    return std::distance(fs::directory_iterator(m_Dir), fs::directory_iterator());
  }
  fs::path m_Dir;
};

TEST(EncodeBmp24, WritesBottomUpRowsPaddedToFourBytes) {
  Raster r(3, 2);
  r.Set(0, 0, 0xFF112233);  // top left
  r.Set(2, 1, 0xFFAABBCC);  // bottom right
  const std::vector<uint8_t> file = EncodeBmp24(r);
  ASSERT_EQ(file.size(), 54u + 2 * 12);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Read32(file, 2), file.size());
  EXPECT_EQ(Read32(file, 10), 54u);  // pixel data offset
  EXPECT_EQ(Read32(file, 14), 40u);  // header size
  EXPECT_EQ(Read32(file, 18), 3u);
  EXPECT_EQ(Read32(file, 22), 2u);  // positive height: bottom-up
  EXPECT_EQ(file[28], 24);
  EXPECT_EQ(Read32(file, 30), 0u);  // uncompressed
  // The bottom row comes first, B G R per pixel, then three bytes of padding.
  const std::vector<uint8_t> bottom(file.begin() + 54, file.begin() + 66);
  EXPECT_EQ(bottom, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0xCC, 0xBB, 0xAA, 0, 0, 0}));
  const std::vector<uint8_t> top(file.begin() + 66, file.end());
  EXPECT_EQ(top, (std::vector<uint8_t>{0x33, 0x22, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(EncodeBmp24, TransparencyIsCompositedOntoWhite) {
  Raster r(3, 1);
  r.Set(0, 0, 0);           // fully transparent: white
  r.Set(1, 0, 0x80800000);  // half-transparent red (premultiplied): pink
  r.Set(2, 0, 0x40102030);
  const PicturePtr back = LoadPicture(EncodeBmp24(r));
  EXPECT_EQ(back->Pixels().At(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(back->Pixels().At(1, 0), 0xFFFF7F7Fu);
  EXPECT_EQ(back->Pixels().At(2, 0), 0xFFCFDFEFu);
}

TEST(EncodeBmp24, AnEmptyPictureCannotBeSaved) {
  try {
    EncodeBmp24(Raster());
    FAIL() << "an empty picture was encoded";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kErrInvalidCall);
  }
}

TEST_F(SavePictureTest, SavedPicturesLoadBackWithIdenticalPixels) {
  unsigned salt = 1;
  for (const auto& [width, height] : {std::pair{1, 1}, {2, 3}, {3, 2}, {5, 7}, {127, 3}, {64, 9}}) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    const PicturePtr picture = Picture::FromRaster(RandomOpaque(width, height, salt++));
    const std::string path = (m_Dir / "saved.bmp").string();
    SavePicture(*picture, path);
    const PicturePtr back = LoadPictureFile(path);
    EXPECT_EQ(back->Format(), PictureFormat::Bmp);
    EXPECT_TRUE(back->Pixels() == picture->Pixels());
  }
  // A decoded photo survives the round trip too.
  const PicturePtr photo =
      LoadPictureFile((testing::TestData() / "wuffs-testdata/peacock.s2x1-422.jpeg").string());
  SavePicture(*photo, (m_Dir / "photo.bmp").string());
  EXPECT_TRUE(LoadPictureFile((m_Dir / "photo.bmp").string())->Pixels() == photo->Pixels());
}

TEST_F(SavePictureTest, ReplacesAtomicallyAndFailsWithoutTrace) {
  const std::string path = (m_Dir / "picture.bmp").string();
  WriteFileAtomically(path, std::string("old contents"));
  const PicturePtr picture = Picture::FromRaster(RandomOpaque(9, 4, 3));
  SavePicture(*picture, path);
  EXPECT_TRUE(LoadPictureFile(path)->Pixels() == picture->Pixels());
  EXPECT_EQ(FilesInDir(), 1u);

  const auto error = [&](const std::string& target) {
    try {
      SavePicture(*picture, target);
    } catch (const Failure& failure) {
      return failure.Number();
    }
    return 0;
  };
  EXPECT_EQ(error((m_Dir / "missing/folder/x.bmp").string()), kErrPathNotFound);
  EXPECT_EQ(error(m_Dir.string()), kErrPathFileAccess);
  EXPECT_EQ(FilesInDir(), 1u);
  EXPECT_TRUE(LoadPictureFile(path)->Pixels() == picture->Pixels());
}

}  // namespace
}  // namespace lumora
