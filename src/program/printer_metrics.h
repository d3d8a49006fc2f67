// Querying the printer's measurements, with the postcard fallback, and
// choosing a postcard paper for the card form.
#pragma once

#include "platform/printer.h"

namespace tevra {

class Ui;

// The part of the layout document the metrics move: the card origin in
// 1/100 mm, and whether the document has items.
struct CardPlacement {
  int originX = 0;
  int originY = 0;
  bool hasItems = false;
};

inline constexpr int kUserPaper = 256;

class PrinterMetricsService {
 public:
  PrinterMetricsService(Printer& printer, Ui& ui) : printer_(printer), ui_(ui) {}

  // Reads the printer's measurements; without a printer the first call shows
  // string 109 and every call uses a 100 × 148 mm postcard. document: the
  // layout whose origin follows a change of the offsets (none: the stored
  // offsets stay).
  void QueryPrinterMetrics(CardPlacement* document);
  // Puts a postcard paper into the printer, trying the postcard-class codes
  // and then a user paper of 100 × 148 mm until one fits.
  void SelectCardPaper(int paperSize, int orientation, CardPlacement* document);

  const PrinterMetrics& Metrics() const { return metrics_; }
  static bool IsPostcardClass(int paperSize);
  bool PaperFits() const;

 private:
  Printer& printer_;
  Ui& ui_;
  PrinterMetrics metrics_;
  bool noPrinterShown_ = false;
};

}  // namespace tevra
