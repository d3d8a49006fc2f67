#include "automation/automation.h"

#include <algorithm>

#include "program/commands.h"
#include "program/log_list.h"
#include "program/print_output.h"
#include "program/program.h"
#include "core/encoding.h"
#include "core/file_io.h"
#include "core/text.h"
#include "import/automation_record.h"
#include "import/log_source.h"
#include "merge/tables.h"
#include "core/translatable.h"

namespace tevra {

namespace {

constexpr std::string_view kLoadingLogData = QT_TRANSLATE_NOOP("Tevra", "ログデータを読み込み中...");
constexpr std::string_view kUntitled = "無題";

std::int16_t Short(int value) { return static_cast<std::int16_t>(value); }

bool ValidSlot(std::int16_t slot) { return slot >= 0 && slot < kRigSlotCount; }

}  // namespace

Automation::Automation(Document& doc, AutomationHost& host) : doc_(doc), host_(host) {
  doc_.printingEvent = [this] { Fire(AutomationEvent::Printing); };
  doc_.printedEvent = [this] { Fire(AutomationEvent::Printed); };
  doc_.rigAntEvent = [this] { Fire(AutomationEvent::RigAnt); };
  doc_.newDocEvent = [this] { Fire(AutomationEvent::NewDoc); };
  doc_.openDocEvent = [this] { Fire(AutomationEvent::OpenDoc); };
}

Automation::~Automation() {
  doc_.printingEvent = doc_.printedEvent = doc_.rigAntEvent = doc_.newDocEvent = doc_.openDocEvent = nullptr;
}

void Automation::Fire(AutomationEvent event) {
  const EventRegistration& r = Registration(event);
  if (r.thread != 0 && r.message != 0 && announce) announce(event, r.first, r.second);
}

void Automation::SetEvent(AutomationEvent event, EventRegistration registration) {
  events_[static_cast<std::size_t>(event)] = registration;
}

const EventRegistration& Automation::Registration(AutomationEvent event) const {
  return events_[static_cast<std::size_t>(event)];
}

// --- member properties ---------------------------------------------------------

std::int16_t Automation::PrintStat() const { return Short(doc_.program.automation.printStat); }
void Automation::SetPrintStat(std::int16_t value) { doc_.program.automation.printStat = value; }
std::int16_t Automation::DisableExit() const { return Short(doc_.program.automation.disableExit); }
void Automation::SetDisableExit(std::int16_t value) { doc_.program.automation.disableExit = value; }
std::int16_t Automation::EnableLogFile() const { return doc_.program.automation.enableLogFile ? 1 : 0; }
void Automation::SetEnableLogFile(std::int16_t value) {
  doc_.program.automation.enableLogFile = value != 0;
  doc_.loader.SetEnableLogFile(value != 0);
  host_.Redraw();  // the log commands follow it
}
std::int16_t Automation::LoadRigAnt() const { return doc_.program.automation.loadRigAnt ? 1 : 0; }
void Automation::SetLoadRigAnt(std::int16_t value) { doc_.program.automation.loadRigAnt = value != 0; }

// --- properties with access functions --------------------------------------------

std::int16_t Automation::Modified() const { return doc_.modified ? 1 : 0; }
void Automation::SetModified(std::int16_t value) {
  doc_.modified = value != 0;
  host_.Redraw();  // the title shows it
}
std::int16_t Automation::SortFlag() const { return doc_.store.Sorted() ? 1 : 0; }
void Automation::SetSortFlag(std::int16_t value) { doc_.store.SetSorted(value != 0); }
std::int16_t Automation::QslForm() const { return Short(doc_.layout.Settings.CardFormCode); }
void Automation::SetQslForm(std::int16_t value) { doc_.layout.Settings.CardFormCode = value; }
std::int32_t Automation::QslXw() const { return doc_.layout.Settings.CardWidth; }
void Automation::SetQslXw(std::int32_t value) {
  doc_.layout.Settings.CardWidth = value;
  doc_.RefreshPrinterMetrics();
  host_.Redraw();
}
std::int32_t Automation::QslYw() const { return doc_.layout.Settings.CardHeight; }
void Automation::SetQslYw(std::int32_t value) {
  doc_.layout.Settings.CardHeight = value;
  doc_.RefreshPrinterMetrics();
  host_.Redraw();
}
std::int32_t Automation::CurPrintNo() const { return static_cast<std::int32_t>(doc_.store.CurrentCard()); }
void Automation::SetCurPrintNo(std::int32_t value) {
  if (value < 0 || static_cast<std::size_t>(value) >= doc_.store.CardCount()) return;
  doc_.store.SetCurrentCard(static_cast<std::size_t>(value));
  doc_.ReadCurrentCard();
  host_.Redraw();
}
std::int16_t Automation::Grid() const { return Short(doc_.layout.Settings.GridMode); }
void Automation::SetGrid(std::int16_t value) {
  doc_.layout.Settings.GridMode = value;
  host_.Redraw();
}
std::int16_t Automation::EditLock() const { return Short(doc_.layout.Settings.EditLock); }
void Automation::SetEditLock(std::int16_t value) { doc_.layout.Settings.EditLock = value; }
std::string Automation::DocTTL() const { return doc_.layout.Settings.Title; }
void Automation::SetDocTTL(std::string_view value) { doc_.layout.Settings.Title = value; }
std::string Automation::DocMEMO() const { return doc_.layout.Settings.Memo; }
void Automation::SetDocMEMO(std::string_view value) { doc_.layout.Settings.Memo = value; }
std::int32_t Automation::RepMax() const { return doc_.store.QsosPerCard(); }
void Automation::SetRepMax(std::int32_t value) {
  // Taken over by the next regrouping (SetPrintMax or a load).
  doc_.SetQsosPerCard(std::clamp(value, 1, kMaxQsosPerCard));
}
std::int16_t Automation::LogType() const { return Short(doc_.store.SourceType()); }
void Automation::SetLogType(std::int16_t value) {
  if (doc_.store.SourceType() == SrcAutomation) SetLogName("OLERET.TXT");
  doc_.store.SetSourceType(static_cast<LogSourceType>(value));
  doc_.program.settings.load.curLogType = static_cast<LogSourceType>(value);
}
std::string Automation::LogName() const {
  const LoadOptions& load = doc_.program.settings.load;
  return load.curLogDir + load.curLogName;
}
void Automation::SetLogName(std::string_view value) {
  LoadOptions& load = doc_.program.settings.load;
  load.curLogDir = std::string(DirectoryOf(value));
  load.curLogName = std::string(FileNameOf(value));
}

// --- methods ----------------------------------------------------------------------

void Automation::DeleteLog() { doc_.store.Clear(); }

void Automation::AddLog(std::string_view record) {
  QsoRecord qso;
  if (ParseAutomationRecord(record, qso)) doc_.store.Add(qso, static_cast<std::int32_t>(doc_.store.QsoCount()));
}

void Automation::SetPrintMax() {
  LogStore& store = doc_.store;
  store.Regroup();
  if (store.CurrentCard() >= store.CardCount()) store.SetCurrentCard(0);
  doc_.ReadCurrentCard();
  store.SetSourceType(SrcAutomation);
  doc_.program.settings.load.curLogType = SrcAutomation;
  host_.Redraw();
}

std::int16_t Automation::DoLogList() {
  if (!host_.ShowLogList()) return 0;
  doc_.ReadCurrentCard();
  host_.Redraw();
  return 1;
}

std::int32_t Automation::GetLogCount() const { return static_cast<std::int32_t>(doc_.store.QsoCount()); }

void Automation::Sort(std::int16_t direction, bool jn2003) {
  bool& way = doc_.program.settings.sortWay;
  const bool saved = way;
  if (jn2003) way = true;
  doc_.SortBureau(direction != 0);
  way = saved;
  if (doc_.store.CardCount() > 0) {
    doc_.store.SetCurrentCard(0);
    doc_.ReadCurrentCard();
  }
  host_.Redraw();
}

void Automation::SortLog(std::int16_t direction) { Sort(direction, false); }
void Automation::SortLog97(std::int16_t direction) { Sort(direction, true); }

std::int16_t Automation::OpenDoc(const std::string& path) {
  // A client gets its answer, never a message box it cannot see: a name
  // that is no readable log or layout fails at once.
  if (!OpenRegularFile(path)) return 0;
  if (!ReaderForNamedFile(path) && !LayoutFileReadable(path)) return 0;
  const bool ok = host_.OpenByName(path);
  if (ok) host_.SetDocumentTitle(FromUnicode(path));  // a path is file-system bytes (UTF-8)
  host_.Redraw();
  return ok ? 1 : 0;
}

void Automation::DoPrint() { host_.RunCommand(cmd::kPrint); }
void Automation::DoTestPrint() { host_.RunCommand(cmd::kTestPrint); }
std::int32_t Automation::GetPrintMax() const { return static_cast<std::int32_t>(doc_.store.CardCount()); }
void Automation::DoFormDlg() { host_.RunCommand(cmd::kQslForm); }
void Automation::DoMacDlg() { host_.RunCommand(cmd::kMacros); }
void Automation::DoOptionDlg() { host_.RunCommand(cmd::kOptions); }
void Automation::DoQSODlg() { host_.RunCommand(cmd::kQsoData); }

std::int32_t Automation::GetPrintedPos(std::int32_t index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= doc_.store.QsoCount()) return -1;
  return doc_.GetPrintedPos(static_cast<std::size_t>(index));
}

