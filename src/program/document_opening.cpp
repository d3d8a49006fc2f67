#include "program/document_opening.h"

#include <cstdio>
#include <string>

#include "core/messages.h"
#include "platform/sort_dialog.h"
#include "platform/ui.h"

namespace tevra {

void AfterDocumentOpened(const LayoutDocument& doc, Ui& ui, OpenedDocumentServices& services) {
  const DocumentSettings& settings = doc.Settings;
  services.printer.SelectCardPaper(settings.PaperSize, settings.PaperOrientation, &services.placement);
  LogStore& store = services.store;
  if (settings.QsosPerCard > 1 && store.QsoCount() > 0 && !services.sortFlag) {
    AskToSort(ui, msg::kSortForRepeatDocument, store.QsoCount(), false,
              [&services](bool descending) { services.hooks.SortStore(descending); });
  }
  store.SetQsosPerCard(settings.QsosPerCard);
  store.RegroupIfStale();
  store.ReadCard(0, services.mergeBuffer);
  services.hooks.Redraw();
  if (services.rigAntChanged) services.rigAntChanged();
}

}  // namespace tevra
