// What the window's command groups reach of it: the window as the parent of
// their dialogs, redrawing, the undo stack and its checkpoints, the
// caption, card stepping and running another command; and the questions a
// test answers in place of the user.
#pragma once

#include <QAction>
#include <QPrinter>
#include <QString>
#include <QUndoStack>
#include <QWidget>

#include <functional>
#include <string_view>

#include "card/card_item.h"
#include "program/card_image_export.h"
#include "platform/drawing_types.h"
#include "platform/ui.h"
#include "print/print_job.h"

namespace tevra {

class ConditionDialog;
class PreviewDialog;

// UTF-8 program text as a QString.
inline QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The items' own clipboard form, under a MIME type of the program's.
inline const QString kItemsMime = QStringLiteral("application/x-tevra-items");

// The dialogs and questions a test answers; each empty one is the real
// dialog.
struct FrameQuestions {
  // Where the print dialog's choices come from. Returns false on cancel;
  // from/to the chosen pages (0: all).
  struct PrintChoice {
    int from = 0, to = 0;
    bool currentPage = false;
  };
  std::function<bool(QPrinter&, const PrintDialogText&, int minPage, int maxPage, PrintChoice&)> printDialog;
  // The print preview, shown instead of running its own loop.
  std::function<void(PreviewDialog&)> showPreview;
  // The save-changes question at closing.
  std::function<Answer()> askSaveChanges;
  // A stand-in for the clipboard hand-over.
  std::function<bool(const std::string& text)> handOver;
  // The percentage of "任意" and the amounts of "選択アイテムの移動...".
  std::function<QString()> askPercent;
  std::function<bool(int& dx, int& dy)> askMove;
  // The item dialogs and the condition dialog.
  std::function<bool(CardItem&)> itemDialogs;
  std::function<bool(ConditionDialog&)> conditionDialog;
  // The text a find asks for (empty: cancelled).
  std::function<QString()> askCallSign;
  // The log list after a load; true for OK.
  std::function<bool()> showLogList;
  // The card image export's dialog (folder, format, resolution, names);
  // false on cancel.
  std::function<bool(ImageExport&)> imageExportDialog;
};

class FrameContext {
 public:
  virtual QWidget* Window() = 0;
  // The view, the panes and the commands after a change of the document.
  virtual void Redraw() = 0;
  virtual void SetModified(bool modified) = 0;
  // The document's title in the caption in place of the file name (empty:
  // the file name again).
  virtual void SetDocumentTitle(const QString& title) = 0;
  virtual QUndoStack& UndoStack() = 0;
  // A layout change is one undo step between these two.
  virtual void BeginChange() = 0;
  virtual void EndChange(bool changed, const QString& description) = 0;
  // The top-left of the visible part of the view, in logical units.
  virtual LogicalPoint VisibleTopLeft() const = 0;
  // The pointer's place when it is over the card view, and the part of the
  // paper in view (top left to bottom right).
  virtual std::optional<LogicalPoint> PointerOnView() const = 0;
  virtual LogicalRect VisibleArea() const = 0;
  virtual QAction* Action(int command) const = 0;
  virtual void StepCard(int delta) = 0;
  virtual void Run(int command) = 0;

 protected:
  ~FrameContext() = default;
};

}  // namespace tevra