void Automation::OpenFile(std::int16_t n) {
  if (n == 0) {
    host_.OpenFileDialog();
    return;
  }
  if (n < 1 || n > 8) n = 1;
  const auto& recent = doc_.program.settings.recentLayouts.Items();
  if (static_cast<std::size_t>(n) > recent.size()) {
    host_.OpenFileDialog();
    return;
  }
  std::string path = recent[static_cast<std::size_t>(n - 1)];
  ReplaceExtension(path, ".tvd");
  host_.OpenByName(path);
  host_.SetDocumentTitle(FromUnicode(path));
  host_.Redraw();
}

std::int32_t Automation::GetItemCount() const { return static_cast<std::int32_t>(doc_.layout.Items.Count()); }
void Automation::DoRigAntDlg() { host_.RunCommand(cmd::kRigAnt); }

std::string Automation::GetRig(std::int16_t slot) const {
  return ValidSlot(slot) ? doc_.layout.Settings.RigTexts[static_cast<std::size_t>(slot)] : std::string();
}
std::string Automation::GetAnt(std::int16_t slot) const {
  return ValidSlot(slot) ? doc_.layout.Settings.AntTexts[static_cast<std::size_t>(slot)] : std::string();
}
void Automation::SetRig(std::int16_t slot, std::string_view text) {
  if (ValidSlot(slot)) doc_.layout.Settings.RigTexts[static_cast<std::size_t>(slot)] = text;
}
void Automation::SetAnt(std::int16_t slot, std::string_view text) {
  if (ValidSlot(slot)) doc_.layout.Settings.AntTexts[static_cast<std::size_t>(slot)] = text;
}

