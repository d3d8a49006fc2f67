#include "batch/batch.h"
#include "program/card_image_export.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <fstream>
#include <iterator>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include <sys/stat.h>

#include "batch/console_ui.h"
#include "card/layout_document.h"
#include "core/archive.h"
#include "core/messages.h"
#include "import/mft_file.h"
#include "merge/prompt_dialog.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

struct BatchRun {
  int code;
  std::string out;
  std::string err;
};

std::string Slurp(std::FILE* f) {
  std::rewind(f);
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  return text;
}

BatchRun Batch(std::vector<std::string> args) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
  int code = RunBatch(args, out.get(), err.get());
  return {code, Slurp(out.get()), Slurp(err.get())};
}

TEST(Batch, ListsTheExampleLogInUtf8) {
  BatchRun run = Batch({"--list", std::string(TEVRA_EXAMPLES) + "/sample.log"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("     1  24/11/03 0930  JA1ABC"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("REM｢初QSO｣"), std::string::npos) << run.out;
  // Line 5 is not a QSO; the next QSO keeps line number 6.
  EXPECT_NE(run.out.find("     6  24/11/06 2359  JA8AAA/1"), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.ends_with("5 QSOs, 5 cards\n")) << run.out;
  EXPECT_EQ(run.err, "");
}

TEST(Batch, ExportsALogToDbaseThatReadsBack) {
  test::TempDir dir;
  const std::string ini = (dir.Path() / "TEVRA.INI").string(), dbf = (dir.Path() / "out.dbf").string();
  std::fclose(std::fopen(ini.c_str(), "wb"));
  BatchRun run = Batch({"--config", ini, "--export-dbf", dbf, std::string(TEVRA_EXAMPLES) + "/sample.adi"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "3 QSOs written to " + dbf + "\n");
  BatchRun back = Batch({"--config", ini, "--list", dbf, "--guess"});
  ASSERT_EQ(back.code, 0) << back.err;
  EXPECT_NE(back.out.find("W1AW/4"), std::string::npos) << back.out;
  EXPECT_TRUE(back.out.ends_with("3 QSOs, 3 cards\n")) << back.out;
}

TEST(Batch, ErrorsGoToStderrWithNonZeroExit) {
  test::TempDir dir;
  BatchRun missing = Batch({"--list", (dir.Path() / "none.log").string()});
  EXPECT_NE(missing.code, 0);
  EXPECT_NE(missing.err.find("ファイルが読み込めません."), std::string::npos);
  EXPECT_EQ(missing.out, "");

  BatchRun notLog = Batch({"--list", dir.Write("card.tvd", "")});
  EXPECT_NE(notLog.code, 0);
  EXPECT_NE(notLog.err.find("not a log file"), std::string::npos);

  BatchRun usage = Batch({"--bogus"});
  EXPECT_EQ(usage.code, 2);
  EXPECT_NE(usage.err.find("Usage: tevra-batch"), std::string::npos);

  BatchRun help = Batch({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--list LOGFILE"), std::string::npos);
}

TEST(Batch, EveryExampleLogLoads) {
  const std::pair<const char*, const char*> examples[] = {
      {"sample.log", "5 QSOs"}, {"sample.mdt", "3 QSOs"}, {"sample.l2", "2 QSOs"}, {"sample.dbs", "3 QSOs"},
      {"sample.hdb", "2 QSOs"}, {"sample.res", "3 QSOs"}, {"sample.dat", "3 QSOs"}, {"sample.adi", "3 QSOs"},
      {"sample.cbr", "3 QSOs"},
  };
  for (auto [file, count] : examples) {
    BatchRun run = Batch({"--list", std::string(TEVRA_EXAMPLES) + "/" + file});
    EXPECT_EQ(run.code, 0) << file << ": " << run.err;
    EXPECT_NE(run.out.find(count), std::string::npos) << file << ": " << run.out;
  }
  // The UTF-8 ADIF example arrives as CP932 and prints as UTF-8 again.
  BatchRun adif = Batch({"--list", std::string(TEVRA_EXAMPLES) + "/sample.adi"});
  EXPECT_NE(adif.out.find("初QSO"), std::string::npos) << adif.out;
}

TEST(Batch, ExpandsACardTextForEveryCard) {
  BatchRun run = Batch({"--expand", "%-8C|%T %B %{JST/UTC}|%{Dear}", std::string(TEVRA_EXAMPLES) + "/sample.adi"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "JA1ABC  |24.11.03 0930 JST|山田さん\n"
            "W1AW/4  |24.11.03 2315 UTC|Dear Hiram\n"  // stored in JST, shown in UTC
            "F5ABC   |24.11.04 1200 UTC|Dear Zoe\n");   // "ë" has no CP932 form: its plain letter
  EXPECT_EQ(Batch({"--expand", "%C"}).code, 2);
}

TEST(Batch, BlocksAndTheLoadCondition) {
  const std::string adif = std::string(TEVRA_EXAMPLES) + "/sample.adi";
  BatchRun run = Batch({"--where", "IsDX,BAND!=21", "--expand", "@if IsMGR\n%C via %{ViaCall}\n@else\n%C\n@endif\n%B", adif});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "W1AW/4 via W1MGR\n2315\n\n");
  test::TempDir dir;
  const std::string file = dir.Write("card.txt", "%C\r\n@if IsJA\r\nJA\r\n@endif");
  BatchRun fromFile = Batch({"--expand-file", file, adif, "--where", "IsJA"});
  EXPECT_EQ(fromFile.out, "JA1ABC\nJA\n\n");
  BatchRun none = Batch({"--where", "FALSE", "--list", adif});
  EXPECT_TRUE(none.out.ends_with("0 QSOs, 0 cards\n")) << none.out;
  EXPECT_NE(none.err.find("left out 3 QSOs not matching the load condition"), std::string::npos) << none.err;
  // A damaged file says what became of its records and fails.
  BatchRun damaged = Batch({"--list", dir.Write("damaged.adi", "<CALL:0><QSO_DATE:8>20240105<EOR>\nCALL:4>K1AB<EOR>\n")});
  EXPECT_EQ(damaged.code, 1);
  EXPECT_NE(damaged.err.find("no QSO could be loaded (2 records or lines looked at: 2 records without a call sign)"),
            std::string::npos)
      << damaged.err;
  std::string tags;
  for (int i = 0; i < 61; ++i) tags += "<QSO_DATE:8>20240501 <TIME_ON:4>1200 <BAND:3>40m\n";
  damaged = Batch({"--list", dir.Write("tags.adi", "<EOH>\n" + tags)});
  EXPECT_EQ(damaged.code, 1);
  EXPECT_NE(damaged.err.find("no QSO could be loaded (61 lines with ADIF tags, but no CALL field and no <EOR>)"),
            std::string::npos)
      << damaged.err;
}

TEST(Batch, OptionsInAnyOrder) {
  const std::string adif = std::string(TEVRA_EXAMPLES) + "/sample.adi";
  const BatchRun first = Batch({"--list", "--where", "IsDX", adif});
  ASSERT_EQ(first.code, 0) << first.err;
  for (const auto& args : std::vector<std::vector<std::string>>{{"--where", "IsDX", "--list", adif},
                                                                 {adif, "--list", "--where=IsDX"},
                                                                 {"--where", "IsDX", adif, "--list"}}) {
    const BatchRun run = Batch(args);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, first.out);
  }
  const BatchRun help = Batch({"--list", adif, "--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: tevra-batch")) << help.out;
  EXPECT_EQ(Batch({adif, "--count", "--where", "IsDX"}).out, "2 QSOs, 2 cards\n");
  const BatchRun version = Batch({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_TRUE(version.out.starts_with("tevra-batch ")) << version.out;
  struct Wrong {
    std::vector<std::string> args;
    std::string error;
  };
  const Wrong wrong[] = {
      {{"--list"}, "a LOGFILE is needed"},
      {{"--list", adif, adif}, "one LOGFILE only"},
      {{"--bogus", adif}, "Unknown option 'bogus'"},
      {{"--list", adif, "-o", "x.pdf"}, "choose one of"},
      {{"--sort", "up", "--list", adif}, "--sort takes asc, desc or time"},
      {{"--encoding", "ebcdic", "--list", adif}, "--encoding takes"},
      {{"--pages", "3-2", "-o", "x.pdf", "postcard", adif}, "--pages takes"},
      {{"--where", "IsDX"}, "nothing to do"},
  };
  for (const Wrong& w : wrong) {
    const BatchRun run = Batch(w.args);
    EXPECT_EQ(run.code, 2) << w.error;
    EXPECT_NE(run.err.find(w.error), std::string::npos) << run.err;
  }
  // The character set can be forced: a Latin-1 file read as CP932 keeps its bytes.
  test::TempDir dir;
  const std::string latin = dir.Write("latin.adi", "<CALL:5>EA4AB<NAME:5>Jos\xE9 <EOR>\n");
  EXPECT_NE(Batch({"--list", latin, "--expand", "%{Name}"}).out.find("Jose"), std::string::npos);
  EXPECT_EQ(Batch({"--encoding", "cp932", "--expand", "%{Name}", latin}).out.find("Jose"), std::string::npos);
}

// Directories, FIFOs and devices where files are expected: a clear error,
// never an abort, a hang or unbounded memory.
TEST(Batch, NonRegularFilesAreRefused) {
  test::TempDir dir;
  const std::string folder = dir.Path().string();
  const std::string fifo = (dir.Path() / "pipe.tvd").string();
  const std::string fifoLog = (dir.Path() / "pipe.adi").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(fifoLog.c_str(), 0600), 0);
  const std::string adif = std::string(TEVRA_EXAMPLES) + "/sample.adi";
  const std::string out = (dir.Path() / "x.pdf").string();
  for (const std::string& bad : {folder, fifo, std::string("/dev/zero")}) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"-o", out, bad, adif},
                                                                   {"--png", out, bad},
                                                                   {"--save-layout", out, bad},
                                                                   {"--thumbnail", "64", bad, out},
                                                                   {"--expand-file", bad, adif}}) {
      const BatchRun run = Batch(args);
      EXPECT_NE(run.code, 0) << bad << " " << args[0];
      EXPECT_TRUE(run.err.find("cannot read") != std::string::npos ||
                  run.err.find("could not be read") != std::string::npos)
          << run.err;
    }
  }
  for (const std::string& log : {fifoLog, (dir.Path() / "dir.adi").string()}) {
    std::filesystem::create_directories(dir.Path() / "dir.adi");
    EXPECT_NE(Batch({"--list", log}).code, 0) << log;
  }
  // Sparse files of zeros over 2 GB under every file log's name are stopped
  // by their size or their head, not read whole: memory hardly grows.
  const auto kilobytes = [](const char* key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
      if (line.starts_with(key)) return std::stol(line.substr(std::strlen(key)));
    return 0L;
  };
  const struct {
    const char* name;
    const char* message;
  } sparseLogs[] = {{"sparse.adi", "予期しないファイル形式"}, {"sparse.cbr", "予期しないファイル形式"},
                    {"sparse.hdb", "予期しないファイル形式"}, {"sparse.dbs", "大きすぎます"},
                    {"sparse.mdt", "大きすぎます"},           {"sparse.l2", "大きすぎます"}};
  for (const auto& c : sparseLogs) {
    const std::string sparse = (dir.Path() / c.name).string();
    { std::ofstream(sparse) << ""; }
    std::filesystem::resize_file(sparse, (std::uintmax_t{1} << 31) + 4096);
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
    const long before = kilobytes("VmRSS:");
    const BatchRun run = Batch({"--list", sparse});
    EXPECT_NE(run.code, 0) << c.name;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
    EXPECT_LT(kilobytes("VmHWM:") - before, 100 * 1024) << c.name;
    std::filesystem::remove(sparse);
  }
  // A folder or a pipe under a log's name is said to be one.
  EXPECT_NE(Batch({"--list", fifoLog}).err.find("通常のファイルではありません"), std::string::npos);
}

TEST(Batch, RendersTheExamplePostcard) {
  test::TempDir dir;
  const std::string png = (dir.Path() / "card.png").string();
  const std::string pdf = (dir.Path() / "card.pdf").string();
  BatchRun run = Batch({"--png", png, "postcard", "--pdf", pdf, "postcard"});  // the layout may be named twice
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_GT(std::filesystem::file_size(png), 10000u);
  EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
  EXPECT_EQ(Batch({"--png", png, "nonsense"}).code, 1);
}

// As file managers call the thumbnailer: the card alone, fitted into the
// size asked for; nonsense sizes and arguments are refused and write nothing.
TEST(Batch, ThumbnailFitsTheCardIntoTheSizeAsked) {
  test::TempDir dir;
  const std::string png = (dir.Path() / "thumb.png").string();
  struct Case {
    const char* layout;
    int size;
    bool portrait;
  };
  for (const Case& c : {Case{"postcard.tvd", 128, true}, Case{"landscape.tvd", 256, false}, Case{"postcard.tvd", 8, true}}) {
    const BatchRun run = Batch({"--thumbnail", std::to_string(c.size), std::string(TEVRA_EXAMPLES) + "/" + c.layout, png});
    ASSERT_EQ(run.code, 0) << run.err;
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(std::max(image.width(), image.height()), c.size) << c.layout;
    EXPECT_EQ(image.height() > image.width(), c.portrait) << c.layout;
  }
  std::filesystem::remove(png);
  for (const auto& args : std::vector<std::vector<std::string>>{{"--thumbnail", "0", "postcard", png},
                                                                {"--thumbnail", "99999", "postcard", png},
                                                                {"--thumbnail", "128", "postcard"},
                                                                {"--thumbnail", "128", "postcard", png, "--png", png}}) {
    EXPECT_EQ(Batch(args).code, 2) << args[1];
    EXPECT_FALSE(std::filesystem::exists(png));
  }
}

// The label sheet catalogue from the command line: listing by words, and a
// print on a named sheet (A4, three labels across); unknown names say so.
TEST(Batch, PrintsOnACatalogueSheetByName) {
  if (!std::filesystem::exists("/usr/share/libglabels-3.0/templates/avery-iso-templates.xml"))
    GTEST_SKIP() << "no label sheet catalogue installed";
  const BatchRun list = Batch({"--list-sheets", "avery", "l7160"});
  ASSERT_EQ(list.code, 0) << list.err;
  EXPECT_NE(list.out.find("Avery L7160\tA4\t"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("21 labels (3 x 7)"), std::string::npos) << list.out;
  test::TempDir dir;
  const std::string pdf = (dir.Path() / "sheet.pdf").string();
  std::ofstream(dir.Path() / "T.INI").close();
  const BatchRun print = Batch({"--sheet", "avery l7160", "-o", pdf, "tackseal", std::string(TEVRA_EXAMPLES) + "/sample.adi",
                                "--config", (dir.Path() / "T.INI").string()});
  ASSERT_EQ(print.code, 0) << print.err;
  EXPECT_TRUE(std::filesystem::exists(pdf));
  for (const char* name : {"Avery NOPE", "Hisago A4TL"}) {  // unknown; one label per page is beyond the form
    const BatchRun bad = Batch({"--sheet", name, "--png", (dir.Path() / "x.png").string(), "tackseal"});
    EXPECT_EQ(bad.code, 1) << name;
    EXPECT_NE(bad.err.find("label sheet"), std::string::npos) << bad.err;
  }
  EXPECT_EQ(Batch({"--list-sheets", "no such sheet anywhere"}).code, 1);
}

// The postcard saved as a layout file renders exactly as the built-in one,
// and the bundled example file is that same layout.
TEST(Batch, LayoutFilesSaveAndRender) {
  test::TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);  // no settings file of the user's
  const std::string tvd = (dir.Path() / "card.tvd").string();
  const std::string direct = (dir.Path() / "direct.png").string();
  const std::string viaFile = (dir.Path() / "file.png").string();
  ASSERT_EQ(Batch({"--save-layout", tvd, "postcard"}).code, 0);
  ASSERT_EQ(Batch({"--png", direct, "postcard"}).code, 0);
  BatchRun run = Batch({"--png", viaFile, tvd});
  ASSERT_EQ(run.code, 0) << run.err;
  auto bytes = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  EXPECT_EQ(bytes(direct), bytes(viaFile));
  // The bundled layout files are the example layouts as saved now.
  for (const std::string name : {"postcard", "landscape", "tackseal"}) {
    ASSERT_EQ(Batch({"--save-layout", tvd, name}).code, 0);
    EXPECT_EQ(bytes(tvd), bytes(TEVRA_EXAMPLES "/" + name + ".tvd")) << name;
  }
  // With IncludeDoc in the settings file, the options go into the file.
  const std::string ini = dir.Write("include.ini", "[Option]\nIncludeDoc=1\nSendMark=Z\n");
  ASSERT_EQ(Batch({"--config", ini, "--save-layout", tvd, "postcard"}).code, 0);
  {
    LayoutDocument read;
    const std::string saved = bytes(tvd);
    ArchiveReader in(saved);
    ConsoleUi quiet(stderr, "test");
    ASSERT_TRUE(LoadDocument(read, in, quiet));
    ASSERT_TRUE(read.Options);
    EXPECT_EQ(read.Options->SendMark, "Z");
  }
  // A landscape layout renders on turned paper.
  ASSERT_EQ(Batch({"--png", viaFile, TEVRA_EXAMPLES "/landscape.tvd"}).code, 0);
  const std::string png = bytes(viaFile);
  ASSERT_GT(png.size(), 24u);
  auto be32 = [&](std::size_t at) {
    return (std::uint32_t(std::uint8_t(png[at])) << 24) | (std::uint32_t(std::uint8_t(png[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(png[at + 2])) << 8) | std::uint32_t(std::uint8_t(png[at + 3]));
  };
  EXPECT_GT(be32(16), be32(20));  // IHDR width > height

  // With a log, its first card takes the place of the sample QSOs.
  const std::string fromLog = (dir.Path() / "log.png").string();
  run = Batch({"--png", fromLog, TEVRA_EXAMPLES "/landscape.tvd", TEVRA_EXAMPLES "/sample.adi"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(bytes(fromLog), png);
  run = Batch({"--png", fromLog, TEVRA_EXAMPLES "/landscape.tvd", dir.Write("empty.adi", "<EOH>\n")});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("no QSO could be loaded (a header and no ADIF tags after it)"), std::string::npos) << run.err;
  EXPECT_EQ(Batch({"--png", fromLog, TEVRA_EXAMPLES "/landscape.tvd", "log.unknown"}).code, 1);

  run = Batch({"--png", viaFile, TEVRA_EXAMPLES "/sample.adi"});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("予期しないファイル形式です。"), std::string::npos);
  EXPECT_EQ(Batch({"--png", viaFile, (dir.Path() / "missing.tvd").string()}).code, 1);
  unsetenv("XDG_CONFIG_HOME");
}

// The quick picture a user checks and the pages that print put the card in
// the same place: the inked box of --png, --pdf and -o agree at one dpi.
TEST(Batch, PictureAndPrintPlaceTheCardAlike) {
  test::TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
  const std::string log = std::string(TEVRA_EXAMPLES) + "/sample.adi";
  const std::string png = (dir.Path() / "card.png").string(), pdf = (dir.Path() / "card.pdf").string(),
                    printed = (dir.Path() / "printed.pdf").string();
  ASSERT_EQ(Batch({"--png", png, "postcard", log}).code, 0);
  ASSERT_EQ(Batch({"--pdf", pdf, "postcard", log}).code, 0);
  ASSERT_EQ(Batch({"-o", printed, "postcard", log, "--pages", "1-1"}).code, 0);
  unsetenv("XDG_CONFIG_HOME");
  constexpr int kDpi = 100;
  const auto raster = [&](const std::string& file) {
    const std::string out = file + ".r";
    if (std::system(("pdftoppm -r " + std::to_string(kDpi) + " -png -singlefile '" + file + "' '" + out + "'").c_str()) != 0)
      return QImage();
    return QImage(QString::fromStdString(out + ".png"));
  };
  // The smallest rectangle holding every dark pixel.
  const auto inked = [](const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 160) box |= QRect(x, y, 1, 1);
    return box;
  };
  QImage picture(QString::fromStdString(png));
  ASSERT_FALSE(picture.isNull());
  picture = picture.scaled(picture.width() * kDpi / 300, picture.height() * kDpi / 300, Qt::IgnoreAspectRatio,
                           Qt::SmoothTransformation);
  const QRect expected = inked(picture);
  ASSERT_TRUE(expected.isValid());
  for (const std::string& file : {pdf, printed}) {
    const QRect box = inked(raster(file));
    ASSERT_TRUE(box.isValid()) << file;
    EXPECT_LE(std::abs(box.left() - expected.left()), 2) << file;
    EXPECT_LE(std::abs(box.top() - expected.top()), 2) << file;
    EXPECT_LE(std::abs(box.right() - expected.right()), 2) << file;
    EXPECT_LE(std::abs(box.bottom() - expected.bottom()), 2) << file;
  }
}

// A card that numbers its QSOs (%q) starts at 1 whatever the log's format.
TEST(Batch, QsoNumbersStartAtOneForEveryFormat) {
  test::TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
  const std::pair<const char*, std::string> logs[] = {
      {"log.adi", "<EOH><CALL:4>K1AB<QSO_DATE:8>20240501<EOR><CALL:4>K2AB<QSO_DATE:8>20240501<EOR>"},
      {"log.cbr", "START-OF-LOG: 3.0\nQSO: 7025 CW 2024-05-01 0100 JA1XYZ 599 25 K1AB 599 05\n"
                  "QSO: 7025 CW 2024-05-01 0101 JA1XYZ 599 25 K2AB 599 05\nEND-OF-LOG:\n"},
      {"log.csv", "K1AB,24/05/01\nK2AB,24/05/01\n"},
  };
  for (const auto& [name, content] : logs) {
    const BatchRun run = Batch({"--expand", "%q", dir.Write(name, content), "--guess"});
    EXPECT_EQ(run.out, "1\n2\n") << name << run.err;
  }
  unsetenv("XDG_CONFIG_HOME");
}

TEST(Batch, SortsGroupsAndCountsAreas) {
  test::TempDir dir;
  setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);  // no settings of the machine's user
  std::string adif = "<ADIF_VER:5>3.1.4<EOH>\n";
  for (const char* call : {"JA2AA", "W1AW", "JA2AA", "JA1AA", "JA2AA"})
    adif += "<CALL:" + std::to_string(std::strlen(call)) + ">" + call +
            "<QSO_DATE:8>20240501<TIME_ON:4>1200<BAND:3>40m<MODE:2>CW<EOR>\n";
  const std::string log = dir.Write("log.adi", adif);

  BatchRun grouped = Batch({"--list", log, "--per-card", "2", "--sort", "asc"});
  EXPECT_EQ(grouped.code, 0) << grouped.err;
  const auto at = [&](const char* call) { return grouped.out.find(call); };
  EXPECT_LT(at("JA1AA"), at("JA2AA"));
  EXPECT_LT(at("JA2AA"), at("W1AW"));
  EXPECT_TRUE(grouped.out.ends_with("5 QSOs, 4 cards\n")) << grouped.out;  // JA2AA: 2 + 1

  BatchRun unsorted = Batch({"--list", log, "--per-card", "2"});
  EXPECT_TRUE(unsorted.out.ends_with("5 QSOs, 5 cards\n")) << unsorted.out;
  EXPECT_LT(unsorted.out.find("W1AW"), unsorted.out.find("JA1AA"));

  BatchRun areas = Batch({"--areas", log, "--per-card", "3"});
  EXPECT_EQ(areas.code, 0) << areas.err;
  EXPECT_NE(areas.out.find("JA1\t1\nJA2\t1\n"), std::string::npos) << areas.out;
  EXPECT_NE(areas.out.find("DX\t1\nUnknown\t0\n"), std::string::npos) << areas.out;

  EXPECT_EQ(Batch({"--list", log, "--sort", "up"}).code, 2);
  EXPECT_EQ(Batch({"--list", log, "--per-card", "17"}).code, 2);
  unsetenv("XDG_CONFIG_HOME");
}

// What pdftotext makes of a PDF, one string per page.
std::vector<std::string> PdfPages(const std::string& pdf) {
  const std::string text = pdf + ".txt";
  if (std::system(("pdftotext -layout '" + pdf + "' '" + text + "'").c_str()) != 0) return {};
  std::ifstream in(text, std::ios::binary);
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> pages(1);
  for (char c : all) {
    if (c == '\f') pages.emplace_back();
    else pages.back().push_back(c);
  }
  if (pages.back().empty()) pages.pop_back();
  return pages;
}

class BatchPrint : public ::testing::Test {
 protected:
  BatchPrint() {
    setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    std::string adif = "<EOH>\n";
    for (int i = 0; i < 5; ++i)
      adif += "<CALL:6>JA" + std::to_string(i % 3 + 1) + "XY" + static_cast<char>('A' + i) +
              "<QSO_DATE:8>20240501<TIME_ON:4>120" + std::to_string(i) + "<BAND:3>40m<MODE:2>CW<EOR>\n";
    log = dir.Write("log.adi", adif);
  }
  ~BatchPrint() override { unsetenv("XDG_CONFIG_HOME"); }
  std::string Out(const char* name) const { return (dir.Path() / name).string(); }
  test::TempDir dir;
  std::string log;
};

TEST_F(BatchPrint, MergePrintsEveryCardIntoOnePdfAndKeepsThePrintNumber) {
  BatchRun run = Batch({"-o", Out("cards.pdf"), "postcard", log, "--sort", "asc"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("5 cards on 5 pages (pages 1 to 5 of 5)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("next print number: 6"), std::string::npos) << run.out;
  const auto pages = PdfPages(Out("cards.pdf"));
  ASSERT_EQ(pages.size(), 5u);
  // In bureau order: JA1 first, JA3 last.
  EXPECT_NE(pages[0].find("JA1XYA"), std::string::npos) << pages[0];
  EXPECT_NE(pages[4].find("JA3XYC"), std::string::npos) << pages[4];

  // The next run numbers on from the saved print number; pages 2 to 3 only.
  BatchRun second = Batch({"-o", Out("two.pdf"), "postcard", log, "--pages", "2-3"});
  ASSERT_EQ(second.code, 0) << second.err;
  EXPECT_NE(second.out.find("2 cards on 2 pages (pages 2 to 3 of 5)"), std::string::npos) << second.out;
  EXPECT_NE(second.out.find("next print number: 8"), std::string::npos) << second.out;
  EXPECT_EQ(PdfPages(Out("two.pdf")).size(), 2u);

  // --continue resumes after page 3 of that log.
  BatchRun resumed = Batch({"-o", Out("rest.pdf"), "postcard", log, "--continue"});
  ASSERT_EQ(resumed.code, 0) << resumed.err;
  EXPECT_NE(resumed.out.find("(pages 4 to 5 of 5)"), std::string::npos) << resumed.out;
  BatchRun nothingLeft = Batch({"-o", Out("none.pdf"), "postcard", log, "--continue"});
  EXPECT_EQ(nothingLeft.code, 1);
  EXPECT_NE(nothingLeft.err.find("no pages to print"), std::string::npos) << nothingLeft.err;
}

TEST_F(BatchPrint, LabelSheetsTestPrintsAndBadRequests) {
  BatchRun labels = Batch({"-o", Out("labels.pdf"), "tackseal", log, "--first-label", "11"});
  ASSERT_EQ(labels.code, 0) << labels.err;
  // Labels 11 and 12 of the first sheet, then three on the second.
  EXPECT_NE(labels.out.find("5 cards on 2 pages"), std::string::npos) << labels.out;
  const auto sheets = PdfPages(Out("labels.pdf"));
  ASSERT_EQ(sheets.size(), 2u);
  EXPECT_NE(sheets[0].find("JA1XYA"), std::string::npos);
  EXPECT_NE(sheets[1].find("JA2XYE"), std::string::npos);

  BatchRun test = Batch({"-o", Out("test.pdf"), "postcard", "--test"});
  ASSERT_EQ(test.code, 0) << test.err;
  EXPECT_NE(test.out.find("1 card on 1 page"), std::string::npos) << test.out;
  EXPECT_EQ(test.out.find("print number"), std::string::npos);
  EXPECT_NE(PdfPages(Out("test.pdf")).at(0).find("JH1ZZZ"), std::string::npos);  // the sample QSOs

  EXPECT_EQ(Batch({"-o", Out("x.pdf"), "postcard"}).code, 2);  // no log, no --test
  EXPECT_EQ(Batch({"-o", Out("x.pdf"), "postcard", log, "--pages", "4-2"}).code, 2);
  BatchRun noPrinter = Batch({"--printer", "no-such-printer", "postcard", log});
  EXPECT_EQ(noPrinter.code, 1);
  EXPECT_NE(noPrinter.err.find("no such printer"), std::string::npos) << noPrinter.err;
  BatchRun unwritable = Batch({"-o", (dir.Path() / "missing" / "x.pdf").string(), "postcard", log});
  EXPECT_EQ(unwritable.code, 1);
  EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;
}

TEST(ConsoleUi, PromptsReadTheTerminal) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::tmpfile(), &std::fclose);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
  std::fputs("73 TNX\r\n\n", in.get());
  std::rewind(in.get());
  ConsoleUi ui(err.get(), "tevra-batch");
  PromptHistory history;
  history.Add("PSE QSL");
  PromptDialog dialog(PromptDialog::Mode::Printing, "Message", history, nullptr);
  EXPECT_TRUE(ui.RunPromptDialog(dialog));  // without input: the pre-filled text
  EXPECT_EQ(dialog.EditText(), "PSE QSL");
  ui.promptInput = in.get();
  EXPECT_TRUE(ui.RunPromptDialog(dialog));
  EXPECT_EQ(dialog.EditText(), "73 TNX");
  EXPECT_TRUE(ui.RunPromptDialog(dialog));  // an empty line keeps it
  EXPECT_EQ(dialog.EditText(), "73 TNX");
  EXPECT_FALSE(ui.RunPromptDialog(dialog));  // end of input ends the printing
  EXPECT_NE(Slurp(err.get()).find("Message [PSE QSL]: "), std::string::npos);
}

TEST_F(BatchPrint, PrintWriteBackAndReloadSkipsTheSentQsos) {
  const std::string mdt = (dir.Path() / "log.mdt").string();
  std::filesystem::copy_file(std::string(TEVRA_EXAMPLES) + "/sample.mdt", mdt);
  BatchRun unmarked = Batch({"-o", Out("a.pdf"), "postcard", mdt});
  ASSERT_EQ(unmarked.code, 0) << unmarked.err;
  EXPECT_NE(unmarked.out.find("the log was left as it is"), std::string::npos) << unmarked.out;

  BatchRun marked = Batch({"-o", Out("b.pdf"), "postcard", mdt, "--write-back"});
  ASSERT_EQ(marked.code, 0) << marked.err;
  EXPECT_NE(marked.out.find("2 printed QSOs written back to the log"), std::string::npos) << marked.out;
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "log.mdt.$BK"));  // log.adi is there too
  // Reloaded, the QSOs are sent: nothing left to print, and the list shows the mark.
  BatchRun again = Batch({"-o", Out("c.pdf"), "postcard", mdt});
  EXPECT_EQ(again.code, 1);
  EXPECT_NE(again.err.find("no QSOs to print"), std::string::npos) << again.err;
  EXPECT_EQ(Batch({"--expand", "%{ToCall}", mdt}).out, "JA1ABC\nVK2XYZ\nJA8AAA/1\n");

}

