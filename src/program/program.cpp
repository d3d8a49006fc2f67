#include "program/program.h"
#include "program/file_locations.h"
#include "core/encoding.h"
#include "import/log_source.h"

#include "core/file_io.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "program/document_opening.h"
#include "program/options_dialog.h"
#include "card/sample_qsos.h"
#include "core/archive.h"
#include "core/messages.h"
#include "core/paths.h"
#include "platform/ui.h"

#ifndef TEVRA_EXAMPLES_DIR
#define TEVRA_EXAMPLES_DIR ""
#endif

namespace tevra {
namespace {

std::string DataHome() { return UserDataHome(); }

}  // namespace

ProgramPaths DefaultProgramPaths(const std::optional<std::string>& configOverride) {
  return {configOverride.value_or(DefaultSettingsPath()), ProgramDirectory()};
}

std::string EntityFilePath(const std::string& programDirectory) {
  std::error_code ec;
  const std::string beside = programDirectory + kEntityFileName;
  if (std::filesystem::exists(beside, ec)) return beside;
  // Installed: the shared data folder beside bin/.
  const std::string installed = programDirectory + "../share/tevra/" + std::string(kEntityFileName);
  if (std::filesystem::exists(installed, ec)) return installed;
  const std::string examples = std::string(TEVRA_EXAMPLES_DIR) + "/" + kEntityFileName;
  if (*TEVRA_EXAMPLES_DIR && std::filesystem::exists(examples, ec)) return examples;
  return beside;
}

std::vector<std::string> RegistrationFiles() {
  const std::string data = DataHome();
  return {data + "/applications/tevra.desktop", data + "/mime/packages/tevra.xml"};
}

// ---------------------------------------------------------------------------

Program::Program(Ui& ui_, ProgramPaths paths_) : ui(ui_), paths(std::move(paths_)) {}

bool Program::Start() {
  extSrc.Load(paths.programDirectory, ui);
  dbBridge.Load(paths.programDirectory, ui);
  automation = AutomationFlags{};
  registrationRemoved = false;
  zoom = 100;
  ui.SetStatus(msg::kReadingSettings);
  std::error_code ec;
  const bool exists = std::filesystem::exists(paths.settingsFile, ec);
  const bool read = file.Load(paths.settingsFile);
  ReadSettings(file, settings);
  ReadRecentList(file, "Recent LogFile", settings.load.recentLogs);
  ReadRecentList(file, "Recent File List", settings.recentLayouts);
  ui.ClearStatus();
  printedData = false;
  automation.printStat = 0;
  automation.disableExit = 0;
  entities.Load(EntityFileInUse(paths.programDirectory));
  // Marks that a stop interrupted in the last log are finished now.
  if (!settings.load.recentLogs.Items().empty()) FinishMarking(ui, settings.load.recentLogs.Items().front());
  // A file that exists but could not be read is never overwritten with
  // defaults.
  settingsUnreadable_ = exists && !read;
  return !settingsUnreadable_;
}

bool Program::SaveSettings() {
  if (registrationRemoved) return true;
  if (settingsUnreadable_) return false;
  WriteRecentList(file, "Recent LogFile", settings.load.recentLogs);
  WriteRecentList(file, "Recent File List", settings.recentLayouts);
  WriteSettings(file, settings);
  return file.Save(paths.settingsFile);
}

bool Program::Shutdown() {
  if (!registrationRemoved) return SaveSettings();
  std::error_code ec;
  std::filesystem::remove(paths.settingsFile, ec);
  return !ec;
}

bool Program::RemoveRegistration() {
  if (ui.Ask(msg::kRemoveRegistration, Buttons::YesNo, MessageIcon::Question) != Answer::Yes) return false;
  std::error_code ec;
  for (const auto& path : RegistrationFiles()) std::filesystem::remove(path, ec);
  registrationRemoved = true;
  return true;
}

void Program::ReloadEntityTable() {
  WaitCursor wait(ui);
  entities.Clear();
  entities.Load(EntityFileInUse(paths.programDirectory));
}

// ---------------------------------------------------------------------------

bool DocumentLoadHooks::LoadConditionHolds(const QsoRecord& record) {
  const std::string& condition = doc_.loadConditionOverride ? *doc_.loadConditionOverride
                                                            : doc_.program.settings.load.loadCond;
  if (condition.empty() || condition == "TRUE") return true;
  QsoRecord copy = record;  // a "%" condition may assign fields
  return doc_.expander->EvaluateConditions(condition, copy);
}

void DocumentLoadHooks::SortStore(bool descending) { doc_.SortBureau(descending); }

void DocumentLoadHooks::Redraw() {
  // The card just read is what the items show.
  doc_.context.QsosOnCard = doc_.store.CurrentCardQsoCount();
  doc_.context.CardIndex = static_cast<int>(doc_.store.CurrentCard());
}

bool DocumentLoadHooks::OpenLayoutDocument(const std::string& path) { return doc_.OpenLayout(path); }

void DocumentLoadHooks::CloseLiveSources() { doc_.CloseLiveSources(); }

bool DocumentLoadHooks::SettlePendingWriteBack() { return doc_.writeBack.Settle(true); }

bool DocumentLoadHooks::ShowLogList() { return doc_.showLogList && doc_.showLogList(); }

std::string Document::SourceName() const {
  // A file's name is the file system's (UTF-8); a table's comes as CP932.
  const std::string& name = program.settings.load.curLogName;
  const LogSourceType type = store.SourceType();
  return SourceDisplayName(type, type == SrcOdbc ? ToUnicode(name) : name);
}

void DocumentLoadHooks::StartPrintNumberContinuation() {
  ProgramSettings& s = doc_.program.settings;
  if (s.printNoAuto) s.printNo = 1;
}

void DocumentLoadHooks::CountSentRecord() {
  ProgramSettings& s = doc_.program.settings;
  if (s.printNoAuto) ++s.printNo;
}

Document::Document(Program& program_, Printer& printer)
    : program(program_),
      store(program_.ui),
      metrics(printer, program_.ui),
      loader(program_.ui, store, program_.settings.load, hooks, mergeBuffer) {
  expander = std::make_unique<MacroExpander>(context, Services());
  loader.SetEnableLogFile(program.automation.enableLogFile);
  // A merge print ends by offering to mark the log.
  afterMergePrint = [this] { writeBack.Settle(true); };
  Reset();
}

Document::~Document() { CloseLiveSources(); }

MergeServices Document::Services() {
  MergeServices services;
  services.timeType = program.settings.timeType;
  services.entities = &program.entities;
  services.modes = &layout.Tables.Modes;
  services.ui = &program.ui;
  services.history = &program.settings.messages;
  return services;
}

void Document::Reset() {
  layout.Items.Clear();
  layout.Objects.clear();
  // A client that set LoadRigAnt to 0 keeps its rig and antenna texts.
  DocumentSettings fresh;
  if (!program.automation.loadRigAnt) {
    fresh.RigTexts = std::move(layout.Settings.RigTexts);
    fresh.AntTexts = std::move(layout.Settings.AntTexts);
  }
  layout.Settings = std::move(fresh);
  for (auto& table : layout.Tables.Common) table = ConditionTable{};
  context.RigTexts = &layout.Settings.RigTexts;
  context.AntTexts = &layout.Settings.AntTexts;
  SetQsosPerCard(1);
  program.ui.SetStatus(msg::kQueryingPrinter);
  SelectCardPaper(43, 1);
  program.ui.ClearStatus();
  mergeBuffer = SampleQsos();
  context.CardQsos = mergeBuffer.data();
  context.Macros = &layout.Tables.Macros;
  ApplyGrouping();
}

void Document::ApplyGrouping() {
  // The time basis may have changed with the options.
  expander = std::make_unique<MacroExpander>(context, Services());
  GroupingRules rules;
  rules.byHomeCall = program.settings.repCallPack;
  rules.mixEnv = program.settings.repEnvPack;
  if (!program.settings.partMark.empty()) {
    rules.partMark = [this](const QsoRecord& record) {
      return ExpandPartMark(*expander, program.settings.partMark, record);
    };
  }
  store.SetGrouping(std::move(rules));
}

void Document::SetQsosPerCard(int count) {
  layout.Settings.QsosPerCard = count;
  store.SetQsosPerCard(count);
  context.RepeatCount = store.QsosPerCard();
}

void Document::SortBureau(bool descending) {
  store.SortBureau(descending, BureauOrder{program.settings.sortWay, program.settings.sortCountry},
                   program.entities, program.entities.Empty());
}

void Document::SortByTime() { store.SortByTime(); }

std::string Document::AreaStatistics() {
  return store.AreaStatistics(BureauOrder{program.settings.sortWay, program.settings.sortCountry}, program.entities,
                              program.entities.Empty());
}

bool Document::OpenByName(const std::string& path) {
  loader.SetEnableLogFile(program.automation.enableLogFile);
  return loader.OpenByName(path);
}

bool Document::OpenLayout(const std::string& path) {
  std::string bytes;
  if (ReadRegularFile(path, bytes, kDocumentFileMax) != FileReadResult::Ok) {
    program.ui.ShowMessage(msg::kCannotReadFile104);
    return false;
  }
  // The file is read aside: a file that cannot be read leaves the current
  // layout, its items and its name as they were.
  LayoutDocument opened;
  ArchiveReader in(bytes);
  if (!LoadDocument(opened, in, program.ui, program.automation.loadRigAnt)) return false;
  // Opening deletes the document's contents first, as a new document does.
  DiscardContents();
  if (!program.automation.loadRigAnt) {
    opened.Settings.RigTexts = layout.Settings.RigTexts;
    opened.Settings.AntTexts = layout.Settings.AntTexts;
  }
  layout = std::move(opened);
  BindObjects(layout);
  if (layout.Options) ApplyIncludedOptions(*layout.Options, program.settings);
  program.settings.recentLayouts.Add(path);
  LayoutReady();
  if (openDocEvent) openDocEvent();
  // The layout brought its own rig and antenna texts.
  if (program.automation.loadRigAnt && rigAntEvent) rigAntEvent();
  return true;
}

void Document::LayoutReady() {
  context.Macros = &layout.Tables.Macros;
  SetQsosPerCard(layout.Settings.QsosPerCard);
  ApplyGrouping();
  CardPlacement placement = Placement();
  OpenedDocumentServices services{metrics, placement, store, hooks, mergeBuffer, false, {}};
  services.sortFlag = loader.SortFlag();
  AfterDocumentOpened(layout, program.ui, services);
  Place(placement);
  if (!LogLoaded()) mergeBuffer = SampleQsos();
  ReadCurrentCard();
}

std::int32_t Document::DeletePrinted(long index) {
  if (index == -1) {
    store.ClearPrinted(-1);
    program.printedData = false;
    return 0;
  }
  if (index < 0 || static_cast<std::size_t>(index) >= store.QsoCount()) return -1;
  const std::int32_t position = store.PrintedPosition(static_cast<std::size_t>(index));
  store.ClearPrinted(index);
  return position;
}

void Document::SetPrintedMark(std::size_t card) { store.MarkCardPrinted(card); }

void Document::DeletePrintedData() {
  store.DeletePrinted();
  ReadCurrentCard();
  program.printedData = false;
  if (redraw) redraw();
}

bool Document::ConnectPlugin() {
  if (!program.extSrc.Available()) return false;
  loader.SetEnableLogFile(program.automation.enableLogFile);
  if (!loader.ConnectPlugin(program.extSrc.Api())) return false;
  const ExtSrcApi& api = program.extSrc.Api();
  writeBack.pluginWithoutFormulas = api.GetLogType() == 0;
  writeBack.pluginCannotUpdate = api.CanUpdate(0) == 0;
  liveSource_ = PluginSource(api, writeBack.pluginWithoutFormulas);
  writeBack.liveSource = liveSource_.get();
  writeBack.closePlugin = [this] { CloseLiveSources(); };
  pluginOpen_ = true;
  return true;
}

bool Document::ConnectOdbc(
    const std::function<std::optional<std::string>(const std::vector<std::string>&)>& chooseTable) {
  if (!program.dbBridge.Available()) return false;
  loader.SetEnableLogFile(program.automation.enableLogFile);
  if (!loader.ConnectOdbc(program.dbBridge.Api(), chooseTable)) return false;
  liveSource_ = DatabaseSource(program.dbBridge.Api());
  writeBack.liveSource = liveSource_.get();
  odbcOpen_ = true;
  return true;
}

void Document::CloseLiveSources() {
  if (pluginOpen_ && program.extSrc.Available()) program.extSrc.Api().Close();
  if (odbcOpen_ && program.dbBridge.Available()) {
    const DbBridgeApi& api = program.dbBridge.Api();
    api.CloseRec();
    if (api.IsOpen()) api.Close();
  }
  pluginOpen_ = odbcOpen_ = false;
  writeBack.pluginCannotUpdate = writeBack.pluginWithoutFormulas = false;
  writeBack.liveSource = nullptr;
  liveSource_.reset();
}

CardPlacement Document::Placement() const {
  return CardPlacement{layout.Settings.LeftMargin, layout.Settings.TopMargin, layout.Items.Count() > 0};
}

void Document::Place(const CardPlacement& placement) {
  layout.Settings.LeftMargin = placement.originX;
  layout.Settings.TopMargin = placement.originY;
}

void Document::QueryPrinterMetrics() {
  CardPlacement placement = Placement();
  metrics.QueryPrinterMetrics(&placement);
  Place(placement);
}

void Document::SelectCardPaper(int paperSize, int orientation) {
  CardPlacement placement = Placement();
  metrics.SelectCardPaper(paperSize, orientation, &placement);
  Place(placement);
}

void Document::PrepareForSaving() {
  layout.PrinterOffsetX = metrics.Metrics().offsetX;
  layout.PrinterOffsetY = metrics.Metrics().offsetY;
  if (program.settings.includeDoc) layout.Options = ToIncludedOptions(program.settings);
  else layout.Options.reset();
}

void Document::ClearLog() {
  store.Clear();
  mergeBuffer = SampleQsos();
  context.QsosOnCard = 1;
  if (redraw) redraw();
}

void Document::DiscardContents() {
  writeBack.Settle(false);
  Reset();
}

void Document::ReadCurrentCard() {
  context.PrintNumberBase = program.settings.printNo;
  if (store.CardCount() == 0) return;
  store.ReadCard(store.CurrentCard(), mergeBuffer);
  context.QsosOnCard = store.CurrentCardQsoCount();
  context.CardIndex = static_cast<int>(store.CurrentCard());
}

Ui& Document::UserInterface() { return program.ui; }
bool& Document::PrintedData() { return program.printedData; }
int& Document::PrintNumber() { return program.settings.printNo; }
int& Document::PrintStat() { return program.automation.printStat; }

WriteBackOptions Document::WriteBackSettings() {
  const ProgramSettings& s = program.settings;
  return {s.sendMark, s.backup, s.disLogNewTime, s.partMark, s.load, program.settings.log200SafDir};
}

}  // namespace tevra
