// The document's and the program's dialogs: card form, grid, document
// information, rig and antenna, tables and macros, the print number, the
// card's QSOs, the options, the about box, the entity file and the manual.
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

class DocumentCommands {
 public:
  DocumentCommands(Program& program, Document& doc, QtUi& ui, FrameContext& frame)
      : program_(program), doc_(doc), ui_(ui), frame_(frame) {}

  // The settings, table and macro dialogs of the document; undoable.
  void DocumentDialog(int command);
  // The paper and the cards again after the form or the QSOs per card changed.
  void ApplyCardForm(int oldForm, int oldQsosPerCard);
  void ShowPrintNumber();
  // "ＱＳＯデータ": the current card's QSOs, stepping with "<" and ">".
  void EditCardQsos();
  void ShowOptions();
  void ShowAbout();
  void EditEntityFile();
  // The README in the desktop's handler; false when nothing opened it.
  bool OpenDocumentation();
  // The README shipped with the program; empty when there is none.
  QString DocumentationPath() const;

 private:
  Program& program_;
  Document& doc_;
  QtUi& ui_;
  FrameContext& frame_;
};

}  // namespace tevra
