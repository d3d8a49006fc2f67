// The catalogue of commercial label sheets that Debian's glabels-data
// package installs (/usr/share/libglabels-3.0/templates/*.xml): brand, part,
// paper, label size and the grid of labels on the sheet. The tack-seal
// dialog and tevra-batch --sheet fill a layout's label-sheet values from it,
// exactly as if they had been typed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "card/document_settings.h"

namespace tevra {

struct LabelSheet {
  std::string brand, part, description;
  std::string paper;          // "A4", "US-Letter", …
  int paperCode = 0;          // the layout's paper code (9 A4, 1 Letter, …)
  double labelWidth = 0, labelHeight = 0;  // mm
  int columns = 0, rows = 0;
  double left = 0, top = 0;                // mm, the first label's corner
  double columnPitch = 0, rowPitch = 0;    // mm
  std::string Name() const { return brand + " " + part; }
};

// Where the package puts the catalogue.
inline constexpr const char* kLabelCatalogueFolder = "/usr/share/libglabels-3.0/templates";

// Reads every "*templates.xml" of folder: rectangular and rounded labels with
// one grid, on paper a layout can name; "equiv" entries take the sheet they
// name. Empty when the folder holds no catalogue.
std::vector<LabelSheet> ReadLabelCatalogue(const std::string& folder = kLabelCatalogueFolder);
// The sheets of one catalogue file's text (a file's sheets may name others
// of the same text by "equiv").
std::vector<LabelSheet> ParseLabelTemplates(const std::string& xml);

// A length as the catalogue writes it ("10mm", "0.5in", "9pt", "1cm",
// "12" in points) in millimetres; nothing for what is no length.
std::optional<double> CatalogueLength(const std::string& text);

// The sheets whose brand, part or description hold every word (case
// ignored); all for no words.
std::vector<const LabelSheet*> FindSheets(const std::vector<LabelSheet>& sheets, const std::string& words);
// The sheet named "BRAND PART" (case ignored).
const LabelSheet* SheetNamed(const std::vector<LabelSheet>& sheets, const std::string& name);

// A chosen sheet's values in the card-form and tack-seal dialogs' fields
// (label sheet form, label size, margins, columns, rows, pitches), where
// they stay editable.
void FillDialogs(const LabelSheet& sheet, QslFormDialog& form, TackSealDialog& tack);
// A layout on a sheet: its values put in as the dialogs put typed values,
// and the sheet's paper. False (settings untouched) when the dialogs would
// refuse them (a pitch beyond their limits, say).
bool ApplySheet(const LabelSheet& sheet, DocumentSettings& settings);

}  // namespace tevra
