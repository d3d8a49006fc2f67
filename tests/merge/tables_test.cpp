#include "merge/tables.h"

#include <gtest/gtest.h>

#include "merge/macro_expander.h"
#include "merge/table_dialogs.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

ConditionTable Rows(std::initializer_list<std::pair<const char*, const char*>> rows) {
  ConditionTable table;
  for (auto [c, t] : rows) table.SetRow(c, t);
  return table;
}

TEST(Tables, RowsModesMacrosAndReferences) {
  ConditionTable table = Rows({{"IsJA", "A"}, {"TRUE", "B"}});
  table.SetRow("IsJA", "A2");
  table.SetRow("isja", "C");  // exact comparison: a new row
  ASSERT_EQ(table.Rows().size(), 3u);
  EXPECT_EQ(table.Rows()[0].Text, "A2");

  ModeConversionTable modes;
  modes.Rows().push_back({"ssb", "A3J"});
  EXPECT_EQ(modes.ModeText("SSB"), "A3J");
  EXPECT_EQ(modes.ModeText("CW"), "CW");

  MacroList macros;
  macros.SetMacro("sig", "73");
  macros.SetMacro("sig", "88");
  macros.SetMacro("Sig", "x");
  EXPECT_EQ(macros.FindMacro("sig"), "88");
  EXPECT_EQ(macros.Macros().size(), 2u);
  EXPECT_EQ(macros.FindMacro("none"), std::nullopt);

  EXPECT_EQ(ItemTableReference("@Table(3)"), 3);
  EXPECT_EQ(ItemTableReference("@Table(11)"), 0);  // still "@Table": the item's own table
  EXPECT_EQ(ItemTableReference("@Table(0)"), 0);
  EXPECT_EQ(ItemTableReference("@Table"), 0);
  EXPECT_EQ(ItemTableReference("%C"), std::nullopt);
  EXPECT_EQ(DataMarkTableReference("Table"), 0);
  EXPECT_EQ(DataMarkTableReference("Table(10)"), 10);
  EXPECT_EQ(DataMarkTableReference("Table(11)"), std::nullopt);  // a variable name
  EXPECT_EQ(DataMarkTableReference("ToCall"), std::nullopt);
}

TEST(Tables, LookupWithTheMergeLanguage) {
  std::array<QsoRecord, kMaxQsosPerCard> card{};
  SetField(card[0].Call, "JA1ABC");
  ModeConversionTable modes;
  modes.Rows().push_back({"ssb", "A3J"});
  MacroList macros;
  macros.SetMacro("sig", "%C 73");
  MergeContext context;
  context.Macros = &macros;
  MergeServices services;
  services.modes = &modes;
  MacroExpander expander(context, services);
  const ConditionTable table = Rows({{"IsJA", "JA %C"}, {"TRUE", "DX\r\n%C"}});
  EXPECT_EQ(TableLookup(expander, table, card[0], false), "@Table");  // no log data
  context.CardQsos = card.data();
  EXPECT_EQ(TableLookup(expander, table, card[0], false), "JA JA1ABC");
  SetField(card[0].Call, "W1AW");
  EXPECT_EQ(TableLookup(expander, table, card[0], true), "DX\r\nW1AW");
  EXPECT_EQ(TableLookup(expander, Rows({{"IsJA", "x"}}), card[0], false), "");  // no default row

  SetField(card[0].Mode, "SSB");
  EXPECT_EQ(expander.ExpandLine("%O %{Mode} %(sig) %{MAC(sig)} %(none)", card[0]), "A3J A3J %C 73 %C 73 No Defined");
}

