#include "card/layout_document.h"

#include <gtest/gtest.h>

#include <limits>

#include "card/archive_records.h"
#include "core/archive.h"
#include "core/messages.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

// A document that sets every field away from its default.
void FillDocument(LayoutDocument& doc) {
  DocumentSettings& s = doc.Settings;
  s.CardFormCode = FormLandscape;
  s.CardWidth = 148;
  s.CardHeight = 100;
  s.LeftMargin = 250;
  s.TopMargin = 125;
  s.QsosPerCard = 4;
  s.RigTexts[3] = "IC-7300";
  s.AntTexts[3] = "\x83\x5F\x83\x43\x83\x7C\x81\x5B\x83\x8B";  // Shift-JIS text
  s.GridMode = 5;
  s.GridNormalStep = 0;
  s.GridStepX = 50;
  s.GridStepY = 25;
  s.Title = "JA card";
  s.Memo = std::string(300, 'm');  // the three-byte length prefix
  s.EditLock = 1;
  s.TackColumns = 3;
  s.TackRows = 7;
  s.TackColumnPitch = 70.0;
  s.TackRowPitch = 38.1;
  s.PaperOrientation = 2;
  s.PaperSize = 9;
  s.PaperLength = 2970;
  s.PaperWidth = 2100;
  doc.PrinterOffsetX = 167;
  doc.PrinterOffsetY = -3;
  doc.Tables.Macros.SetMacro("MYQTH", "Tokyo");
  doc.Tables.Common[9].SetRow("IsQSL", "PSE");
  doc.Tables.Common[9].SetRow("TRUE", "TNX");
  doc.Tables.Modes.Rows().push_back({"SSB", "SSB(A3J)"});
  IncludedOptions options;
  options.IncludeDoc = 1;
  options.SendMark = "S";
  options.CsvItems[31] = "REMARKS";
  options.DispPrinterRect = 1;
  options.InvRotFont = 1;
  doc.Options = options;

  auto text = std::make_unique<StringItem>();
  text->Rect = {100, -100, 900, -300};
  text->Text = "@Table(10)";
  doc.Items.Add(std::move(text));
  auto group = std::make_unique<ItemGroup>();
  auto mark = std::make_unique<DataMarkItem>();
  mark->QsoPosition = 4;
  group->Add(std::move(mark));
  auto check = std::make_unique<CheckBoxItem>();
  check->TickStyle = 1;
  group->Add(std::move(check));
  doc.Items.Add(std::move(group));
  doc.Objects.push_back({"PNG", "logo.png", std::string("\x89PNG\r\n\x1A\n", 8) + std::string(40, '\0'), {0, 0, 500, -500}});
  doc.Objects.push_back({"SVG", "sig.svg", "<svg/>", {1, 2, 3, 4}});
  auto image = std::make_unique<OleLinkItem>();
  image->Object = &doc.Objects[1];  // saved under the index of the object it shows
  doc.Items.Add(std::move(image));
}

std::string Saved(LayoutDocument& doc) {
  ArchiveWriter out;
  SaveDocument(doc, out);
  return out.Data();
}

TEST(LayoutDocument, HeaderIsSignatureThenVersion) {
  LayoutDocument doc;
  const std::string bytes = Saved(doc);
  ASSERT_GE(bytes.size(), 48u);
  EXPECT_EQ(bytes.substr(0, 44), std::string("TEVRA card layout document") + std::string(18, '\0'));
  EXPECT_EQ(bytes.substr(44, 4), std::string("\x0B\0\0\0", 4));
}

TEST(LayoutDocument, EverySettingAndItemRoundTripsByteForByte) {
  LayoutDocument doc;
  FillDocument(doc);
  const std::string first = Saved(doc);
  EXPECT_EQ(static_cast<OleLinkItem&>(doc.Items.At(2)).ObjectIndex, 1);

  LayoutDocument read;
  test::ScriptedUi ui;
  ArchiveReader in(first);
  ASSERT_TRUE(LoadDocument(read, in, ui));
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(in.Remaining(), 0u);
  EXPECT_EQ(read.Settings.Memo.size(), 300u);
  EXPECT_EQ(read.Settings.AntTexts[3], doc.Settings.AntTexts[3]);
  EXPECT_DOUBLE_EQ(read.Settings.TackRowPitch, 38.1);
  EXPECT_EQ(read.PrinterOffsetY, -3);
  EXPECT_EQ(read.Tables.Common[9], doc.Tables.Common[9]);
  EXPECT_EQ(read.Tables.Modes.ModeText("ssb"), "SSB(A3J)");
  ASSERT_TRUE(read.Options);
  EXPECT_EQ(*read.Options, *doc.Options);
  ASSERT_EQ(read.Items.Count(), 3u);
  EXPECT_EQ(static_cast<ItemGroup&>(read.Items.At(1)).Count(), 2u);
  // The logo no item shows is not saved; the signature moves up.
  ASSERT_EQ(read.Objects.size(), 1u);
  EXPECT_EQ(read.Objects[0], doc.Objects[1]);
  EXPECT_EQ(static_cast<OleLinkItem&>(read.Items.At(2)).Object, &read.Objects[0]);
  EXPECT_EQ(read.Items.Current(), nullptr);
  EXPECT_EQ(Saved(read), first);
}

