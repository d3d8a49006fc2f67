#include "program/log_list.h"

#include <algorithm>
#include <cstdio>

#include "program/program.h"
#include "core/band.h"
#include "core/call_sign.h"
#include "core/encoding.h"
#include "core/messages.h"
#include "core/text.h"
#include "import/dbase_file.h"
#include "import/external_libraries.h"
#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {
namespace {

constexpr LogListColumn kColumns[] = {{"Call", 120}, {"Date", 100}, {"JST", 60},   {"RST", 60},     {"MHz", 80},
                                      {"MODE", 60},  {"Pow", 60},   {"Name", 100}, {"QTH", 100},    {"QSL", 160},
                                      {"Env", 60},   {"S", 40},     {"R", 40},     {"REF", 100},    {"ViaCALL", 100},
                                      {"ViaENT", 100}};

constexpr std::string_view kConfirmDelete = QT_TRANSLATE_NOOP("Tevra", "現在選択されているデータを削除します.");
constexpr std::string_view kDeleting = QT_TRANSLATE_NOOP("Tevra", "ログデータを削除中...");
constexpr std::string_view kDeletingByCondition = QT_TRANSLATE_NOOP("Tevra", "指定の条件でログデータを削除中...");
constexpr std::string_view kPrintedWarning =
    QT_TRANSLATE_NOOP("Tevra", "印刷済みのデータがあります\r\n消去するとログファイルの更新ができなくなる可能性があります.");
constexpr std::string_view kNothingWrong = QT_TRANSLATE_NOOP("Tevra", "異常な行は見つかりませんでした.");
constexpr std::string_view kCreating = QT_TRANSLATE_NOOP("Tevra", "ファイルを作成中...");


}  // namespace

// ---------------------------------------------------------------------------

// ---------------------------------------------------------------------------

std::span<const LogListColumn> LogList::Columns() { return kColumns; }

LogList::LogList(Document& doc) : doc_(doc) {}

std::size_t LogList::RowCount() const { return doc_.store.QsoCount(); }

std::string LogList::Cell(std::size_t row, int column) const {
  const LogEntry& e = doc_.store.Entry(row);
  char text[32];
  switch (column) {
    case 0: return std::string(e.Text(LogEntry::Call));
    case 1: return std::string(e.Text(LogEntry::Date));
    case 2: return std::string(e.Text(LogEntry::Time));
    case 3: return std::string(e.Text(LogEntry::Report));
    case 4: return std::string(e.Text(LogEntry::Freq));
    case 5: return std::string(e.Text(LogEntry::Mode));
    case 6: return std::string(e.Text(LogEntry::Power));
    case 7: return std::string(e.Text(LogEntry::Name));
    case 8: return std::string(e.Text(LogEntry::Qth));
    case 9: return std::string(e.Text(LogEntry::Remarks));
    case 10: return std::to_string(e.Env());
    case 11: return e.Sent() ? std::string(1, e.Sent()) : std::string();
    case 12: return e.Received() ? std::string(1, e.Received()) : std::string();
    case 13:
      std::snprintf(text, sizeof text, "%c%X", e.Printed() ? '*' : ' ', static_cast<unsigned>(e.Position()));
      return text;
    case 14: return std::string(e.ViaCall());
    case 15: return std::string(e.ViaEnt());
    default: return {};
  }
}

std::string LogList::CountText() const { return std::to_string(RowCount()) + " 件"; }

std::string LogList::Title() const { return "ログリスト - " + doc_.SourceName(); }

bool LogList::SortCountryEnabled() const { return !doc_.program.entities.Empty(); }

void LogList::Remember() {
  LogStore::EntriesState now = doc_.store.SaveEntries();
  if (!opened_) opened_ = now;
  undo_.push_back(std::move(now));
  redo_.clear();
  // Oldest steps go first when the copies would pass the bound.
  const std::size_t steps = std::max<std::size_t>(1, kHistoryEntries / std::max<std::size_t>(1, doc_.store.QsoCount()));
  if (undo_.size() > steps) undo_.erase(undo_.begin(), undo_.end() - static_cast<std::ptrdiff_t>(steps));
}

void LogList::Restore(LogStore::EntriesState state) {
  doc_.store.RestoreEntries(std::move(state));
  doc_.ReadCurrentCard();
}

void LogList::Undo() {
  if (undo_.empty()) return;
  redo_.push_back(doc_.store.SaveEntries());
  LogStore::EntriesState back = std::move(undo_.back());
  undo_.pop_back();
  Restore(std::move(back));
}

void LogList::Redo() {
  if (redo_.empty()) return;
  undo_.push_back(doc_.store.SaveEntries());
  LogStore::EntriesState again = std::move(redo_.back());
  redo_.pop_back();
  Restore(std::move(again));
}

void LogList::Cancel() {
  if (opened_) Restore(std::move(*opened_));
  ForgetHistory();
}

void LogList::ForgetHistory() {
  undo_.clear();
  redo_.clear();
  opened_.reset();
}

