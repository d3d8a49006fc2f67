// The sample plug-in for CSV logs: its file handling on its own, then the
// plug-in itself through the program (load, write-back, export) and through
// tevra-batch.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

#include "program/log_list.h"
#include "program/program.h"
#include "core/encoding.h"
#include "core/messages.h"
#include "csv_log.h"
#include "import/csv_format_dialog.h"
#include "support/fake_printer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(CsvLog, ReadsWhatSpreadsheetsWriteAndChangesOnlyTheFieldSet) {
  struct Case {
    const char* name;
    std::string file;
    char delimiter;
    const char* fields;  // the header's names, "|"-separated
    std::vector<std::string> lines;  // each record as TEVRA reads it (UTF-8 here)
    int record, field;  // the field set to "Y"
    std::string after;
  };
  const Case cases[] = {
      {"quoted commas, a blank line, CRLF",
       "CALL,NAME,SENT\r\nJA1ABC,\"Sato, Taro\",\r\n\r\nW1AW,\"Say \"\"hi\"\"\",\r\n", ',', "CALL|NAME|SENT",
       {"JA1ABC,\"Sato, Taro\",", "W1AW,Say 'hi',"}, 1, 2,
       "CALL,NAME,SENT\r\nJA1ABC,\"Sato, Taro\",\r\n\r\nW1AW,\"Say \"\"hi\"\"\",Y\r\n"},
      {"UTF-8 with a byte-order mark, a short record padded", "\xEF\xBB\xBF" "call,name,qsl_sent\nja1abc,山田\nk1abc,Bob,N",
       ',', "call|name|qsl_sent", {"ja1abc,山田", "k1abc,Bob,N"}, 0, 2,
       "\xEF\xBB\xBF" "call,name,qsl_sent\nja1abc,山田,Y\nk1abc,Bob,N"},
      {"semicolons, a quoted field stays quoted", "CALL;NAME;SENT\nJA1ABC;Taro;\"\"\n", ';', "CALL|NAME|SENT",
       {"JA1ABC,Taro,"}, 0, 2, "CALL;NAME;SENT\nJA1ABC;Taro;\"Y\"\n"},
      {"CP932 stays CP932", FromUnicode("CALL,名前,SENT\r\nJA1ABC,山田,\r\n"), ',', "CALL|名前|SENT",
       {"JA1ABC,山田,"}, 0, 2, FromUnicode("CALL,名前,SENT\r\nJA1ABC,山田,Y\r\n")},
      {"a quote that never closes", "CALL,NAME\nJA1ABC,\"open\nK1ABC,x\n", ',', "CALL|NAME",
       {"JA1ABC,\"open K1ABC,x \""}, 0, 0, "CALL,NAME\nY,\"open\nK1ABC,x\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    extsrc::CsvLog log;
    ASSERT_TRUE(log.Parse(c.file));
    EXPECT_EQ(log.Delimiter(), c.delimiter);
    std::string names;
    for (std::size_t f = 0; f < log.FieldCount(); ++f) {
      if (f) names += '|';
      names += ToUnicode(log.FieldName(f));
    }
    EXPECT_EQ(names, c.fields);
    ASSERT_EQ(log.RecordCount(), c.lines.size());
    for (std::size_t r = 0; r < c.lines.size(); ++r) EXPECT_EQ(ToUnicode(log.Line(r)), c.lines[r]);
    ASSERT_TRUE(log.Set(c.record, c.field, "Y"));
    EXPECT_EQ(log.Text(c.record, c.field), "Y");
    EXPECT_EQ(log.Bytes(), c.after);
    EXPECT_EQ(log.Original(), c.file);
  }
  extsrc::CsvLog log;
  EXPECT_FALSE(log.Parse("\r\n\r\n"));  // no header
  ASSERT_TRUE(log.Parse("CALL\nJA1ABC\n"));
  EXPECT_FALSE(log.Set(0, 1, "Y"));  // beyond the header
  // A file cut short inside a quote: its last record takes no field there
  // or after it (the mark would land inside the quote).
  const std::string cut = "CALL,NAME,SENT\r\nJA1ABC,Taro,\r\nK1ABC,\"Sato\r\n";
  ASSERT_TRUE(log.Parse(cut));
  EXPECT_FALSE(log.Set(1, 2, "*"));
  EXPECT_FALSE(log.Set(1, 1, "*"));
  EXPECT_TRUE(log.Set(0, 2, "*"));
  EXPECT_EQ(log.Bytes(), "CALL,NAME,SENT\r\nJA1ABC,Taro,*\r\nK1ABC,\"Sato\r\n");
}

class CsvPluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir.Write("log.csv", kLog);
    program.Start();
    ASSERT_TRUE(program.extSrc.Available());
    program.settings.load.curLogDir = dir.Path().string() + "/";
    program.settings.load.curLogName = "log.csv";
  }
  // A logger's export: ADIF names, UTF-8, a name with a comma, one card sent.
  static constexpr const char* kLog =
      "QSO_DATE,TIME_ON,CALL,BAND,MODE,RST_SENT,NAME,QSL_SENT\r\n"
      "20241103,0930,JA1ABC,40m,CW,599,\"山田, 太郎\",\r\n"
      "20241104,1000,W1AW,20m,SSB,59,Hiram,Y\r\n"
      "20241105,1100,VK2AA,15m,FT8,-10,Bob,\r\n";
  test::TempDir dir;
  std::string path;
  test::ScriptedUi ui;
  test::FakePrinter printer;
  Program program{ui, {(dir.Path() / "TEVRA.INI").string(), std::string(TEVRA_BRIDGE_DIR) + "/"}};
  Document doc{program, printer};
};

TEST_F(CsvPluginTest, LoadsByTheHeaderWritesTheMarkBackAndExports) {
  ui.QueueFormatDialog([](CsvFormatDialog& dialog) {
    EXPECT_EQ(dialog.RowLabel(2), "CALL");
    dialog.Guess();
    return true;
  });
  ASSERT_TRUE(doc.ConnectPlugin());
  ASSERT_EQ(doc.store.QsoCount(), 2u);  // W1AW's card was sent already
  EXPECT_EQ(doc.store.Entry(0).Text(LogEntry::Call), "JA1ABC");
  EXPECT_EQ(ToUnicode(doc.store.Entry(0).Text(LogEntry::Name)), "山田, 太郎");
  EXPECT_EQ(doc.store.Entry(1).Position(), 2);

  // The log list's 作成 through the plug-in: a CSV file with a header.
  LogList list(doc);
  ASSERT_TRUE(list.PluginFileType());
  const std::string out = (dir.Path() / "out.csv").string();
  ASSERT_TRUE(list.ExportThroughPlugin(out));
  const std::string exported = Bytes(out);
  EXPECT_TRUE(exported.starts_with("DATE,TIME,CALL,RST,FREQ,MODE,POWER,NAME,QTH,REM,SEND,RECV,ENV\r\n")) << exported;
  EXPECT_NE(exported.find(",JA1ABC,599,"), std::string::npos) << exported;
  EXPECT_NE(exported.find(",\"山田, 太郎\","), std::string::npos) << exported;

  // VK2AA's card printed: its row alone gets the mark, the rest stays.
  doc.store.MarkCardPrinted(1);
  program.printedData = true;
  program.settings.sendMark = "P";
  ui.QueueAnswer(Answer::Yes);
  ASSERT_TRUE(doc.writeBack.Settle(true));
  std::string expected = kLog;
  expected.replace(expected.rfind(",\r\n"), 3, ",P\r\n");
  EXPECT_EQ(Bytes(path), expected);
  EXPECT_EQ(Bytes(path + ".bak"), kLog);

  // Saved again elsewhere meanwhile, with a QSO added and JA1ABC's row
  // edited: JA1ABC is left alone and reported, the added QSO stays.
  std::string edited = expected + "20241106,1200,DL1XYZ,20m,CW,599,Hans,\r\n";
  edited.replace(edited.find("0930"), 4, "0931");
  dir.Write("log.csv", edited);
  doc.store.MarkCardPrinted(0);
  program.printedData = true;
  ui.QueueAnswer(Answer::Yes);
  EXPECT_TRUE(doc.writeBack.Settle(true));
  EXPECT_EQ(doc.writeBack.ChangedRecords(), 1u);
  EXPECT_EQ(doc.writeBack.MarkedRecords(), 0u);
  EXPECT_EQ(Bytes(path), edited);
  doc.CloseLiveSources();
}

