#include "desktop/frame_automation_host.h"

#include "core/encoding.h"
#include "desktop/log_list_window.h"
#include "desktop/main_frame.h"
#include "program/commands.h"
#include "program/program.h"

namespace tevra {

namespace {

QString Out(std::string_view cp932) { return QString::fromStdString(ToUnicode(cp932)); }

}  // namespace

void FrameAutomationHost::RunCommand(int command) { frame_.Run(command); }

bool FrameAutomationHost::ShowLogList() {
  LogListWindow window(doc_, &frame_);
  return window.exec() == QDialog::Accepted;
}

bool FrameAutomationHost::OpenByName(const std::string& path) { return frame_.OpenByName(path); }
void FrameAutomationHost::OpenFileDialog() { frame_.Run(cmd::kFileOpen); }
void FrameAutomationHost::NewDocument() { frame_.StartNewDocument(); }
void FrameAutomationHost::SetDocumentTitle(const std::string& cp932) { frame_.SetDocumentTitle(Out(cp932)); }
void FrameAutomationHost::SetWindowTitle(const std::string& cp932) { frame_.setWindowTitle(Out(cp932)); }
void FrameAutomationHost::Redraw() { frame_.Redraw(); }

void FrameAutomationHost::Foreground() {
  frame_.show();
  frame_.raise();
  frame_.activateWindow();
}

void FrameAutomationHost::ShowWindow(std::int32_t command) {
  // The show commands clients pass: 0 hide, 2/6/7 minimised, 3 maximised, 1/9
  // normal, anything else shown as it was.
  switch (command) {
    case 0: frame_.hide(); return;
    case 2:
    case 6:
    case 7: frame_.showMinimized(); return;
    case 3: frame_.showMaximized(); break;
    case 1:
    case 9: frame_.showNormal(); break;
    default: frame_.show(); break;
  }
  frame_.activateWindow();
}

std::int32_t FrameAutomationHost::WindowStyle() const {
  std::int32_t style = 0;
  if (frame_.isVisible()) style |= kWindowVisible;
  if (frame_.isMinimized()) style |= kWindowMinimised;
  if (frame_.isMaximized()) style |= kWindowMaximised;
  return style;
}

bool FrameAutomationHost::CanExit() { return frame_.MayClose(); }

void FrameAutomationHost::DocumentDiscarded() { frame_.UndoStack().clear(); }


void FrameAutomationHost::SetStatusText(const std::string& cp932) {
  // The status line takes UTF-8, like every message.
  if (cp932.empty()) doc_.program.ui.ClearStatus();
  else doc_.program.ui.SetStatus(ToUnicode(cp932));
}

void FrameAutomationHost::SavePlacement() { frame_.SavePlacement(); }

}  // namespace tevra
