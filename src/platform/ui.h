// Host services that code below the GUI calls where the program talks to the
// user: message boxes, questions, the status line, the wait cursor and the
// file-open dialog. Texts are UTF-8; data shown in them is converted from
// CP932 by the caller.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tevra {

class CabrilloOptionsDialog;
class CsvFormatDialog;
class PromptDialog;
struct QsoRecord;

enum class MessageIcon { Information, Warning, Error, Question };

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

enum class Answer { Ok, Cancel, Yes, No };

// The three-way sort box: "昇順", "降順", "いいえ" and (in its first form)
// "ｷｬﾝｾﾙ". Closing the box counts as the last button.
enum class SortAnswer { Ascending, Descending, No, Cancel };

struct OpenFileRequest {
  std::string title;
  std::string defaultExtension;
  std::string initialName;
  std::string initialDirectory;
  // Filter list in the "name|patterns|...|" form, UTF-8.
  std::string filters;
};

struct OpenFileChoice {
  std::string path;
  int filterIndex = 0;  // 0-based position of the chosen filter
};

class Ui {
 public:
  virtual ~Ui() = default;

  virtual void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::Warning,
                           std::string_view title = "TEVRA") = 0;
  virtual Answer Ask(std::string_view text, Buttons buttons, MessageIcon icon = MessageIcon::Question,
                     std::string_view title = "TEVRA") = 0;
  // withCancel false: the second form, whose fourth button is hidden and
  // whose third reads "いいえ".
  virtual SortAnswer AskSortOrder(std::string_view text, bool withCancel) = 0;

  // A text of the program in the language of the interface. Texts that are
  // formatted before they are shown are translated first; a shown text is
  // translated by the Ui itself.
  virtual std::string Translate(std::string_view text) { return std::string(text); }

  // Status line of the main frame; empty text clears it.
  virtual void SetStatus(std::string_view text) = 0;
  void ClearStatus() { SetStatus({}); }

  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;

  virtual std::optional<OpenFileChoice> ChooseFileToOpen(const OpenFileRequest& request) = 0;
  // A save dialog that asks before overwriting; the chosen path or nothing.
  virtual std::optional<std::string> ChooseFileToSave(const OpenFileRequest& request) = 0;

  // The CSV format dialog on its model; true when closed with OK.
  virtual bool RunCsvFormatDialog(CsvFormatDialog& dialog) = 0;
  // The prompt dialog of "@Input"; true on OK, false on "印刷終了"/"ｷｬﾝｾﾙ".
  virtual bool RunPromptDialog(PromptDialog& dialog) = 0;
  // The Cabrillo options dialog on its model; true when closed with OK.
  virtual bool RunCabrilloDialog(CabrilloOptionsDialog& dialog) = 0;
  // The QSO edit dialog on a record; true when closed with OK (the record
  // then holds the edits).
  virtual bool EditQso(QsoRecord& record) = 0;
};

// A Ui that shows nothing, for programs without anyone to ask (benchmarks,
// fuzz targets): messages and status texts are dropped, questions get their
// neutral answer, file and format dialogs are cancelled, other dialogs are
// accepted as they stand. Each user overrides what it needs otherwise.
class SilentUi : public Ui {
 public:
  void ShowMessage(std::string_view, MessageIcon, std::string_view) override {}
  Answer Ask(std::string_view, Buttons, MessageIcon, std::string_view) override { return Answer::No; }
  SortAnswer AskSortOrder(std::string_view, bool) override { return SortAnswer::No; }
  void SetStatus(std::string_view) override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  std::optional<OpenFileChoice> ChooseFileToOpen(const OpenFileRequest&) override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave(const OpenFileRequest&) override { return std::nullopt; }
  bool RunCsvFormatDialog(CsvFormatDialog&) override { return false; }
  bool RunPromptDialog(PromptDialog&) override { return true; }
  bool RunCabrilloDialog(CabrilloOptionsDialog&) override { return true; }
  bool EditQso(QsoRecord&) override { return true; }
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  explicit WaitCursor(Ui& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
  ~WaitCursor() { ui_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  Ui& ui_;
};

}  // namespace tevra
