// Writing the sent mark back into the source logs, the backup, the lists of
// printed records and issue suppression.
#include "writeback/write_back.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <fcntl.h>
#include <unistd.h>
#include <fstream>
#include <iterator>

#include "program/program.h"
#include "core/messages.h"
#include "import/dbase_file.h"
#include "import/external_libraries.h"
#include "platform/clipboard.h"
#include "support/fake_printer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Fails every write after the first `writes`: a writer killed between records.
class DyingFile : public RecordFile {
 public:
  DyingFile(std::unique_ptr<RecordFile> file, int writes) : file_(std::move(file)), left_(writes) {}
  bool ReadAt(std::uint64_t o, std::size_t n, std::string& out) override { return file_->ReadAt(o, n, out); }
  bool WriteAt(std::uint64_t o, std::string_view bytes) override { return left_-- > 0 && file_->WriteAt(o, bytes); }
  bool Close() override { return file_->Close(); }
  bool Sync() override { return file_->Sync(); }
  std::optional<std::uint64_t> Size() override { return file_->Size(); }
  bool Truncate(std::uint64_t size) override { return file_->Truncate(size); }

 private:
  std::unique_ptr<RecordFile> file_;
  int left_;
};

class WriteBackTest : public ::testing::Test {
 protected:
  WriteBackTest() : program(ui, {(dir.Path() / "TEVRA.INI").string(), dir.Path().string() + "/"}) {
    printer.papers[43] = {3937, 5827};
    program.Start();
    doc = std::make_unique<Document>(program, printer);
  }
  // A copy of an example log, loaded with every QSO (sent ones too).
  std::string Load(const char* name, bool skipSent = false) {
    const fs::path path = dir.Path() / name;
    if (!fs::exists(path)) fs::copy_file(fs::path(TEVRA_EXAMPLES) / name, path);
    if (std::string(name).ends_with(".dbs"))
      fs::copy_file(fs::path(TEVRA_EXAMPLES) / "sample.DBR", dir.Path() / "sample.DBR",
                    fs::copy_options::skip_existing);
    program.settings.load.skipSendMark = skipSent;
    EXPECT_TRUE(doc->OpenByName(path.string())) << name;
    return path.string();
  }
  void PrintAll() {
    for (std::size_t c = 0; c < doc->store.CardCount(); ++c) doc->store.MarkCardPrinted(c);
    program.printedData = true;
  }
  // The sent marks as a reader sees them, by record, after a fresh load.
  std::string SentMarks(const std::string& path) {
    const bool printed = program.printedData;
    program.printedData = false;  // the other document has nothing to settle
    Document again(program, printer);
    program.settings.load.skipSendMark = false;
    EXPECT_TRUE(again.OpenByName(path));
    program.printedData = printed;
    std::string marks;
    for (std::size_t i = 0; i < again.store.QsoCount(); ++i) marks += again.store.Entry(i).Sent() ? again.store.Entry(i).Sent() : '.';
    return marks;
  }
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePrinter printer;
  Program program;
  std::unique_ptr<Document> doc;
};

TEST_F(WriteBackTest, BinaryLogsGetTheMarkOnlyInEmptySentFields) {
  for (const char* name : {"sample.mdt", "sample.dbs", "sample.hdb"})
    fs::copy_file(fs::path(TEVRA_EXAMPLES) / name, dir.Path() / name);
  for (const char* name : {"sample.mdt", "sample.dbs", "sample.hdb"}) {
    SCOPED_TRACE(name);
    const std::string path = Load(name);
    const std::string before = SentMarks(path);
    const std::string original = Bytes(path);
    PrintAll();
    ui.QueueAnswer(Answer::Yes);
    ASSERT_TRUE(doc->writeBack.Settle(true));
    // The message says where the backup is.
    EXPECT_EQ(ui.Messages().back().text, std::string(msg::kLogUpdatedWithBackup) + "\r\n" + path + ".$BK");
    EXPECT_EQ(doc->store.QsoCount(), 0u);  // the printed QSOs left the store
    EXPECT_FALSE(program.printedData);
    std::string expected = before;
    for (char& c : expected)
      if (c == '.' || (c == 'N' && std::string(name) != "sample.mdt")) c = '-';
    EXPECT_EQ(SentMarks(path), expected) << "before: " << before;
    // sample.mdt, .dbs and .hdb share a folder: each backup keeps its extension.
    const std::string bk = path + ".$BK";
    EXPECT_EQ(BackupPathFor(path), bk);
    EXPECT_EQ(doc->writeBack.LastBackupPath(), bk);
    EXPECT_EQ(Bytes(bk), original);
    EXPECT_EQ(Bytes(path).size(), original.size());
    fs::remove(bk);
  }
}

