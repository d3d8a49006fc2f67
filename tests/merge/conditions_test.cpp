#include <gtest/gtest.h>

#include "core/encoding.h"
#include "merge/condition_templates.h"
#include "merge/macro_expander.h"
#include "merge/prompt_dialog.h"
#include "support/scripted_ui.h"

namespace tevra {
namespace {

class ConditionTest : public ::testing::Test {
 protected:
  ConditionTest() {
    QsoRecord& ja = card[0];
    SetField(ja.Call, "JA1ABC");
    ja.Year = 97;
    ja.Month = 8;
    ja.Day = 13;
    ja.Hour = 23;
    ja.Minute = 30;
    SetField(ja.Mode, "CW");
    SetField(ja.RstSent, "599");
    SetField(ja.Freq, "7.050");
    SetField(ja.Remarks, "REM\xA2hi there\xA3 QSL[JA1MGR]");
    ja.Env = 3;
    ja.QslSent = 'J';
    SetField(dx.Call, "W1AW/4");
    dx.Year = 5;
    dx.Month = 1;
    dx.Day = 2;
    SetField(dx.Mode, "SSB");
    SetField(dx.RstSent, "5914");
    SetField(dx.Freq, "21.025");
    SetField(dx.Name, "Hiram");
    context.CardQsos = card.data();
    context.RepeatCount = 2;
    context.QsosOnCard = 1;
  }
  bool Holds(std::string_view list, QsoRecord& r) { return expander.EvaluateConditions(list, r); }

  std::array<QsoRecord, kMaxQsosPerCard> card{};
  QsoRecord dx;
  MergeContext context;
  test::ScriptedUi ui;
  MacroExpander expander{context, Services(nullptr)};

