#include "core/mapped_file.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace tevra {

MappedFile::~MappedFile() {
  if (map_) munmap(map_, mapSize_);
}

bool MappedFile::Load(std::FILE* file) {
  struct stat st {};
  if (fstat(fileno(file), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    const auto size = static_cast<std::size_t>(st.st_size);
    void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fileno(file), 0);
    if (map != MAP_FAILED) {
      map_ = map;
      mapSize_ = size;
      data_ = std::string_view(static_cast<const char*>(map), size);
      madvise(map, size, MADV_SEQUENTIAL);
      return true;
    }
  }
  char buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) copy_.append(buffer, n);
  data_ = copy_;
  return std::ferror(file) == 0;
}

void MappedFile::Release(std::size_t offset) {
  if (!map_) return;
  static const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t end = std::min(offset, mapSize_) / page * page;
  if (end <= released_) return;
  madvise(static_cast<char*>(map_) + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

}  // namespace tevra
