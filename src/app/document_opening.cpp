#include "app/document_opening.h"

#include <cstdio>
#include <string>

#include "core/messages.h"
#include "platform/ui.h"

namespace tevra {

void AfterDocumentOpened(const LayoutDocument& doc, Ui& ui, OpenedDocumentServices& services) {
  const DocumentSettings& settings = doc.Settings;
  services.printer.SelectCardPaper(settings.PaperSize, settings.PaperOrientation, &services.placement);
  LogStore& store = services.store;
  if (settings.QsosPerCard > 1 && store.QsoCount() > 0 && !services.sortFlag) {
    char text[512];
    std::snprintf(text, sizeof text, std::string(msg::kSortForRepeatDocument).c_str(),
                  static_cast<unsigned>(store.QsoCount()));
    switch (ui.AskSortOrder(text, false)) {
      case SortAnswer::Ascending: services.hooks.SortStore(false); break;
      case SortAnswer::Descending: services.hooks.SortStore(true); break;
      default: break;
    }
  }
  store.SetQsosPerCard(settings.QsosPerCard);
  store.Regroup();
  store.ReadCard(0, services.mergeBuffer);
  services.hooks.Redraw();
  if (services.rigAntChanged) services.rigAntChanged();
}

}  // namespace tevra
