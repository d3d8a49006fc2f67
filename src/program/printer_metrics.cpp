#include "program/printer_metrics.h"

#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {
namespace {

constexpr std::string_view kNoPrinter109 =
    QT_TRANSLATE_NOOP("Tevra", "プリンタ情報が取得できません. 恐らくシステムにプリンタがインストールされていません.");

// A 100 × 148 mm postcard at 360 dpi.
constexpr PrinterCapabilities kFallback{1418, 2099, 49, 43, 1320, 1956, 360, 360};

int Thousandths(int dots, int dpi) { return static_cast<int>(static_cast<long long>(dots) * 1000 / dpi); }

}  // namespace

bool PrinterMetricsService::IsPostcardClass(int code) { return code == 43 || code == 70 || code == 257 || code == 259; }

bool PrinterMetricsService::PaperFits() const {
  int w = metrics_.paperWidth, h = metrics_.paperHeight;
  if (metrics_.settings.orientation == 2) std::swap(w, h);
  return w >= 3150 && w <= 4724 && h >= 5118 && h <= 6299;
}

void PrinterMetricsService::QueryPrinterMetrics(CardPlacement* document) {
  std::optional<PrinterCapabilities> caps = printer_.Capabilities();
  if (!caps) {
    if (!noPrinterShown_) {
      noPrinterShown_ = true;
      ui_.ShowMessage(kNoPrinter109, MessageIcon::Warning);
    }
    caps = kFallback;
  }
  if (caps->dpiX == 0 || caps->dpiY == 0) caps = kFallback;
  const PrinterCapabilities& c = *caps;
  metrics_.paperWidth = Thousandths(c.physicalWidth, c.dpiX);
  metrics_.paperHeight = Thousandths(c.physicalHeight, c.dpiY);
  metrics_.printableWidth = Thousandths(c.printableWidth, c.dpiX);
  metrics_.printableHeight = Thousandths(c.printableHeight, c.dpiY);
  metrics_.settings = printer_.Settings();
  const int offsetX = Thousandths(c.offsetX, c.dpiX);
  const int offsetY = Thousandths(c.offsetY, c.dpiY);
  if ((offsetX != metrics_.offsetX || offsetY != metrics_.offsetY) && document) {
    // Keep the items where they were on the paper.
    if (document->hasItems) {
      document->originX += (metrics_.offsetX - offsetX) * 254 / 100;
      document->originY += (metrics_.offsetY - offsetY) * 254 / 100;
    }
    metrics_.offsetX = offsetX;
    metrics_.offsetY = offsetY;
  }
}

void PrinterMetricsService::SelectCardPaper(int paperSize, int orientation, CardPlacement* document) {
  const int current = printer_.Settings().paperSize;
  if (IsPostcardClass(paperSize) && IsPostcardClass(current)) paperSize = current;
  auto apply = [&](int code, int length, int width) {
    PrinterSettings s = printer_.Settings();
    s.paperSize = code;
    s.orientation = orientation;
    if (code == kUserPaper) {
      s.paperLength = length;
      s.paperWidth = width;
    }
    printer_.ApplySettings(s);
    QueryPrinterMetrics(document);
  };
  apply(paperSize, 0, 0);
  if (!IsPostcardClass(paperSize) || PaperFits()) return;
  for (int code : {43, 70, 257, 259}) {
    if (code == paperSize) continue;
    apply(code, 0, 0);
    if (PaperFits()) return;
  }
  apply(kUserPaper, 1480, 1000);
}

}  // namespace tevra
