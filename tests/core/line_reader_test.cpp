#include "core/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace tevra {
namespace {

std::vector<std::string> ReadAll(std::string_view bytes, std::size_t max) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), &std::fclose);
  std::fwrite(bytes.data(), 1, bytes.size(), file.get());
  std::rewind(file.get());
  LineReader reader(file.get(), max);
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  EXPECT_FALSE(reader.Failed());
  return lines;
}

TEST(LineReader, LineEndsAndTheLastLineWithoutOne) {
  EXPECT_EQ(ReadAll("a\r\nb\nc", 511), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(ReadAll("a\n\nb\n", 511), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(ReadAll("", 511).empty());
  // A line's text ends at a CR or NUL inside it.
  EXPECT_EQ(ReadAll(std::string("x\ry\nz\0w\n", 8), 511), (std::vector<std::string>{"x", "z"}));
}

TEST(LineReader, LongLinesAreCutNotSplit) {
  std::string longLine(100000, 'x');  // longer than the internal buffer
  auto lines = ReadAll("first\n" + longLine + "\nthird\n", 511);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], std::string(511, 'x'));
  EXPECT_EQ(lines[2], "third");
}

}  // namespace
}  // namespace tevra
