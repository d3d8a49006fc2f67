// The program's run-long state and the one layout document with its log,
// set up the same way by the editor and by tevra-batch: the settings file
// read at start and written at exit, the entity table, the optional
// libraries, the automation flags, and the document's reset to a fresh
// postcard with sample QSOs.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "program/printer_metrics.h"
#include "program/settings.h"
#include "card/layout_document.h"
#include "core/profile.h"
#include "import/external_libraries.h"
#include "import/log_loader.h"
#include "log/entity_table.h"
#include "log/log_store.h"
#include "merge/macro_expander.h"
#include "merge/part_mark.h"
#include "print/print_job.h"
#include "writeback/write_back.h"

namespace tevra {

class Ui;

// Flags an automation client sets, and the print state it reads.
struct AutomationFlags {
  bool enableLogFile = true;
  bool loadRigAnt = true;
  int printStat = 0;
  int disableExit = 0;
};

struct ProgramPaths {
  std::string settingsFile;      // TEVRA.INI
  std::string programDirectory;  // with a trailing "/"
};

// The paths of a normal run: the settings file of the user's configuration
// directory (or `configOverride`), and the executable's directory.
ProgramPaths DefaultProgramPaths(const std::optional<std::string>& configOverride);

// The entity definitions: "ARRL.DX" in the program directory, or the
// examples' copy when the program runs from the build tree.
std::string EntityFilePath(const std::string& programDirectory);

// The desktop entry and MIME type the editor registers for layout files.
std::vector<std::string> RegistrationFiles();

class Program {
 public:
  Program(Ui& ui, ProgramPaths paths);

  // The start-up steps that need no window: the optional libraries, the
  // settings, the flags and the entity table. False when the settings file
  // exists but cannot be read (every value then keeps its default).
  bool Start();
  // Writes the settings and the recent log list, unless the registration
  // was removed in this run; then the settings file is deleted instead.
  bool Shutdown();
  // Writes the settings file now (nothing after a registration removal).
  bool SaveSettings();
  // The options dialog's "ﾚｼﾞｽﾄﾘ削除" button: asks, then removes the
  // desktop registration. True when the user agreed.
  bool RemoveRegistration();
  void ReloadEntityTable();

  Ui& ui;
  ProgramPaths paths;
  ProgramSettings settings;
  Profile file;  // the settings file as read; its other sections survive writing
  EntityTable entities;
  ExtSrcLibrary extSrc;
  DbBridgeLibrary dbBridge;
  AutomationFlags automation;
  bool registrationRemoved = false;
  bool printedData = false;
  int zoom = 100;

 private:
  bool settingsUnreadable_ = false;
};

// Answers the load frame's questions for the document: the load condition
// and the sort before repeat expansion.
class Document;
class DocumentLoadHooks : public LoadHooks {
 public:
  explicit DocumentLoadHooks(Document& doc) : doc_(doc) {}
  bool LoadConditionHolds(const QsoRecord& record) override;
  void SortStore(bool descending) override;
  void Redraw() override;
  bool OpenLayoutDocument(const std::string& path) override;
  void CloseLiveSources() override;
  bool SettlePendingWriteBack() override;
  bool ShowLogList() override;
  // The print number continues the count of cards already sent.
  void StartPrintNumberContinuation() override;
  void CountSentRecord() override;

 private:
  Document& doc_;
};

class Document final : public PrintTarget, public WriteBackTarget {
 public:
  Document(Program& program, Printer& printer);
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;
  // An open plug-in or database source is closed.
  ~Document();

  // The new-document reset: no items, default card form and tack-seal grid,
  // one QSO per card, postcard paper, the sample QSOs in the merge buffer,
  // empty common tables (and rig and antenna texts while LoadRigAnt is set).
  void Reset();
  // Makes the program's grouping options the store's rules.
  void ApplyGrouping();
  void SetQsosPerCard(int count);

  void SortBureau(bool descending) override;
  void SortByTime();
  std::string AreaStatistics();

  // Loads a log (or opens a layout file) by name, as the command line does.
  bool OpenByName(const std::string& path);
  // The plug-in's source and an ODBC table (chooseTable picks one of
  // several); the source stays open for the write-back until the next load.
  bool ConnectPlugin();
  bool ConnectOdbc(const std::function<std::optional<std::string>(const std::vector<std::string>&)>& chooseTable);
  void CloseLiveSources();

