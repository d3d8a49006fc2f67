// A Printer for tests: its page size follows the paper code (codes it does
// not know give A4), and it records every paper code applied.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "platform/printer.h"

namespace tevra::test {

class FakePrinter : public Printer {
 public:
  std::map<int, std::pair<int, int>> papers;  // code -> width, height in dots at 1000 dpi
  std::vector<int> applied;
  std::optional<PrinterCapabilities> Capabilities() override {
    auto [w, h] = papers.count(settings_.paperSize) ? papers[settings_.paperSize] : std::pair{8268, 11693};
    if (settings_.orientation == 2) std::swap(w, h);
    return PrinterCapabilities{w, h, offset, offset, w - 2 * offset, h - 2 * offset, 1000, 1000};
  }
  PrinterSettings Settings() const override { return settings_; }
  void ApplySettings(const PrinterSettings& s) override {
    settings_ = s;
    applied.push_back(s.paperSize);
  }
  int offset = 100;
  PrinterSettings settings_{1, 9, 0, 0};
};

}  // namespace tevra::test