TEST(Tables, BlocksAndTablesConvertBothWays) {
  const ConditionTable three = Rows({{"IsJA", "A"}, {"IsSWL", "B"}, {"TRUE", "C"}});
  const std::string block = TableToBlock(three);
  EXPECT_EQ(block, "@if IsJA\r\nA\r\n@elseif IsSWL\r\nB\r\n@else\r\nC\r\n@endif");
  ConditionTable back;
  EXPECT_EQ(BlockToTable(block, back), "Table");
  EXPECT_EQ(back, three);

  EXPECT_EQ(TableToBlock(Rows({{"TRUE", "only"}})), "only");
  EXPECT_EQ(TableToBlock(Rows({{"TRUE", "a"}, {"IsJA", "b"}})), "@if TRUE\r\na\r\n@elseif IsJA\r\nb\r\n@endif");

  ConditionTable nested;
  BlockToTable("@if IsJA\n@if IsPTB\np\n@endif\nj\n@else\nx\n@endif\n", nested);
  ASSERT_EQ(nested.Rows().size(), 2u);
  EXPECT_EQ(nested.Rows()[0].Text, "@if IsPTB\r\np\r\n@endif\r\nj");

  ConditionTable fallback;
  const std::string trailing = "@if IsJA\nA\n@endif\nmore";
  BlockToTable(trailing, fallback);
  EXPECT_EQ(fallback, Rows({{"TRUE", "@if IsJA\nA\n@endif\nmore"}}));

  ConditionTable untouched = three;
  EXPECT_EQ(BlockToTable("%{ViaCall}", untouched), "ViaCall");
  EXPECT_EQ(untouched, three);
  ConditionTable plain;
  BlockToTable("just text", plain);
  EXPECT_EQ(plain, Rows({{"TRUE", "just text"}}));

  test::ScriptedUi ui;
  ConditionTable copy;
  ui.QueueAnswer(Answer::No);
  EXPECT_EQ(DataMarkFieldToText("Table", three, ui, copy), "@Table");
  EXPECT_EQ(copy, three);
  ui.QueueAnswer(Answer::Yes);
  EXPECT_EQ(DataMarkFieldToText("Table", three, ui, copy), block);
  EXPECT_EQ(DataMarkFieldToText("Table", Rows({{"TRUE", "t"}}), ui, copy), "t");  // asks nothing
  EXPECT_EQ(DataMarkFieldToText("ToCall", three, ui, copy), "%{ToCall}");
  EXPECT_EQ(DataMarkFieldToText("%C", three, ui, copy), "%C");
}

TEST(TableFiles, RoundTripsAndHostileFiles) {
  test::TempDir dir;
  const TableFileRows rows = {{"IsJA", "line 1\r\nline 2"}, {"TRUE", "x, y"}};
  const std::string path = (dir.Path() / "table.txt").string();
  ASSERT_TRUE(SaveTableFile(path, rows, true));
  auto loaded = LoadTableFile(path, true);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, rows);
  EXPECT_EQ(*LoadTableFile(path, false), (TableFileRows{{"IsJA", "line 1\\r\\nline 2"}, {"TRUE", "x, y"}}));

  const std::string longLine = "\"K\",\"" + std::string(40000, 'v') + "\"\nnext\n";
  auto cut = ParseTableFile(longLine, true);
  ASSERT_EQ(cut.size(), 2u);  // cut at 32,767, never split into a second row
  EXPECT_EQ(cut[0].second.size(), 32767u - 4);  // cut before its closing quote, the opening one stays
  EXPECT_EQ(cut[1], (TableFileRows::value_type{"next", ""}));
  EXPECT_EQ(ParseTableFile("\"unbalanced,\n\n\xFF\x81", true).size(), 2u);
  EXPECT_FALSE(LoadTableFile((dir.Path() / "none.txt").string(), true));
  EXPECT_FALSE(SaveTableFile((dir.Path() / "no/dir.txt").string(), rows, true));
}

