#include "platform/file_io.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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
  // Closes now and reports whether the close succeeded.
  bool Close() {
    const int fd = m_Fd;
    m_Fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_Fd;
};

[[noreturn]] void FailFile(int error, const std::string& path) {
  const int32_t number =
      (error == ENOENT || error == ENOTDIR) ? kErrPathNotFound : kErrPathFileAccess;
  Fail(number, DefaultDescription(number) + ": " + path);
}
}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) {
    if (errno == ENOENT) Fail(kErrFileNotFound, DefaultDescription(kErrFileNotFound) + ": " + path);
    FailFile(errno, path);
  }
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) FailFile(EISDIR, path);
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
  std::error_code ec;
  if (fs::is_directory(target, ec)) FailFile(EISDIR, path);
  std::string temp =
      (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  if (target.parent_path().empty()) temp = "." + target.filename().string() + ".XXXXXX";
  FileDescriptor fd(::mkstemp(temp.data()));
  if (fd.Get() < 0) FailFile(errno, path);
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
  ::fchmod(fd.Get(), 0644);
  if (::fsync(fd.Get()) != 0) discard(errno);
  if (!fd.Close()) discard(errno);
  if (::rename(temp.c_str(), path.c_str()) != 0) discard(errno);
}

void WriteFileAtomically(const std::string& path, const std::string& text) {
  WriteFileAtomically(
      path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace lumora
