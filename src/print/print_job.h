// The merge print as a model, apart from any page loop: which pages a job
// has, the questions before it, which card each page and label cell shows,
// the printed marks, the print number and the events. A page loop (PDF,
// printer, preview) asks it page by page and draws where it says.
#pragma once

#include <chrono>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace tevra {

// The largest print number.
inline constexpr int kPrintNoMax = 999999999;

struct LayoutDocument;
class LogStore;
class Ui;
struct MergeContext;
struct QsoRecord;

// The document as a print job sees it: its log, layout and merge buffer,
// the program's print state, and what the document does when asked.
class PrintTarget {
 public:
  virtual Ui& UserInterface() = 0;
  virtual LogStore& Log() = 0;
  virtual LayoutDocument& Layout() = 0;
  virtual MergeContext& Merge() = 0;
  virtual std::span<QsoRecord> MergeBuffer() = 0;
  virtual bool LogLoaded() const = 0;
  // The printed-data flag, "PrintNo", the automation print state and the
  // last page sent to a printer in this run.
  virtual bool& PrintedData() = 0;
  virtual int& PrintNumber() = 0;
  virtual int& PrintStat() = 0;
  virtual int& LastPrintedPage() = 0;

  virtual void SortBureau(bool descending) = 0;
  virtual void ReadCurrentCard() = 0;
  // Reads the chosen printer's metrics again.
  virtual void RefreshPrinterMetrics() = 0;
  virtual void Redraw() = 0;
  // The automation events of a real job, and the write-back offered after
  // a merge print.
  virtual void PrintingEvent() = 0;
  virtual void PrintedEvent() = 0;
  virtual void AfterMergePrint() = 0;

 protected:
  ~PrintTarget() = default;
};

enum class PrintKind {
  Merge,    // every card of the log ("差込印刷")
  Test,     // the card as the screen shows it ("テスト印刷")
  Preview,  // the merge pages on the screen: no marks, counters or events
};

// Where a page's cards are drawn.
class PageCanvas {
 public:
  virtual ~PageCanvas() = default;
  // Draws the layout with the merge buffer's QSOs in tack-seal cell
  // (column, row); (0, 0) for a card page. grid: the layout grid goes on
  // the page too.
  virtual void DrawCard(int column, int row, bool grid) = 0;
};

// What the print dialog shows for a job: a test print is titled
// "テスト印刷" and its all-pages choice reads "現在のﾍﾟｰｼﾞ"; a merge print
// offers the selection choice as "現在のﾍﾟｰｼﾞ".
struct PrintDialogText {
  std::string_view title;           // empty: the dialog's own
  std::string_view allPagesLabel;   // empty: the dialog's own
  std::string_view selectionLabel;  // empty: no selection choice
};
PrintDialogText PrintDialogTextFor(PrintKind kind);

class PrintJob {
 public:
  // realPrinter: the pages go to a printer or a PDF file, not to a preview.
  PrintJob(PrintTarget& doc, PrintKind kind);

  // Before the print dialog: the sort and continue questions, the page
  // count, the printing event. False when the user abandoned the job.
  bool Prepare();
  int PageCount() const { return pageCount_; }
  // The lowest page the dialog offers (after the last printed page when
  // continuing).
  int MinPage() const { return minPage_; }
  // The page that shows the current card ("現在のﾍﾟｰｼﾞ"; the preview's
  // first page).
  int CurrentCardPage() const;

  // After the dialog, before the first page of a real job: the metrics of
  // the chosen printer, counters to 0.
  void Begin();
  // False when the job is to stop before this page (a prompt was cancelled).
  bool PreparePage() const;
  void PrintPage(int page, PageCanvas& canvas);
  // After the last page of a real job: print number, write-back, events.
  void End();
  // Instead of End() when the pages could not be written: the cards of this
  // job count as not printed (their marks, the printed-data flag and the
  // last printed page go back to what they were at Begin()), no print
  // number, no write-back, no printed event, and the print state is idle.
  void Fail();

  int CardsPrinted() const { return cardsPrinted_; }
  int PagesPrinted() const { return pagesPrinted_; }
  PrintKind Kind() const { return kind_; }
  bool TackSeals() const;
  int CardsPerSheet() const;

  // A partly used label sheet: page 1 starts at label firstLabel (row by
  // row from 1); the cells before it stay empty. 1 for a whole sheet.
  void SetFirstLabel(int label);

  // False for a job without a dialog (an automation client's): no sort
  // question (the log prints in its order), no continue question (from the
  // first page), and no write-back at the end: the printed marks wait for
  // the client or the next write-back question.
  bool askQuestions = true;
  // Every 50th page of a job to a printer gives the spooler time (a PDF
  // file has no spooler and sets this false).
  bool spoolerPauses = true;
  // How the job waits on every 50th page; a test replaces it.
  std::function<void(std::chrono::milliseconds)> sleep;
  // The free space of the temporary folder, in KB; a test replaces it.
  std::function<unsigned()> tempFreeKilobytes;

 private:
  bool HasLogCards() const;
  bool Real() const { return kind_ != PrintKind::Preview; }
  void DrawPage(PageCanvas& canvas, int pageCard, int skipCells);
  void DrawCard(PageCanvas& canvas, int column, int row);
  void MarkPrinted(std::size_t card);

  PrintTarget& doc_;
  PrintKind kind_;
  int pageCount_ = 1;
  int minPage_ = 1;
  int firstLabel_ = 1;
  int cardsPrinted_ = 0;
  int pagesPrinted_ = 0;
  // What Fail() takes back: the QSOs this job marked, and the state before.
  std::vector<std::size_t> markedNow_;
  bool printedDataBefore_ = false;
  int lastPrintedPageBefore_ = 0;
};

}  // namespace tevra