TEST(TableDialog, EditingRows) {
  TableDialog dialog = TableDialog::ForConditions(Rows({{"TRUE", "d"}, {"IsJA", "j"}, {"IsDX", "x"}}));
  EXPECT_EQ(dialog.Title(), "条件テーブル");
  dialog.Key = "isja";
  dialog.Text = "J2";
  dialog.AddOrChange();  // case-insensitive: changes IsJA
  EXPECT_EQ(dialog.Rows()[1].second, "J2");
  dialog.Key = "IsPTB";
  dialog.AddOrChange();
  EXPECT_EQ(dialog.Rows().size(), 4u);
  dialog.Sort();
  EXPECT_EQ(dialog.Rows().front().first, "IsDX");
  EXPECT_EQ(dialog.Rows().back().first, "TRUE");  // TRUE rows last
  dialog.Select(0);
  dialog.MoveUp();  // not past the top
  dialog.MoveDown();
  EXPECT_EQ(dialog.Rows()[1].first, "IsDX");
  dialog.SetSelection({1, 2});
  dialog.Cut();
  EXPECT_EQ(dialog.Rows().size(), 2u);
  dialog.Select(0);
  dialog.Paste();  // the last row removed: IsDX
  EXPECT_EQ(dialog.Rows()[0].first, "IsDX");
  ConditionTable result = dialog.ToConditionTable();
  EXPECT_EQ(result.Rows().size(), 3u);

  test::TempDir dir;
  test::ScriptedUi ui;
  ui.QueueSaveChoice((dir.Path() / "t.txt").string());
  dialog.Save(ui, dir.Path().string());
  EXPECT_EQ(ui.FileRequests().back().initialName, "table.txt");
  TableDialog other = TableDialog::ForModes(ModeConversionTable{});
  EXPECT_EQ(other.Title(), "モード変換テーブル");
  ui.QueueFileChoice(OpenFileChoice{(dir.Path() / "missing.txt").string(), 0});
  other.Load(ui, "");
  EXPECT_EQ(ui.Messages().back().text, "ファイルが読み込めません. ファイルが存在しないか他のアプリケーションで使用中です.");
  ui.QueueFileChoice(OpenFileChoice{(dir.Path() / "t.txt").string(), 0});
  TableDialog reloaded = TableDialog::ForConditions(ConditionTable{});
  reloaded.Load(ui, "");
  EXPECT_EQ(reloaded.Rows(), dialog.Rows());
}

TEST(MacroDialog, EditReferenceAndAccept) {
  MacroList macros;
  macros.SetMacro("Sig", "73");
  macros.SetMacro("qth", "Tokyo");
  MacroDialog dialog(macros);
  EXPECT_FALSE(dialog.ReferenceEnabled());
  EXPECT_FALSE(dialog.DeleteEnabled());
  dialog.Name = "SIG";
  dialog.Text = "88";
  dialog.AddOrChange();
  EXPECT_EQ(dialog.Rows()[0], (MacroDialog::Row{"Sig", "88"}));
  dialog.Select({1});
  EXPECT_TRUE(dialog.DeleteEnabled());
  dialog.Delete();
  EXPECT_EQ(dialog.Rows().size(), 1u);
  MergeContext context;
  context.MessageShown = true;
  dialog.Accept(macros, context);
  EXPECT_EQ(macros.Macros().size(), 1u);
  EXPECT_EQ(macros.FindMacro("Sig"), "88");
  EXPECT_FALSE(context.MessageShown);

  test::ScriptedUi ui;
  MacroDialog reading(macros, [](const std::string& path) {
    MacroFileResult result;
    if (path == "bad.tvd") result.status = MacroFileResult::Status::WrongFormat;
    return result;  // a file without macros
  });
  ui.QueueFileChoice(OpenFileChoice{"bad.tvd", 0});
  reading.Reference(ui);
  EXPECT_EQ(reading.Rows().size(), 1u);
  EXPECT_EQ(ui.Messages().back().text, "予期しないファイル形式です。読み込みを中止します。");
  ui.QueueFileChoice(OpenFileChoice{"empty.tvd", 0});
  reading.Reference(ui);
  EXPECT_TRUE(reading.Rows().empty());
}

}  // namespace
}  // namespace tevra
