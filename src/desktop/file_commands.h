// The file and printing commands: new, open, save, the merge and test
// prints into a printer or a PDF file, the preview and the printer set-up.
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

class FileCommands {
 public:
  FileCommands(Program& program, Document& doc, QtUi& ui, QtPrinter* printer, FrameContext& frame,
               FrameQuestions& questions)
      : program_(program), doc_(doc), ui_(ui), printer_(printer), frame_(frame), questions_(questions) {}

  // Opens a layout or a log by name, as the command line and the recent
  // lists do; redraws. A layout that cannot be read leaves the document.
  bool OpenByName(const std::string& path);
  bool AskToSave();  // false: cancelled
  bool Save(bool askName);
  void NewDocument();
  // The new-document step without the save question (automation).
  void StartNewDocument();
  void OpenDocument();
  void Print(PrintKind kind, bool withDialog);
  void Preview();
  // File › Export card images: every card of the merge print as a picture
  // file, then the write-back question as after a print.
  void ExportImages();
  void PrinterSetup();

 private:
  // Where the layout dialogs start: the last folder used, else Documents.
  std::string LayoutFolder() const;
  // Without a printer of the system: a PDF printer on the card's paper.
  QPrinter* PdfDevice(std::unique_ptr<QtPrinter>& holder);

  Program& program_;
  Document& doc_;
  QtUi& ui_;
  QtPrinter* printer_;
  FrameContext& frame_;
  FrameQuestions& questions_;
};

}  // namespace tevra
