// Printers on Qt: the paper of a paper size code, a CUPS printer behind
// QPrinter, and the paper of a PDF file. Both report their measurements in
// device dots like any printer the program knows.
#pragma once

#include <QPageSize>
#include <QPrinter>

#include <memory>
#include <string>
#include <vector>

#include "platform/printer.h"

namespace tevra {

// The paper of a paper size code: 43 the Japanese postcard, 70 A6, 9 A4,
// 256 a user paper of paperWidth × paperLength tenths of a millimetre, and
// the usual sheet sizes; nullopt for a code without a known size.
std::optional<QPageSize> PageSizeOfSettings(const PrinterSettings& settings);

// The paper of a PDF page: the whole page is printable, at 1200 dpi.
class PdfPaper : public Printer {
 public:
  static constexpr int kDpi = 1200;
  std::optional<PrinterCapabilities> Capabilities() override;
  PrinterSettings Settings() const override { return settings_; }
  void ApplySettings(const PrinterSettings& settings) override { settings_ = settings; }

 private:
  PrinterSettings settings_;
};

// A printer of the system (CUPS), by name.
class QtPrinter : public Printer {
 public:
  // An empty name is the default printer.
  explicit QtPrinter(const std::string& name);
  // The printer's own PDF output into a file: a printer that every machine
  // has, for checking what a printer receives.
  static std::unique_ptr<QtPrinter> ToPdfFile(const std::string& path);
  bool Valid() const;
  std::optional<PrinterCapabilities> Capabilities() override;
  PrinterSettings Settings() const override { return settings_; }
  void ApplySettings(const PrinterSettings& settings) override;
  QPrinter& Device() { return *printer_; }

 private:
  std::unique_ptr<QPrinter> printer_;
  PrinterSettings settings_;
};

// The names of the system's printers.
std::vector<std::string> PrinterNames();

}  // namespace tevra
