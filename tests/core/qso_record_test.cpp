#include "core/qso_record.h"

#include <gtest/gtest.h>

namespace tevra {
namespace {

TEST(QsoRecord, BytesAreLittleEndianAtTheFixedOffsets) {
  QsoRecord r;
  r.Year = 24;
  r.Month = 11;
  r.Day = 3;
  r.Hour = 9;
  r.Minute = 30;
  SetField(r.Call, "JA1ABC");
  SetField(r.Remarks, "REM\xA2hi\xA3");
  r.QslSent = 'J';
  r.QslRcvd = 'N';
  r.Env = 0x01020304;
  r.SourceIndex = -2;
  const QsoRecordBytes b = ToBytes(r);
  EXPECT_EQ(b[0], 24);
  EXPECT_EQ(b[4], 30);
  EXPECT_EQ(b[5], 'J');
  EXPECT_EQ(b[10], 'C');
  EXPECT_EQ(b[11], 0);
  EXPECT_EQ(b[208], 'R');
  EXPECT_EQ(b[721], 'J');
  EXPECT_EQ(b[722], 'N');
  EXPECT_EQ(b[723], 0);
  EXPECT_EQ(b[724], 0x04);
  EXPECT_EQ(b[727], 0x01);
  EXPECT_EQ(b[728], 0xFE);
  EXPECT_EQ(b[731], 0xFF);
  EXPECT_EQ(FromBytes(b), r);
}

TEST(QsoRecord, ReadingHostileBytesKeepsFieldsTerminated) {
  QsoRecordBytes b;
  b.fill('A');
  QsoRecord r = FromBytes(b);
  EXPECT_EQ(FieldText(r.Call).size(), 24u);
  EXPECT_EQ(FieldText(r.Remarks).size(), 512u);
  EXPECT_EQ(r.Reserved, 0);
}

TEST(QsoRecord, StoredTextIsCutAtCapacityWithoutSplittingCharacters) {
  QsoRecord r;
  SetField(r.Call, std::string(30, 'K'));
  EXPECT_EQ(FieldText(r.Call), std::string(24, 'K'));
  // Eight bytes fit in Power; a double-byte character at 8..9 is left out.
  SetField(r.Power, "1234567\x8E\x52");
  EXPECT_EQ(FieldText(r.Power), "1234567");
  // Shorter text clears what an earlier longer text left behind.
  SetField(r.Call, "K1");
  EXPECT_EQ(FieldText(r.Call), "K1");
  EXPECT_EQ(r.Call[5], '\0');
}

}  // namespace
}  // namespace tevra
