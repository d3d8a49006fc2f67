// A command group driven without a window: the arrangement commands over a
// stand-in for the frame that records the undo steps it is asked for.
#include "desktop/arrange_commands.h"

#include <gtest/gtest.h>

#include <vector>

#include "program/commands.h"
#include "support/fake_printer.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

class RecordingFrame : public FrameContext {
 public:
  QWidget* Window() override { return nullptr; }
  void Redraw() override {}
  void SetModified(bool) override {}
  void SetDocumentTitle(const QString&) override {}
  QUndoStack& UndoStack() override { return undo; }
  void BeginChange() override { ++begun; }
  void EndChange(bool changed, const QString& description) override {
    steps.push_back(changed ? description : QStringLiteral("-"));
  }
  LogicalPoint VisibleTopLeft() const override { return {}; }
  std::optional<LogicalPoint> PointerOnView() const override { return std::nullopt; }
  LogicalRect VisibleArea() const override { return {}; }
  QAction* Action(int) const override { return nullptr; }
  void StepCard(int) override {}
  void Run(int) override {}
  QUndoStack undo;
  int begun = 0;
  std::vector<QString> steps;
};

TEST(CommandGroups, ArrangementIsOneUndoStepAndFollowsItsEnabling) {
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePrinter printer;
  printer.papers[43] = {3937, 5827};
  Program program(ui, {(dir.Path() / "TEVRA.INI").string(), dir.Path().string() + "/"});
  program.Start();
  Document doc(program, printer);
  RecordingFrame frame;
  FrameQuestions questions;
  ArrangeCommands arrange(program, doc, frame, questions);
  EXPECT_FALSE(arrange.ArrangeEnabled(cmd::kAlignLeft));  // nothing selected

  // Two boxes, both selected: aligning them is one step; aligning again
  // changes nothing and says so.
  for (int x : {100, 700}) {
    auto box = std::make_unique<ShapeItem>(ItemBox);
    box->Rect = {x, -100, x + 300, -400};
    doc.layout.Items.Add(std::move(box));
  }
  doc.layout.Items.SelectInRect({0, 0, 2000, -2000}, *doc.expander);
  ASSERT_TRUE(doc.layout.Items.IsCurrentMulti());
  EXPECT_TRUE(arrange.ArrangeEnabled(cmd::kAlignLeft));
  arrange.Arrange(cmd::kAlignLeft);
  arrange.Arrange(cmd::kAlignLeft);
  EXPECT_EQ(frame.begun, 2);
  ASSERT_EQ(frame.steps.size(), 2u);
  EXPECT_NE(frame.steps[0], QStringLiteral("-"));
  EXPECT_EQ(frame.steps[1], QStringLiteral("-"));
  EXPECT_EQ(doc.layout.Items.At(0).Rect.left, doc.layout.Items.At(1).Rect.left);
  // A locked layout takes no arrangement.
  doc.layout.Settings.EditLock = 1;
  EXPECT_FALSE(arrange.ArrangeEnabled(cmd::kAlignLeft));
}

}  // namespace
}  // namespace tevra