// A write-back that fails exits non-zero and says what the log holds.
TEST_F(BatchPrint, FailedWriteBacksFail) {
  struct Case {
    const char* example;
    const char* blocker;  // made a directory so that writing it fails
    const char* message;
  };
  const Case cases[] = {
      {"sample.mdt", "mdt.$BK", "the log could not be updated: 0 of 2 printed QSOs marked, the rest not"},
      {"sample.adi", "adi.$BK", "the log could not be updated: 0 of 2 printed QSOs marked, the rest not"},
      {"sample.log", "log.TVQ", "the list of printed QSOs (.TVQ) could not be written"},
  };
  for (const Case& c : cases) {
    const std::string ext = std::filesystem::path(c.example).extension().string();
    const std::string path = Out((ext.substr(1) + ext).c_str());  // one stem per log
    std::filesystem::copy_file(std::string(TEVRA_EXAMPLES) + "/" + c.example, path);
    std::filesystem::create_directories(Out(c.blocker));
    const std::string before = [&] {
      std::ifstream in(path, std::ios::binary);
      return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }();
    const BatchRun run = Batch({"-o", Out("f.pdf"), "postcard", path, "--write-back"});
    EXPECT_EQ(run.code, 1) << c.example << run.out;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), before);
    std::filesystem::remove_all(Out(c.blocker));
  }
  // A log that changed since loading is marked record by record in the batch.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), &std::fclose);
  ConsoleUi ui(err.get(), "tevra-batch");
  EXPECT_EQ(ui.Ask(msg::kLogUpdatedElsewhere101, Buttons::OkCancel, MessageIcon::Warning, ""), Answer::Cancel);
  ui.proceedWhenLogChanged = true;
  EXPECT_EQ(ui.Ask(msg::kLogUpdatedElsewhere101, Buttons::OkCancel, MessageIcon::Warning, ""), Answer::Ok);
  EXPECT_NE(Slurp(err.get()).find("records changed since then are left alone"), std::string::npos);
}

