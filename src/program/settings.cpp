#include "program/settings.h"

#include <algorithm>

#include "import/text_encoding.h"

#include "core/text.h"
#include "import/csv_settings.h"

namespace tevra {
namespace {

constexpr std::string_view kOption = "Option";
constexpr std::string_view kMessage = "Message";
constexpr std::size_t kTh5First = 8;  // position 9, 0-based
constexpr std::size_t kTh5Count = 7;

bool Flag(const Profile& f, std::string_view key, bool fallback) { return f.GetInt(kOption, key, fallback) != 0; }
void SetFlag(Profile& f, std::string_view key, bool value) { f.SetInt(kOption, key, value ? 1 : 0); }

}  // namespace

void ReadTh5Fields(std::string_view text, Th5Widths& widths) {
  for (std::size_t i = 0; i < kTh5Count; ++i)
    widths[kTh5First + i] = static_cast<std::uint8_t>(DecimalValue(SplitComma(text)));
}

std::string Th5FieldsText(const Th5Widths& widths) {
  std::string text;
  for (std::size_t i = 0; i < kTh5Count; ++i) {
    if (i > 0) text += ',';
    text += std::to_string(widths[kTh5First + i]);
  }
  return text;
}

void ReadSettings(const Profile& f, ProgramSettings& s) {
  LoadOptions& load = s.load;
  load.skipSendMark = Flag(f, "SkipSendMark", true);
  load.loadCond = f.GetString(kOption, "LoadCond", "TRUE");
  s.sendMark = f.GetString(kOption, "SendMark", "-");
  ReadCsvSettings(f, load.csv);
  load.curLogDir = f.GetString(kOption, "CurLogDir", "");
  const int type = f.GetInt(kOption, "CurLogType", 0);
  load.curLogType = type >= 0 && type < kLogSourceTypeCount ? static_cast<LogSourceType>(type) : SrcKuvalText;
  load.curLogName = f.GetString(kOption, "CurLogName", "QSL");
  s.timeType = f.GetInt(kOption, "TimeType", 0);
  s.log200SafDir = f.GetString(kOption, "Log200SafDir", "");
  s.makeContItem = Flag(f, "MakeContItem", true);
  s.repEnvPack = Flag(f, "RepEnvPack", false);
  s.repCallPack = Flag(f, "RepCallPack", false);
  s.backup = Flag(f, "Backup", true);
  s.clipCheck = Flag(f, "ClipCheck", false);
  s.sortWay = Flag(f, "SortWay", true);
  s.disLogNewTime = Flag(f, "DisLogNewTime", false);
  s.dispPrinterRect = Flag(f, "DispPrinterRect", false);
  s.printNo = std::clamp(f.GetInt(kOption, "PrintNo", 1), 0, kPrintNoMax);
  s.printNoStart = s.printNo;
  s.printNoAuto = Flag(f, "PrintNoAuto", true);
  s.partMark = f.GetString(kOption, "PartMark", "");
  s.invRotFont = Flag(f, "InvRotFont", false);
  s.sortCountry = Flag(f, "SortCountry", s.sortCountry);
  // The registered messages up to the first empty slot.
  std::vector<std::string> history;
  for (int i = 0; i < kMessageSlots; ++i) {
    std::string text = f.GetString(kMessage, "Hist" + std::to_string(i + 1), "");
    if (text.empty()) break;
    history.push_back(std::move(text));
  }
  s.messages.Assign(std::move(history));
  s.includeDoc = Flag(f, "IncludeDoc", false);
  s.language = f.GetString(kOption, "Language", "");
  s.layoutDirectory = f.GetString(kOption, "LayoutDir", "");
  s.printFile = f.GetString(kOption, "PrintFile", "");
  s.viewZoom = std::clamp(f.GetInt(kOption, "ViewZoom", 0), 0, 800);
  s.imageFolder = f.GetString(kOption, "ImageDir", "");
  s.imageFormat = f.GetString(kOption, "ImageFormat", "");
  s.imageDpi = std::clamp(f.GetInt(kOption, "ImageDpi", 0), 0, 600);
  s.imageName = f.GetString(kOption, "ImageName", "");
  load.th5Widths = kDefaultTh5Widths;
  ReadTh5Fields(f.GetString(kOption, "TH5Fields", Th5FieldsText(kDefaultTh5Widths)), load.th5Widths);
  // The Cabrillo choices start afresh with every reading.
  load.cabrillo = CabrilloOptions{};
  // The character set of text logs from other programs; an unknown name
  // leaves it to detection.
  if (!ParseEncodingName(f.GetString(kOption, "LogEncoding", "auto"), load.encoding)) load.encoding = std::nullopt;
  s.previewPages = f.GetInt("Settings", "PreviewPages", 0);
  s.logWindow = ReadPlacement(f, "LogWin");
  const TableWindowState table = ReadTableWindow(f);
  s.tableWindow = table.rect;
  s.tableColumn1 = table.column1;
  s.tableColumn2 = table.column2;
}

void WriteSettings(Profile& f, const ProgramSettings& s) {
  const LoadOptions& load = s.load;
  SetFlag(f, "SkipSendMark", load.skipSendMark);
  f.SetString(kOption, "LoadCond", load.loadCond);
  f.SetString(kOption, "SendMark", s.sendMark);
  f.SetInt(kOption, "CsvDlm", load.csv.separatorType);
  f.SetInt(kOption, "CsvUTC", load.csv.utc ? 1 : 0);
  for (int i = 0; i < kColumnSlots; ++i)
    f.SetString(kOption, "CsvItem" + std::to_string(i + 1), load.csv.columns[static_cast<std::size_t>(i)]);
  f.SetString(kOption, "CurLogDir", load.curLogDir);
  f.SetInt(kOption, "CurLogType", load.curLogType);
  f.SetString(kOption, "CurLogName", load.curLogName);
  f.SetInt(kOption, "TimeType", s.timeType);
  f.SetString(kOption, "Log200SafDir", s.log200SafDir);
  SetFlag(f, "MakeContItem", s.makeContItem);
  SetFlag(f, "RepEnvPack", s.repEnvPack);
  SetFlag(f, "RepCallPack", s.repCallPack);
  SetFlag(f, "Backup", s.backup);
  SetFlag(f, "ClipCheck", s.clipCheck);
  SetFlag(f, "SortWay", s.sortWay);
  SetFlag(f, "DisLogNewTime", s.disLogNewTime);
  SetFlag(f, "DispPrinterRect", s.dispPrinterRect);
  f.SetInt(kOption, "PrintNo", s.printNo);
  SetFlag(f, "PrintNoAuto", s.printNoAuto);
  f.SetString(kOption, "PartMark", s.partMark);
  SetFlag(f, "InvRotFont", s.invRotFont);
  SetFlag(f, "SortCountry", s.sortCountry);
  if (s.logWindow) WritePlacement(f, "LogWin", *s.logWindow);
  const auto& history = s.messages.Entries();
  for (std::size_t i = 0; i < kMessageSlots; ++i)
    f.SetString(kMessage, "Hist" + std::to_string(i + 1), i < history.size() ? history[i] : std::string());
  SetFlag(f, "IncludeDoc", s.includeDoc);
  // Written once set, so that settings files without them stay as they were.
  for (const auto& [key, value] : {std::pair<const char*, const std::string&>{"Language", s.language},
                                   {"LayoutDir", s.layoutDirectory}, {"PrintFile", s.printFile},
                                   {"ImageDir", s.imageFolder}, {"ImageFormat", s.imageFormat},
                                   {"ImageName", s.imageName}})
    if (!value.empty() || !f.GetString(kOption, key, "").empty()) f.SetString(kOption, key, value);
  if (s.viewZoom != 0 || f.GetInt(kOption, "ViewZoom", 0) != 0) f.SetInt(kOption, "ViewZoom", s.viewZoom);
  if (s.imageDpi != 0 || f.GetInt(kOption, "ImageDpi", 0) != 0) f.SetInt(kOption, "ImageDpi", s.imageDpi);
  f.SetString(kOption, "TH5Fields", Th5FieldsText(load.th5Widths));
  f.SetString(kOption, "LogEncoding", std::string(EncodingName(load.encoding)));
  f.SetInt("Settings", "PreviewPages", s.previewPages);
  WriteTableWindow(f, TableWindowState{s.tableWindow, s.tableColumn1, s.tableColumn2});
}

IncludedOptions ToIncludedOptions(const ProgramSettings& s) {
  IncludedOptions o;
  o.SkipSendMark = s.load.skipSendMark ? 1 : 0;
  o.LoadCond = s.load.loadCond;
  o.SendMark = s.sendMark;
  for (std::size_t i = 0; i < o.CsvItems.size(); ++i) o.CsvItems[i] = s.load.csv.columns[i];
  o.CsvDlm = s.load.csv.separatorType;
  o.CsvUTC = s.load.csv.utc ? 1 : 0;
  o.CurLogDir = s.load.curLogDir;
  o.CurLogType = s.load.curLogType;
  o.CurLogName = s.load.curLogName;
  o.Log200SafDir = s.log200SafDir;
  o.TimeType = s.timeType;
  o.MakeContItem = s.makeContItem;
  o.RepEnvPack = s.repEnvPack;
  o.RepCallPack = s.repCallPack;
  o.Backup = s.backup;
  o.ClipCheck = s.clipCheck;
  o.SortWay = s.sortWay;
  o.DisLogNewTime = s.disLogNewTime;
  o.DispPrinterRect = s.dispPrinterRect;
  o.PrintNoAuto = s.printNoAuto;
  o.PartMark = s.partMark;
  o.InvRotFont = s.invRotFont;
  o.IncludeDoc = s.includeDoc;
  return o;
}

void ApplyIncludedOptions(const IncludedOptions& o, ProgramSettings& s) {
  s.load.skipSendMark = o.SkipSendMark != 0;
  s.load.loadCond = o.LoadCond;
  s.sendMark = o.SendMark;
  for (std::size_t i = 0; i < o.CsvItems.size(); ++i) s.load.csv.columns[i] = o.CsvItems[i];
  s.load.csv.separatorType = o.CsvDlm >= 0 && o.CsvDlm <= 4 ? o.CsvDlm : 0;
  s.load.csv.utc = o.CsvUTC != 0;
  s.load.curLogDir = o.CurLogDir;
  s.load.curLogType = o.CurLogType >= 0 && o.CurLogType < kLogSourceTypeCount
                          ? static_cast<LogSourceType>(o.CurLogType)
                          : SrcKuvalText;
  s.load.curLogName = o.CurLogName;
  s.log200SafDir = o.Log200SafDir;
  s.timeType = o.TimeType;
  s.makeContItem = o.MakeContItem != 0;
  s.repEnvPack = o.RepEnvPack != 0;
  s.repCallPack = o.RepCallPack != 0;
  s.backup = o.Backup != 0;
  s.clipCheck = o.ClipCheck != 0;
  s.sortWay = o.SortWay != 0;
  s.disLogNewTime = o.DisLogNewTime != 0;
  s.dispPrinterRect = o.DispPrinterRect != 0;
  s.printNoAuto = o.PrintNoAuto != 0;
  s.partMark = o.PartMark;
  s.invRotFont = o.InvRotFont != 0;
  s.includeDoc = o.IncludeDoc != 0;
}

void ReadRecentList(const Profile& f, std::string_view section, RecentList& list) {
  list.Clear();
  // Added oldest first, so that File1 ends on top.
  for (std::size_t i = list.Capacity(); i >= 1; --i) {
    const std::string path = f.GetString(section, "File" + std::to_string(i), "");
    if (!path.empty()) list.Add(path);
  }
}

void WriteRecentList(Profile& f, std::string_view section, const RecentList& list) {
  const auto& items = list.Items();
  for (std::size_t i = 0; i < list.Capacity(); ++i)
    f.SetString(section, "File" + std::to_string(i + 1), i < items.size() ? items[i] : std::string());
}

std::optional<WindowPlacement> ReadPlacement(const Profile& f, std::string_view section) {
  for (const char* key : {"CX", "CY", "X", "Y"})
    if (!f.Has(section, key)) return std::nullopt;
  return WindowPlacement{f.GetInt(section, "CX", 0), f.GetInt(section, "CY", 0), f.GetInt(section, "X", 0),
                         f.GetInt(section, "Y", 0)};
}

void WritePlacement(Profile& f, std::string_view section, const WindowPlacement& p) {
  f.SetInt(section, "CX", p.cx);
  f.SetInt(section, "CY", p.cy);
  f.SetInt(section, "X", p.x);
  f.SetInt(section, "Y", p.y);
}

MainWindowState ReadMainWindow(const Profile& f) {
  MainWindowState state;
  state.zoomed = f.GetInt("Window", "ZOOM", 0) != 0;
  state.screenWidth = f.GetInt("Window", "SX", 0);
  state.screenHeight = f.GetInt("Window", "SY", 0);
  state.rect = ReadPlacement(f, "Window");
  return state;
}

void WriteMainWindow(Profile& f, const MainWindowState& state) {
  f.SetInt("Window", "ZOOM", state.zoomed ? 1 : 0);
  f.SetInt("Window", "SX", state.screenWidth);
  f.SetInt("Window", "SY", state.screenHeight);
  if (state.rect) WritePlacement(f, "Window", *state.rect);
}

TableWindowState ReadTableWindow(const Profile& f) {
  TableWindowState state;
  state.rect = ReadPlacement(f, "TableWin");
  state.column1 = f.GetInt("TableWin", "W1", 100);
  state.column2 = f.GetInt("TableWin", "W2", 400);
  return state;
}

void WriteTableWindow(Profile& f, const TableWindowState& state) {
  if (state.rect) WritePlacement(f, "TableWin", *state.rect);
  f.SetInt("TableWin", "W1", state.column1);
  f.SetInt("TableWin", "W2", state.column2);
}

}  // namespace tevra