void LogList::Sort(bool descending) {
  Remember();
  doc_.SortBureau(descending);
  doc_.ReadCurrentCard();
}

void LogList::SortByTime() {
  Remember();
  doc_.SortByTime();
  doc_.ReadCurrentCard();
}

bool LogList::DeleteRows(std::vector<std::size_t> rows) {
  Ui& ui = doc_.program.ui;
  LogStore& store = doc_.store;
  if (rows.empty() || ui.Ask(kConfirmDelete, Buttons::YesNo, MessageIcon::Question) != Answer::Yes) return false;
  ui.SetStatus(kDeleting);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  // Printed QSOs still waiting for the write-back: each one asks.
  if (doc_.program.printedData)
    for (std::size_t row : rows)
      if (row < store.QsoCount() && store.Entry(row).Printed() &&
          ui.Ask(kPrintedWarning, Buttons::OkCancel, MessageIcon::Warning) == Answer::Cancel) {
        ui.ClearStatus();
        return false;
      }
  Remember();
  std::vector<const LogEntry*> doomed;
  for (std::size_t row : rows)
    if (row < store.QsoCount()) doomed.push_back(&store.Entry(row));
  store.RemoveIf([&doomed](const LogEntry& e) { return std::binary_search(doomed.begin(), doomed.end(), &e); });
  store.Regroup();
  doc_.ReadCurrentCard();
  ui.ClearStatus();
  return true;
}

bool LogList::DeleteByCondition(const std::string& condition) {
  if (condition.empty() || condition == "FALSE") return false;
  Ui& ui = doc_.program.ui;
  LogStore& store = doc_.store;
  ui.SetStatus(kDeletingByCondition);
  QsoRecord record;
  std::vector<bool> doomed(store.QsoCount());
  bool printedHit = false;
  for (std::size_t i = 0; i < store.QsoCount(); ++i) {
    store.Read(i, record);
    doomed[i] = doc_.expander->EvaluateConditions(condition, record);
    printedHit = printedHit || (doomed[i] && store.Entry(i).Printed());
  }
  if (doc_.program.printedData && printedHit &&
      ui.Ask(kPrintedWarning, Buttons::OkCancel, MessageIcon::Warning) == Answer::Cancel) {
    ui.ClearStatus();
    return false;
  }
  Remember();
  const LogEntry* first = store.QsoCount() ? &store.Entry(0) : nullptr;
  store.RemoveIf([&](const LogEntry& e) { return doomed[static_cast<std::size_t>(&e - first)]; });
  store.Regroup();
  doc_.ReadCurrentCard();
  ui.ClearStatus();
  return true;
}

bool LogList::EditRow(std::size_t row) {
  LogStore& store = doc_.store;
  QsoRecord record;
  if (!store.Read(row, record) || !doc_.program.ui.EditQso(record)) return false;
  Remember();
  const bool routed = store.Entry(row).HasRoute();
  store.Replace(row, record);
  // The routes were computed before: compute them again.
  if (routed) store.ComputeRoutes(doc_.program.settings.sortCountry && !doc_.program.entities.Empty(), doc_.program.entities);
  doc_.ReadCurrentCard();
  return true;
}

