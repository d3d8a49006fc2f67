// The desktop program's one window: menus and tool bars built from the
// command tables, the six status panes, the card view, placement in the
// settings file, and the commands that belong to the frame, the document
// and printing. The frame wires commands to the models; the decisions are
// theirs.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPrinter>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <array>
#include <functional>
#include <map>
#include <optional>

#include "program/commands.h"
#include "program/program.h"
#include "program/window_placement.h"
#include "platform/ui.h"
#include "print/print_job.h"

class QScrollArea;

namespace tevra {

class CardView;
class LayoutEditor;
class ConditionDialog;
class QtPrinter;
class QtUi;
class AboutBox;

class MainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // printer: the document's printer, whose device the print dialog uses;
  // nullptr prints to PDF files only.
  MainFrame(Program& program, Document& doc, QtUi& ui, QtPrinter* printer);
  ~MainFrame() override;

  // Runs a command by number, as its menu entry or key does.
  void Run(int command);
  QAction* Action(int command) const;
  // Enabling and check marks of every command, from the document's state.
  void UpdateCommands();
  // Status panes from the document (the message pane keeps its text).
  void UpdatePanes();
  // The view, the panes and the commands after a change of the document.
  void Redraw();
  // The idle text of the message pane.
  static QString IdleText();
  QLabel* Pane(int index) const { return panes_[static_cast<std::size_t>(index)]; }
  CardView* View() const { return view_; }
  // Opens a layout or a log by name, as the command line and the recent
  // lists do; redraws.
  bool OpenByName(const std::string& path);
  // The new-document step without the save question (automation), and the
  // document's title in the caption in place of the file name (empty: the
  // file name again).
  void StartNewDocument();
  void SetDocumentTitle(const QString& title);
  // Places the window as the settings file says, or by the defaults for
  // the available screen.
  void RestorePlacement();
  void SavePlacement();
  // The splash closed: the words of the command line after the first.
  void OpenExtraWords(const std::vector<std::string>& words);

  // Where the print dialog's choices come from; a test answers it. Returns
  // false on cancel; from/to the chosen pages (0: all).
  struct PrintChoice {
    int from = 0, to = 0;
    bool currentPage = false;
  };
  std::function<bool(QPrinter&, const PrintDialogText&, int minPage, int maxPage, PrintChoice&)> printDialog;
  // The save-changes question at closing; a test answers it.
  std::function<Answer()> askSaveChanges;
  // Log data handed over as clipboard text (CP932), from the watch or a
  // paste: the question, the reading, the emptied clipboard. True when the
  // text was a hand-over, whether the user took it or not.
  bool HandOver(const std::string& text, bool pasted);
  bool ClipboardWatchActive() const { return clipboardWatch_.isActive(); }
  // A test's stand-in for HandOver.
  std::function<bool(const std::string& text)> handOver;
  // The percentage of "任意" and the amounts of "選択アイテムの移動..."; a
  // test answers them.
  std::function<QString()> askPercent;
  std::function<bool(int& dx, int& dy)> askMove;
  // The item dialogs and the condition dialog; a test answers them.
  std::function<bool(CardItem&)> itemDialogs;
  std::function<bool(ConditionDialog&)> conditionDialog;
  // The text a find asks for; a test answers it (empty: cancelled).
  std::function<QString()> askCallSign;

  LayoutEditor& Editor() { return *editor_; }
  QUndoStack& UndoStack() { return undo_; }
  // The layout as its file holds it, and putting such bytes back (undo).
  std::string LayoutBytes();
  void RestoreLayout(const std::string& bytes);
  // Image files as image items: at rect, or at their natural size with
  // the top-left corner at `at`. Message 102 for a file that is no image.
  bool InsertImages(const QStringList& files, LogicalPoint at, const LogicalRect* rect = nullptr);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBars();
  void BuildStatusBar();
  QMenu* BuildMenu(const MenuInfo& info);
  void SetModified(bool modified);
  void UpdateTitle();
  void UpdateRecentMenus();

  bool AskToSave();  // false: cancelled
  QString documentTitle_;
  bool Save(bool askName);
  void NewDocument();
  void OpenDocument();
  void Print(PrintKind kind, bool withDialog);
  void Preview();
  // Without a printer of the system: a PDF printer on the card's paper.
  QPrinter* PdfDevice(std::unique_ptr<QtPrinter>& holder);
  void PrinterSetup();
  void StepCard(int delta);
  void ContinuousStep();
  void EditEntityFile();
  void OpenDocumentation();
  // The README shipped with the program; empty when there is none.
  QString DocumentationPath() const;
  void ShowOptions();
  void ShowAbout();
  // Editing.
  void BeginChange();
  void EndChange(bool changed, const QString& description);
  bool EditNewItem(CardItem& item);
  // The item's property dialog; true when it changed the item.
  bool EditItemProperties(CardItem& item);
  void EditCondition();
  void ChangeColour();
  void ChangeLineStyle();
  void ChangeFont();
  void EditCurrentItem();
  void Copy();
  void Paste();
  void Find(int command);
  void ShowContextMenu(QPoint at);
  // The settings, table and macro dialogs of the document; undoable.
  void DocumentDialog(int command);
  // The paper and the cards again after the form or the QSOs per card changed.
  void ApplyCardForm(int oldForm, int oldQsosPerCard);
  void ShowPrintNumber();
  // "ＱＳＯデータ": the current card's QSOs, stepping with "<" and ">".
  void EditCardQsos();
  bool ArrangeEnabled(int command) const;
  void Arrange(int command);
  // The clipboard watch: a hand-over looked for once after a second, then
  // every five seconds while "ClipCheck" is on, until one is found.
  void WatchClipboard();
  // The top-left of the visible part of the view, in logical units.
  LogicalPoint VisibleTopLeft() const;

  Program& program_;
  Document& doc_;
  QtUi& ui_;
  QtPrinter* printer_;
  CardView* view_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QToolBar* mainBar_ = nullptr;
  QToolBar* drawBar_ = nullptr;
  std::array<QLabel*, 6> panes_{};
  std::map<int, QAction*> actions_;
  LogicalPoint mouse_{};
  bool continuous_ = false;
  QTimer continuousTimer_;
  std::unique_ptr<LayoutEditor> editor_;
  QUndoStack undo_;
  std::string snapshot_;  // the layout before the gesture under way
  std::string findText_;  // CP932, the call sign searched last
  bool clipboardChanged_ = true;  // since the watch last looked
  QTimer clipboardWatch_;
};

}  // namespace tevra
