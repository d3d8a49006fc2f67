// Arbitrary bytes as a layout file, rendered onto a surface that only counts
// what it is asked to draw, then merge-printed page by page: whatever a
// layout holds, drawing and the page arithmetic end, and stay small.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "batch/console_ui.h"
#include "print/print_job.h"
#include "program/program.h"
#include "card/layout_document.h"
#include "card/render_card.h"
#include "core/archive.h"

namespace {

// A card draws at most this many primitives; more means a runaway loop.
constexpr long kDrawCallsMax = 2'000'000;

class CountingSurface : public tevra::Surface {
 public:
  explicit CountingSurface(bool printer) : printer_(printer) {}
  void SetPen(const tevra::PenRecord&) override {}
  void SetHollowBrush() override {}
  void SetSolidBrush(tevra::Colour) override {}
  void SetFont(const tevra::FontRecord&) override {}
  void SetTextColour(tevra::Colour) override {}
  void SetBackground(bool, tevra::Colour) override {}
  void Save() override {}
  void Restore() override {}
  void Line(tevra::LogicalPoint, tevra::LogicalPoint) override { Count(); }
  void Polyline(const std::vector<tevra::LogicalPoint>&) override { Count(); }
  void RoundRect(const tevra::LogicalRect&, std::int32_t, std::int32_t) override { Count(); }
  void Ellipse(const tevra::LogicalRect&) override { Count(); }
  void FillRect(const tevra::LogicalRect&, tevra::Colour) override { Count(); }
  tevra::Colour PixelAt(tevra::LogicalPoint) override { return 0xFFFFFF; }
  void FloodFill(tevra::LogicalPoint, tevra::Colour, tevra::Colour) override { Count(); }
  void TextOut(tevra::LogicalPoint, std::string_view) override { Count(); }
  tevra::TextExtent MeasureText(std::string_view text) override {
    return {static_cast<std::int32_t>(text.size() * 100), 200};
  }
  void DrawTextInRect(std::string_view, const tevra::LogicalRect&, int) override { Count(); }
  void DrawImage(const tevra::LogicalRect&, std::string_view) override { Count(); }
  tevra::LogicalRect EnlargeByOnePixel(const tevra::LogicalRect& rect) override { return rect; }
  void Translate(std::int32_t, std::int32_t) override {}
  bool IsPrinter() const override { return printer_; }

 private:
  void Count() {
    if (++calls_ > kDrawCallsMax) std::abort();
  }
  bool printer_;
  long calls_ = 0;
};

class CountingCanvas : public tevra::PageCanvas {
 public:
  explicit CountingCanvas(const tevra::DocumentSettings& settings) : settings_(settings) {}
  void DrawCard(int column, int row, bool) override {
    if (column < 0 || row < 0 || column >= settings_.TackColumns || row >= settings_.TackRows) std::abort();
    if (++cells > 24 * 24 * 64) std::abort();
  }
  long cells = 0;

 private:
  const tevra::DocumentSettings& settings_;
};

// The program started quietly, before the document is made from it.
tevra::Program& Started(tevra::Program& program, tevra::ConsoleUi& ui) {
  ui.quiet = true;
  program.Start();
  return program;
}

// One program and document for every input; a small log of 40 QSOs.
struct World {
  World()
      : sink(std::fopen("/dev/null", "w")),
        ui(sink, "fuzz"),
        program(ui, {"/nonexistent/tevra-fuzz/TEVRA.INI", "/nonexistent/"}),
        doc(Started(program, ui), printer) {
    for (int i = 0; i < 40; ++i) {
      tevra::QsoRecord r;
      r.Year = 24;
      r.Month = 11;
      r.Day = static_cast<std::uint8_t>(1 + i % 28);
      tevra::SetField(r.Call, "JA" + std::to_string(i % 10) + "AB" + static_cast<char>('A' + i % 26));
      tevra::SetField(r.Freq, i % 2 ? "7.025" : "14.2");
      doc.store.Add(r, i + 1);
    }
    doc.afterMergePrint = [] {};
  }
  std::FILE* sink;
  tevra::ConsoleUi ui;
  tevra::NoPrinter printer;
  tevra::Program program;
  tevra::Document doc;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static World world;
  tevra::Document& doc = world.doc;
  doc.Reset();
  tevra::ArchiveReader in(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!tevra::LoadDocument(doc.layout, in, world.ui)) return 0;
  doc.LayoutReady();
  const tevra::DocumentSettings& settings = doc.layout.Settings;
  tevra::RenderContext render{*doc.expander, &doc.layout.Tables};
  for (const bool printer : {false, true}) {
    CountingSurface surface(printer);
    tevra::RenderCardOptions options;
    options.column = settings.TackColumns - 1;
    options.row = settings.TackRows - 1;
    options.printGrid = true;
    tevra::RenderCard(surface, doc.layout.Items, settings, doc.metrics.Metrics(), render, options);
  }
  doc.program.printedData = false;
  doc.store.ClearPrinted(-1);
  tevra::PrintJob job(doc, tevra::PrintKind::Merge);
  job.SetFirstLabel(static_cast<int>(size % 600));
  if (!job.Prepare()) return 0;
  if (job.PageCount() < 0 || job.PageCount() > 40) std::abort();
  CountingCanvas canvas(settings);
  job.Begin();
  for (int page = job.MinPage(); page <= job.PageCount() && job.PreparePage(); ++page) job.PrintPage(page, canvas);
  job.End();
  doc.program.printedData = false;
  return 0;
}
