#include "import/mft_file.h"

#include <gtest/gtest.h>

namespace tevra {
namespace {

TEST(MftFile, ByteLayoutAndRoundTrip) {
  RecordLayout layout;
  layout.columns[0] = "YYMMDD";
  layout.columns[1] = std::string(300, 'x');    // 0xFF + 16-bit length
  layout.columns[2] = std::string(70000, 'y');  // 0xFF, 0xFFFF + 32-bit length
  layout.separatorType = 3;
  layout.utc = true;
  QsoRecord def;
  SetField(def.Call, "JA1DEF");
  def.Env = 5;

  const std::string bytes = EncodeMft(layout, def);
  EXPECT_EQ(bytes.substr(0, 20), std::string("TEVRA CSV Define\r\n\x1A\0", 20));
  EXPECT_EQ(bytes.substr(21, 4), std::string("\x01\0\0\0", 4));
  EXPECT_EQ(bytes.substr(25, 7), std::string("\x06YYMMDD"));
  EXPECT_EQ(bytes.substr(32, 3), std::string("\xFF\x2C\x01"));
  EXPECT_EQ(bytes.substr(335, 7), std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7));
  // 29 further "NULL" formulas of five bytes each, the delimiter, the record.
  const std::size_t tail = 342 + 70000 + 29 * 5;
  EXPECT_EQ(bytes.substr(tail, 4), std::string("\x03\0\0\0", 4));
  ASSERT_EQ(bytes.size(), tail + 4 + kQsoRecordSize);
  EXPECT_EQ(bytes.substr(tail + 4 + 5, 6), "JA1DEF");

  RecordLayout readLayout;
  QsoRecord readDef;
  ASSERT_TRUE(DecodeMft(bytes, readLayout, readDef));
  EXPECT_EQ(readLayout.columns, layout.columns);
  EXPECT_EQ(readLayout.separatorType, 3);
  EXPECT_TRUE(readLayout.utc);
  EXPECT_EQ(readDef, def);
  EXPECT_EQ(EncodeMft(readLayout, readDef), bytes);
}

TEST(MftFile, BadMagicShortFilesAndOddDelimiters) {
  RecordLayout layout;
  layout.columns[0] = "CALL";
  const std::string good = EncodeMft(layout, QsoRecord{});

  RecordLayout target;
  target.columns[5] = "KEEP";
  QsoRecord def;
  SetField(def.Call, "KEEP");
  std::string wrong = good;
  wrong[0] = 'X';
  EXPECT_FALSE(DecodeMft(wrong, target, def));
  for (std::size_t cut : {0u, 10u, 21u, 30u, 200u})
    EXPECT_FALSE(DecodeMft(good.substr(0, cut), target, def)) << cut;
  EXPECT_FALSE(DecodeMft(good.substr(0, good.size() - 1), target, def));
  EXPECT_EQ(target.columns[5], "KEEP");  // nothing changed
  EXPECT_EQ(FieldText(def.Call), "KEEP");

  // A length field that claims more than the file holds.
  std::string huge = good.substr(0, 25) + "\xFF\xFF\xFF\xFF\xFF\xFF\x7F";
  EXPECT_FALSE(DecodeMft(huge, target, def));

  // The byte after the magic is free; a delimiter of 7 reads as comma.
  std::string odd = good;
  odd[20] = 'Z';
  const std::size_t delimiterAt = odd.size() - kQsoRecordSize - 4;
  odd[delimiterAt] = 7;
  ASSERT_TRUE(DecodeMft(odd, target, def));
  EXPECT_EQ(target.separatorType, 0);
  EXPECT_EQ(target.columns[0], "CALL");
}

}  // namespace
}  // namespace tevra
