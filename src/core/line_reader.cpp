#include "core/line_reader.h"

#include <algorithm>
#include <cstring>

namespace tevra {

LineReader::LineReader(std::FILE* file, std::size_t maxLength)
    : file_(file), maxLength_(maxLength), buffer_(1 << 16) {}

bool LineReader::Fill() {
  if (eof_) return false;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  pos_ = 0;
  if (end_ == 0) {
    eof_ = true;
    failed_ = std::ferror(file_) != 0;
  }
  return end_ > 0;
}

bool LineReader::Next(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !Fill()) break;
    any = true;
    const char* start = buffer_.data() + pos_;
    const char* stop = static_cast<const char*>(std::memchr(start, '\n', end_ - pos_));
    std::size_t chunk = stop ? static_cast<std::size_t>(stop - start) : end_ - pos_;
    if (line.size() < maxLength_) line.append(start, std::min(chunk, maxLength_ - line.size()));
    pos_ += chunk;
    if (stop) {
      ++pos_;  // the line feed
      break;
    }
  }
  if (!any) return false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\r' || line[i] == '\0') {
      line.resize(i);
      break;
    }
  }
  return true;
}

}  // namespace tevra