TEST_F(WriteBackTest, AdifMarksExactlyThePrintedRecordsAndKeepsEveryOtherByte) {
  const std::string head = "Exported by a logger\n<ADIF_VER:5>3.1.4 <EOH>\n";
  const std::string records[] = {
      "<CALL:4>K1AB <QSO_DATE:8>20240105 <QSL_SENT:1>N <QSL_SDATE:8>20230101 <COMMENT:5>hello <EOR>\n",
      "<call:4>k2ab <qso_date:8>20240105 <eor>\n",
      "<CALL:4>K3AB <QSO_DATE:8>20240105 <QSL_SENT:1>Y <EOR>\n",  // sent before: not loaded
      "<CALL:4>K4AB <QSO_DATE:8>20240105\n",                      // lost its <EOR>
      "<CALL:4>K5AB <QSO_DATE:8>20240105 <EOR>\n",
  };
  std::string original = head;
  for (const std::string& r : records) original += r;
  const fs::path path = dir.Path() / "wsjtx.adi";
  std::ofstream(path, std::ios::binary) << original;
  program.settings.load.skipSendMark = true;
  ASSERT_TRUE(doc->OpenByName(path.string()));
  ASSERT_EQ(doc->store.QsoCount(), 4u);
  struct stat st {};
  ::stat(path.c_str(), &st);
  {  // another program changes K5AB and keeps the time stamp
    std::string changed = original;
    changed.replace(changed.find("K5AB"), 4, "K5ZZ");
    std::ofstream(path, std::ios::binary) << changed;
    original = changed;
  }
  const struct utimbuf times{st.st_atime, st.st_mtime};
  ::utime(path.c_str(), &times);
  PrintAll();
  doc->writeBack.clock = [] { return std::time_t{1765152000}; };  // 2025-12-08 UTC
  ui.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(doc->writeBack.Settle(true));
  EXPECT_EQ(doc->writeBack.ChangedRecords(), 1u);
  const std::string expected =
      head + "<CALL:4>K1AB <QSO_DATE:8>20240105 <QSL_SENT:1>Y <QSL_SDATE:8>20251208 <COMMENT:5>hello <EOR>\n" +
      "<call:4>k2ab <qso_date:8>20240105 <QSL_SENT:1>Y <QSL_SDATE:8>20251208 <eor>\n" + records[2] +
      "<CALL:4>K4AB <QSO_DATE:8>20240105\n <QSL_SENT:1>Y <QSL_SDATE:8>20251208" +
      "<CALL:4>K5ZZ <QSO_DATE:8>20240105 <EOR>\n";
  EXPECT_EQ(Bytes(path), expected);
  EXPECT_EQ(Bytes(dir.Path() / "wsjtx.$BK"), original);
  EXPECT_EQ(SentMarks(path.string()), "YYYY.");
}