  // Reads a layout file into the document and applies it (paper, sort
  // question, regrouping). False with a message when it cannot be read.
  bool OpenLayout(const std::string& path);
  // After the layout has been read or built: its paper, its QSOs per card
  // (with the sort question for a loaded log), the first card.
  void LayoutReady();
  // Reads the current card into the merge buffer.
  void ReadCurrentCard() override;

  // The printed marks (the printed-data flag follows them).
  std::int32_t GetPrintedPos(std::size_t index) const { return store.PrintedPosition(index); }
  // index -1: every mark and the printed-data flag, answering 0; else the
  // position of a marked QSO (the mark cleared) or -1.
  std::int32_t DeletePrinted(long index);
  void SetPrintedMark(std::size_t card);
  // Removes the printed QSOs from the store and reads the current card.
  void DeletePrintedData();
  // Whether a log is loaded (the merge buffer holds its card, not the
  // sample QSOs).
  bool LogLoaded() const override { return store.QsoCount() > 0; }

  // Offers the write-back before the document's contents go (a new or
  // another layout document): Yes and No only.
  void DiscardContents();
  // The log cleared: the sample QSOs are drawn again.
  void ClearLog();

  // The last page sent to a printer in this run (0 at first).
  int lastPrintedPage = 0;
  // The layout file the document was read from or saved to (empty for a
  // new one), and whether the layout changed since.
  std::string path;
  bool modified = false;
  // The automation events of a real print job, and the write-back that a
  // merge print ends with.
  std::function<void()> printingEvent;
  std::function<void()> printedEvent;
  std::function<void()> afterMergePrint;
  std::function<void()> redraw;
  // The automation event of a change of the rig and antenna texts, of a
  // new document set up and of a layout file opened.
  std::function<void()> rigAntEvent;
  std::function<void()> newDocEvent;
  std::function<void()> openDocEvent;
  // The log list shown after a load (the window's); true when closed with OK.
  std::function<bool()> showLogList;

  // The log's name as titles show it (UTF-8): the file's name, the table,
  // the plug-in's source, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ", "OLEｵｰﾄﾒｰｼｮﾝ".
  std::string SourceName() const;

  // The condition a QSO must meet to load; none: "LoadCond" of the options.
  std::optional<std::string> loadConditionOverride;

  Program& program;
  LayoutDocument layout;
  LogStore store;
  std::array<QsoRecord, kMaxQsosPerCard> mergeBuffer{};
  MergeContext context;
  std::unique_ptr<MacroExpander> expander;
  PrinterMetricsService metrics;
  // The printer's measurements read again: the layout's card origin
  // follows a change of the printable area's offsets, so that its items
  // keep their place on the paper.
  void QueryPrinterMetrics();
  // A postcard paper for the card form, as QueryPrinterMetrics.
  void SelectCardPaper(int paperSize, int orientation);
  // Before the layout goes into a file: the current printer's offsets, and
  // the program's options while "IncludeDoc" is on (none while it is off).
  void PrepareForSaving();
  DocumentLoadHooks hooks{*this};
  LogLoader loader;
  LogWriteBack writeBack{*this};

  // What the print job and the write-back reach of the document.
  Ui& UserInterface() override;
  LogStore& Log() override { return store; }
  LayoutDocument& Layout() override { return layout; }
  MergeContext& Merge() override { return context; }
  std::span<QsoRecord> MergeBuffer() override { return mergeBuffer; }
  bool& PrintedData() override;
  int& PrintNumber() override;
  int& PrintStat() override;
  int& LastPrintedPage() override { return lastPrintedPage; }
  void RefreshPrinterMetrics() override { QueryPrinterMetrics(); }
  void Redraw() override {
    if (redraw) redraw();
  }
  void PrintingEvent() override {
    if (printingEvent) printingEvent();
  }
  void PrintedEvent() override {
    if (printedEvent) printedEvent();
  }
  void AfterMergePrint() override {
    if (afterMergePrint) afterMergePrint();
  }
  LogLoader& Loader() override { return loader; }
  MacroExpander& Expander() override { return *expander; }
  LogWriteBack& WriteBackDriver() override { return writeBack; }
  WriteBackOptions WriteBackSettings() override;

 private:
  MergeServices Services();
  // The card origin as the metrics move it, and back into the layout.
  CardPlacement Placement() const;
  void Place(const CardPlacement& placement);
  // The open library source the write-back goes to.
  std::unique_ptr<UpdatableSource> liveSource_;
  bool pluginOpen_ = false;
  bool odbcOpen_ = false;

};


}  // namespace tevra