std::optional<std::string_view> LogList::Problem(std::size_t row) const {
  QsoRecord r;
  if (!doc_.store.Read(row, r)) return std::nullopt;
  if (r.Month < 1 || r.Month > 12 || r.Day < 1 || r.Day > 31) return QT_TRANSLATE_NOOP("Tevra", "異常な日付");
  if (r.Hour > 24 || r.Minute > 60) return QT_TRANSLATE_NOOP("Tevra", "異常な時刻");
  if (!IsCallLike(FieldText(r.Call))) return QT_TRANSLATE_NOOP("Tevra", "異常なコールサイン");
  const std::string rst = doc_.expander->LookupVariable("RST", r);
  if (rst.empty() || !std::all_of(rst.begin(), rst.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return QT_TRANSLATE_NOOP("Tevra", "異常なＲＳＴ");
  const std::string_view mode = FieldText(r.Mode);
  const bool inTable = std::any_of(doc_.layout.Tables.Modes.Rows().begin(), doc_.layout.Tables.Modes.Rows().end(),
                                   [mode](const ModeRow& m) { return EqualsNoCase(m.Mode, mode); });
  if (mode.empty() || (!inTable && ModeIndex(ToUpperAscii(mode)) == 0)) return QT_TRANSLATE_NOOP("Tevra", "認識できない電波形式");
  if (FieldText(r.Freq).empty() || BandOfFrequency(FieldText(r.Freq)) == 0) return QT_TRANSLATE_NOOP("Tevra", "認識できないバンド");
  return std::nullopt;
}

void LogList::CheckAll(const std::function<void(std::size_t)>& showRow) {
  Ui& ui = doc_.program.ui;
  bool any = false;
  for (std::size_t i = 0; i < RowCount(); ++i) {
    const auto problem = Problem(i);
    if (!problem) continue;
    any = true;
    if (showRow) showRow(i);
    char text[256];
    std::snprintf(text, sizeof text, "%d : %s\r\n\r\n%s", static_cast<int>(i + 1), ui.Translate(*problem).c_str(),
                  ui.Translate(QT_TRANSLATE_NOOP("Tevra", "続行しますか？")).c_str());
    if (ui.Ask(text, Buttons::YesNo, MessageIcon::Question) != Answer::Yes) return;
  }
  if (!any) ui.ShowMessage(kNothingWrong, MessageIcon::Information);
}

std::vector<std::string> ExportFieldNames() {
  return {"DATE", "TIME",  "END",  "CALL",    "UR",    "MY",    "BAND", "MODE", "POW", "NAME", "QTH",
          "REM",  "REM2",  "S",    "R",       "ENV",   "OPT",   "OPT2", "CONTEST", "MYRIG", "MYQTH", "MISC"};
}

std::vector<std::size_t> ExportFieldLengths() {
  return {12, 6, 6, 24, 24, 24, 20, 20, 8, 50, 50, 200, 64, 1, 1, 6, 6, 6, 64, 64, 64, 128};
}

bool LogList::ExportDbf(const std::string& path) const {
  Ui& ui = doc_.program.ui;
  ui.SetStatus(kCreating);
  DbfEngine dbf;
  bool ok = dbf.DbfCreate(path, ExportFieldNames(), ExportFieldLengths());
  for (std::size_t i = 0; ok && i < RowCount(); ++i) {
    ok = dbf.DbfSeek(i);
    if (!ok) break;
    std::string remarks = Cell(i, 9);
    auto take = [&remarks](std::initializer_list<std::string_view> keys) {
      for (std::string_view key : keys)
        if (auto value = RemoveTaggedItem(remarks, key)) return *value;
      return std::string();
    };
    const std::string end = take({"END"}), my = take({"My"}), opt = take({"CODE", "OPT"}), opt2 = take({"GL", "OPT2"}),
                      contest = take({"Contest", "Test"}), myRig = take({"MyRIG"}), myQth = take({"MyQTH"}),
                      rem = take({"REM", "REM1"}), rem2 = take({"mQSL", "REM2"});
    const std::string values[] = {Cell(i, 1), Cell(i, 2),  end,        Cell(i, 0), Cell(i, 3),  my,
                                  Cell(i, 4), Cell(i, 5),  Cell(i, 6), Cell(i, 7), Cell(i, 8),  rem,
                                  rem2,       Cell(i, 11), Cell(i, 12), Cell(i, 10), opt,       opt2,
                                  contest,    myRig,       myQth,      std::string(SkipBlanks(remarks))};
    for (std::size_t f = 0; f < std::size(values); ++f) dbf.DbfSetField(f, values[f]);
  }
  ok = dbf.DbfClose() && ok;
  ui.ClearStatus();
  if (!ok) ui.ShowMessage(msg::kCannotCreateFile105, MessageIcon::Warning);
  return ok;
}

std::optional<std::string> LogList::PluginFileType() const {
  const ExtSrcLibrary& plugin = doc_.program.extSrc;
  if (!plugin.Available() || !plugin.CanCreate() || !plugin.Api().GetCreateFileType) return std::nullopt;
  const char* type = plugin.Api().GetCreateFileType(1);
  if (!type || !*type) return std::nullopt;
  return std::string(type);
}

std::string LogList::PluginLine(std::size_t row) const {
  std::string line;
  for (const int column : {1, 2, 0, 3, 4, 5, 6, 7, 8, 9, 11, 12, 10}) {
    const bool quoted = column == 7 || column == 8 || column == 9;
    if (quoted) line += '"';
    line += Cell(row, column);
    if (quoted) line += '"';
    line += ',';
  }
  return line;
}

bool LogList::ExportThroughPlugin(const std::string& path) const {
  Ui& ui = doc_.program.ui;
  const ExtSrcApi& api = doc_.program.extSrc.Api();
  if (!PluginFileType() || !api.Create || !api.WriteText || !api.CClose) return false;
  ui.SetStatus(kCreating);
  const bool created = api.Create(path.c_str()) == 1;
  bool ok = created;
  for (std::size_t i = 0; ok && i < RowCount(); ++i) ok = api.WriteText(PluginLine(i).c_str()) != 0;
  if (created) ok = (api.CClose() != 0) && ok;
  ui.ClearStatus();
  if (!ok) ui.ShowMessage(msg::kCannotCreateFile105, MessageIcon::Warning);
  return ok;
}

void LogList::Accept(std::optional<std::size_t> selected) {
  LogStore& store = doc_.store;
  if (store.QsoCount() == 0) {
    store.SetCurrentQso(0);
    store.SetCurrentCard(0);
    return;
  }
  const std::size_t row = selected && *selected < store.QsoCount() ? *selected : 0;
  store.SetCurrentQso(row);
  store.SetCurrentCard(store.CardOf(row));
  doc_.ReadCurrentCard();
}

}  // namespace tevra
