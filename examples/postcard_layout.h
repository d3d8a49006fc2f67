// An example layout built in code: a portrait QSL postcard in the classic
// JARL style. It stands in for layout files until they can be read.
#pragma once

#include "card/document_settings.h"
#include "card/layout_item_list.h"
#include "merge/tables.h"

namespace tevra::examples {

void BuildPostcard(LayoutItemList& items, DocumentSettings& settings, DocumentTables& tables);

}  // namespace tevra::examples
