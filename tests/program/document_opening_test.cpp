#include "program/document_opening.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/messages.h"
#include "support/fake_printer.h"
#include "support/scripted_ui.h"

namespace tevra {
namespace {

struct SortRecorder : LoadHooks {
  std::vector<bool> sorts;
  int redraws = 0;
  void SortStore(bool descending) override { sorts.push_back(descending); }
  void Redraw() override { ++redraws; }
};

class DocumentOpening : public ::testing::Test {
 protected:
  DocumentOpening() {
    printer.papers[9] = {8268, 11693};
    for (const char* call : {"JA1AAA", "JA1AAA", "JA1AAA", "JA1BBB", "JA1BBB"}) {
      QsoRecord r;
      SetField(r.Call, call);
      store.Add(r, static_cast<std::int32_t>(store.QsoCount()) + 1);
    }
  }
  test::ScriptedUi ui;
  test::FakePrinter printer;
  PrinterMetricsService metrics{printer, ui};
  CardPlacement placement;
  LogStore store{ui};
  SortRecorder hooks;
  std::array<QsoRecord, kMaxQsosPerCard> buffer{};
  LayoutDocument doc;
  int events = 0;
  OpenedDocumentServices Services(bool sortFlag) {
    return {metrics, placement, store, hooks, buffer, sortFlag, [this] { ++events; }};
  }
};

TEST_F(DocumentOpening, RepeatDocumentsOfferASortAndRegroupTheLog) {
  doc.Settings.QsosPerCard = 2;
  doc.Settings.PaperSize = 9;
  doc.Settings.PaperOrientation = 1;
  ui.QueueSortAnswer(SortAnswer::Descending);
  auto services = Services(false);
  AfterDocumentOpened(doc, ui, services);
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_NE(ui.Questions()[0].find("この文書はリピート展開が設定されています."), std::string::npos);
  EXPECT_NE(ui.Questions()[0].find("(5件)"), std::string::npos);
  EXPECT_EQ(hooks.sorts, std::vector<bool>{true});
  EXPECT_EQ(store.QsosPerCard(), 2);
  EXPECT_STREQ(buffer[0].Call, "JA1AAA");  // the first card is in the merge buffer
  EXPECT_EQ(printer.Settings().paperSize, 9);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(hooks.redraws, 1);
}

TEST_F(DocumentOpening, NoQuestionForSingleCardsOrWhenTheClientSaysSo) {
  auto services = Services(false);
  AfterDocumentOpened(doc, ui, services);  // one QSO per card
  doc.Settings.QsosPerCard = 4;
  auto kept = Services(true);
  AfterDocumentOpened(doc, ui, kept);
  EXPECT_TRUE(ui.Questions().empty());
  EXPECT_TRUE(hooks.sorts.empty());
  EXPECT_EQ(store.QsosPerCard(), 4);
}

}  // namespace
}  // namespace tevra
