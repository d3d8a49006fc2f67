// The clipboard and item editing commands: the item and condition dialogs,
// colour, line style and font, copy and paste, images, find, and log data
// handed over through the clipboard (with its watch).
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <string>

#include "desktop/frame_context.h"
#include "program/program.h"

namespace tevra {

class QtPrinter;
class QtUi;

class EditCommands {
 public:
  EditCommands(Program& program, Document& doc, FrameContext& frame, FrameQuestions& questions);

  // A new item's dialog (Cancel deletes it again); the item's property
  // dialog, true when it changed the item.
  bool EditNewItem(CardItem& item);
  bool EditItemProperties(CardItem& item);
  void EditCurrentItem();
  void EditCondition();
  void ChangeColour();
  void ChangeLineStyle();
  void ChangeFont();
  void Copy();
  void Paste();
  // Image files as image items: at rect, or at their natural size with
  // the top-left corner at `at`. Message 102 for a file that is no image.
  // Image files as items: in rect, else placed as PlaceInsertedImage says
  // (at: the pointer, if any).
  bool InsertImages(const QStringList& files, std::optional<LogicalPoint> at, const LogicalRect* rect = nullptr);
  void Find(int command);
  bool HasFindText() const { return !findText_.empty(); }
  // Log data handed over as clipboard text (CP932), from the watch or a
  // paste: the question, the reading, the emptied clipboard. True when the
  // text was a hand-over, whether the user took it or not.
  bool HandOver(const std::string& text, bool pasted);
  bool ClipboardWatchActive() const { return clipboardWatch_.isActive(); }

 private:
  // The clipboard watch: a hand-over looked for once after a second, then
  // every five seconds while "ClipCheck" is on, until one is found.
  void WatchClipboard();

  Program& program_;
  Document& doc_;
  FrameContext& frame_;
  FrameQuestions& questions_;
  std::string findText_;          // CP932, the call sign searched last
  bool clipboardChanged_ = true;  // since the watch last looked
  QTimer clipboardWatch_;
};

}  // namespace tevra