TEST(LayoutDocument, OptionsBlockOnlyWhenIncluded) {
  LayoutDocument doc;
  doc.Options = IncludedOptions{};  // IncludeDoc 0: the block is left out
  LayoutDocument without;
  EXPECT_EQ(Saved(doc), Saved(without));
}

// A version 3 file written field by field.
std::string VersionThreeFile() {
  ArchiveWriter out;
  std::string signature = "TEVRA card layout document";
  signature.resize(44, '\0');
  out.Bytes(signature);
  out.Int(3);
  for (int v : {int{FormTackSeal}, 0, 0, 5, 7, 1}) out.Int(v);  // margins in mm
  for (int i = 0; i < 2 * kRigSlotCount; ++i) out.Str(i == 0 ? "FT-1000" : "");
  out.Pairs({});
  for (int v : {1, 1, 100, 100}) out.Int(v);
  out.Str("old");
  out.Str("");
  out.Int(0);  // edit lock
  out.Int(2);
  out.Int(6);
  out.Double(88.05);
  out.Double(42.33);
  out.Int(3);  // items
  out.Byte(ItemString);
  WriteRect(out, {0, 0, 10, -10});
  WritePen(out, {});
  out.Str("TRUE");
  WriteFont(out, {});
  out.Str("Hello");
  for (int v : {0, 0, 0, 1}) out.Int(v);  // flags, colour, direction, zero slash; no own table
  out.Byte(ItemTextBox);
  WriteRect(out, {0, 0, 10, -10});
  WritePen(out, {});
  out.Str("TRUE");
  WriteFont(out, {});
  out.Str("box");
  out.Int(0);
  out.Int(0);
  out.Int(TextBoxItem::kCentre);  // format, but no zero slash yet
  out.Byte(ItemDataMark);
  WriteRect(out, {0, 0, 10, -10});
  WritePen(out, {});
  out.Str("TRUE");
  WriteFont(out, {});
  out.Str("CALL");
  for (int v : {0, 0, 0, 0, 2}) out.Int(v);  // ..., QSO position; no absent text
  out.Int(0);  // objects
  return out.Data();
}

TEST(LayoutDocument, VersionThreeConvertsAndKeepsDefaults) {
  const std::string bytes = VersionThreeFile();
  LayoutDocument doc;
  doc.Settings.RigTexts[0] = "current";
  test::ScriptedUi ui;
  ArchiveReader in(bytes);
  ASSERT_TRUE(LoadDocument(doc, in, ui));
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, msg::kLayoutOlderVersion);
  EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::Information);
  EXPECT_EQ(doc.ReadVersion, 3);
  EXPECT_EQ(doc.Settings.LeftMargin, 500);
  EXPECT_EQ(doc.Settings.TopMargin, 700);
  EXPECT_EQ(doc.Settings.PaperSize, 9);
  EXPECT_EQ(doc.Settings.PaperOrientation, 1);
  EXPECT_EQ(doc.Settings.RigTexts[0], "FT-1000");
  ASSERT_EQ(doc.Items.Count(), 3u);
  EXPECT_EQ(static_cast<StringItem&>(doc.Items.At(0)).ZeroSlash, 1);
  auto& box = static_cast<TextBoxItem&>(doc.Items.At(1));
  EXPECT_EQ(box.Format, TextBoxItem::kCentre);
  EXPECT_EQ(box.ZeroSlash, 0);
  auto& mark = static_cast<DataMarkItem&>(doc.Items.At(2));
  EXPECT_EQ(mark.QsoPosition, 2);
  EXPECT_EQ(mark.AbsentText, "---");

  // With rig and antenna loading off, the current texts stay.
  LayoutDocument keep;
  keep.Settings.RigTexts[0] = "current";
  ArchiveReader again(bytes);
  ASSERT_TRUE(LoadDocument(keep, again, ui, false));
  EXPECT_EQ(keep.Settings.RigTexts[0], "current");

  // A damaged old margin stops at what the dialog allows.
  std::string huge = bytes;
  huge.replace(60, 4, "\xFF\xFF\xFF\x7F", 4);
  LayoutDocument damaged;
  ArchiveReader hugeIn(huge);
  ASSERT_TRUE(LoadDocument(damaged, hugeIn, ui));
  EXPECT_EQ(damaged.Settings.LeftMargin, kMarginMaxHundredths);
}

