// The example layouts, built in code; examples/*.tvd are these layouts saved
// by "tevra-batch --save-layout".
#pragma once

#include "card/document_settings.h"
#include "card/layout_item_list.h"
#include "merge/tables.h"

namespace tevra::examples {

// A portrait QSL postcard in the classic JARL style, three QSOs a card.
void BuildPostcard(LayoutItemList& items, DocumentSettings& settings, DocumentTables& tables);
// A landscape card repeating four QSOs: one row per QSO that is on the card,
// and "PSE"/"TNX" from a condition table.
void BuildLandscapeRepeat(LayoutItemList& items, DocumentSettings& settings, DocumentTables& tables);
// A sheet of 2 x 6 address labels for the bureau envelopes.
void BuildTackSeal(LayoutItemList& items, DocumentSettings& settings, DocumentTables& tables);

}  // namespace tevra::examples
