#include "app/print_job.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>

#include "app/program.h"
#include "core/messages.h"
#include "core/text.h"
#include "platform/sort_dialog.h"
#include "platform/ui.h"

namespace tevra {

PrintDialogText PrintDialogTextFor(PrintKind kind) {
  switch (kind) {
    case PrintKind::Test: return {"テスト印刷", "現在のﾍﾟｰｼﾞ", ""};
    case PrintKind::Merge: return {"", "", "現在のﾍﾟｰｼﾞ"};
    case PrintKind::Preview: break;
  }
  return {};
}

PrintJob::PrintJob(Document& doc, PrintKind kind)
    : sleep([](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }),
      tempFreeKilobytes([] { return TempFreeKilobytes(); }),
      doc_(doc),
      kind_(kind) {}

bool PrintJob::TackSeals() const { return doc_.layout.Settings.CardFormCode == FormTackSeal; }

int PrintJob::CardsPerSheet() const {
  const DocumentSettings& s = doc_.layout.Settings;
  return TackSeals() ? std::max(1, s.TackColumns) * std::max(1, s.TackRows) : 1;
}

bool PrintJob::HasLogCards() const { return doc_.LogLoaded() && doc_.store.CardCount() > 0; }

void PrintJob::SetFirstLabel(int label) { firstLabel_ = std::clamp(label, 1, CardsPerSheet()); }

int PrintJob::CurrentCardPage() const {
  const int current = static_cast<int>(doc_.store.CurrentCard());
  return TackSeals() ? (current + firstLabel_ - 1) / CardsPerSheet() + 1 : current + 1;
}

bool PrintJob::Prepare() {
  Program& program = doc_.program;
  Ui& ui = program.ui;
  doc_.context.Continue = true;
  pageCount_ = 1;
  minPage_ = 1;
  if (HasLogCards() && kind_ != PrintKind::Test) {
    LogStore& store = doc_.store;
    if (kind_ != PrintKind::Preview && !store.Sorted() && !program.printedData) {
      if (AskToSort(ui, msg::kNotSortedForPrint, store.QsoCount(), true,
                    [this](bool descending) { doc_.SortBureau(descending); }) == SortAnswer::Cancel) {
        if (doc_.redraw) doc_.redraw();
        return false;
      }
    }
    const int cards = static_cast<int>(store.CardCount());
    const int perSheet = CardsPerSheet();
    pageCount_ = TackSeals() ? (cards + firstLabel_ - 1 + perSheet - 1) / perSheet : cards;
    if (kind_ != PrintKind::Preview && program.printedData) {
      switch (ui.Ask(msg::kContinuePrint, Buttons::YesNoCancel, MessageIcon::Question)) {
        case Answer::Yes: minPage_ = doc_.lastPrintedPage + 1; break;
        case Answer::No: minPage_ = 1; break;
        default: return false;
      }
    }
    doc_.context.CardQsos = doc_.mergeBuffer.data();
  }
  if (kind_ != PrintKind::Preview) {
    program.automation.printStat = 1;
    if (doc_.printingEvent) doc_.printingEvent();
  }
  return true;
}

void PrintJob::Begin() {
  if (!Real()) return;
  doc_.metrics.QueryPrinterMetrics(&doc_.placement);
  cardsPrinted_ = 0;
  pagesPrinted_ = 0;
}

bool PrintJob::PreparePage() const { return doc_.context.Continue; }

void PrintJob::PrintPage(int page, PageCanvas& canvas) {
  LogStore& store = doc_.store;
  int pageCard = page - 1;
  int skipCells = 0;
  if (HasLogCards()) {
    if (Real()) {
      ++pagesPrinted_;
      doc_.lastPrintedPage = page;
      // A spooler that fills the temporary folder gets time to drain it.
      if (spoolerPauses && pagesPrinted_ % 50 == 0) {
        if (tempFreeKilobytes() >= 10240) {
          sleep(std::chrono::seconds(1));
        } else {
          doc_.program.ui.ShowMessage(msg::kTempSpaceLow, MessageIcon::Warning);
        }
      }
    }
    if (TackSeals()) {
      const int perSheet = CardsPerSheet();
      if (kind_ == PrintKind::Test) {
        pageCard = static_cast<int>(store.CurrentCard()) / perSheet * perSheet;
      } else {
        // A partly used first sheet shifts every card by the used labels.
        pageCard = pageCard * perSheet - (firstLabel_ - 1);
        if (pageCard < 0) {
          skipCells = -pageCard;
          pageCard = 0;
        }
      }
      store.SetCurrentCard(static_cast<std::size_t>(pageCard));
    } else if (kind_ != PrintKind::Test) {
      store.SetCurrentCard(static_cast<std::size_t>(pageCard));
      doc_.ReadCurrentCard();
      if (Real()) {
        doc_.program.printedData = true;
        store.MarkCardPrinted(static_cast<std::size_t>(pageCard));
      }
    }
  }
  DrawPage(canvas, pageCard, skipCells);
}

void PrintJob::DrawPage(PageCanvas& canvas, int pageCard, int skipCells) {
  doc_.context.PromptsEnabled = Real();
  if (!TackSeals()) {
    DrawCard(canvas, 0, 0);
    return;
  }
  const DocumentSettings& s = doc_.layout.Settings;
  LogStore& store = doc_.store;
  const bool log = HasLogCards();
  const bool marks = Real() && kind_ == PrintKind::Merge;
  int cell = 0;
  for (int row = 0; row < s.TackRows; ++row) {
    for (int column = 0; column < s.TackColumns; ++column, ++cell) {
      if (!log) {
        DrawCard(canvas, column, row);  // every cell shows the current card
        continue;
      }
      if (cell < skipCells || pageCard >= static_cast<int>(store.CardCount())) continue;
      store.ReadCard(static_cast<std::size_t>(pageCard), doc_.mergeBuffer);
      doc_.context.QsosOnCard = store.CurrentCardQsoCount();
      doc_.context.CardIndex = pageCard;
      DrawCard(canvas, column, row);
      if (marks) {
        doc_.program.printedData = true;
        store.MarkCardPrinted(static_cast<std::size_t>(pageCard));
      }
      ++pageCard;
    }
  }
}

void PrintJob::DrawCard(PageCanvas& canvas, int column, int row) {
  ++cardsPrinted_;
  doc_.context.MessageShown = false;
  doc_.context.PrintNumberBase = doc_.program.settings.printNo;
  canvas.DrawCard(column, row, !HasLogCards() || kind_ == PrintKind::Test);
}

void PrintJob::End() {
  if (!Real()) return;
  Program& program = doc_.program;
  if (HasLogCards() && kind_ == PrintKind::Merge) {
    program.settings.printNo =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{program.settings.printNo} + cardsPrinted_, kPrintNoMax));
    if (doc_.afterMergePrint) doc_.afterMergePrint();
  }
  program.automation.printStat = kind_ == PrintKind::Test ? 3 : 2;
  if (doc_.printedEvent) doc_.printedEvent();
  if (doc_.redraw) doc_.redraw();
}

}  // namespace tevra
