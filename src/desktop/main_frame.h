// The desktop program's one window: menus and tool bars built from the
// command tables, the six status panes, the card view, placement in the
// settings file, and the dispatch of every command to its group (files and
// printing, editing, arrangement, the document's dialogs) or to the window
// itself (views, card stepping, undo). The decisions are the models'.
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
#include <memory>
#include <optional>

#include "desktop/arrange_commands.h"
#include "desktop/document_commands.h"
#include "desktop/edit_commands.h"
#include "desktop/file_commands.h"
#include "desktop/frame_context.h"
#include "platform/ui.h"
#include "print/print_job.h"
#include "program/commands.h"
#include "program/program.h"
#include "program/window_placement.h"

class QScrollArea;

namespace tevra {

class PropertiesPanel;

class CardView;
class HelpWindow;
class LayoutEditor;
class QtPrinter;
class QtUi;

class MainFrame : public QMainWindow, public FrameQuestions, private FrameContext {
  Q_OBJECT

 public:
  // printer: the document's printer, whose device the print dialog uses;
  // nullptr prints to PDF files only.
  MainFrame(Program& program, Document& doc, QtUi& ui, QtPrinter* printer);
  ~MainFrame() override;

  // Runs a command by number, as its menu entry or key does.
  void Run(int command) override;
  QAction* Action(int command) const override;
  // Enabling and check marks of every command, from the document's state.
  void UpdateCommands();
  // Status panes from the document (the message pane keeps its text).
  void UpdatePanes();
  // The view, the panes and the commands after a change of the document.
  void Redraw() override;
  // The idle text of the message pane.
  static QString IdleText();
  QLabel* Pane(int index) const { return panes_[static_cast<std::size_t>(index)]; }
  CardView* View() const { return view_; }
  // Opens a layout or a log by name, as the command line and the recent
  // lists do; redraws.
  bool OpenByName(const std::string& path) { return files_.OpenByName(path); }
  // The new-document step without the save question (automation), and the
  // document's title in the caption in place of the file name (empty: the
  // file name again).
  void StartNewDocument() { files_.StartNewDocument(); }
  void SetDocumentTitle(const QString& title) override;
  // The questions before the window closes (also for an automation
  // client's CanExit and Quit): DisableExit 1 says no, then the write-back
  // question, then the save question. True when it may close.
  bool MayClose();
  // Places the window as the settings file says, or by the defaults for
  // the available screen.
  void RestorePlacement();
  void SavePlacement();
  // The splash closed: the words of the command line after the first.
  void OpenExtraWords(const std::vector<std::string>& words);

  // The print dialog's choices (FrameQuestions).
  using PrintChoice = FrameQuestions::PrintChoice;
  bool HandOver(const std::string& text, bool pasted) { return edit_.HandOver(text, pasted); }
  bool ClipboardWatchActive() const { return edit_.ClipboardWatchActive(); }

  // The help window at a section of the manual (made at the first call),
  // and whether Shift+F1 waits for the click on a command.
  HelpWindow* ShowHelp(std::size_t section);
  // The view at percent (25..800), keeping the logical point under anchor
  // (a widget position of the view) where it is; without one, the middle.
  void ZoomTo(int percent, std::optional<QPoint> anchor = std::nullopt);
  // The whole card's paper in the window.
  void ZoomToFit();
  PropertiesPanel* Properties() const { return properties_; }
  HelpWindow* Help() const { return help_.get(); }
  bool ContextHelpArmed() const { return contextHelp_; }

  LayoutEditor& Editor() { return *editor_; }
  QUndoStack& UndoStack() override { return undo_; }
  // The layout as its file holds it, and putting such bytes back (undo).
  std::string LayoutBytes();
  void RestoreLayout(const std::string& bytes);
  // Image files as image items: at rect, or at their natural size with
  // the top-left corner at `at`. Message 102 for a file that is no image.
  bool InsertImages(const QStringList& files, std::optional<LogicalPoint> at, const LogicalRect* rect = nullptr) {
    return edit_.InsertImages(files, at, rect);
  }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // FrameContext.
  QWidget* Window() override { return this; }
  void SetModified(bool modified) override;
  void BeginChange() override;
  void EndChange(bool changed, const QString& description) override;
  LogicalPoint VisibleTopLeft() const override;
  std::optional<LogicalPoint> PointerOnView() const override;
  LogicalRect VisibleArea() const override;
  void StepCard(int delta) override;

  void BuildActions();
  void BuildMenus();
  void BuildToolBars();
  void BuildStatusBar();
  QMenu* BuildMenu(const MenuInfo& info);
  void UpdateTitle();
  void UpdateRecentMenus();
  void ContinuousStep();
  void ShowContextMenu(QPoint at);
  // A file dropped on the window or onto the card that is no picture.
  void OpenDropped(const std::string& path);
  // The log cleared as the window closes ("後始末をしています..." for a big one).
  void CleanUpLog();
  // Shift+F1: the next command chosen (or a click on the card) opens its
  // section of the manual instead of running; Esc gives up.
  void ArmContextHelp(bool armed);

  Program& program_;
  Document& doc_;
  QtUi& ui_;
  QtPrinter* printer_;
  FileCommands files_;
  EditCommands edit_;
  ArrangeCommands arrange_;
  DocumentCommands documents_;
  QString documentTitle_;
  CardView* view_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QToolBar* mainBar_ = nullptr;
  QToolBar* drawBar_ = nullptr;
  std::array<QLabel*, 6> panes_{};
  std::map<int, QAction*> actions_;
  std::vector<QAction*> zoomActions_;  // zoom in, out, to fit, 100 %
  PropertiesPanel* properties_ = nullptr;
  LogicalPoint mouse_{};
  bool continuous_ = false;
  QTimer continuousTimer_;
  std::unique_ptr<LayoutEditor> editor_;
  QUndoStack undo_;
  std::string snapshot_;  // the layout before the gesture under way
  std::unique_ptr<HelpWindow> help_;
  bool contextHelp_ = false;
};

}  // namespace tevra
