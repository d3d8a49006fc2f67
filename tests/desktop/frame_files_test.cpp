// The window's ways with files and printing: PDF output without a printer,
// where the layout dialogs start, label sheets from the catalogue, and the
// export of card images.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "desktop/frame_fixture.h"
#include "program/commands.h"
#include "program/label_catalogue.h"
#include "qt/translation.h"

namespace tevra {
namespace {
using test::Example;
using test::MainFrameTest;
}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

// Without a printer: Alt+T writes the PDF file chosen last and says where;
// a file chosen in the print dialog is the next print's; the printer set-up
// says that there is no printer instead of doing nothing.
TEST_F(MainFrameTest, WithoutAPrinterCardsGoToTheRememberedPdfFile) {
  ASSERT_TRUE(frame->OpenByName(Example("postcard.tvd")));
  const auto first = dir.Path() / "cards" / "first.pdf";  // its folder is made
  program->settings.printFile = first.string();
  frame->Run(cmd::kPrintDirect);
  ASSERT_TRUE(std::filesystem::exists(first));
  ASSERT_FALSE(ui.Messages().empty());
  EXPECT_NE(ui.Messages().back().text.find(first.string()), std::string::npos);

  const auto chosen = dir.Path() / "chosen.pdf";
  QString offered;
  frame->printDialog = [&](QPrinter& printer, const PrintDialogText&, int, int, MainFrame::PrintChoice&) {
    offered = printer.outputFileName();
    printer.setOutputFileName(QString::fromStdString(chosen.string()));
    return true;
  };
  frame->Run(cmd::kTestPrint);
  EXPECT_EQ(offered.toStdString(), first.string());
  EXPECT_TRUE(std::filesystem::exists(chosen));
  EXPECT_EQ(program->settings.printFile, chosen.string());

  const std::size_t before = ui.Messages().size();
  frame->Run(cmd::kPrintSetup);
  ASSERT_EQ(ui.Messages().size(), before + 1);
  EXPECT_NE(ui.Messages().back().text.find("プリンタがありません"), std::string::npos);
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

// Save As starts in the folder used last for layouts and offers the
// document's title as the name; the folder chosen is the next dialog's.
TEST_F(MainFrameTest, LayoutDialogsStartInTheUsersFolderWithTheTitleAsName) {
  ASSERT_TRUE(frame->OpenByName(Example("postcard.tvd")));
  doc->path.clear();
  doc->layout.Settings.Title = "My Card";
  const auto layouts = dir.Path() / "layouts";
  const auto other = dir.Path() / "other";
  std::filesystem::create_directories(layouts);
  std::filesystem::create_directories(other);
  program->settings.layoutDirectory = layouts.string();
  QString startedIn, offered;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    startedIn = dialog->directory().absolutePath();
    offered = dialog->selectedFiles().value(0);
    dialog->selectFile(QString::fromStdString((other / "saved.tvd").string()));
    static_cast<QDialog*>(dialog)->accept();
  });
  frame->Run(cmd::kFileSaveAs);
  EXPECT_EQ(startedIn.toStdString(), layouts.string());
  EXPECT_EQ(QFileInfo(offered).fileName(), QStringLiteral("My Card.tvd"));
  EXPECT_TRUE(std::filesystem::exists(other / "saved.tvd"));
  EXPECT_EQ(program->settings.layoutDirectory, other.string());
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

// Presses the button with the object name or text on the dialog that is
// open now.
void Press(const QString& name) {
  auto* dialog = QApplication::activeModalWidget();
  ASSERT_NE(dialog, nullptr);
  for (auto* b : dialog->findChildren<QPushButton*>())
    if (b->objectName() == name || b->text() == name) {
      b->click();
      return;
    }
  ADD_FAILURE() << "no button " << name.toStdString();
}

void Accept() {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  ASSERT_NE(dialog, nullptr);
  dialog->accept();
}

// QSL form › タックシール › a commercial sheet: the search finds it, and OK
// through both dialogs puts its grid, label size, margins and paper into
// the layout.
TEST_F(MainFrameTest, ALabelSheetFromTheCatalogueFillsTheForms) {
  if (ReadLabelCatalogue().empty()) GTEST_SKIP() << "no label sheet catalogue installed";
  ASSERT_TRUE(frame->OpenByName(Example("tackseal.tvd")));
  QTimer::singleShot(0, [] {                                  // the QSL form
    QTimer::singleShot(0, [] {                                // the tack-seal dialog
      QTimer::singleShot(0, [] {                              // the chooser
        auto* search = QApplication::activeModalWidget()->findChild<QLineEdit*>(QStringLiteral("search"));
        ASSERT_NE(search, nullptr);
        QTest::keyClicks(search, QStringLiteral("avery l7160"));
        auto* list = QApplication::activeModalWidget()->findChild<QListWidget*>(QStringLiteral("sheets"));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), 1);
        Accept();
        QTimer::singleShot(0, [] { Accept(); });  // the tack-seal dialog's OK
      });
      Press(QStringLiteral("chooseSheet"));
      QTimer::singleShot(0, [] { Accept(); });    // the form's OK
    });
    Press(Tevra::tr("タックシール"));
  });
  frame->Run(cmd::kQslForm);
  const DocumentSettings& s = doc->layout.Settings;
  EXPECT_EQ(s.TackColumns, 3);
  EXPECT_EQ(s.TackRows, 7);
  EXPECT_NEAR(s.TackRowPitch, 108.0 * 25.4 / 72, 0.01);
  EXPECT_EQ(s.CardWidth, 64);
  EXPECT_EQ(s.PaperSize, 9);
  EXPECT_TRUE(doc->modified);
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

// File › Export card images: the dialog's values are kept, one picture per
// card lands in the folder, and the write-back question follows as after a
// print.
TEST_F(MainFrameTest, ExportCardImagesWritesEveryCardThenAsksTheWriteBack) {
  OpenPostcardWithLog();
  const auto folder = dir.Path() / "qsl";
  frame->imageExportDialog = [&](ImageExport& o) {
    o.folder = folder.string();
    o.format = "jpg";
    o.dpi = 100;
    o.namePattern = "%C";
    return true;
  };
  ui.QueueSortAnswer(SortAnswer::No);  // the print job's sort question
  ui.QueueAnswer(Answer::No);          // do not mark the log
  QAction* action = frame->findChild<QAction*>(QStringLiteral("exportImages"));
  ASSERT_NE(action, nullptr);
  const std::size_t questions = ui.Questions().size();
  action->trigger();
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names.size(), doc->store.CardCount());
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.front().substr(names.front().size() - 4), ".jpg");
  EXPECT_GT(ui.Questions().size(), questions);  // the write-back question
  EXPECT_EQ(program->settings.imageFolder, folder.string());
  EXPECT_EQ(program->settings.imageDpi, 100);
}

}  // namespace
}  // namespace tevra
