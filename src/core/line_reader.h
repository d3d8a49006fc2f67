// Buffered reader of text lines from a file, bounded per line.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tevra {

class LineReader {
 public:
  // Keeps at most maxLength bytes of each line; the rest of a longer line is
  // skipped, so every physical line yields exactly one line (line numbers
  // stay true). A line's text also ends at its first CR or NUL.
  LineReader(std::FILE* file, std::size_t maxLength);

  // False at the end of the file (or on a read error).
  bool Next(std::string& line);
  bool Failed() const { return failed_; }

 private:
  bool Fill();

  std::FILE* file_;
  std::size_t maxLength_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
  bool failed_ = false;
};

}  // namespace tevra
