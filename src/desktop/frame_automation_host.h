// What the automation methods ask of the desktop window: its commands and
// dialogs, opening files, showing and hiding, and whether it may close.
#pragma once

#include <memory>

#include "automation/automation.h"

namespace tevra {

class Document;
class MainFrame;

class FrameAutomationHost : public AutomationHost {
 public:
  FrameAutomationHost(Document& doc, MainFrame& frame) : doc_(doc), frame_(frame) {}

  void RunCommand(int command) override;
  bool ShowLogList() override;
  bool OpenByName(const std::string& path) override;
  void OpenFileDialog() override;
  void NewDocument() override;
  void SetDocumentTitle(const std::string& cp932) override;
  void SetWindowTitle(const std::string& cp932) override;
  void Redraw() override;
  void Foreground() override;
  void ShowWindow(std::int32_t command) override;
  std::int32_t WindowStyle() const override;
  bool CanExit() override;
  void SetStatusText(const std::string& cp932) override;
  void RunMessageLoop() override {}  // the program's own loop runs on
  void SavePlacement() override;
  void DocumentDiscarded() override;

 private:
  Document& doc_;
  MainFrame& frame_;
};

// The window's part of an automation service for this frame.
inline std::unique_ptr<AutomationHost> FrameHost(Document& doc, MainFrame& frame) {
  return std::make_unique<FrameAutomationHost>(doc, frame);
}

}  // namespace tevra