// A logger that keeps appending to its CSV log while the marks go in, and a
// log whose last record was cut inside a quote.
TEST_F(CsvPluginTest, QsosAppendedMeanwhileStayAndACutRecordIsReported) {
  const struct {
    const char* name;
    bool cut, logger;
  } cases[] = {{"a logger appends", false, true}, {"the last record is cut", true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string log = "CALL,NAME,QSL_SENT\r\n";
    for (int i = 0; i < 100; ++i) log += "JA1A" + std::to_string(100 + i) + ",Taro,\r\n";
    if (c.cut) log += "K1ABC,\"Sato\r\n";
    dir.Write("log.csv", log);
    ui.QueueFormatDialog([](CsvFormatDialog& dialog) {
      dialog.Guess();
      return true;
    });
    ASSERT_TRUE(doc.ConnectPlugin());
    ASSERT_EQ(doc.store.QsoCount(), c.cut ? 101u : 100u);
    for (std::size_t card = 0; card < doc.store.CardCount(); ++card) doc.store.MarkCardPrinted(card);
    program.printedData = true;
    program.settings.sendMark = "P";
    const int logger = ::open(path.c_str(), O_WRONLY | O_APPEND);
    std::atomic<bool> stop{false};
    std::atomic<int> logged{0};
    std::thread writer([&] {
      while (c.logger && !stop && logged < 2000) {
        const std::string qso = "N" + std::to_string(10000 + logged.load()) + ",Bob,\r\n";
        if (::write(logger, qso.data(), qso.size()) != static_cast<ssize_t>(qso.size())) break;
        ++logged;
        std::this_thread::yield();
      }
    });
    ui.QueueAnswer(Answer::Yes);
    const bool settled = doc.writeBack.Settle(true);
    stop = true;
    writer.join();
    ::close(logger);
    ASSERT_TRUE(settled);
    EXPECT_EQ(doc.writeBack.MarkedRecords(), 100u);
    const std::string after = Bytes(path);
    std::string marked = "CALL,NAME,QSL_SENT\r\n";
    for (int i = 0; i < 100; ++i) marked += "JA1A" + std::to_string(100 + i) + ",Taro,P\r\n";
    std::string appended;
    for (int i = 0; i < logged; ++i) appended += "N" + std::to_string(10000 + i) + ",Bob,\r\n";
    if (c.cut) {
      // The mark would have gone inside the open quote: refused and said.
      EXPECT_EQ(doc.writeBack.RefusedRecords(), 1u);
      const auto& messages = ui.Messages();
      EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [](const auto& m) {
        return m.text.find("quote that never closes") != std::string::npos;
      }));
      EXPECT_EQ(after, marked + "K1ABC,\"Sato\r\n");
    } else {
      EXPECT_EQ(after, marked + appended);
    }
    doc.CloseLiveSources();
  }
}

// The marks of a write-back go into the log in one rewrite; when that
// cannot be written (a full disk) the write-back fails, counts no mark and
// leaves the log as it was.
TEST_F(CsvPluginTest, MarksThatCannotBeWrittenFailTheWriteBack) {
  const std::string small = (dir.Path() / "small").string();
  std::filesystem::create_directories(small);
  if (std::system(("mount -t tmpfs -o size=64k tmpfs '" + small + "' 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "no small file system could be mounted here";
  std::string log = "CALL,NAME,QSL_SENT\r\n";
  for (int i = 0; i < 1000; ++i) log += "JA1A" + std::to_string(1000 + i) + ",Taro,\r\n";  // 19 KB
  const std::string full = small + "/log.csv";
  std::ofstream(full, std::ios::binary) << log;
  std::ofstream(small + "/filler", std::ios::binary) << std::string(36 * 1024, 'F');
  program.settings.load.curLogDir = small + "/";
  ui.QueueFormatDialog([](CsvFormatDialog& dialog) {
    dialog.Guess();
    return true;
  });
  ASSERT_TRUE(doc.ConnectPlugin());
  for (std::size_t card = 0; card < doc.store.CardCount(); ++card) doc.store.MarkCardPrinted(card);
  program.printedData = true;
  ui.QueueAnswer(Answer::Yes);
  EXPECT_FALSE(doc.writeBack.Settle(true));
  EXPECT_EQ(doc.writeBack.MarkedRecords(), 0u);
  EXPECT_EQ(Bytes(full), log);
  EXPECT_TRUE(program.printedData);  // the marks still wait to be written
  doc.CloseLiveSources();
  EXPECT_EQ(Bytes(full), log);
  EXPECT_EQ(std::system(("umount '" + small + "'").c_str()), 0);
}

TEST_F(CsvPluginTest, TevraBatchReadsThroughThePluginAndMarksThePrintedRows) {
  const std::string ini = (dir.Path() / "TEVRA.INI").string();
  std::fclose(std::fopen(ini.c_str(), "wb"));
  const std::string plugin = std::string(TEVRA_BRIDGE_DIR) + "/libextsrc.so";
  auto run = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {TEVRA_BATCH, "--config", ini});
    std::string command;
    for (const std::string& a : args) command += "'" + a + "' ";
    return std::system((command + ">/dev/null 2>&1").c_str());
  };
  EXPECT_NE(run({"--plugin", plugin, "--count"}), 0);  // no --source
  EXPECT_NE(run({"--plugin", std::string(TEVRA_BRIDGE_DIR) + "/libdbbrdg.so", "--source", path, "--count"}), 0);
  EXPECT_EQ(run({"--plugin", plugin, "--source", path, "--guess", "--count"}), 0);
  const std::string pdf = (dir.Path() / "cards.pdf").string();
  ASSERT_EQ(run({"--plugin", plugin, "--source", path, "--guess", "--no-prompts", "-o", pdf, "--write-back",
                 std::string(TEVRA_EXAMPLES) + "/postcard.tvd"}),
            0);
  std::string expected = kLog;
  expected.replace(expected.find(",\r\n"), 3, ",-\r\n");
  expected.replace(expected.rfind(",\r\n"), 3, ",-\r\n");
  EXPECT_EQ(Bytes(path), expected);
}

}  // namespace
}  // namespace tevra