// Pages that never reached a file count as nothing printed: no marks in the
// log, no print number, and an old file at the target stays.
TEST_F(BatchPrint, OutputThatCannotBeWrittenCountsNothingAsPrinted) {
  const std::string mdt = Out("log.mdt");
  std::filesystem::copy_file(std::string(TEVRA_EXAMPLES) + "/sample.mdt", mdt);
  const auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  const std::string logBefore = read(mdt);
  // The print number as the settings keep it, not counted from the log.
  std::filesystem::create_directories(dir.Path() / "tevra");
  std::ofstream(dir.Path() / "tevra" / "TEVRA.INI") << "[Option]\nPrintNoAuto=0\nPrintNo=10\n";
  std::vector<std::string> targets = {"/dev/full", Out("missing/x.pdf")};
  // A file system that fills up while the pages are written.
  const std::string small = Out("small");
  std::filesystem::create_directories(small);
  const bool mounted = std::system(("mount -t tmpfs -o size=16k tmpfs '" + small + "' 2>/dev/null").c_str()) == 0;
  std::string old;
  if (mounted) {
    old = small + "/cards.pdf";
    std::ofstream(old, std::ios::binary) << "%PDF-1.4 the cards of last week";
    targets.push_back(old);
  } else {
    std::fprintf(stderr, "(no small file system could be mounted here: that case is left out)\n");
  }
  for (const std::string& target : targets) {
    const BatchRun run = Batch({"-o", target, "postcard", mdt, "--write-back"});
    EXPECT_EQ(run.code, 1) << target;
    EXPECT_NE(run.err.find("nothing was printed and the log was not marked"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find("written back"), std::string::npos) << run.out;
    EXPECT_EQ(read(mdt), logBefore) << target;
  }
  if (mounted) {
    EXPECT_EQ(read(old), "%PDF-1.4 the cards of last week");
    EXPECT_EQ(std::system(("umount '" + small + "'").c_str()), 0);
  }
  EXPECT_FALSE(std::filesystem::exists(Out("log.mdt.$BK")));
  // The print number never moved: the first good run starts at 10.
  const BatchRun good = Batch({"-o", Out("good.pdf"), "postcard", mdt});
  ASSERT_EQ(good.code, 0) << good.err;
  EXPECT_NE(good.out.find("next print number: 12"), std::string::npos) << good.out;
}

TEST_F(BatchPrint, SuppressionLeavesOutCardsAlreadySent) {
  // Sent QSOs are loaded too, so that earlier cards can be found.
  const std::string ini = dir.Write("keep.ini", "[Option]\nSkipSendMark=0\n");
  const std::string adif = dir.Write("sent.adi",
                                     "<EOH>\n"
                                     "<CALL:6>JA1AAA<QSO_DATE:8>20240101<TIME_ON:4>1200<BAND:3>40m<MODE:2>CW"
                                     "<QSL_SENT:1>Y<EOR>\n"
                                     "<CALL:6>JA1AAA<QSO_DATE:8>20240501<TIME_ON:4>1200<BAND:3>40m<MODE:2>CW<EOR>\n"
                                     "<CALL:6>JA2BBB<QSO_DATE:8>20240501<TIME_ON:4>1300<BAND:3>40m<MODE:2>CW<EOR>\n");
  BatchRun run = Batch({"--config", ini, "-o", Out("s.pdf"), "postcard", adif, "--suppress"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("suppressed 1 of 2 QSOs not sent yet; 1 QSOs to print"), std::string::npos) << run.out;
  const auto pages = PdfPages(Out("s.pdf"));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NE(pages[0].find("JA2BBB"), std::string::npos);
}

// CSV logs take their formulas from the settings file, a setting file or a
// guess; the test points the settings at its own folder.
class BatchCsvTest : public ::testing::Test {
 protected:
  BatchCsvTest() : csv(dir.Write("log.csv", "Date,Call\n24/11/03,JA1ABC\n24/11/04,W1AW\n")) {
    setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
  }
  ~BatchCsvTest() override { unsetenv("XDG_CONFIG_HOME"); }
  test::TempDir dir;
  std::string csv;
};

TEST_F(BatchCsvTest, WithoutFormulasTheLoadIsRefused) {
  BatchRun run = Batch({"--list", csv});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("no conversion formulas"), std::string::npos) << run.err;
}

TEST_F(BatchCsvTest, FormulasFromSettingsSettingFileOrGuess) {
  const std::string ini = dir.Write("my.ini", "[Option]\r\nCsvItem1=YY/MM/DD\r\nCsvItem2=CALL\r\nCsvDlm=0\r\n");
  BatchRun fromIni = Batch({"--list", csv, "--config", ini, "--skip", "1"});
  EXPECT_EQ(fromIni.code, 0) << fromIni.err;
  EXPECT_NE(fromIni.out.find("     2  24/11/03 0000  JA1ABC"), std::string::npos) << fromIni.out;
  EXPECT_TRUE(fromIni.out.ends_with("2 QSOs, 2 cards\n"));

  std::filesystem::create_directories(dir.Path() / "tevra");
  std::filesystem::copy_file(ini, dir.Path() / "tevra" / "TEVRA.INI");
  EXPECT_EQ(Batch({"--list", csv, "--skip", "1"}).out, fromIni.out);  // the default settings file

  RecordLayout layout;
  layout.columns[1] = "CALL";
  QsoRecord def;
  SetField(def.Mode, "CW");
  ASSERT_TRUE(WriteMftFile((dir.Path() / "f.mft").string(), layout, def));
  BatchRun fromMft = Batch({"--list", csv, "--csv-format", (dir.Path() / "f.mft").string()});
  EXPECT_EQ(fromMft.code, 0) << fromMft.err;
  EXPECT_NE(fromMft.out.find("  CALL "), std::string::npos);  // the header line is a QSO without --skip
  EXPECT_NE(fromMft.out.find("CW"), std::string::npos);    // from the default record

  BatchRun guessed = Batch({"--list", csv, "--guess", "--skip", "1"});
  EXPECT_EQ(guessed.code, 0) << guessed.err;
  EXPECT_NE(guessed.out.find("24/11/04 0000  W1AW"), std::string::npos) << guessed.out;
}

TEST_F(BatchCsvTest, BadSettingFilesAndArguments) {
  BatchRun bad = Batch({"--list", csv, "--csv-format", dir.Write("bad.mft", "nonsense")});
  EXPECT_EQ(bad.code, 1);
  EXPECT_NE(bad.err.find("予期しないファイル形式です。"), std::string::npos);
  BatchRun noConfig = Batch({"--list", csv, "--config", (dir.Path() / "none.ini").string()});
  EXPECT_EQ(noConfig.code, 1);
  EXPECT_EQ(Batch({"--list", csv, "--skip", "x"}).code, 2);
  EXPECT_EQ(Batch({"--list"}).code, 2);
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

std::vector<std::string> Listing(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(CardImages, NamesAreSafeForFiles) {
  const std::pair<const char*, const char*> cases[] = {
      {"JA1ABC_20241103_0930", "JA1ABC_20241103_0930"}, {"W1AW/4", "W1AW-4"}, {"a:b*c?d\"e<f>g|h\\i", "a-b-c-d-e-f-g-h-i"},
      {" .hidden. ", "hidden"}, {"", "card"}, {"..", "card"}, {"tab\there", "tab-here"}, {"東京/局", "東京-局"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(SafeImageName(in), out) << in;
  std::string longName;
  for (int i = 0; i < 100; ++i) longName += "東";  // 300 bytes
  const std::string cut = SafeImageName(longName);
  EXPECT_LE(cut.size(), 200u);
  EXPECT_EQ(cut.size() % 3, 0u);  // no character cut in half
}

// One picture per card: the pattern's names, -2 for a second card of the
// same name; a folder that already holds a name stops the run before
// anything is written (unless --overwrite); the first picture is the card
// of --png, cut out of its paper.
TEST(CardImages, OnePicturePerCardNamedByThePattern) {
  test::TempDir dir;
  const auto log = dir.Path() / "twice.adi";
  std::ofstream(log) << "<ADIF_VER:5>3.1.4<EOH>\n"
                        "<CALL:6>JA1ABC<QSO_DATE:8>20241103<TIME_ON:4>0930<BAND:3>20m<MODE:2>CW<RST_SENT:3>599<EOR>\n"
                        "<CALL:6>JA1ABC<QSO_DATE:8>20241103<TIME_ON:4>0930<BAND:3>40m<MODE:2>CW<RST_SENT:3>599<EOR>\n"
                        "<CALL:6>W1AW/4<QSO_DATE:8>20241104<TIME_ON:4>2315<BAND:3>20m<MODE:2>CW<RST_SENT:3>599<EOR>\n";
  const std::string ini = (dir.Path() / "T.INI").string();
  std::ofstream(ini).close();
  const auto out = dir.Path() / "cards";
  // Address labels: one QSO a card, so the station's two QSOs make two cards.
  const std::string labels = "tackseal";
  const std::vector<std::string> args = {"--images", out.string(), labels, log.string(), "--config", ini};
  BatchRun run = Batch(args);
  ASSERT_EQ(run.code, 0) << run.err;
  // Japanese stations' times in JST, others' in UTC (the automatic choice).
  const std::vector<std::string> names = {"JA1ABC_20241103_1830-2.png", "JA1ABC_20241103_1830.png",
                                          "W1AW-4_20241104_2315.png"};
  EXPECT_EQ(Listing(out), names);

  // Again: the first name is taken, nothing changes.
  const auto before = std::filesystem::last_write_time(out / names[1]);
  run = Batch(args);
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("JA1ABC_20241103_1830.png is there already"), std::string::npos) << run.err;
  EXPECT_EQ(Listing(out), names);
  EXPECT_EQ(std::filesystem::last_write_time(out / names[1]), before);
  std::vector<std::string> again = args;
  again.push_back("--overwrite");
  EXPECT_EQ(Batch(again).code, 0);
  EXPECT_EQ(Listing(out), names);

  // The same pixels as --png's card, wherever --png puts it on its paper.
  const std::string png = (dir.Path() / "card.png").string();
  ASSERT_EQ(Batch({"--png", png, labels, log.string()}).code, 0);
  const QImage paper(QString::fromStdString(png));
  const QImage card(QString::fromStdString((out / names[1]).string()));
  ASSERT_FALSE(card.isNull());
  bool found = false;
  for (int oy = 0; oy < 80 && !found; ++oy)
    for (int ox = 0; ox < 80 && !found; ++ox)
      found = paper.copy(ox, oy, card.width(), card.height()).convertToFormat(card.format()) == card;
  EXPECT_TRUE(found);
}

// A folder that cannot be made writes no picture and marks nothing.
TEST(CardImages, AFailedWriteMarksNothing) {
  test::TempDir dir;
  const auto log = dir.Path() / "sample.adi";
  std::filesystem::copy_file(std::string(TEVRA_EXAMPLES) + "/sample.adi", log);
  const std::string original = [&] {
    std::ifstream in(log, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  std::ofstream(dir.Path() / "afile") << "x";
  const std::string ini = (dir.Path() / "T.INI").string();
  std::ofstream(ini).close();
  const BatchRun run = Batch({"--images", (dir.Path() / "afile" / "cards").string(), "postcard", log.string(),
                              "--write-back", "--config", ini});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("the log was not marked"), std::string::npos) << run.err;
  std::ifstream in(log, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), original);
  for (const auto& args : std::vector<std::vector<std::string>>{{"--images", "x", "postcard", log.string(), "--dpi", "20"},
                                                                {"--images", "x", "postcard", log.string(), "--image-format", "gif"},
                                                                {"-o", "x.pdf", "postcard", log.string(), "--overwrite"}})
    EXPECT_EQ(Batch(args).code, 2) << args.back();
}

}  // namespace
}  // namespace tevra
