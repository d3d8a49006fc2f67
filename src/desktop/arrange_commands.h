// The arrangement commands of the 配置 menu, their enabling, and the
// questions of "任意" and of moving by an amount.
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

class ArrangeCommands {
 public:
  ArrangeCommands(Program& program, Document& doc, FrameContext& frame, FrameQuestions& questions)
      : program_(program), doc_(doc), frame_(frame), questions_(questions) {}

  bool ArrangeEnabled(int command) const;
  void Arrange(int command);

 private:
  Program& program_;
  Document& doc_;
  FrameContext& frame_;
  FrameQuestions& questions_;
};

}  // namespace tevra