// A logger that keeps its ADIF log open for appending and logs QSOs while
// the cards are marked: every QSO it writes, before, during or after the
// write-back, is in the log that the path names.
TEST_F(WriteBackTest, AdifQsosALoggerAppendsMeanwhileAreNeverLost) {
  const fs::path path = dir.Path() / "live.adi";
  std::string original = "<ADIF_VER:5>3.1.4 <EOH>\n";
  for (int i = 0; i < 300; ++i)
    original += "<CALL:5>K" + std::to_string(1000 + i) + " <QSO_DATE:8>20240105 <EOR>\n";
  std::ofstream(path, std::ios::binary) << original;
  const struct utimbuf earlier{std::time(nullptr) - 60, std::time(nullptr) - 60};
  ::utime(path.c_str(), &earlier);
  ASSERT_TRUE(doc->OpenByName(path.string()));
  PrintAll();
  const int logger = ::open(path.c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(logger, 0);
  std::atomic<bool> stop{false};
  std::atomic<int> logged{0};
  std::thread writer([&] {
    while (!stop && logged < 5000) {
      const std::string qso = "<CALL:6>N" + std::to_string(10000 + logged.load()) + " <EOR>\n";
      if (::write(logger, qso.data(), qso.size()) != static_cast<ssize_t>(qso.size())) break;
      ++logged;
      std::this_thread::yield();
    }
  });
  while (logged < 20) std::this_thread::yield();
  ui.QueueAnswer(Answer::Yes);  // mark the log
  ui.QueueAnswer(Answer::Ok);   // it changed since loading: mark what is unchanged
  const bool ok = doc->writeBack.Settle(true);
  stop = true;
  writer.join();
  const std::string after = "<CALL:5>AFTER <EOR>\n";
  ASSERT_EQ(::write(logger, after.data(), after.size()), static_cast<ssize_t>(after.size()));
  ::close(logger);
  ASSERT_TRUE(ok);
  const std::string log = Bytes(path);
  std::size_t sent = 0;
  for (std::size_t at = log.find("<QSL_SENT:1>Y"); at != std::string::npos; at = log.find("<QSL_SENT:1>Y", at + 1))
    ++sent;
  EXPECT_EQ(sent, 300u);
  // The logger's QSOs, each once and in its order.
  std::string expected;
  for (int i = 0; i < logged; ++i) expected += "<CALL:6>N" + std::to_string(10000 + i) + " <EOR>\n";
  ASSERT_NE(log.find("<CALL:6>N10000"), std::string::npos);
  EXPECT_EQ(log.substr(log.find("<CALL:6>N10000")), expected + after);
  // The backup holds the log before any mark.
  EXPECT_TRUE(Bytes(dir.Path() / "live.$BK").starts_with(original));
}

TEST_F(WriteBackTest, EditedQsosAreNeverWritten) {
  const std::string path = Load("sample.mdt");
  QsoRecord edited;
  doc->store.Read(0, edited);
  doc->store.Replace(0, edited);
  PrintAll();
  ASSERT_TRUE(doc->writeBack.WriteBack());
  EXPECT_EQ(SentMarks(path).substr(0, 2), ".-");
}

TEST_F(WriteBackTest, AWriterKilledBetweenRecordsLosesNothing) {
  const std::string path = Load("sample.mdt");
  const std::string original = Bytes(path);
  PrintAll();
  doc->writeBack.openFile = [](const std::string& p) { return std::make_unique<DyingFile>(OpenRecordFile(p), 1); };
  ui.QueueAnswer(Answer::Yes);
  EXPECT_FALSE(doc->writeBack.Settle(true));
  ASSERT_GE(ui.Messages().size(), 2u);
  EXPECT_EQ(ui.Messages()[ui.Messages().size() - 2].text, msg::kCannotCreateFile105);
  // It says how far the marking went.
  EXPECT_EQ(ui.Messages().back().text,
            "印刷した 3 件のうち 1 件に送信済みマークを付けたところで更新が中断しました.残りには付いていません.");
  EXPECT_TRUE(program.printedData);  // asked again next time
  EXPECT_EQ(SentMarks(path), "-.J");  // exactly the first record
  const std::string backup = (dir.Path() / "sample.$BK").string();
  EXPECT_EQ(Bytes(backup), original);

  // The second attempt completes the rest and keeps the first backup.
  doc->writeBack.openFile = [](const std::string& p) { return OpenRecordFile(p); };
  ui.QueueAnswer(Answer::Yes);
  EXPECT_TRUE(doc->writeBack.Settle(true));  // our own change raises no "changed elsewhere" question
  EXPECT_EQ(SentMarks(path), "--J");
  EXPECT_EQ(Bytes(backup), original);
}

TEST_F(WriteBackTest, RecordsChangedElsewhereAreLeftAloneAndReported) {
  const std::string path = Load("sample.mdt");
  struct stat st {};
  ::stat(path.c_str(), &st);
  {  // another program renames the station of record 1 and keeps the time stamp
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(256 + 256 + 7);
    f.write("JA9ZZZ", 6);
  }
  const struct utimbuf times{st.st_atime, st.st_mtime};
  ::utime(path.c_str(), &times);
  PrintAll();
  ASSERT_TRUE(doc->writeBack.WriteBack());
  EXPECT_EQ(doc->writeBack.ChangedRecords(), 1u);
  EXPECT_NE(ui.Messages().back().text.find("1 件のレコード"), std::string::npos);
  EXPECT_EQ(SentMarks(path), "-.J");
}

TEST_F(WriteBackTest, ALogCutShortSinceLoadingLosesNoMoreThanItsMissingRecords) {
  const std::string path = Load("sample.mdt");
  struct stat st {};
  ::stat(path.c_str(), &st);
  fs::resize_file(path, 256 + 256 + 100);  // record 1 half gone, record 2 gone
  const struct utimbuf times{st.st_atime, st.st_mtime};
  ::utime(path.c_str(), &times);
  PrintAll();
  ASSERT_TRUE(doc->writeBack.WriteBack());
  EXPECT_EQ(doc->writeBack.ChangedRecords(), 2u);
  EXPECT_EQ(fs::file_size(path), 612u);  // nothing appended
  EXPECT_EQ(Bytes(path)[256 + 176], '-');
}

TEST_F(WriteBackTest, ANewerLogAsksFirstAndTheTimeStampCanBeKept) {
  const std::string path = Load("sample.mdt");
  const struct utimbuf later{2000000000, 2000000000};
  ::utime(path.c_str(), &later);  // touched since loading
  PrintAll();
  const std::string before = Bytes(path);
  ui.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(doc->writeBack.WriteBack());
  EXPECT_EQ(ui.Questions().back(), msg::kLogUpdatedElsewhere101);
  EXPECT_EQ(Bytes(path), before);

  program.settings.disLogNewTime = true;
  ui.QueueAnswer(Answer::Ok);
  EXPECT_TRUE(doc->writeBack.WriteBack());
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mtime, 2000000000);
  EXPECT_EQ(SentMarks(path), "--J");
}

