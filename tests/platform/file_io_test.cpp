// Files are written atomically (pictures and PNG frames are saved through this
// writer): a replaced file changes all at once, and a failed or killed save
// leaves the old file and, after the next save, no temporary.
#include "platform/file_io.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "platform/picture/picture.hpp"
#include "support/error_of.hpp"
#include "support/fixture.hpp"

namespace lumora {
namespace {

namespace fs = std::filesystem;

class FileIo : public testing::LumoraTest {
 protected:
  size_t Entries() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(m_Dir.Path()), fs::directory_iterator()));
  }
  static std::string Text(const std::string& path) {
    const auto bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
  }
  testing::ScratchDir m_Dir;
};

TEST_F(FileIo, AReplacedFileChangesAllAtOnce) {
  const std::string path = m_Dir / "saved";
  WriteFileAtomically(path, std::string("old contents"));
  WriteFileAtomically(path, std::string("kept"));
  EXPECT_EQ(Text(path), "kept");
  // The longest legal name saves too: the temporary name is short.
  const std::string longest = m_Dir / std::string(255, 'n');
  WriteFileAtomically(longest, std::string("long"));
  EXPECT_EQ(Text(longest), "long");
}

TEST_F(FileIo, FailuresSayWhyAndLeaveNothingBehind) {
  const std::string existing = m_Dir / "keep.txt";
  WriteFileAtomically(existing, std::string("keep"));
  ASSERT_EQ(::mkfifo((m_Dir / "fifo").c_str(), 0600), 0);
  const std::string dir = m_Dir.Path().string();
  struct Case {
    const char* what;
    std::function<void()> call;
    int number;
    const char* reason;
  } cases[] = {
      {"missing folder", [&] { WriteFileAtomically(m_Dir / "no/such/x", std::string("x")); }, 76,
       "No such file or directory"},
      {"folder as target", [&] { WriteFileAtomically(dir, std::string("x")); }, 75,
       "Is a directory"},
      {"missing file", [&] { ReadFileBytes(m_Dir / "missing"); }, 53, "missing"},
      // A FIFO nobody writes to is refused at once instead of blocking.
      {"fifo read", [&] { LoadPictureFile(m_Dir / "fifo"); }, 75, "not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Failure failure = FailureOf(c.call);
    EXPECT_EQ(failure.Number(), c.number);
    EXPECT_NE(failure.Description().find(c.reason), std::string::npos) << failure.Description();
  }
  EXPECT_EQ(Text(existing), "keep");
  EXPECT_EQ(Entries(), 2u);  // keep.txt and the FIFO
}

// A save killed half way leaves its temporary file; the next save of the same
// target removes it, and leaves those of other targets alone.
TEST_F(FileIo, TheNextSaveRemovesWhatAKilledSaveLeft) {
  const std::string target = m_Dir / "form.json";
  const std::string other = m_Dir / "other.json";
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
  for (const auto& entry : fs::directory_iterator(m_Dir.Path()))
    EXPECT_LT(entry.path().filename().string().size(), 64u);
  WriteFileAtomically(target, std::string("saved"));
  EXPECT_EQ(Text(target), "saved");
  EXPECT_EQ(Entries(), 2u);  // the target and the other target's leftover
  WriteFileAtomically(other, std::string("saved"));
  EXPECT_EQ(Entries(), 2u);
}

}  // namespace
}  // namespace lumora
