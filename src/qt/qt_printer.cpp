#include "qt/qt_printer.h"

#include <QPageLayout>
#include <QPrinterInfo>

namespace tevra {

std::optional<QPageSize> PageSizeOfSettings(const PrinterSettings& s) {
  switch (s.paperSize) {
    case 1: return QPageSize(QPageSize::Letter);
    case 5: return QPageSize(QPageSize::Legal);
    case 8: return QPageSize(QPageSize::A3);
    case 9: return QPageSize(QPageSize::A4);
    case 11: return QPageSize(QPageSize::A5);
    case 12: return QPageSize(QPageSize::B4);
    case 13: return QPageSize(QPageSize::B5);
    case 43: return QPageSize(QPageSize::Postcard);
    case 69: return QPageSize(QPageSize::DoublePostcard);
    case 70: return QPageSize(QPageSize::A6);
    case 256:
      if (s.paperWidth <= 0 || s.paperLength <= 0) return std::nullopt;
      return QPageSize(QSizeF(s.paperWidth / 10.0, s.paperLength / 10.0), QPageSize::Millimeter, "User",
                       QPageSize::ExactMatch);
    default: return std::nullopt;
  }
}

namespace {

// Portrait size of the settings' paper in inches; A4 when the code is unknown.
QSizeF PaperInches(const PrinterSettings& s) {
  // From millimetres: Qt rounds sizes in inches to two places.
  return PageSizeOfSettings(s).value_or(QPageSize(QPageSize::A4)).size(QPageSize::Millimeter) / 25.4;
}

}  // namespace

std::optional<PrinterCapabilities> PdfPaper::Capabilities() {
  QSizeF inches = PaperInches(settings_);
  if (settings_.orientation == 2) inches.transpose();
  const int w = static_cast<int>(inches.width() * kDpi + 0.5);
  const int h = static_cast<int>(inches.height() * kDpi + 0.5);
  return PrinterCapabilities{w, h, 0, 0, w, h, kDpi, kDpi};
}

QtPrinter::QtPrinter(const std::string& name) : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  if (!name.empty()) printer_->setPrinterName(QString::fromStdString(name));
  printer_->setFullPage(true);  // the program places the card from the paper's corner
  const QPageSize size = printer_->pageLayout().pageSize();
  settings_.orientation = printer_->pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
  settings_.paperSize = size.id() == QPageSize::Postcard ? 43 : size.id() == QPageSize::A6 ? 70 : 9;
}

std::unique_ptr<QtPrinter> QtPrinter::ToPdfFile(const std::string& path) {
  auto printer = std::make_unique<QtPrinter>("");
  printer->printer_->setOutputFormat(QPrinter::PdfFormat);
  printer->printer_->setOutputFileName(QString::fromStdString(path));
  return printer;
}

bool QtPrinter::Valid() const {
  if (printer_->outputFormat() == QPrinter::PdfFormat) return !printer_->outputFileName().isEmpty();
  return printer_->isValid() && !printer_->printerName().isEmpty();
}

std::optional<PrinterCapabilities> QtPrinter::Capabilities() {
  if (!Valid()) return std::nullopt;
  const int dpi = printer_->resolution();
  QPageLayout layout = printer_->pageLayout();
  const QRect paper = layout.fullRectPixels(dpi);
  // What the printer cannot reach: its minimum margins.
  layout.setUnits(QPageLayout::Millimeter);
  const QMarginsF m = layout.minimumMargins();
  auto dots = [dpi](double mm) { return static_cast<int>(mm / 25.4 * dpi + 0.5); };
  return PrinterCapabilities{paper.width(),
                             paper.height(),
                             dots(m.left()),
                             dots(m.top()),
                             paper.width() - dots(m.left()) - dots(m.right()),
                             paper.height() - dots(m.top()) - dots(m.bottom()),
                             dpi,
                             dpi};
}

void QtPrinter::ApplySettings(const PrinterSettings& s) {
  settings_ = s;
  if (const auto size = PageSizeOfSettings(s)) printer_->setPageSize(*size);
  printer_->setPageOrientation(s.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

std::vector<std::string> PrinterNames() {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(name.toStdString());
  return names;
}

}  // namespace tevra
