// What a logging program reaches of the card printer when it drives it: the
// properties and methods of the automation object, on the document. Texts
// are CP932 here; the D-Bus side converts them. The window's part (dialogs,
// showing and hiding, the message loop) is the host's.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tevra {

class Document;

enum class AutomationEvent { Printed, Exit, Printing, RigAnt, NewDoc, OpenDoc };
inline constexpr int kAutomationEventCount = 6;

// What a client registered for an event: the thread and message numbers
// (an event is announced only while both are set) and the two parameters
// it carries.
struct EventRegistration {
  std::int32_t thread = 0;
  std::int32_t message = 0;
  std::int32_t first = 0;
  std::int32_t second = 0;
};

// The window style bits clients test: visible, minimised, maximised.
inline constexpr std::int32_t kWindowVisible = 0x10000000, kWindowMinimised = 0x20000000,
                              kWindowMaximised = 0x01000000;

// The desktop program's side of the automation methods.
class AutomationHost {
 public:
  virtual ~AutomationHost() = default;
  virtual void RunCommand(int command) = 0;  // a menu command: prints, dialogs
  virtual bool ShowLogList() = 0;            // true when closed with OK
  virtual bool OpenByName(const std::string& path) = 0;  // a layout or a log; redraws
  virtual void OpenFileDialog() = 0;
  virtual void NewDocument() = 0;  // the new-document step, without questions
  virtual void SetDocumentTitle(const std::string& cp932) = 0;
  virtual void SetWindowTitle(const std::string& cp932) = 0;
  virtual void Redraw() = 0;
  virtual void Foreground() = 0;
  virtual void ShowWindow(std::int32_t command) = 0;
  virtual std::int32_t WindowStyle() const = 0;
  virtual bool CanExit() = 0;
  virtual void SetStatusText(const std::string& cp932) = 0;  // empty: the idle text
  virtual void RunMessageLoop() = 0;
  // Before the program ends: the window keeps its place.
  virtual void SavePlacement() {}
  // The document's contents went (DeleteDoc): nothing is left to undo.
  virtual void DocumentDiscarded() {}
};

class Automation {
 public:
  // Hooks the document's events; they are announced through `announce`.
  Automation(Document& doc, AutomationHost& host);
  ~Automation();
  Automation(const Automation&) = delete;
  Automation& operator=(const Automation&) = delete;

  // Called for an event whose registration has a thread and a message
  // number, with the registration's two parameters.
  std::function<void(AutomationEvent, std::int32_t first, std::int32_t second)> announce;
  void Fire(AutomationEvent event);
  void SetEvent(AutomationEvent event, EventRegistration registration);
  const EventRegistration& Registration(AutomationEvent event) const;

  // Member properties.
  std::int16_t PrintStat() const;
  void SetPrintStat(std::int16_t value);
  std::int16_t DisableExit() const;
  void SetDisableExit(std::int16_t value);
  std::int16_t EnableLogFile() const;
  void SetEnableLogFile(std::int16_t value);
  std::int16_t LoadRigAnt() const;
  void SetLoadRigAnt(std::int16_t value);
  std::array<std::int16_t, 4> reserve{};

  // Properties with access functions.
  std::int16_t Modified() const;
  void SetModified(std::int16_t value);
  std::int16_t SortFlag() const;
  void SetSortFlag(std::int16_t value);
  std::int16_t QslForm() const;
  void SetQslForm(std::int16_t value);
  std::int32_t QslXw() const;
  void SetQslXw(std::int32_t value);
  std::int32_t QslYw() const;
  void SetQslYw(std::int32_t value);
  std::int32_t CurPrintNo() const;
  void SetCurPrintNo(std::int32_t value);
  std::int16_t Grid() const;
  void SetGrid(std::int16_t value);
  std::int16_t EditLock() const;
  void SetEditLock(std::int16_t value);
  std::string DocTTL() const;
  void SetDocTTL(std::string_view value);
  std::string DocMEMO() const;
  void SetDocMEMO(std::string_view value);
  std::int32_t RepMax() const;
  void SetRepMax(std::int32_t value);
  static constexpr std::int32_t kVersion = 721136;
  std::int16_t LogType() const;
  void SetLogType(std::int16_t value);
  std::string LogName() const;
  void SetLogName(std::string_view value);

  // Methods.
  void DeleteLog();
  void AddLog(std::string_view record);
  void SetPrintMax();
  std::int16_t DoLogList();
  std::int32_t GetLogCount() const;
  void SortLog(std::int16_t direction);
  std::int16_t OpenDoc(const std::string& path);  // paths are file-system bytes, not CP932
  void DoPrint();
  void DoTestPrint();
  std::int32_t GetPrintMax() const;
  void DoFormDlg();
  void DoMacDlg();
  void DoOptionDlg();
  void DoQSODlg();
  std::int32_t GetPrintedPos(std::int32_t index) const;
  void OpenFile(std::int16_t n);
  std::int32_t GetItemCount() const;
  void DoRigAntDlg();
  std::string GetRig(std::int16_t slot) const;
  std::string GetAnt(std::int16_t slot) const;
  void SetRig(std::int16_t slot, std::string_view text);
  void SetAnt(std::int16_t slot, std::string_view text);
  void Foreground();
  void ShowWindow(std::int32_t command);
  void NewDoc();
  std::int16_t CanExit();
  void SetDocTitle(const std::string& title);
  void SetWindowTitle(const std::string& title);
  void UpdateWindow();
  std::int32_t GetWindowStyle() const;
  void DeleteDoc();
  std::int32_t DeletePrinted(std::int32_t index);
  void SortLog97(std::int16_t direction);
  void AddLogEx(std::string_view text);
  void SetStatusText(const std::string& text);
  void SetPrintedMark(std::int32_t card);
  std::string StrDataMark(std::string_view name, std::string_view record);
  void DelLogCond(const std::string& condition);
  void DoMessageLoop();
  void AddLogPos(std::string_view record, std::int32_t position);
  void DeletePrintedData();

  // An addition for Linux clients: the merge print of every card into
  // a PDF file, without the print dialog. The number of cards printed, or
  // -1 when the file could not be written (0: nothing to print, or the
  // job was abandoned at a question).
  std::int32_t PrintToFile(const std::string& path);

 private:
  void Sort(std::int16_t direction, bool jn2003);
  Document& doc_;
  AutomationHost& host_;
  std::array<EventRegistration, kAutomationEventCount> events_{};
};

}  // namespace tevra
