#include "platform/file_io.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/errors.hpp"
#include "support/error_of.hpp"

namespace lumora {
namespace {

namespace fs = std::filesystem;

class FileIo : public ::testing::Test {
 protected:
  void SetUp() override {
    m_Dir = fs::temp_directory_path() / ("lumora_file_io_" + std::to_string(::getpid()));
    fs::create_directories(m_Dir);
  }
  void TearDown() override { fs::remove_all(m_Dir); }
  fs::path m_Dir;
};

TEST_F(FileIo, WritesAtomicallyAndReadsBack) {
  const std::string path = (m_Dir / "a.bin").string();
  WriteFileAtomically(path, std::string("first"));
  WriteFileAtomically(path, std::string("second"));
  auto bytes = ReadFileBytes(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "second");
  // Only the target is left: no temporary files.
  EXPECT_EQ(std::distance(fs::directory_iterator(m_Dir), fs::directory_iterator()), 1);
}

TEST_F(FileIo, FailuresLeaveNothingBehind) {
  const std::string existing = (m_Dir / "keep.txt").string();
  WriteFileAtomically(existing, std::string("keep"));
  EXPECT_EQ(ErrorOf([&] { WriteFileAtomically((m_Dir / "no/such/x").string(), std::string("x")); }),
            76);
  EXPECT_EQ(ErrorOf([&] { WriteFileAtomically(m_Dir.string(), std::string("x")); }), 75);
  EXPECT_EQ(ErrorOf([&] { ReadFileBytes((m_Dir / "missing").string()); }), 53);
  EXPECT_EQ(ErrorOf([&] { ReadFileBytes(m_Dir.string()); }), 75);
  auto bytes = ReadFileBytes(existing);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "keep");
  EXPECT_EQ(std::distance(fs::directory_iterator(m_Dir), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace lumora
