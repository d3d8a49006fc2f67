// Opening and reading files that come from outside: only regular files are
// read (a directory, a FIFO or a device is refused without blocking), and a
// read takes no more than the caller allows.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace tevra {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens path if it is a regular file: "rb" for reading, "r+b" for reading
// and writing. Null for anything else, and when it cannot be opened.
FilePtr OpenRegularFile(const std::string& path, const char* mode = "rb");

enum class FileReadResult { Ok, CannotOpen, NotRegular, TooLarge, ReadError };

// The whole content of a regular file of at most maxBytes.
FileReadResult ReadRegularFile(const std::string& path, std::string& bytes,
                               std::uint64_t maxBytes = std::uint64_t{1} << 30);

// Whole reads and writes at an offset of an open descriptor (interrupted
// calls are repeated); false on an error or at the end of the file.
bool ReadAt(int fd, std::uint64_t offset, std::size_t length, std::string& out);
bool WriteAt(int fd, std::uint64_t offset, std::string_view bytes);

// What layouts, table files and other documents may take at most.
inline constexpr std::uint64_t kDocumentFileMax = std::uint64_t{256} << 20;

}  // namespace tevra
