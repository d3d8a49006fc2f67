// The desktop window on the offscreen platform, for tests that drive it as
// a user does: a fresh settings file, the program, the document and the
// frame, shown at a given size.
#pragma once

#include <QApplication>
#include <QLabel>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

#include "desktop/main_frame.h"
#include "program/program.h"
#include "qt/qt_printer.h"
#include "qt/qt_ui.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra::test {

class FrameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "desktop_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }

  // makeContItem: the option that keeps a drawing tool after one item.
  FrameTest(int width, int height, bool makeContItem = true) {
    const std::string ini = (dir.Path() / "TEVRA.INI").string();
    std::ofstream(ini).close();
    program = std::make_unique<Program>(ui, ProgramPaths{ini, dir.Path().string() + "/"});
    program->Start();
    if (!makeContItem) program->settings.makeContItem = false;
    doc = std::make_unique<Document>(*program, paper);
    frame = std::make_unique<MainFrame>(*program, *doc, qtUi, nullptr);
    // The log list that follows a load is closed at once, as with Cancel.
    frame->showLogList = [this] {
      ++logListsShown;
      return false;
    };
    frame->resize(width, height);
    frame->show();
    QApplication::processEvents();
  }
  ~FrameTest() override {
    frame.reset();
    doc.reset();
  }

  TempDir dir;
  ScriptedUi ui;
  QtUi qtUi;
  PdfPaper paper;
  std::unique_ptr<Program> program;
  std::unique_ptr<Document> doc;
  std::unique_ptr<MainFrame> frame;
  int logListsShown = 0;
};

inline std::string Example(const char* name) { return std::string(TEVRA_EXAMPLES) + "/" + name; }

// The window at 800 × 600.
class MainFrameTest : public FrameTest {
 protected:
  MainFrameTest() : FrameTest(800, 600) {}

  // The postcard layout with the example ADIF log (copied), unsorted.
  void OpenPostcardWithLog() {
    const auto log = dir.Path() / "sample.adi";
    std::filesystem::copy_file(Example("sample.adi"), log);
    ASSERT_TRUE(frame->OpenByName(Example("postcard.tvd")));
    ui.QueueSortAnswer(SortAnswer::No);  // the repeat expansion's question
    ASSERT_TRUE(frame->OpenByName(log.string()));
  }
  QString PaneText(int index) const { return frame->Pane(index)->text(); }
};

}  // namespace tevra::test
