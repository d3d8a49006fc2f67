#include "print/print_job.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>

#include "card/layout_document.h"
#include "log/log_store.h"
#include "merge/merge_context.h"
#include "core/messages.h"
#include "core/text.h"
#include "platform/sort_dialog.h"
#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {

PrintDialogText PrintDialogTextFor(PrintKind kind) {
  switch (kind) {
    case PrintKind::Test: return {QT_TRANSLATE_NOOP("Tevra", "テスト印刷"), QT_TRANSLATE_NOOP("Tevra", "現在のﾍﾟｰｼﾞ"), ""};
    case PrintKind::Merge: return {QT_TRANSLATE_NOOP("Tevra", "差込印刷"), "", QT_TRANSLATE_NOOP("Tevra", "現在のﾍﾟｰｼﾞ")};
    case PrintKind::Preview: break;
  }
  return {};
}

PrintJob::PrintJob(PrintTarget& doc, PrintKind kind)
    : sleep([](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }),
      tempFreeKilobytes([] { return TempFreeKilobytes(); }),
      doc_(doc),
      kind_(kind) {}

bool PrintJob::TackSeals() const { return doc_.Layout().Settings.CardFormCode == FormTackSeal; }

int PrintJob::CardsPerSheet() const {
  const DocumentSettings& s = doc_.Layout().Settings;
  return TackSeals() ? std::max(1, s.TackColumns) * std::max(1, s.TackRows) : 1;
}

bool PrintJob::HasLogCards() const { return doc_.LogLoaded() && doc_.Log().CardCount() > 0; }

void PrintJob::SetFirstLabel(int label) { firstLabel_ = std::clamp(label, 1, CardsPerSheet()); }

int PrintJob::CurrentCardPage() const {
  const int current = static_cast<int>(doc_.Log().CurrentCard());
  return TackSeals() ? (current + firstLabel_ - 1) / CardsPerSheet() + 1 : current + 1;
}

bool PrintJob::Prepare() {
  Ui& ui = doc_.UserInterface();
  doc_.Merge().Continue = true;
  pageCount_ = 1;
  minPage_ = 1;
  if (HasLogCards() && kind_ != PrintKind::Test) {
    LogStore& store = doc_.Log();
    if (kind_ != PrintKind::Preview && askQuestions && !store.Sorted() && !doc_.PrintedData()) {
      if (AskToSort(ui, msg::kNotSortedForPrint, store.QsoCount(), true,
                    [this](bool descending) { doc_.SortBureau(descending); }) == SortAnswer::Cancel) {
        doc_.Redraw();
        return false;
      }
    }
    const int cards = static_cast<int>(store.CardCount());
    const int perSheet = CardsPerSheet();
    pageCount_ = TackSeals() ? (cards + firstLabel_ - 1 + perSheet - 1) / perSheet : cards;
    if (kind_ != PrintKind::Preview && askQuestions && doc_.PrintedData()) {
      switch (ui.Ask(msg::kContinuePrint, Buttons::YesNoCancel, MessageIcon::Question)) {
        case Answer::Yes: minPage_ = doc_.LastPrintedPage() + 1; break;
        case Answer::No: minPage_ = 1; break;
        default: return false;
      }
    }
    doc_.Merge().CardQsos = doc_.MergeBuffer().data();
  }
  if (kind_ != PrintKind::Preview) {
    doc_.PrintStat() = 1;
    doc_.PrintingEvent();
  }
  return true;
}

void PrintJob::Begin() {
  if (!Real()) return;
  doc_.RefreshPrinterMetrics();
  cardsPrinted_ = 0;
  pagesPrinted_ = 0;
  markedNow_.clear();
  printedDataBefore_ = doc_.PrintedData();
  lastPrintedPageBefore_ = doc_.LastPrintedPage();
}

void PrintJob::MarkPrinted(std::size_t card) {
  LogStore& store = doc_.Log();
  if (card >= store.CardCount()) return;
  const std::size_t start = store.CardStart(card);
  for (std::size_t i = start, end = start + store.CardSize(card); i < end; ++i)
    if (!store.Entry(i).Printed()) markedNow_.push_back(i);
  doc_.PrintedData() = true;
  store.MarkCardPrinted(card);
}

bool PrintJob::PreparePage() const { return doc_.Merge().Continue; }

void PrintJob::PrintPage(int page, PageCanvas& canvas) {
  LogStore& store = doc_.Log();
  int pageCard = page - 1;
  int skipCells = 0;
  if (HasLogCards()) {
    if (Real()) {
      ++pagesPrinted_;
      doc_.LastPrintedPage() = page;
      // A spooler that fills the temporary folder gets time to drain it.
      if (spoolerPauses && pagesPrinted_ % 50 == 0) {
        if (tempFreeKilobytes() >= 10240) {
          sleep(std::chrono::seconds(1));
        } else {
          doc_.UserInterface().ShowMessage(msg::kTempSpaceLow, MessageIcon::Warning);
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
      if (Real()) MarkPrinted(static_cast<std::size_t>(pageCard));
    }
  }
  DrawPage(canvas, pageCard, skipCells);
}

void PrintJob::DrawPage(PageCanvas& canvas, int pageCard, int skipCells) {
  doc_.Merge().PromptsEnabled = Real();
  if (!TackSeals()) {
    DrawCard(canvas, 0, 0);
    return;
  }
  const DocumentSettings& s = doc_.Layout().Settings;
  LogStore& store = doc_.Log();
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
      store.ReadCard(static_cast<std::size_t>(pageCard), doc_.MergeBuffer());
      doc_.Merge().QsosOnCard = store.CurrentCardQsoCount();
      doc_.Merge().CardIndex = pageCard;
      DrawCard(canvas, column, row);
      if (marks) MarkPrinted(static_cast<std::size_t>(pageCard));
      ++pageCard;
    }
  }
}

void PrintJob::DrawCard(PageCanvas& canvas, int column, int row) {
  ++cardsPrinted_;
  doc_.Merge().MessageShown = false;
  doc_.Merge().PrintNumberBase = doc_.PrintNumber();
  canvas.DrawCard(column, row, !HasLogCards() || kind_ == PrintKind::Test);
}

void PrintJob::End() {
  if (!Real()) return;
  if (HasLogCards() && kind_ == PrintKind::Merge) {
    doc_.PrintNumber() =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{doc_.PrintNumber()} + cardsPrinted_, kPrintNoMax));
    if (askQuestions) doc_.AfterMergePrint();
  }
  doc_.PrintStat() = kind_ == PrintKind::Test ? 3 : 2;
  doc_.PrintedEvent();
  doc_.Redraw();
}

void PrintJob::Fail() {
  if (!Real()) return;
  LogStore& store = doc_.Log();
  for (const std::size_t index : markedNow_) store.ClearPrinted(static_cast<long>(index));
  markedNow_.clear();
  doc_.PrintedData() = printedDataBefore_;
  doc_.LastPrintedPage() = lastPrintedPageBefore_;
  doc_.PrintStat() = 0;
  doc_.Redraw();
}

}  // namespace tevra
