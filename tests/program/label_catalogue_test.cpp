// The label sheet catalogue: lengths in each unit, the kinds of sheets that
// are taken or passed over, "equiv" entries, the real catalogue when it is
// installed, and a chosen sheet's label positions.
#include "program/label_catalogue.h"

#include <cmath>
#include <gtest/gtest.h>

#include "card/render_card.h"

namespace tevra {
namespace {

TEST(LabelCatalogue, LengthsInEveryUnit) {
  const std::pair<const char*, double> cases[] = {{"10mm", 10},    {"1.5cm", 15},  {"0.5in", 12.7}, {"72pt", 25.4},
                                                  {"72", 25.4},     {" 3mm ", 3},   {"", -1},        {"mm", -1},
                                                  {"abc", -1},      {"-1mm", -1},   {"1e9mm", -1},   {"nan", -1}};
  for (const auto& [text, mm] : cases) {
    const auto length = CatalogueLength(text);
    if (mm < 0) {
      EXPECT_FALSE(length) << text;
    } else {
      ASSERT_TRUE(length) << text;
      EXPECT_NEAR(*length, mm, 1e-9) << text;
    }
  }
}

TEST(LabelCatalogue, TakesOneGridOfRectangularOrRoundLabelsOnAKnownPaper) {
  const char* xml = R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Acme" part="A1" size="A4" _description="Mailing labels">
    <Label-rectangle id="0" width="63.5mm" height="38.1mm" round="2mm">
      <Layout nx="3" ny="7" x0="7.2mm" y0="15.1mm" dx="66mm" dy="38.1mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="B2" equiv="A1"/>
  <Template brand="Acme" part="R3" size="US-Letter" _description="Round">
    <Label-round id="0" radius="0.75in"><Layout nx="4" ny="5" x0="0.5in" y0="0.75in" dx="2in" dy="2in"/></Label-round>
  </Template>
  <Template brand="Acme" part="S4" size="A4" _description="Staggered">
    <Label-rectangle id="0" width="20mm" height="10mm">
      <Layout nx="2" ny="2" x0="0" y0="0" dx="30mm" dy="20mm"/><Layout nx="2" ny="2" x0="15mm" y0="10mm" dx="30mm" dy="20mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="O5" size="Other" width="297pt" height="450pt">
    <Label-rectangle id="0" width="288pt" height="144pt"><Layout nx="1" ny="3" x0="4.5pt" y0="3.6pt" dx="288pt" dy="148.5pt"/></Label-rectangle>
  </Template>
  <Template brand="Acme" part="C6" size="A4"><Label-cd id="0" radius="58.5mm" hole="20mm"><Layout nx="1" ny="2" x0="0" y0="0" dx="0" dy="130mm"/></Label-cd></Template>
  <Template brand="Acme" part="X7" equiv="nowhere"/>
  <Template brand="Acme" part="T8" size="A4"><Label-rectangle id="0" width="10mm" height="10mm"><Layout nx="2" ny="2" x0="1mm
)";
  const std::vector<LabelSheet> sheets = ParseLabelTemplates(xml);  // the last one is cut short
  ASSERT_EQ(sheets.size(), 3u);
  EXPECT_EQ(sheets[0].Name(), "Acme A1");
  EXPECT_EQ(sheets[0].paperCode, 9);
  EXPECT_EQ(sheets[0].columns * sheets[0].rows, 21);
  EXPECT_NEAR(sheets[0].columnPitch, 66, 1e-9);
  EXPECT_EQ(sheets[1].Name(), "Acme R3");
  EXPECT_EQ(sheets[1].paperCode, 1);
  EXPECT_NEAR(sheets[1].labelWidth, 38.1, 1e-9);
  EXPECT_NEAR(sheets[1].left, 12.7, 1e-9);
  EXPECT_EQ(sheets[2].Name(), "Acme B2");  // the equivalent takes A1's grid
  EXPECT_EQ(sheets[2].description, "Mailing labels");
  EXPECT_NEAR(sheets[2].top, 15.1, 1e-9);

  EXPECT_EQ(FindSheets(sheets, "acme round").size(), 1u);
  EXPECT_EQ(FindSheets(sheets, "").size(), 3u);
  EXPECT_EQ(SheetNamed(sheets, "ACME b2"), &sheets[2]);
  EXPECT_EQ(SheetNamed(sheets, "Acme"), nullptr);
}

// A layout on a sheet puts its labels where the sheet has them, as typed
// values do; a sheet beyond the dialogs' limits leaves the layout alone.
TEST(LabelCatalogue, ASheetsLabelsLandWhereTheSheetHasThem) {
  LabelSheet sheet{"Acme", "A1", "", "A4", 9, 63.5, 38.1, 3, 7, 7.2, 15.1, 66, 38.1};
  DocumentSettings settings;
  ASSERT_TRUE(ApplySheet(sheet, settings));
  EXPECT_EQ(settings.CardFormCode, FormTackSeal);
  EXPECT_EQ(settings.PaperSize, 9);
  EXPECT_EQ(settings.CardWidth, 64);  // the form keeps whole millimetres
  for (const auto& [column, row] : {std::pair{0, 0}, std::pair{2, 6}, std::pair{1, 3}}) {
    const LogicalPoint at = PrintOrigin(settings, column, row);
    EXPECT_NEAR(at.x / 1000.0 * 25.4, 7.2 + column * 66, 0.05) << column << "," << row;
    EXPECT_NEAR(-at.y / 1000.0 * 25.4, 15.1 + row * 38.1, 0.05) << column << "," << row;
  }
  sheet.rowPitch = 297;  // a whole A4 page per label
  const DocumentSettings before = settings;
  EXPECT_FALSE(ApplySheet(sheet, settings));
  EXPECT_EQ(settings.TackRowPitch, before.TackRowPitch);
}

TEST(LabelCatalogue, TheInstalledCatalogueReads) {
  const std::vector<LabelSheet> all = ReadLabelCatalogue();
  if (all.empty()) GTEST_SKIP() << "no catalogue in " << kLabelCatalogueFolder;
  EXPECT_GT(all.size(), 1000u);
  const LabelSheet* sheet = SheetNamed(all, "Avery L7160");  // an "equiv" of 7160, in bare points
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->columns, 3);
  EXPECT_EQ(sheet->rows, 7);
  EXPECT_NEAR(sheet->rowPitch, 108.0 * 25.4 / 72, 1e-6);
  EXPECT_FALSE(FindSheets(all, "hisago").empty());
}

}  // namespace
}  // namespace tevra