TEST(LayoutDocument, HostileSettingsAreBroughtIntoTheDialogsLimits) {
  LayoutDocument source;
  DocumentSettings& s = source.Settings;
  s.CardFormCode = 7;
  s.CardWidth = INT32_MAX;
  s.TopMargin = INT32_MIN;
  s.QsosPerCard = -4;
  s.TackColumns = s.TackRows = INT32_MAX;
  s.TackColumnPitch = std::numeric_limits<double>::quiet_NaN();
  s.TackRowPitch = 1e300;
  s.GridMode = 6;
  s.GridStepX = 1;
  s.GridStepY = INT32_MAX;
  LayoutDocument read;
  test::ScriptedUi ui;
  const std::string bytes = Saved(source);
  ArchiveReader in(bytes);
  ASSERT_TRUE(LoadDocument(read, in, ui));
  const DocumentSettings& r = read.Settings;
  EXPECT_EQ(r.CardFormCode, FormPortrait);
  EXPECT_EQ(r.CardWidth, kCardSizeMaxMm);
  EXPECT_EQ(r.TopMargin, -kMarginMaxHundredths);
  EXPECT_EQ(r.QsosPerCard, 1);
  EXPECT_EQ(r.TackColumns, kTackCountMax);
  EXPECT_EQ(r.TackRows, kTackCountMax);
  EXPECT_EQ(r.TackColumnPitch, kTackPitchMin);
  EXPECT_EQ(r.TackRowPitch, kTackPitchMax);
  EXPECT_EQ(r.GridMode, 1);
  EXPECT_EQ(r.GridStepX, kGridStepMin);
  EXPECT_EQ(r.GridStepY, kGridStepMax);
}

TEST(LayoutDocument, ForeignNewerAndDamagedFilesStopWithTheirMessage) {
  LayoutDocument source;
  FillDocument(source);
  std::string bytes = Saved(source);
  auto load = [](const std::string& data, test::ScriptedUi& ui) {
    LayoutDocument doc;
    ArchiveReader in(data);
    return LoadDocument(doc, in, ui);
  };
  {
    test::ScriptedUi ui;
    std::string foreign = bytes;
    foreign[0] = 'X';
    EXPECT_FALSE(load(foreign, ui));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, msg::kUnexpectedFormat107);
  }
  {
    test::ScriptedUi ui;
    std::string newer = bytes;
    newer[44] = 12;
    EXPECT_FALSE(load(newer, ui));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, msg::kLayoutNewerVersion);
  }
  {
    // The first item's type byte turned into an unknown one: the load stops.
    LayoutDocument one;
    one.Items.Add(std::make_unique<ShapeItem>(ItemBox));
    std::string data = Saved(one);
    const std::size_t typeAt = data.size() - 4 - (1 + 16 + 16 + 5);
    ASSERT_EQ(data[typeAt], ItemBox);
    data[typeAt] = 13;
    test::ScriptedUi ui;
    EXPECT_FALSE(load(data, ui));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, msg::kUnsupportedNativeData);
  }
  // Cut anywhere, the file is refused without a crash.
  for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
    test::ScriptedUi ui;
    EXPECT_FALSE(load(bytes.substr(0, cut), ui)) << cut;
    EXPECT_FALSE(ui.Messages().empty());
  }
}