void Automation::Foreground() { host_.Foreground(); }
void Automation::ShowWindow(std::int32_t command) { host_.ShowWindow(command); }

void Automation::NewDoc() {
  host_.NewDocument();
  host_.SetDocumentTitle(FromUnicode(kUntitled));
}

std::int16_t Automation::CanExit() { return host_.CanExit() ? 1 : 0; }
void Automation::SetDocTitle(const std::string& title) { host_.SetDocumentTitle(title); }
void Automation::SetWindowTitle(const std::string& title) { host_.SetWindowTitle(title); }
void Automation::UpdateWindow() { host_.Redraw(); }
std::int32_t Automation::GetWindowStyle() const { return host_.WindowStyle(); }

void Automation::DeleteDoc() {
  // As any discarding of the contents: the write-back question first.
  doc_.DiscardContents();
  host_.DocumentDiscarded();
  doc_.path.clear();
  doc_.modified = false;
  host_.SetDocumentTitle(FromUnicode(kUntitled));
  host_.Redraw();
}

std::int32_t Automation::DeletePrinted(std::int32_t index) { return doc_.DeletePrinted(index); }

void Automation::AddLogEx(std::string_view text) {
  host_.SetStatusText(FromUnicode(kLoadingLogData));
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty()) continue;
    QsoRecord qso;
    if (ParseAutomationRecord(line, qso, 512)) doc_.store.Add(qso, static_cast<std::int32_t>(doc_.store.QsoCount()));
  }
  host_.SetStatusText({});
}

void Automation::SetStatusText(const std::string& text) { host_.SetStatusText(text); }

void Automation::SetPrintedMark(std::int32_t card) {
  if (card >= 0 && static_cast<std::size_t>(card) < doc_.store.CardCount())
    doc_.SetPrintedMark(static_cast<std::size_t>(card));
}

std::string Automation::StrDataMark(std::string_view name, std::string_view record) {
  QsoRecord qso;
  if (!ParseAutomationRecord(record, qso)) return {};
  if (const auto table = DataMarkTableReference(name)) {
    if (*table < 1 || *table > 10) return {};  // a data mark's own table has no meaning here
    return TableLookup(*doc_.expander, doc_.layout.Tables.Common[static_cast<std::size_t>(*table - 1)], qso, false);
  }
  return doc_.expander->LookupVariable(name, qso);
}

void Automation::DelLogCond(const std::string& condition) {
  LogList(doc_).DeleteByCondition(condition);
  host_.Redraw();
}

void Automation::DoMessageLoop() {
  doc_.program.automation.disableExit = 0;
  host_.Foreground();
  host_.RunMessageLoop();
}

void Automation::AddLogPos(std::string_view record, std::int32_t position) {
  // A position is the client's record number: never negative (-1 is what
  // GetPrintedPos answers for "not printed").
  QsoRecord qso;
  if (position >= 0 && ParseAutomationRecord(record, qso)) doc_.store.Add(qso, position);
}

void Automation::DeletePrintedData() {
  doc_.DeletePrintedData();
  host_.Redraw();
}

std::int32_t Automation::PrintToFile(const std::string& path) {
  // Only a new file or a PDF of an absolute path is written: never a
  // client's log, never a device or a pipe, never relative to the service.
  if (path.empty() || path.front() != '/' || !PdfTargetProblem(path, true).empty()) return -1;
  if (doc_.store.CardCount() == 0) return 0;
  // Without the print dialog, and without its questions: the cards print in
  // the order the log has, from the first.
  PrintJob job(doc_, PrintKind::Merge);
  job.askQuestions = false;
  if (!job.Prepare()) return 0;
  job.Begin();
  const PageLoopResult result = PrintToPdf(job, doc_, path, 0, 0);
  if (!result.ok) {
    job.Fail();
    return -1;
  }
  job.End();
  return job.CardsPrinted();
}

}  // namespace tevra
