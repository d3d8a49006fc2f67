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

TEST(Encoding, LettersWithoutACp932FormAreTransliterated) {
  EXPECT_EQ(FromUnicode("Juán Muñoz, Straße, Œuvre, Łódź, Ærø"), "Juan Munoz, Strasse, OEuvre, Lodz, AEro");
  EXPECT_EQ(FromUnicode("„x“ – 5 €"), "\"x\x81\x67 - 5 EUR");  // CP932 has “ but not „
  EXPECT_EQ(FromUnicode("×°"), "\x81\x7E\x81\x8B");  // CP932 holds these itself
  EXPECT_EQ(Latin1ToUtf8("Mu\xF1oz \x80\x81"), "Muñoz €\xEF\xBF\xBD");
  EXPECT_EQ(FieldToCp932("Mu\xF1oz", TextEncoding::Latin1), "Munoz");
  EXPECT_EQ(FieldToCp932("Muñoz", TextEncoding::Cp932), "Munoz");  // valid UTF-8 wins
  EXPECT_EQ(FieldToCp932("\x8E\x52", TextEncoding::Cp932), "\x8E\x52");
  EXPECT_FALSE(IsMultibyteUtf8("plain"));
  EXPECT_FALSE(IsMultibyteUtf8("\xED\xA0\x80"));  // a surrogate
}

}  // namespace
}  // namespace tevra