TEST(LayoutDocument, ClipboardCopiesItemsWithTheirImages) {
  LayoutDocument source;
  FillDocument(source);
  source.Items.SetCurrent(&source.Items.At(2));  // the image item alone
  const std::string one = CopySelection(source);
  source.Items.Selection().Add(source.Items.At(0));
  source.Items.Selection().Add(source.Items.At(1));
  source.Items.Selection().Add(source.Items.At(2));
  source.Items.SetCurrent(&source.Items.Selection());
  const std::string three = CopySelection(source);

  LayoutDocument target;
  target.Objects.push_back({"JPEG", "old.jpg", "jpeg bytes", {}});
  auto existing = std::make_unique<OleLinkItem>();
  existing->Object = &target.Objects[0];
  target.Items.Add(std::move(existing));

  ASSERT_TRUE(PasteNative(target, one));
  ASSERT_EQ(target.Items.Count(), 2u);
  EXPECT_TRUE(target.Items.IsCurrentSingle());
  EXPECT_EQ(target.Items.Current(), &target.Items.At(1));
  ASSERT_EQ(target.Objects.size(), 2u);
  EXPECT_EQ(target.Objects[1].SourceName, "sig.svg");
  // Both image items point into the grown list.
  EXPECT_EQ(static_cast<OleLinkItem&>(target.Items.At(0)).Object, &target.Objects[0]);
  EXPECT_EQ(static_cast<OleLinkItem&>(target.Items.At(1)).Object, &target.Objects[1]);

  ASSERT_TRUE(PasteNative(target, three));
  ASSERT_EQ(target.Items.Count(), 5u);
  EXPECT_TRUE(target.Items.IsCurrentMulti());
  ASSERT_EQ(target.Items.Selection().Count(), 3u);
  EXPECT_EQ(&target.Items.Selection().Child(0), &target.Items.At(2));
  EXPECT_EQ(target.Items.At(2).Type(), ItemString);
  EXPECT_EQ(static_cast<ItemGroup&>(target.Items.At(3)).Count(), 2u);
  EXPECT_EQ(static_cast<OleLinkItem&>(target.Items.At(4)).Object, &target.Objects[2]);

  // A damaged block adds nothing.
  for (std::size_t cut = 0; cut < three.size(); ++cut)
    EXPECT_FALSE(PasteNative(target, std::string_view(three).substr(0, cut))) << cut;
  EXPECT_EQ(target.Items.Count(), 5u);
  EXPECT_EQ(target.Objects.size(), 3u);
}

TEST(LayoutDocument, PartialReadsOfAnotherFile) {
  test::TempDir dir;
  LayoutDocument doc;
  FillDocument(doc);
  const std::string path = dir.Write("other.tvd", Saved(doc));
  test::ScriptedUi ui;
  auto rigAnt = ReadRigAntFrom(path, ui);
  ASSERT_TRUE(rigAnt);
  EXPECT_EQ((*rigAnt)[3].first, "IC-7300");
  EXPECT_EQ((*rigAnt)[3].second, doc.Settings.AntTexts[3]);
  auto macros = ReadMacrosFrom(path, ui);
  ASSERT_TRUE(macros);
  ASSERT_EQ(macros->size(), 1u);
  EXPECT_EQ((*macros)[0], std::make_pair(std::string("MYQTH"), std::string("Tokyo")));
  EXPECT_TRUE(ui.Messages().empty());

  // The dialogs' "参照" buttons.
  ui.QueueFileChoice(OpenFileChoice{path, 0});
  RigAntDialog rigAntDialog(DocumentSettings{}, LayoutRigAntReader(ui));
  rigAntDialog.SwitchTab(3);
  rigAntDialog.Reference();
  EXPECT_EQ(rigAntDialog.Rig, "IC-7300");
  ASSERT_EQ(ui.FileRequests().size(), 1u);
  EXPECT_EQ(ui.FileRequests()[0].defaultExtension, "tvd");
  ui.QueueFileChoice(OpenFileChoice{path, 0});
  MacroDialog macroDialog(MacroList{}, ReadMacroFile);
  macroDialog.Reference(ui);
  ASSERT_EQ(macroDialog.Rows().size(), 1u);
  EXPECT_EQ(macroDialog.Rows()[0].first, "MYQTH");
  EXPECT_EQ(ReadMacroFile(dir.Write("cut.tvd", Saved(doc).substr(0, 60))).status,
            MacroFileResult::Status::WrongFormat);
  EXPECT_TRUE(ui.Messages().empty());

  EXPECT_FALSE(ReadMacrosFrom((dir.Path() / "missing.tvd").string(), ui));
  EXPECT_FALSE(ReadRigAntFrom(dir.Write("text.tvd", "not a layout"), ui));
  ASSERT_EQ(ui.Messages().size(), 2u);
  EXPECT_EQ(ui.Messages()[0].text, msg::kCannotReadFile104);
  EXPECT_EQ(ui.Messages()[1].text, msg::kUnexpectedFormat107);
}

}  // namespace
}  // namespace tevra
