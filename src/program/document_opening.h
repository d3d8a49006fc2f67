// What opening a layout file does once the file has been read: the
// document's paper goes to the printer, and a loaded log is offered a sort
// for repeat expansion and regrouped into the document's cards.
#pragma once

#include <functional>
#include <span>

#include "program/printer_metrics.h"
#include "card/layout_document.h"
#include "core/qso_record.h"
#include "import/log_loader.h"
#include "log/log_store.h"

namespace tevra {

struct OpenedDocumentServices {
  PrinterMetricsService& printer;
  CardPlacement& placement;
  LogStore& store;
  LoadHooks& hooks;                 // sorts the log and redraws
  std::span<QsoRecord> mergeBuffer;  // gets the first card
  bool sortFlag = false;             // the automation client keeps the log order
  std::function<void()> rigAntChanged;  // the automation event, when registered
};

void AfterDocumentOpened(const LayoutDocument& doc, Ui& ui, OpenedDocumentServices& services);

}  // namespace tevra
