// Picture queries and services: which edges are in view, the shown size, the
// shown image, saving it and clearing the picture.
#include <filesystem>

#include "piczoom_fixture.hpp"
#include "platform/file_io.hpp"

namespace lumora::testing {
namespace {

namespace fs = std::filesystem;

class Services : public PicZoomTest {
 protected:
  Services() {
    m_Dir =
        fs::temp_directory_path() /
        ("piczoom_services_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_Dir);
    fs::create_directories(m_Dir);
  }
  ~Services() override { fs::remove_all(m_Dir); }
  std::string PathOf(const std::string& name) const { return (m_Dir / name).string(); }
  bool DirIsEmpty() const { return fs::is_empty(m_Dir); }

 private:
  fs::path m_Dir;
};

std::vector<int16_t> Fields(const PicturePositions& p) {
  return {p.ppTop, p.ppBottom, p.ppLeft, p.ppRight};
}

TEST_F(Services, PicturePositionAfterEveryGo) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 300));  // both bars, Max 213 and 163
  struct Case {
    GoDirection direction;
    std::vector<int16_t> fields;  // top, bottom, left, right
  };
  for (const Case& c : {Case{gdTop, {-1, 0, 0, 0}},
                        {gdBottom, {0, -1, 0, 0}},
                        {gdLeft, {0, 0, -1, 0}},
                        {gdRight, {0, 0, 0, -1}},
                        {gdCenter, {0, 0, 0, 0}},
                        {gdTopLeft, {-1, 0, -1, 0}},
                        {gdTopRight, {-1, 0, 0, -1}},
                        {gdBottomLeft, {0, -1, -1, 0}},
                        {gdBottomRight, {0, -1, 0, -1}}}) {
    GoDirection d = c.direction;
    z->Go(d);
    EXPECT_EQ(Fields(z->PicturePosition()), c.fields) << c.direction;
  }
}

TEST_F(Services, BarsWithMaxZeroTouchBothEdges) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(200, 150));  // fits exactly: both Max 0
  EXPECT_EQ(Fields(z->PicturePosition()), (std::vector<int16_t>{-1, -1, -1, -1}));
  GoDirection d = gdBottomRight;
  z->Go(d);
  EXPECT_EQ(Fields(z->PicturePosition()), (std::vector<int16_t>{-1, -1, -1, -1}));

  // A vertical Max of 0 beside a horizontal range: only the vertical pair.
  z->Picture(SolidPicture(400, 137));  // VScroll.Max 137 - 137 = 0
  d = gdBottomRight;
  z->Go(d);
  EXPECT_EQ(Fields(z->PicturePosition()), (std::vector<int16_t>{-1, -1, 0, -1}));
}

TEST_F(Services, PicturePositionIsCurrentWhilePictureScrolledRuns) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 300));
  std::vector<std::vector<int16_t>> seen;
  onEvent = [&](std::string_view, std::span<Variant>) {
    seen.push_back(Fields(z->PicturePosition()));
  };
  GoDirection d = gdTopLeft;
  z->Go(d);
  EXPECT_EQ(seen, (std::vector<std::vector<int16_t>>{{0, 0, -1, 0}, {-1, 0, -1, 0}}));
}

TEST_F(Services, PictureSizeIsTheShownSize) {
  auto z = Place(200, 150);
  EXPECT_EQ(z->PictureSize().psWidth, 0);  // picScroll itself is 200 x 150
  EXPECT_EQ(z->PictureSize().psHeight, 0);
  EXPECT_EQ(Pic(*z).Width(), 200);
  z->Picture(SolidPicture(333, 250));
  EXPECT_EQ(z->PictureSize().psWidth, 333);
  z->ZoomIn();
  EXPECT_EQ(z->PictureSize().psWidth, 416);
  EXPECT_EQ(z->PictureSize().psHeight, 312);
  z->Stretch();
  EXPECT_EQ(z->PictureSize().psWidth, 200);
  EXPECT_EQ(z->PictureSize().psHeight, 150);
}

