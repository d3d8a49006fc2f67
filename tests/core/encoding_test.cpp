#include "core/encoding.h"

#include <gtest/gtest.h>

namespace tevra {
namespace {

TEST(Encoding, Cp932RoundTrip) {
  const std::string cp932 = "JA1ABC \x8E\x52\x93\x63 \xB1\xA2\xA3 \x83\xB3";  // 山田, ｱ｢｣, Φ
  const std::string utf8 = ToUnicode(cp932);
  EXPECT_EQ(utf8, "JA1ABC 山田 ｱ｢｣ Φ");
  EXPECT_EQ(FromUnicode(utf8), cp932);
  EXPECT_EQ(ToUnicode("plain"), "plain");
}

TEST(Encoding, InvalidInputIsReplacedNotDropped) {
  // A lone lead byte at the end and an undefined byte.
  EXPECT_EQ(ToUnicode("a\x81"), "a\xEF\xBF\xBD");
  EXPECT_EQ(ToUnicode("a\xA0z"), "a\xEF\xBF\xBD" "z");
  // A character without a CP932 form becomes one "?".
  EXPECT_EQ(FromUnicode("a😀b"), "a?b");
  EXPECT_EQ(FromUnicode("a\xFF" "b"), "a?b");
}

}  // namespace
}  // namespace tevra
