#include "platform/file_io.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/errors.hpp"

namespace lumora {

namespace {
// Owns a file descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_Fd(fd) {}
  ~FileDescriptor() {
    if (m_Fd >= 0) ::close(m_Fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return m_Fd; }

 private:
  int m_Fd;
};

// Owns a directory stream.
class Directory {
 public:
  explicit Directory(const std::string& path) : m_Dir(::opendir(path.c_str())) {}
  ~Directory() {
    if (m_Dir) ::closedir(m_Dir);
  }
  Directory(const Directory&) = delete;
  Directory& operator=(const Directory&) = delete;
  DIR* Get() const { return m_Dir; }

 private:
  DIR* m_Dir;
};

[[noreturn]] void FailFile(int error, const std::string& path) {
  const int32_t number =
      (error == ENOENT || error == ENOTDIR) ? kErrPathNotFound : kErrPathFileAccess;
  Fail(number, DefaultDescription(number) + ": " + path + ": " + std::strerror(error));
}

// Temporary files of a save are named after a hash of the target's name, so
// that they are short whatever the target's length and a later save of the
// same target recognises the ones a killed save left.
std::string TempPrefix(const std::string& fileName) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const unsigned char c : fileName) hash = (hash ^ c) * 1099511628211ull;
  char text[40];
  std::snprintf(text, sizeof text, ".lumora-%016llx-", static_cast<unsigned long long>(hash));
  return text;
}

constexpr const char* kTempSuffix = ".tmp";

bool IsTempOf(std::string_view name, const std::string& prefix) {
  return name.size() > prefix.size() + 4 && name.starts_with(prefix) && name.ends_with(kTempSuffix);
}

// A save holds an exclusive lock on its temporary file until it is renamed;
// one whose lock can be taken belongs to a save that died.
void RemoveStaleTemps(const std::string& folder, const std::string& prefix) {
  const Directory dir(folder);
  if (!dir.Get()) return;
  while (const dirent* entry = ::readdir(dir.Get())) {
    if (!IsTempOf(entry->d_name, prefix)) continue;
    const std::string path = folder + "/" + entry->d_name;
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd.Get() >= 0 && ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) ::unlink(path.c_str());
  }
}

std::string RandomName() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  uint8_t random[8] = {};
  if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
    const uint64_t t = static_cast<uint64_t>(::getpid()) * 2654435761u ^
                       static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&random));
    std::memcpy(random, &t, sizeof random);
  }
  std::string name;
  for (const uint8_t r : random) name += kLetters[r % (sizeof kLetters - 1)];
  return name;
}

// Creates and locks a new temporary file. It is created with mode 0666 so
// that the umask and the folder's default permissions apply as to any new
// file. A cleaner may remove it between creation and locking: then the
// locked file has no link and another name is tried.
int CreateTemp(const std::string& folder, const std::string& prefix, std::string& temp,
               const std::string& path) {
  for (int attempt = 0;; ++attempt) {
    temp = folder + "/" + prefix + RandomName() + kTempSuffix;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
      if (errno == EEXIST && attempt < 100) continue;
      FailFile(errno, path);
    }
    struct stat st {};
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) return fd;
    ::close(fd);
    if (attempt >= 100) FailFile(EAGAIN, path);
  }
}
}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  // Non-blocking, so that a FIFO or a device cannot hang the open; only
  // regular files are read.
  const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.Get() < 0) {
    if (errno == ENOENT) Fail(kErrFileNotFound, DefaultDescription(kErrFileNotFound) + ": " + path);
    FailFile(errno, path);
  }
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) FailFile(errno, path);
  if (S_ISDIR(st.st_mode)) FailFile(EISDIR, path);
  if (!S_ISREG(st.st_mode))
    Fail(kErrPathFileAccess,
         DefaultDescription(kErrPathFileAccess) + ": " + path + ": not a regular file");
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(st.st_size));
  uint8_t buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      FailFile(errno, path);
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  return bytes;
}

void WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
  if (path.empty()) FailFile(ENOENT, path);
  namespace fs = std::filesystem;
  const fs::path target(path);
  const std::string folder = target.parent_path().empty() ? "." : target.parent_path().string();
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode)) FailFile(EISDIR, path);
  const std::string prefix = TempPrefix(target.filename().string());
  RemoveStaleTemps(folder, prefix);
  std::string temp;
  const FileDescriptor fd(CreateTemp(folder, prefix, temp, path));
  auto discard = [&](int error) {
    ::unlink(temp.c_str());
    FailFile(error, path);
  };
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      discard(errno);
    }
    done += static_cast<size_t>(n);
  }
  // A replaced file keeps its permissions; a new one has those it was created with.
  if (replacing && ::fchmod(fd.Get(), old.st_mode & 07777) != 0) discard(errno);
  if (::fsync(fd.Get()) != 0) discard(errno);
  // Renamed while still locked, so that no cleaner takes it for a stale one;
  // the data reached the disk with fsync, so closing after cannot lose it.
  if (::rename(temp.c_str(), path.c_str()) != 0) discard(errno);
}

void WriteFileAtomically(const std::string& path, const std::string& text) {
  WriteFileAtomically(
      path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace lumora