TEST_F(WriteBackTest, TheBackupComesFirstAndItsFailureStopsEverything) {
  const std::string path = Load("sample.mdt");
  PrintAll();
  fs::create_directory(dir.Path() / "sample.$BK");  // cannot be replaced by a file
  const std::string before = Bytes(path);
  ui.QueueAnswer(Answer::Yes);
  EXPECT_FALSE(doc->writeBack.Settle(true));
  EXPECT_EQ(ui.Messages().back().text, msg::kBackupFailed103);
  EXPECT_EQ(Bytes(path), before);
  EXPECT_TRUE(program.printedData);

  // Declining clears the marks instead.
  ui.QueueAnswer(Answer::No);
  EXPECT_TRUE(doc->writeBack.Settle(true));
  EXPECT_FALSE(program.printedData);
  EXPECT_EQ(doc->store.PrintedPosition(0), -1);
  EXPECT_EQ(doc->store.QsoCount(), 3u);
}

TEST_F(WriteBackTest, Log200InsertsIntoTheTrailingBlanksAndKeepsASafetyCopy) {
  const fs::path path = dir.Path() / "sample.l2";
  std::string bytes = Bytes(fs::path(TEVRA_EXAMPLES) / "sample.l2");
  std::string full = bytes;
  for (std::size_t i = 0; i < 198; ++i)
    if (full[i] == ' ') full[i] = 'x';  // record 0 without trailing blanks
  std::ofstream(path, std::ios::binary) << full.substr(0, 200) << bytes;  // then the two original records
  Load("sample.l2");
  ASSERT_EQ(doc->store.QsoCount(), 3u);
  PrintAll();
  ui.QueueFileChoice(std::nullopt);  // no safety file chosen
  ui.QueueAnswer(Answer::Yes);       // create one beside the log
  ASSERT_TRUE(doc->writeBack.WriteBack());
  EXPECT_EQ(ui.FileRequests().back().title, msg::kSafetyFileTitle);
  const std::string after = Bytes(path);
  ASSERT_EQ(after.size(), 600u);
  EXPECT_EQ(after.substr(0, 200), full.substr(0, 200));  // nothing could be inserted
  // Record 1 gets "-" as its 16th field; its length and CR LF stay.
  std::string expected = bytes.substr(0, 198);
  std::size_t at = 0;
  for (int s = 0; s < 15; ++at)
    if (expected[at] == '\x1E') ++s;
  expected.insert(at, "-");
  expected.resize(198);
  EXPECT_EQ(after.substr(200, 198), expected);
  EXPECT_EQ(after.substr(398, 2), "\r\n");
  EXPECT_EQ(after.substr(400), bytes.substr(200));  // its 16th field was "J"
  // Every rewritten record went to the safety file.
  const std::string safety = Bytes(dir.Path() / "sample.l2s");
  EXPECT_EQ(safety, after);
}

