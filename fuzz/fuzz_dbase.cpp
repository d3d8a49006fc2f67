// Arbitrary bytes as a dBase file: open, read every record, write one field
// and append a record, close, and read it again.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "import/dbase_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  char path[] = "/tmp/tevra-fuzz-dbf-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return 0;
  if (write(fd, data, size) != static_cast<ssize_t>(size)) {
    close(fd);
    unlink(path);
    return 0;
  }
  close(fd);
  {
    tevra::DbfEngine dbf;
    if (dbf.DbfOpen(path, true) == tevra::DbfOpenResult::Ok) {
      const std::uint32_t count = dbf.RecordCount();
      if (static_cast<std::uint64_t>(count) > size) std::abort();  // never more records than bytes
      for (std::uint32_t i = 0; i < count && i < 64; ++i) {
        if (!dbf.DbfSeek(i)) break;
        if (dbf.DbfRecordText().size() >= tevra::kDbfRecordTextMax) std::abort();
      }
      dbf.DbfSeek(count);
      dbf.DbfSetField(0, "JA1ABC");
      dbf.DbfClose();
      if (dbf.DbfOpen(path) == tevra::DbfOpenResult::Ok && dbf.RecordCount() != count + 1) std::abort();
    }
  }
  unlink(path);
  return 0;
}
