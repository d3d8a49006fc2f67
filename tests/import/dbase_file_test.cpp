#include "import/dbase_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "import/dbase_test_util.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

test::DbfSpec TwoFieldSpec() {
  test::DbfSpec spec;
  spec.fields = {{"CALL", 8}, {"S", 1}};
  spec.records = {test::DbfRecord(spec, ' ', {"JA1ABC", ""}), test::DbfRecord(spec, '*', {"DELETED", "J"}),
                  test::DbfRecord(spec, ' ', {"W1AW", "J"})};
  return spec;
}

TEST(DbfEngine, ReadsRecordsFieldsAndDeletionFlags) {
  test::TempDir dir;
  DbfEngine dbf;
  ASSERT_EQ(dbf.DbfOpen(dir.Write("log.dbf", test::DbfBytes(TwoFieldSpec()))), DbfOpenResult::Ok);
  EXPECT_EQ(dbf.RecordCount(), 3u);
  ASSERT_EQ(dbf.Fields().size(), 2u);
  EXPECT_EQ(dbf.Fields()[0].name, "CALL");
  ASSERT_TRUE(dbf.DbfSeek(0));
  EXPECT_TRUE(dbf.DbfIsLive());
  EXPECT_EQ(dbf.DbfRecordText(), "JA1ABC  \x1E \x1E");
  ASSERT_TRUE(dbf.DbfSeek(1));
  EXPECT_FALSE(dbf.DbfIsLive());
  ASSERT_TRUE(dbf.DbfSeek(2));
  EXPECT_EQ(dbf.DbfFieldText(1), "J");
  EXPECT_EQ(dbf.DbfFieldText(9), "");
  // Just past the last record: blanks.
  ASSERT_TRUE(dbf.DbfSeek(3));
  EXPECT_TRUE(dbf.DbfIsLive());
  EXPECT_EQ(dbf.DbfFieldText(0), "        ");
}

TEST(DbfEngine, CreateWriteAppendCloseReopen) {
  test::TempDir dir;
  const std::string path = (dir.Path() / "new.dbf").string();
  DbfEngine dbf;
  ASSERT_TRUE(dbf.DbfCreate(path, {"CALL", "S"}, {6, 1}));
  ASSERT_TRUE(dbf.DbfSeek(0));
  dbf.DbfSetField(0, "JA1ABCDEF");  // longer than the field: cut
  dbf.DbfSetField(1, "J");
  ASSERT_TRUE(dbf.DbfSeek(1));  // flushes record 0
  dbf.DbfSetField(0, "K1A");    // shorter: blank-filled
  ASSERT_TRUE(dbf.DbfClose());

  const std::string bytes = Slurp(path);
  ASSERT_EQ(bytes.size(), 32u + 64u + 1u + 2 * 8u);
  EXPECT_EQ(bytes[0], 0x03);
  EXPECT_EQ(bytes[4], 2);  // the record count grew with each appended record
  EXPECT_EQ(bytes[8], static_cast<char>(97));
  EXPECT_EQ(bytes[10], 8);
  EXPECT_EQ(bytes[32 + 11], 'C');
  EXPECT_EQ(bytes[96], 0x0D);
  EXPECT_EQ(bytes.substr(97), " JA1ABCJ K1A    ");

  ASSERT_EQ(dbf.DbfOpen(path, true), DbfOpenResult::Ok);
  EXPECT_EQ(dbf.RecordCount(), 2u);
  ASSERT_TRUE(dbf.DbfSeek(1));
  EXPECT_EQ(dbf.DbfFieldText(0), "K1A   ");
  dbf.DbfSetField(1, "\x8E\x52");  // a double-byte character does not fit in one byte
  ASSERT_TRUE(dbf.DbfClose());
  EXPECT_EQ(Slurp(path).substr(97 + 8), " K1A    ");

  EXPECT_FALSE(dbf.DbfCreate((dir.Path() / "no/such/dir.dbf").string(), {"A"}, {1}));
}

TEST(DbfEngine, LyingHeadersAreRefusedOrCutToTheFile) {
  test::TempDir dir;
  DbfEngine dbf;
  test::DbfSpec spec = TwoFieldSpec();

  spec.countOverride = 1000000;  // more records than the file holds
  ASSERT_EQ(dbf.DbfOpen(dir.Write("a.dbf", test::DbfBytes(spec))), DbfOpenResult::Ok);
  EXPECT_EQ(dbf.RecordCount(), 3u);

  spec = TwoFieldSpec();
  spec.headerLengthOverride = 60000;  // longer than the file
  EXPECT_EQ(dbf.DbfOpen(dir.Write("b.dbf", test::DbfBytes(spec))), DbfOpenResult::BadFormat);
  spec.headerLengthOverride = 0;
  EXPECT_EQ(dbf.DbfOpen(dir.Write("c.dbf", test::DbfBytes(spec))), DbfOpenResult::BadFormat);

  spec = TwoFieldSpec();
  spec.recordLengthOverride = 0;
  EXPECT_EQ(dbf.DbfOpen(dir.Write("d.dbf", test::DbfBytes(spec))), DbfOpenResult::BadFormat);
  spec.recordLengthOverride = 65535;  // disagrees with the fields
  EXPECT_EQ(dbf.DbfOpen(dir.Write("e.dbf", test::DbfBytes(spec))), DbfOpenResult::BadFormat);

  spec = TwoFieldSpec();
  spec.version = 0x30;
  EXPECT_EQ(dbf.DbfOpen(dir.Write("f.dbf", test::DbfBytes(spec))), DbfOpenResult::BadFormat);
  spec.version = 0x83;
  EXPECT_EQ(dbf.DbfOpen(dir.Write("g.dbf", test::DbfBytes(spec))), DbfOpenResult::Ok);

  EXPECT_EQ(dbf.DbfOpen(dir.Write("h.dbf", test::DbfBytes(spec).substr(0, 40))), DbfOpenResult::BadFormat);
  EXPECT_EQ(dbf.DbfOpen(dir.Write("i.dbf", "")), DbfOpenResult::BadFormat);
  EXPECT_EQ(dbf.DbfOpen((dir.Path() / "missing.dbf").string()), DbfOpenResult::CannotOpen);

  // A record cut short at the end of the file is not counted.
  spec = TwoFieldSpec();
  std::string cut = test::DbfBytes(spec);
  cut.pop_back();
  ASSERT_EQ(dbf.DbfOpen(dir.Write("j.dbf", cut)), DbfOpenResult::Ok);
  EXPECT_EQ(dbf.RecordCount(), 2u);
}

}  // namespace
}  // namespace tevra