TEST_F(WriteBackTest, Log200SafetyFileNeverFallsBehindTheLog) {
  const fs::path path = dir.Path() / "sample.l2";
  const fs::path safetyPath = dir.Path() / "sample.l2s";
  const std::string original = Bytes(fs::path(TEVRA_EXAMPLES) / "sample.l2");
  const std::string earlier(200, 'E');
  struct Case {
    int logWrites, safetyWrites;  // writes before the writer dies (-1: never)
    unsigned marked;              // records that carry the mark afterwards
  };
  for (const Case c : {Case{1, -1, 1}, Case{-1, 0, 0}, Case{-1, -1, 2}}) {
    SCOPED_TRACE(c.logWrites * 10 + c.safetyWrites);
    std::ofstream(path, std::ios::binary) << original;
    // A safety file whose last record an earlier run left cut short.
    std::ofstream(safetyPath, std::ios::binary) << earlier << std::string(50, 'x');
    Load("sample.l2");
    PrintAll();
    doc->writeBack.openFile = [&c](const std::string& p) -> std::unique_ptr<RecordFile> {
      const int writes = p.ends_with(".l2s") ? c.safetyWrites : c.logWrites;
      if (writes < 0) return OpenRecordFile(p);
      return std::make_unique<DyingFile>(OpenRecordFile(p), writes);
    };
    const bool ok = doc->writeBack.WriteBack();
    EXPECT_EQ(ok, c.logWrites < 0 && c.safetyWrites < 0);
    EXPECT_EQ(doc->writeBack.MarkedRecords(), c.marked);
    const std::string log = Bytes(path), safety = Bytes(safetyPath);
    // Whole records only, the earlier ones kept, and every record the log
    // got is in the safety file.
    EXPECT_EQ(safety.size() % 200, 0u);
    EXPECT_EQ(safety.substr(0, 200), earlier);
    for (std::size_t at = 0; at < log.size(); at += 200) {
      if (log.substr(at, 200) != original.substr(at, 200)) {
        EXPECT_NE(safety.find(log.substr(at, 200)), std::string::npos) << at;
      }
    }
    if (c.safetyWrites == 0) {
      EXPECT_EQ(log, original);  // nothing reaches the log before its copy
    }
    program.printedData = false;
    fs::remove(dir.Path() / "sample.$BK");
  }
}