  MergeServices Services(PromptHistory* history) {
    MergeServices services;
    services.ui = &ui;
    services.history = history;
    return services;
  }
};

TEST_F(ConditionTest, TableOfConditions) {
  struct Case {
    const char* condition;
    bool onJa, onDx;
  } cases[] = {
      {"TRUE", true, true},
      {"", true, true},
      {"FALSE", false, false},
      {"IsJA", true, false},
      {"IsJA,IsDX", false, false},
      {"IsJA , IsDX", false, false},  // "IsJA " is no keyword
      {"!IsJA", false, true},
      {"! IsJA", false, true},
      {"!Nonsense", true, true},  // unrecognised, then negated
      {"IsMGR", true, false},
      {"IsPTB", false, true},
      {"IsNAME", false, true},
      {"IsSEND", true, false},
      {"IsTEST", false, true},  // "5914" carries an exchange
      {"IsL2(REM)", true, false},
      {"L2(REM)==hi there", true, false},
      {"L2(REM)!=hi there", false, true},
      {"StrL2(REM)==there", true, false},
      {"MODE==CW", true, false},
      {"MODE==cw", false, false},
      {"MODE == CW", true, false},
      {"MODE<=CW", false, false},
      {"BAND==7", true, false},
      {"BAND!=7", false, true},
      {"FREQ==\"7.050\"", true, false},
      {"FREQ==\"", false, false},
      {"ENV>=3", true, false},
      {"ENV==-1", false, false},
      {"ENV", false, false},
      {"DATE>=97.08.13", true, true},  // 2005 comes after 1997
      {"DATE<=97.08.12", false, false},
      {"DATE==97.8", false, false},
      {"TIME>=2300", true, false},
      {"PERIOD==97.08.01-97.08.31", true, false},
      {"PERIOD!=97.08.01-97.08.31", false, true},
      {"TERM==97.08.13.2300-97.08.14.0100", true, false},
      {"TERM==97.08.13.2331-97.08.14.0100", false, false},
      {"StrCALL==1AB", true, false},
      {"StrNAME!=Hir", true, false},
      {"CharSEND==J", true, false},
      {"CharRECV==", true, true},
      {"Len(ToCall)==6", true, true},
      {"Len(ToCall)>=7", false, false},
      {"Val(Freq)>=18", false, true},
      {"Val(Freq)>=abc", false, false},
      {"Val(Freq", false, false},
      {"!Val(Freq", false, false},  // a missing ")" is false whatever the "!"
      {"%C==JA1ABC", true, false},
      {"%N", false, true},  // no operator: a non-empty expansion
      {"IsJA /* Japanese only */", true, false},
      {"IsAvailable(1)", true, true},
      {"IsAvailable(2)", false, false},  // the second slot is empty
      {"IsAvailable(2147483648)", false, false},  // wraps to a negative slot: none
      {"IsAvailable(99999999999)", false, false},
      {"IsREP", false, false},
      {"IsJA,", true, false},  // a trailing comma adds nothing
      {"IsJA,,IsJA", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Holds(c.condition, card[0]), c.onJa) << c.condition << " on JA1ABC";
    EXPECT_EQ(Holds(c.condition, dx), c.onDx) << c.condition << " on W1AW/4";
  }
  EXPECT_TRUE(ui.Messages().empty());  // nothing is reported while merging
}

TEST_F(ConditionTest, EveryTemplateIsRecognised) {
  for (std::string_view condition : kConditionTemplates) {
    bool report = true;
    expander.EvaluateConditions(condition, card[0], &report);
    EXPECT_TRUE(report) << condition;
  }
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(ConditionTest, CardSlotsAndUnmergedEditing) {
  card[1] = dx;
  EXPECT_TRUE(Holds("IsREP,IsAvailable(2)", card[0]));
  context.RepeatCount = 1;
  EXPECT_FALSE(Holds("IsAvailable(2)", card[0]));
  EXPECT_FALSE(Holds("IsREP", card[0]));
  context.CardQsos = nullptr;
  EXPECT_TRUE(expander.EvaluateConditionsForCard("FALSE"));  // no log data: everything shows
}

TEST_F(ConditionTest, ReportShowsOneMessage) {
  bool report = true;
  EXPECT_FALSE(expander.EvaluateConditions("IsJA,Wrong", card[0], &report));
  EXPECT_FALSE(report);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, "次の条件子が識別できません.\r\n\r\n'Wrong'");
  expander.EvaluateConditions("Wrong2", card[0], &report);
  EXPECT_EQ(ui.Messages().size(), 1u);
}

TEST_F(ConditionTest, LongListsRunInLinearTime) {
  std::string list;
  for (int i = 0; i < 20000; ++i) list += "IsJA,";
  EXPECT_TRUE(Holds(list, card[0]));
  EXPECT_FALSE(Holds(std::string(100000, '('), card[0]));
}

TEST_F(ConditionTest, BlocksChooseLines) {
  const std::string text = "@if IsJA\nJA %C\n@else\nDX %C\n@endif";
  EXPECT_EQ(expander.FirstActiveLine(text), "JA JA1ABC");
  card[0] = dx;
  EXPECT_EQ(expander.FirstActiveLine(text), "DX W1AW/4");
  context.CardQsos = nullptr;
  EXPECT_EQ(expander.FirstActiveLine(text), "JA %C");  // no log data: the first branch, unexpanded

  context.CardQsos = card.data();
  card[0] = dx;
  EXPECT_EQ(expander.FirstActiveLine("@if IsDX\none\n@elseif IsDX\ntwo\n@else\nthree\n@endif"), "one");
  // An inner block in an inactive branch is skipped, its @endif closes nothing outer.
  EXPECT_EQ(expander.ActiveText("@if IsJA\n@if Bad\nx\n@endif\ny\n@else\nz\n@endif\nend"), "z\r\nend");
  EXPECT_EQ(expander.ActiveText("%z\nX\n\nY"), "X\r\n\r\nY");  // no line break before the first text
  EXPECT_EQ(expander.ActiveText("@endif\n@else\nkept"), "kept");  // stray directives are dropped
  EXPECT_EQ(expander.FirstActiveLine("  \t  %C"), "W1AW/4");
}

TEST_F(ConditionTest, NestingLimitAndValidation) {
  std::string deep;
  for (int i = 0; i < 33; ++i) deep += "@if TRUE\n";
  deep += "inner\n@endif\nafter 32\n";
  for (int i = 0; i < 31; ++i) deep += "@endif\n";
  deep += "outside";
  // The 33rd @if is not opened: its @endif closes the 32nd block.
  EXPECT_EQ(expander.ActiveText(deep), "inner\r\nafter 32\r\noutside");
  EXPECT_FALSE(expander.CheckConditionalText(deep));
  EXPECT_EQ(ui.Messages().back().text, "@if ～ @endifブロックのネストが制限を超えました.");
  EXPECT_FALSE(expander.CheckConditionalText("x\n@endif"));
  EXPECT_EQ(ui.Messages().back().text, "@ifブロックが始まっていません");
  EXPECT_FALSE(expander.CheckConditionalText("@if Bogus\nx\n@endif"));
  EXPECT_TRUE(expander.CheckConditionalText("@if IsJA\nx\n@elseif MODE==CW\ny\n@else\nz\n@endif"));
  EXPECT_EQ(ui.Messages().size(), 3u);

  std::string many;
  for (int i = 0; i < 100000; ++i) many += "@if TRUE\n";
  many += "x";
  EXPECT_EQ(expander.ActiveText(many), "x");
}

TEST_F(ConditionTest, MessageBoxOncePerCard) {
  EXPECT_EQ(expander.FirstActiveLine("@MsgBox check %C"), "@MsgBox");
  EXPECT_EQ(expander.FirstActiveLine("@MsgBox"), "@MsgBox");
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, "check JA1ABC");
  context.MessageShown = false;
  expander.FirstActiveLine("@MsgBox %z");
  EXPECT_EQ(ui.Messages().back().text, "@MsgBoxを検出しました.");
  context.MessageShown = false;
  expander.FirstActiveLine(FromUnicode("@MsgBox 確認 %C"));  // card text is CP932, the message UTF-8
  EXPECT_EQ(ui.Messages().back().text, "確認 JA1ABC");
}

TEST_F(ConditionTest, PromptsAndTheirHistory) {
  PromptHistory history;
  history.Add("old\r\nanswer");
  MacroExpander prompting(context, Services(&history));
  EXPECT_EQ(prompting.FirstActiveLine("@Input Note for %C"), "@Input Note for %C");  // prompts off
  context.PromptsEnabled = true;
  ui.QueuePromptDialog([](PromptDialog& d) {
    EXPECT_EQ(d.Caption(), "Note for JA1ABC");
    EXPECT_EQ(d.EditText(), "old\r\nanswer");
    d.SetEditText("first\r\nsecond");
    return true;
  });
  EXPECT_EQ(prompting.FirstActiveLine("@Input Note for %C"), "first");
  EXPECT_EQ(history.Entries().front(), "first\\r\\nsecond");
  ui.QueuePromptDialog([](PromptDialog&) { return true; });
  EXPECT_EQ(prompting.ActiveText("a\n@Input\nb"), "a\r\nfirst\r\nsecond\r\nb");
  ui.QueuePromptDialog([](PromptDialog&) { return false; });  // "印刷終了"
  EXPECT_EQ(prompting.FirstActiveLine("@Input"), "first");
  EXPECT_FALSE(context.Continue);

  PromptDialog registering(PromptDialog::Mode::Register, "", history, nullptr);
  EXPECT_EQ(registering.Caption(), "メッセージを登録");
  EXPECT_EQ(registering.ButtonLabels()[0], "登録");
  registering.SetEditText("\r\n");
  registering.Register();  // nothing but a line break: not kept
  registering.SetEditText("old\r\nanswer");
  registering.Register();  // moves to the top, no duplicate
  EXPECT_EQ(history.Entries().size(), 2u);
  EXPECT_EQ(history.Text(0), "old\r\nanswer");
  for (int i = 0; i < 70; ++i) history.Add("entry " + std::to_string(i));
  EXPECT_EQ(history.Entries().size(), kPromptHistoryMax);
}

TEST_F(ConditionTest, RigTextsUseActiveLines) {
  BandTexts rig;
  context.RigTexts = &rig;
  rig[3] = "@if IsJA\nIC-705\n@else\nFT-991\n@endif";  // slot 4: 7 MHz
  EXPECT_EQ(expander.ExpandLine("%{RIG}", card[0]), "IC-705");
  EXPECT_EQ(expander.ExpandLine("[%{ANT}]", card[0]), "[]");  // no antenna texts
  rig[3] = "%{RIG}";  // refers to itself: stops, prints nothing
  EXPECT_EQ(expander.ExpandLine("[%{RIG}]", card[0]), "[]");
}

}  // namespace
}  // namespace tevra