TEST_F(Services, ImageIsTheShownImageNotThePicture) {
  auto z = Place(200, 150);
  const PicturePtr picture = PatternPicture(120, 80);
  z->Picture(picture);
  z->ZoomIn();
  const PicturePtr image = z->Image();
  ASSERT_NE(image, nullptr);
  EXPECT_NE(image, picture);
  EXPECT_EQ(z->Picture(), picture);
  EXPECT_EQ(image->PixelWidth(), 150);
  EXPECT_EQ(image->PixelHeight(), 100);
  EXPECT_EQ(picture->PixelWidth(), 120);
  EXPECT_EQ(image->Pixels(), *Pic(*z).ShownImage());
  EXPECT_EQ(z->Image(), image);  // the object the picture box hands out, no copy of ours
}

TEST_F(Services, SaveToWritesBitmapDataUnderExactlyThePathGiven) {
  auto z = Place(200, 150);
  z->Picture(PatternPicture(120, 80));
  z->ZoomOut();
  std::string path = PathOf("shown.jpg");
  z->SaveTo(path);
  EXPECT_EQ(path, PathOf("shown.jpg"));
  ASSERT_TRUE(fs::exists(path));
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  const PicturePtr loaded = LoadPictureFile(path);
  EXPECT_EQ(loaded->Format(), PictureFormat::Bmp);
  EXPECT_EQ(loaded->PixelWidth(), 108);
  EXPECT_EQ(loaded->PixelHeight(), 72);
  EXPECT_EQ(loaded->Pixels(), *Pic(*z).ShownImage());

  // A GIF name gets bitmap data too, and an existing file is replaced.
  std::string gif = PathOf("shown.gif");
  WriteFileAtomically(gif, std::string("GIF"));
  z->SaveTo(gif);
  EXPECT_EQ(LoadPictureFile(gif)->Format(), PictureFormat::Bmp);
}

TEST_F(Services, SaveToAPathThatCannotBeWrittenWritesNothingAndRaisesNothing) {
  auto z = Place(200, 150);
  z->Picture(PatternPicture(120, 80));
  Err().Clear();
  std::string missing = PathOf("no/such/folder/out.bmp");
  EXPECT_NO_THROW(z->SaveTo(missing));
  EXPECT_FALSE(fs::exists(PathOf("no")));
  EXPECT_NE(Err().Number(), 0);  // absorbed, not lost

  // A folder under the name: it stays a folder and nothing is left beside it.
  fs::create_directory(PathOf("taken.bmp"));
  std::string taken = PathOf("taken.bmp");
  EXPECT_NO_THROW(z->SaveTo(taken));
  EXPECT_TRUE(fs::is_directory(taken));
  EXPECT_EQ(std::distance(fs::directory_iterator(PathOf("")), fs::directory_iterator()), 1);

  // An existing file where nothing may be written stays as it was.
  std::string readOnly = "/proc/version";
  const std::vector<uint8_t> before = ReadFileBytes(readOnly);
  EXPECT_NO_THROW(z->SaveTo(readOnly));
  EXPECT_EQ(ReadFileBytes(readOnly), before);
}

TEST_F(Services, ClearRemovesThePicture) {
  auto z = Place(200, 150);
  z->Picture(SolidPicture(400, 300));
  z->ZoomIn();
  events.clear();
  z->Clear();
  EXPECT_EQ(z->Picture(), nullptr);
  EXPECT_EQ(Names(), (std::vector<std::string>{"PictureSizeChanged"}));
  EXPECT_EQ(z->ZoomPercent(), Variant(uint8_t{100}));
  EXPECT_EQ(z->PictureSize().psWidth, 0);
  EXPECT_FALSE(HBar(*z).Visible());
  EXPECT_EQ(Pic(*z).Width(), 200);
  events.clear();
  ScrollDirection d = sdDown;
  int16_t s = 5;
  z->Scroll(d, s);
  z->ScrollLoop(d, s);
  z->ZoomIn();
  EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace lumora::testing