TEST_F(WriteBackTest, MarksTheSentFieldCannotHoldAreRefused) {
  struct Case {
    const char* log;
    std::string mark;
  };
  const Case cases[] = {{"sample.mdt", ""}, {"sample.mdt", "\x8D\xCF"} /* 済 */, {"sample.dbs", "AB"},
                        {"sample.hdb", "\x8D\xCF"}, {"sample.l2", "A\x1E"}, {"sample.hdb", "\x01"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.log) + " [" + c.mark + "]");
    const std::string path = Load(c.log);
    const std::string original = Bytes(path);
    PrintAll();
    program.settings.sendMark = c.mark;
    EXPECT_FALSE(doc->writeBack.WriteBack());
    EXPECT_NE(ui.Messages().back().text.find("送信マーク"), std::string::npos);
    EXPECT_EQ(Bytes(path), original);
    EXPECT_FALSE(fs::exists(BackupPathFor(path)));  // refused before anything was written
    program.printedData = false;
  }
  EXPECT_FALSE(MarkProblem(SrcHamlog, "\xB6", 0));  // a half-width kana fits one byte
  EXPECT_TRUE(MarkProblem(SrcDbf, "DONE", 3));
  EXPECT_FALSE(MarkProblem(SrcDbf, "OK", 3));
}

TEST_F(WriteBackTest, DbaseWritesTheSendColumn) {
  const std::string path = (dir.Path() / "log.dbf").string();
  {
    DbfEngine engine;
    ASSERT_TRUE(engine.DbfCreate(path, {"CALL", "SEND"}, {10, 3}));
    const char* rows[][2] = {{"JA1AAA", ""}, {"JA2BBB", "Y"}, {"JA3CCC", ""}};
    for (std::size_t i = 0; i < 3; ++i) {
      ASSERT_TRUE(engine.DbfSeek(i));
      engine.DbfSetField(0, rows[i][0]);
      engine.DbfSetField(1, rows[i][1]);
    }
    ASSERT_TRUE(engine.DbfClose());
  }
  program.settings.load.csv.columns[0] = "CALL";
  program.settings.load.csv.columns[1] = "SEND";
  program.settings.load.skipSendMark = false;
  program.settings.sendMark = "OK";
  ui.QueueFormatDialog([](CsvFormatDialog&) { return true; });
  ASSERT_TRUE(doc->OpenByName(path));
  ASSERT_EQ(doc->store.QsoCount(), 3u);
  PrintAll();
  ASSERT_TRUE(doc->writeBack.WriteBack());
  DbfEngine check;
  ASSERT_EQ(check.DbfOpen(path), DbfOpenResult::Ok);
  std::string sent;
  for (std::size_t i = 0; i < 3; ++i) {
    ASSERT_TRUE(check.DbfSeek(i));
    sent += check.DbfFieldText(1) + "|";
  }
  EXPECT_EQ(sent, "OK |Y  |OK |");

  // Another program deletes a record after the load: it is not marked.
  program.printedData = false;
  ui.QueueFormatDialog([](CsvFormatDialog&) { return true; });
  ASSERT_TRUE(doc->OpenByName(path));
  {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    char header[12];
    f.read(header, sizeof header);
    const unsigned headerLength = static_cast<unsigned char>(header[8]) | static_cast<unsigned char>(header[9]) << 8;
    const unsigned recordLength = static_cast<unsigned char>(header[10]) | static_cast<unsigned char>(header[11]) << 8;
    f.seekp(headerLength + recordLength * 2);  // JA3CCC
    f.write("*", 1);
  }
  PrintAll();
  ASSERT_TRUE(doc->writeBack.WriteBack());
  EXPECT_EQ(doc->writeBack.ChangedRecords(), 1u);

  program.settings.load.csv.columns[1] = "NULL";
  EXPECT_FALSE(doc->writeBack.WriteBack());
  EXPECT_EQ(ui.Messages().back().text, msg::kNoSendFormula33001);
  program.settings.load.csv.columns[1] = "NULL";
  program.settings.load.csv.columns[5] = "SEND";  // beyond the two fields
  EXPECT_FALSE(doc->writeBack.WriteBack());
  EXPECT_EQ(ui.Messages().back().text, msg::kSendFieldUnusable33002);
}

class FakeSource : public UpdatableSource {
 public:
  std::vector<std::string> send{"", "Y", ""};
  std::size_t current = 0;
  std::size_t FieldCount() const override { return 2; }
  bool Seek(std::int32_t r) override {
    if (r < 0 || static_cast<std::size_t>(r) >= send.size()) return false;
    current = static_cast<std::size_t>(r);
    return true;
  }
  std::string Text(std::size_t f) override { return f == 1 ? send[current] : "JA1AAA"; }
  bool CanUpdate(std::size_t f) override { return f == 1; }
  bool Update(std::size_t f, std::string_view text) override {
    if (f != 1) return false;
    send[current] = text;
    return true;
  }
};

