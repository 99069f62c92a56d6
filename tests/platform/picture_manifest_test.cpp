// Every picture of the shared conformance manifests ends as listed: "valid"
// loads (at the size the note gives, if any), "invalid" fails with 481 naming
// the format, "either" loads or fails with 481. Nothing may crash; the CI runs
// this under the sanitizers.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "support/platform_pictures.hpp"

namespace lumora {
namespace {

namespace fs = std::filesystem;

const char* const kFolders[] = {
    "bmpsuite",        "jpeg-decoder-tests", "libjpeg-turbo-testimages", "libnsgif-tests",
    "libpng-testpngs", "pngsuite",           "wuffs-testdata",
};

// The format a file's extension promises.
PictureFormat FormatOfName(const std::string& file) {
  const std::string ext = fs::path(file).extension().string();
  if (ext == ".bmp") return PictureFormat::Bmp;
  if (ext == ".png") return PictureFormat::Png;
  if (ext == ".jpg" || ext == ".jpeg") return PictureFormat::Jpeg;
  if (ext == ".gif") return PictureFormat::Gif;
  return PictureFormat::None;
}

class PictureManifest : public ::testing::TestWithParam<const char*> {};

TEST_P(PictureManifest, EveryFileEndsAsListed) {
  const fs::path folder = testing::TestData() / GetParam();
  const auto entries = testing::ReadManifest(folder / "MANIFEST.tsv");
  ASSERT_GT(entries.size(), 0u) << "no manifest in " << folder;
  std::map<std::string, int> outcomes;
  for (const auto& entry : entries) {
    SCOPED_TRACE(entry.file + " [" + entry.expected + "] " + entry.note);
    const std::vector<uint8_t> bytes = testing::FileBytes(folder / entry.file);
    const testing::LoadOutcome outcome = testing::TryLoad(bytes);
    ++outcomes[entry.expected + (outcome.picture ? " loaded" : " refused")];
    if (outcome.picture) {
      EXPECT_NE(entry.expected, "invalid") << "an invalid file loaded";
      EXPECT_NE(outcome.picture->Handle(), 0u);
      EXPECT_EQ(outcome.picture->Format(), FormatOfName(entry.file));
      EXPECT_EQ(outcome.picture->Bytes(), bytes);
      EXPECT_GT(outcome.picture->PixelWidth(), 0);
      EXPECT_GT(outcome.picture->PixelHeight(), 0);
      if (const auto size = testing::SizeInNote(entry.note)) {
        EXPECT_EQ(outcome.picture->PixelWidth(), size->first);
        EXPECT_EQ(outcome.picture->PixelHeight(), size->second);
      }
      continue;
    }
    EXPECT_EQ(outcome.error, kErrInvalidPicture) << outcome.message;
    EXPECT_NE(entry.expected, "valid") << "refused: " << outcome.message;
    if (entry.expected == "invalid") {
      const std::string named = bytes.empty() ? "Invalid picture: no data"
                                              : std::string(FormatName(FormatOfName(entry.file)));
      EXPECT_EQ(outcome.message.rfind(named, 0), 0u)
          << "'" << outcome.message << "' does not name " << named;
    }
  }
  for (const auto& [kind, count] : outcomes) std::printf("  %-16s %d\n", kind.c_str(), count);
}

INSTANTIATE_TEST_SUITE_P(Conformance, PictureManifest, ::testing::ValuesIn(kFolders),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

// A folder added to the shared data later is not silently left out.
TEST(PictureManifests, EveryFolderIsListed) {
  const std::set<std::string> listed(std::begin(kFolders), std::end(kFolders));
  int found = 0;
  for (const auto& item : fs::directory_iterator(testing::TestData())) {
    if (!fs::exists(item.path() / "MANIFEST.tsv")) continue;
    ++found;
    EXPECT_TRUE(listed.count(item.path().filename().string())) << item.path();
  }
  EXPECT_EQ(found, static_cast<int>(listed.size()));
}

}  // namespace
}  // namespace lumora
