#include "card/archive_records.h"

#include <gtest/gtest.h>

namespace tevra {
namespace {

TEST(ArchiveRecords, BytesAndRoundTrips) {
  ArchiveWriter out;
  WriteRect(out, {1, -2, 3, -4});
  WritePen(out, {2, 5, 5, 0x00ABCDEF});
  FontRecord font;
  font.height = -37;
  font.italic = 1;
  WriteFont(out, font);
  out.Double(88.05);
  out.Pairs({{"IsJA", "JA"}, {"TRUE", std::string(300, 'x')}});
  const std::string& bytes = out.Data();
  ASSERT_EQ(bytes.size(), 16u + 16u + 60u + 8u + 4u + (1 + 4 + 1 + 2) + (1 + 4 + 3 + 300));
  EXPECT_EQ(bytes.substr(4, 4), std::string("\xFE\xFF\xFF\xFF", 4));  // -2, little-endian
  EXPECT_EQ(bytes.substr(28, 4), std::string("\xEF\xCD\xAB\x00", 4));
  EXPECT_EQ(bytes.substr(32, 4), std::string("\xDB\xFF\xFF\xFF", 4));  // font height -37
  EXPECT_EQ(bytes[52], 1);                                             // italic
  EXPECT_EQ(bytes.substr(60, 9), "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9");  // the face

  ArchiveReader in(bytes);
  LogicalRect rect;
  PenRecord pen;
  FontRecord readFont;
  double pitch = 0;
  std::vector<std::pair<std::string, std::string>> pairs;
  ASSERT_TRUE(ReadRect(in, rect) && ReadPen(in, pen) && ReadFont(in, readFont) && in.Double(pitch) && in.Pairs(pairs));
  EXPECT_EQ(rect, (LogicalRect{1, -2, 3, -4}));
  EXPECT_EQ(pen.colour, 0x00ABCDEFu);
  EXPECT_EQ(readFont, font);
  EXPECT_DOUBLE_EQ(pitch, 88.05);
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[1].second.size(), 300u);
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST(ArchiveRecords, HostileCountsAndCutData) {
  ArchiveWriter huge;
  huge.Int(0x7FFFFFFF);  // 2^31 - 1 pairs in a few bytes
  huge.Str("a");
  std::vector<std::pair<std::string, std::string>> pairs{{"keep", "me"}};
  ArchiveReader in(huge.Data());
  EXPECT_FALSE(in.Pairs(pairs));
  EXPECT_TRUE(in.Failed());
  EXPECT_EQ(pairs.size(), 1u);  // unchanged

  ArchiveWriter negative;
  negative.Int(-1);
  ArchiveReader neg(negative.Data());
  EXPECT_FALSE(neg.Pairs(pairs));

  ArchiveWriter font;
  WriteFont(font, FontRecord{});
  for (std::size_t cut = 0; cut < 60; cut += 7) {
    ArchiveReader partial(std::string_view(font.Data()).substr(0, cut));
    FontRecord f;
    f.height = 123;
    EXPECT_FALSE(ReadFont(partial, f)) << cut;
    EXPECT_EQ(f.height, 123);
  }
  std::string noTerminator = font.Data();
  for (std::size_t i = 28; i < 60; ++i) noTerminator[i] = 'A';
  ArchiveReader unterminated(noTerminator);
  FontRecord f;
  ASSERT_TRUE(ReadFont(unterminated, f));
  EXPECT_EQ(std::string_view(f.faceName).size(), 31u);
}

}  // namespace
}  // namespace tevra