TEST_F(WriteBackTest, DatabasesAndPluginsThroughTheirLibraries) {
  for (int i = 0; i < 3; ++i) {
    QsoRecord r;
    SetField(r.Call, "JA1AAA");
    doc->store.Add(r, i);
  }
  doc->store.SetSourceType(SrcPlugin);
  doc->store.Regroup();
  PrintAll();
  FakeSource source;
  doc->writeBack.liveSource = &source;
  program.settings.load.csv.columns[1] = "SEND";
  ASSERT_TRUE(doc->writeBack.WriteBack());
  EXPECT_EQ(source.send, (std::vector<std::string>{"-", "Y", "-"}));
  program.settings.load.csv.columns[1] = "NULL";
  program.settings.load.csv.columns[0] = "SEND";  // a column the source will not write
  EXPECT_FALSE(doc->writeBack.WriteBack());
  EXPECT_EQ(ui.Messages().back().text, msg::kSendFieldUnusable33002);

  // An open plug-in that cannot update is closed without a question.
  bool closed = false;
  doc->writeBack.pluginCannotUpdate = true;
  doc->writeBack.closePlugin = [&] { closed = true; };
  EXPECT_TRUE(doc->writeBack.Settle(true));
  EXPECT_TRUE(closed);
}

TEST_F(WriteBackTest, TheLibrariesOfDatabasesAndPluginsAreWritten) {
  for (int i = 0; i < 3; ++i) {
    QsoRecord r;
    SetField(r.Call, "JA1ABC");
    doc->store.Add(r, i);
  }
  doc->store.Regroup();
  program.settings.load.csv.columns[1] = "SEND";
  const std::string libs = std::string(TEVRA_FAKE_LIBS) + "full/";
  ExtSrcLibrary plugin;
  ASSERT_TRUE(plugin.Load(libs, ui));
  DbBridgeLibrary bridge;
  ASSERT_TRUE(bridge.Load(libs, ui));
  struct Case {
    LogSourceType type;
    std::unique_ptr<UpdatableSource> source;
    std::size_t column;
    std::string mark;
  };
  // A plug-in without field names: the mark goes to column 10 of its lines,
  // whatever the SEND formula says.
  ExtSrcLibrary automation;
  ASSERT_TRUE(automation.Load(std::string(TEVRA_FAKE_LIBS) + "automation/", ui));
  Case cases[] = {{SrcPlugin, PluginSource(plugin.Api()), 1, "P"},
                  {SrcOdbc, DatabaseSource(bridge.Api()), 1, "D"},
                  {SrcPlugin, PluginSource(automation.Api(), true), 10, "A"}};
  for (Case& c : cases) {
    SCOPED_TRACE(c.mark);
    ASSERT_EQ(c.source->FieldCount(), c.column == 10 ? 13u : 2u);
    doc->store.SetSourceType(c.type);
    PrintAll();
    doc->writeBack.liveSource = c.source.get();
    doc->writeBack.pluginWithoutFormulas = c.column == 10;
    program.settings.sendMark = c.mark;
    ASSERT_TRUE(doc->writeBack.WriteBack());
    std::string marks;
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(c.source->Seek(i));
      marks += c.source->Text(c.column) + "|";
    }
    // Each library has its own table; the sent record keeps its "Y".
    EXPECT_EQ(marks, c.mark + "|Y|" + c.mark + "|");
    EXPECT_FALSE(c.source->Seek(3));
  }
}

class FakeClipboard : public Clipboard {
 public:
  void SetText(std::string_view t) override { text = t; }
  std::optional<std::string> Text() const override { return text; }
  std::string text;
};

