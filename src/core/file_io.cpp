#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tevra {
namespace {

// Opens without blocking (a FIFO would wait for a writer) and keeps the
// descriptor only for a regular file. -1 otherwise; notRegular tells why.
int OpenRegular(const std::string& path, int flags, bool& notRegular) {
  notRegular = false;
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    notRegular = true;
    ::close(fd);
    return -1;
  }
  // Back to blocking reads and writes for the regular file.
  const int status = ::fcntl(fd, F_GETFL);
  if (status >= 0) ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
  return fd;
}

}  // namespace

FilePtr OpenRegularFile(const std::string& path, const char* mode) {
  const bool update = std::strchr(mode, '+') != nullptr;
  bool notRegular = false;
  const int fd = OpenRegular(path, update ? O_RDWR : O_RDONLY, notRegular);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, update ? "r+b" : "rb");
  if (!file) ::close(fd);
  return FilePtr(file);
}

FileReadResult ReadRegularFile(const std::string& path, std::string& bytes, std::uint64_t maxBytes) {
  bytes.clear();
  bool notRegular = false;
  const int fd = OpenRegular(path, O_RDONLY, notRegular);
  if (fd < 0) return notRegular ? FileReadResult::NotRegular : FileReadResult::CannotOpen;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    ::close(fd);
    return FileReadResult::TooLarge;
  }
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return FileReadResult::ReadError;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
    if (bytes.size() > maxBytes) {  // grew while being read
      ::close(fd);
      return FileReadResult::TooLarge;
    }
  }
  ::close(fd);
  return FileReadResult::Ok;
}

bool ReadAt(int fd, std::uint64_t offset, std::size_t length, std::string& out) {
  out.assign(length, '\0');
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::pread(fd, out.data() + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool WriteAt(int fd, std::uint64_t offset, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace tevra
