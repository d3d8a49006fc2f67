// The printer as the program sees it: its capabilities in device dots, and
// the settings of paper and orientation. The Qt/CUPS implementation lives
// in qt/; NoPrinter stands in where there is none.
#pragma once

#include <cstdint>
#include <optional>

namespace tevra {

struct PrinterCapabilities {
  int physicalWidth = 0, physicalHeight = 0;  // dots
  int offsetX = 0, offsetY = 0;               // printable area from the paper edge
  int printableWidth = 0, printableHeight = 0;
  int dpiX = 0, dpiY = 0;
};

struct PrinterSettings {
  int orientation = 1;  // 1 portrait, 2 landscape
  int paperSize = 43;   // paper size code
  int paperLength = 0;  // tenths of a millimetre (user paper)
  int paperWidth = 0;
  bool operator==(const PrinterSettings&) const = default;
};

// Everything that drawing and printing place the card by, in 1/1000 inch.
struct PrinterMetrics {
  int paperWidth = 0, paperHeight = 0;
  int printableWidth = 0, printableHeight = 0;
  int offsetX = 0, offsetY = 0;
  PrinterSettings settings;
};

class Printer {
 public:
  virtual ~Printer() = default;
  // The capabilities of the current printer; nullopt when there is none.
  virtual std::optional<PrinterCapabilities> Capabilities() = 0;
  virtual PrinterSettings Settings() const = 0;
  virtual void ApplySettings(const PrinterSettings& settings) = 0;
};

// A machine without a printer: settings are kept, capabilities are none.
class NoPrinter : public Printer {
 public:
  std::optional<PrinterCapabilities> Capabilities() override { return std::nullopt; }
  PrinterSettings Settings() const override { return settings_; }
  void ApplySettings(const PrinterSettings& settings) override { settings_ = settings; }

 private:
  PrinterSettings settings_;
};

}  // namespace tevra