TEST_F(WriteBackTest, TextLogsGetAListAndTheClipboardAnAnswer) {
  const std::string path = dir.Write("my.log", Bytes(fs::path(TEVRA_EXAMPLES) / "sample.log"));
  ASSERT_TRUE(doc->OpenByName(path));
  doc->store.MarkCardPrinted(0);
  doc->store.MarkCardPrinted(2);
  program.printedData = true;
  ui.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(doc->writeBack.Settle(true));
  EXPECT_EQ(ui.Questions().back(), msg::kAskListFile);
  // Line 2 was loaded as sent already: cards 0 and 2 are lines 1 and 4.
  EXPECT_EQ(Bytes(dir.Path() / "my.TVQ"), "1\r\n4\r\n");
  EXPECT_EQ(ui.Messages().back().text, msg::kListFileDone);
  EXPECT_FALSE(fs::exists(path + ".$BK"));

  FakeClipboard clipboard;
  doc->writeBack.clipboard = &clipboard;
  doc->store.SetSourceType(SrcClipboard);
  doc->store.MarkCardPrinted(1);
  program.printedData = true;
  ui.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(doc->writeBack.Settle(false));
  EXPECT_EQ(clipboard.text, "$TEVRA_PRINTOUT\r\n6\r\n");  // lines 3 and 6 were left
  EXPECT_FALSE(program.printedData);
}

TEST_F(WriteBackTest, SuppressionMarksWhatWasSentBefore) {
  auto add = [&](const char* call, const char* freq, char sent, char received = 0) {
    QsoRecord r;
    r.Year = 24;
    SetField(r.Call, call);
    SetField(r.Freq, freq);
    SetField(r.Mode, "CW");
    r.QslSent = sent;
    r.QslRcvd = received;
    doc->store.Add(r, static_cast<std::int32_t>(doc->store.QsoCount()) + 1);
  };
  add("JA1AAA", "7.010", 'Y');
  add("JA1AAA", "7.020", 0);   // same band as a sent QSO: suppressed
  add("JA1AAA", "14.020", 0);  // another band: printed
  add("JA1RL", "7.010", 0);    // the JARL: always suppressed
  add("W1AW", "7.010", 'N');   // "N" is not a sent card
  add("W1AW", "7.010", 0);
  add("JA1AAA", "7.030", 0, 'Y');  // a card was received: printed
  doc->store.Regroup();
  program.settings.load.skipSendMark = false;
  ui.QueueAnswer(Answer::No);  // do not mark the log
  const SuppressionResult result = SuppressIssued(*doc, SuppressionOptions{});
  EXPECT_EQ(result.unsent, 5u);
  EXPECT_EQ(result.suppressed, 2u);
  EXPECT_EQ(ui.Questions().back(), "5 QSO中の 2 QSOが抑止対象として抽出されました.\r\n\r\n参照元のログファイルを更新しますか？");
  ASSERT_EQ(doc->store.QsoCount(), 3u);  // this print: only what is left
  EXPECT_EQ(doc->store.Entry(0).Text(LogEntry::Freq), "14.020");
  EXPECT_EQ(doc->store.Entry(1).Text(LogEntry::Call), "W1AW");
  EXPECT_EQ(doc->store.Entry(2).Text(LogEntry::Freq), "7.030");

  // Nothing left to suppress.
  SuppressIssued(*doc, SuppressionOptions{});
  EXPECT_EQ(ui.Messages().back().text, msg::kNothingSuppressed);

  // Marks that cannot be written leave nothing out.
  add("JA1RL", "7.010", 0);
  doc->store.Regroup();
  doc->store.SetSourceType(SrcKuvalData);
  ui.QueueAnswer(Answer::Yes);
  doc->writeBack.openFile = [](const std::string&) { return std::unique_ptr<RecordFile>(); };
  const SuppressionResult failed = SuppressIssued(*doc, SuppressionOptions{});
  EXPECT_TRUE(failed.failed);
  EXPECT_EQ(ui.Messages().back().text, msg::kSuppressionNotWritten);
  EXPECT_EQ(failed.kept, 4u);
  EXPECT_TRUE(IsJarlRelated("8J1A"));
  EXPECT_TRUE(IsJarlRelated("7J1RL"));
  EXPECT_FALSE(IsJarlRelated("JA1RLX"));
}

}  // namespace
}  // namespace tevra
