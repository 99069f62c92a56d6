#include "platform/file_io.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "platform/errors.hpp"
#include "platform/picture.hpp"
#include "platform/render/png.hpp"
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
  size_t Entries() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(m_Dir), fs::directory_iterator()));
  }
  std::string Text(const fs::path& path) const {
    const auto bytes = ReadFileBytes(path.string());
    return std::string(bytes.begin(), bytes.end());
  }
  fs::path m_Dir;
};

// The failure a call gives: its number and its message.
Failure FailureOf(auto&& call) {
  try {
    call();
  } catch (const Failure& e) {
    return e;
  }
  return Failure(0, "");
}

TEST_F(FileIo, WritesAtomicallyAndReadsBack) {
  const std::string path = (m_Dir / "a.bin").string();
  WriteFileAtomically(path, std::string("first"));
  WriteFileAtomically(path, std::string("second"));
  EXPECT_EQ(Text(path), "second");
  EXPECT_EQ(Entries(), 1u);  // no temporary files
  // The longest legal name saves too: the temporary name is short.
  const fs::path longest = m_Dir / std::string(255, 'n');
  WriteFileAtomically(longest.string(), std::string("long"));
  EXPECT_EQ(Text(longest), "long");
}

TEST_F(FileIo, FailuresSayWhyAndLeaveNothingBehind) {
  const std::string existing = (m_Dir / "keep.txt").string();
  WriteFileAtomically(existing, std::string("keep"));
  ASSERT_EQ(::mkfifo((m_Dir / "fifo").c_str(), 0600), 0);
  // Writes beyond the size limit fail with EFBIG instead of a signal.
  const auto sigxfsz = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit{};
  ::getrlimit(RLIMIT_FSIZE, &oldLimit);
  struct Case {
    const char* what;
    std::function<void()> call;
    int number;
    const char* reason;
  } cases[] = {
      {"missing folder",
       [&] { WriteFileAtomically((m_Dir / "no/such/x").string(), std::string("x")); }, 76,
       "No such file or directory"},
      {"folder as target", [&] { WriteFileAtomically(m_Dir.string(), std::string("x")); }, 75,
       "Is a directory"},
      {"file too large",
       [&] {
         const rlimit small{100, oldLimit.rlim_max};
         ::setrlimit(RLIMIT_FSIZE, &small);
         WriteFileAtomically(existing, std::string(4096, 'x'));
       },
       75, "File too large"},
      {"missing file", [&] { ReadFileBytes((m_Dir / "missing").string()); }, 53, "missing"},
      {"folder read", [&] { ReadFileBytes(m_Dir.string()); }, 75, "Is a directory"},
      // A FIFO nobody writes to is refused at once instead of blocking.
      {"fifo read", [&] { LoadPictureFile((m_Dir / "fifo").string()); }, 75, "not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Failure failure = FailureOf(c.call);
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    EXPECT_EQ(failure.Number(), c.number);
    EXPECT_NE(failure.Description().find(c.reason), std::string::npos) << failure.Description();
  }
  std::signal(SIGXFSZ, sigxfsz);
  EXPECT_EQ(Text(existing), "keep");
  EXPECT_EQ(Entries(), 2u);  // keep.txt and the FIFO
}

// Every saver: a new file gets 0666 less the umask, a replaced one keeps its
// permissions.
TEST_F(FileIo, SavesHonourTheUmaskAndKeepAReplacedFilesMode) {
  const PicturePtr picture = Picture::FromRaster(Raster(2, 2, 0xFF102030));
  const std::pair<const char*, std::function<void(const std::string&)>> savers[] = {
      {"bytes", [](const std::string& p) { WriteFileAtomically(p, std::string("x")); }},
      {"SavePicture", [&](const std::string& p) { SavePicture(*picture, p); }},
      {"WritePng", [&](const std::string& p) { WritePng(picture->Pixels(), p); }},
  };
  const mode_t oldMask = ::umask(0);
  for (const auto& [name, save] : savers) {
    for (const mode_t mask : {mode_t{077}, mode_t{022}, mode_t{002}}) {
      SCOPED_TRACE(std::string(name) + " umask " + std::to_string(mask));
      const fs::path path = m_Dir / "saved";
      fs::remove(path);
      ::umask(mask);
      save(path.string());
      struct stat st {};
      ASSERT_EQ(::stat(path.c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
      for (const mode_t kept : {mode_t{0600}, mode_t{0640}, mode_t{0444}}) {
        ::chmod(path.c_str(), kept);
        save(path.string());
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, kept);
      }
    }
  }
  ::umask(oldMask);
}

// A save killed half way leaves its temporary file; the next save of the same
// target removes it, and leaves those of other targets alone.
TEST_F(FileIo, TheNextSaveRemovesWhatAKilledSaveLeft) {
  const std::string target = (m_Dir / "form.json").string();
  const std::string other = (m_Dir / "other.json").string();
  for (const std::string& path : {target, other}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const rlimit small{1000, 1000};  // the write beyond it kills the child
      const rlimit noCore{0, 0};
      ::setrlimit(RLIMIT_CORE, &noCore);
      ::setrlimit(RLIMIT_FSIZE, &small);
      WriteFileAtomically(path, std::string(100000, 'x'));
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
  }
  ASSERT_EQ(Entries(), 2u);
  for (const auto& entry : fs::directory_iterator(m_Dir))
    EXPECT_LT(entry.path().filename().string().size(), 64u);
  WriteFileAtomically(target, std::string("saved"));
  EXPECT_EQ(Text(target), "saved");
  EXPECT_EQ(Entries(), 2u);  // the target and the other target's leftover
  WriteFileAtomically(other, std::string("saved"));
  EXPECT_EQ(Entries(), 2u);
}

}  // namespace
}  // namespace lumora
