#include "card/document_settings.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace tevra {
namespace {

TEST(DocumentSettings, GridSnapAndToggle) {
  DocumentSettings s;
  EXPECT_EQ(s.SnapToGrid({-150, 149}).x, -200);
  EXPECT_EQ(s.SnapToGrid({-150, 149}).y, 100);
  EXPECT_EQ(s.SnapToGrid({150, -149}).x, 200);
  EXPECT_EQ(s.SnapToGrid({150, -149}).y, -100);
  s.GridStepX = 0;  // a damaged step does not divide by zero
  EXPECT_EQ(s.SnapToGrid({17, 0}).x, 17);

  DocumentSettings g;
  g.GridMode = 0;
  g.GridStepX = 101;
  g.ToggleGrid();
  EXPECT_EQ(g.GridMode, 1);
  EXPECT_EQ(g.GridStepX, 101);
  g.ToggleGrid();
  EXPECT_EQ(g.GridStepX, 50);
  EXPECT_EQ(g.GridNormalStep, 0);
  g.ToggleGrid();
  EXPECT_EQ(g.GridMode, 0);
  EXPECT_EQ(g.GridStepX, 100);  // an odd step comes back one less
  EXPECT_EQ(g.GridNormalStep, 1);
  DocumentSettings coloured;
  coloured.GridMode = 3;
  coloured.ToggleGrid();
  coloured.ToggleGrid();
  EXPECT_EQ(coloured.GridMode, 2);  // only the on bit goes

  DocumentSettings size;
  size.CardWidth = 100;
  EXPECT_EQ(size.CardWidthUnits(), 3937);
}

TEST(QslFormDialog, FormsSizesMarginsAndPaper) {
  DocumentSettings s;
  QslFormDialog dialog(s);
  dialog.ChooseForm(FormTackSeal);
  EXPECT_EQ(dialog.Width, 84);
  EXPECT_EQ(dialog.Height, 38);
  EXPECT_TRUE(dialog.TackSealEnabled());
  dialog.ChooseForm(FormLandscape);
  EXPECT_EQ(dialog.Width, 0);
  EXPECT_FALSE(dialog.TackSealEnabled());
  dialog.LeftMargin = 2.5;
  dialog.TopMargin = -1.25;
  DialogResult r = dialog.Accept(s);
  ASSERT_TRUE(r.accepted);
  EXPECT_TRUE(r.modified);
  EXPECT_TRUE(r.formChanged);
  EXPECT_EQ(s.LeftMargin, 250);
  EXPECT_EQ(s.TopMargin, -125);  // halves away from zero
  EXPECT_EQ(s.PaperSize, 43);
  EXPECT_EQ(s.PaperOrientation, 2);

  QslFormDialog same(s);
  DialogResult unchanged = same.Accept(s);
  EXPECT_FALSE(unchanged.modified);
  same.QsosPerCard = 17;
  EXPECT_FALSE(same.Accept(s).accepted);
  same.QsosPerCard = 16;
  same.LeftMargin = -100.5;
  EXPECT_FALSE(same.Accept(s).accepted);
  EXPECT_EQ(s.QsosPerCard, 1);  // nothing stored from a refused dialog

  EXPECT_EQ(PaperOfForm(FormTackSeal).paperSize, 9);
  EXPECT_EQ(PaperOfForm(FormPortrait).orientation, 1);
}

TEST(SettingsDialogs, TackSealGridAndInformation) {
  DocumentSettings s;
  TackSealDialog tack(s);
  tack.Columns = 25;
  EXPECT_FALSE(tack.Accept(s).accepted);
  tack.Columns = 3;
  tack.RowPitch = 4.9;
  EXPECT_FALSE(tack.Accept(s).accepted);
  tack.RowPitch = 50.5;
  EXPECT_TRUE(tack.Accept(s).modified);
  EXPECT_EQ(s.TackColumns, 3);
  EXPECT_DOUBLE_EQ(s.TackRowPitch, 50.5);

  s.GridMode = 5;
  GridDialog grid(s);
  EXPECT_EQ(grid.Selected, GridDialog::ThickFifth);
  s.GridMode = 7;  // bits 1 and 2 both: plain "ON"
  EXPECT_EQ(GridDialog(s).Selected, GridDialog::On);
  s.GridMode = 2;
  EXPECT_EQ(GridDialog(s).Selected, GridDialog::Off);
  grid.Selected = GridDialog::ColourFifth;
  grid.SetBothSteps(9);
  EXPECT_FALSE(grid.Accept(s).accepted);
  grid.SetBothSteps(250);
  ASSERT_TRUE(grid.Accept(s).accepted);
  EXPECT_EQ(s.GridMode, 3);
  EXPECT_EQ(s.GridStepY, 250);

  DocumentInfoDialog info(s);
  info.Lock = true;
  info.Title = "QSL";
  EXPECT_TRUE(info.Accept(s).modified);
  EXPECT_TRUE(s.IsEditLocked());
}

TEST(RigAntDialog, TabsAllCopyPasteAndReference) {
  DocumentSettings s;
  s.RigTexts[3] = "IC-705";
  test::ScriptedUi ui;
  RigAntDialog dialog(s, [] {
    std::array<std::pair<std::string, std::string>, kRigSlotCount> pairs;
    pairs.fill({"R", "A"});
    return std::optional(pairs);
  });
  EXPECT_EQ(dialog.Rig, "");
  dialog.SwitchTab(3);
  EXPECT_EQ(dialog.Rig, "IC-705");
  dialog.Ant = "dipole";
  dialog.Copy();
  EXPECT_TRUE(dialog.PasteEnabled());
  dialog.SwitchTab(4);
  dialog.Paste();
  EXPECT_EQ(dialog.Ant, "dipole");
  ui.QueueAnswer(Answer::No);
  dialog.CopyToAll(ui);
  DialogResult r = dialog.Accept(s);
  EXPECT_TRUE(r.modified);
  EXPECT_EQ(s.AntTexts[3], "dipole");  // stored when the tab was left
  EXPECT_EQ(s.AntTexts[4], "dipole");  // the current tab counts on OK
  EXPECT_EQ(s.AntTexts[5], "");

  RigAntDialog all(s);
  EXPECT_FALSE(all.ReferenceEnabled());
  all.Rig = "same";
  ui.QueueAnswer(Answer::Yes);
  all.CopyToAll(ui);
  all.Accept(s);
  EXPECT_EQ(s.RigTexts[17], "same");
  EXPECT_EQ(ui.Questions().back(), "すべてのバンドを現在のデータに置き換えます");

  dialog.Reference();
  EXPECT_EQ(dialog.Rig, "R");
  EXPECT_FALSE(RigAntDialog(s).Accept(s).modified);
}

}  // namespace
}  // namespace tevra
