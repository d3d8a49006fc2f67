// The desktop window as a user meets it: its menus and keys, its status
// panes, stepping through cards, closing, and printing into a PDF file.
#include "desktop/main_frame.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMenuBar>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <sys/stat.h>
#include <set>
#include <fstream>
#include <gtest/gtest.h>

#include "automation/automation_service.h"
#include "desktop/frame_automation_host.h"
#include "desktop/help_window.h"
#include "desktop/preview_dialog.h"
#include "program/commands.h"
#include "program/label_catalogue.h"
#include "qt/translation.h"
#include "program/log_list.h"
#include "desktop/frame_fixture.h"
#include "core/encoding.h"
#include "core/messages.h"
#include "card/layout_document.h"
#include "core/file_io.h"
#include "core/archive.h"
#include "editor/card_view.h"
#include "qt/qt_printer.h"
#include "qt/qt_ui.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {


// Drops a file on a widget as a file manager does: the drag enters, then
// the drop (which goes to the widget that took the drag).
void DropFile(QWidget* target, const std::string& path, QPoint at = QPoint(20, 20)) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
}

using test::Example;
using test::MainFrameTest;

TEST_F(MainFrameTest, MenusKeysAndToolBarsFollowTheCommandTables) {
  using namespace cmd;
  // Texts and keys as the user finds them.
  struct Entry {
    int id;
    const char* text;
    std::vector<const char*> keys;
  };
  const Entry entries[] = {
      {kPrint, "差込印刷(&P)...\tCtrl+P", {"Ctrl+P"}},
      {kTestPrint, "テスト印刷(&T)...\tCtrl+T", {"Ctrl+T"}},
      {kPrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", {}},
      {kPrintSetup, "ﾌﾟﾘﾝﾀの設定(&R)...", {}},
      {kPrintDirect, nullptr, {"Alt+T"}},
      {kFileOpen, "開く(&O)...\tCtrl+O", {"Ctrl+O"}},
      {kFileNew, nullptr, {"Ctrl+N"}},
      {kFileSave, nullptr, {"Ctrl+S"}},
      {kAppAbout, "ﾊﾞｰｼﾞｮﾝ情報(TEVRA) (&A)...", {}},
      {kHomePage, "KESTRLホームページ(&M)", {}},
      {kDownloadWeb, "TEVRAダウンロードWeb(&W)", {}},
      {kEditEntities, "エンティティ定義ファイルの編集", {}},
      {kReloadEntities, "エンティティ定義ファイルの再ロード", {}},
      {kViewToolBar, "ﾂｰﾙ ﾊﾞｰ(&T)", {}},
      {kViewDrawBar, "描画ｱｲﾃﾑﾂｰﾙﾊﾞｰ", {}},
      {kSelectAll, nullptr, {"Ctrl+A"}},
      {kEditCopy, nullptr, {"Ctrl+C", "Ctrl+Ins"}},
      {kEditItem, nullptr, {"Ctrl+E"}},
      {kEditFind, nullptr, {"Ctrl+F"}},
      {kFindNext, nullptr, {"F3"}},
      {kFindPrev, nullptr, {"Shift+F3"}},
      {kGroup, "グループ化(&G)\tCtrl+G", {"Ctrl+G"}},
      {kUngroup, "グループ化の解除(&R)\tCtrl+R", {"Ctrl+R"}},
      {kLogList, nullptr, {"Ctrl+L"}},
      {kEditPaste, nullptr, {"Ctrl+V", "Shift+Ins"}},
      {kEditCut, nullptr, {"Ctrl+X", "Shift+Del"}},
      {kDelete, "削除(&D)\tDel", {"Del"}},
      {kEditUndo, nullptr, {"Ctrl+Z", "Alt+Backspace"}},
      {kNextOverlap, "次の重なりアイテムを検索\tF4", {"F4"}},
      {kPrevOverlap, "前の重なりアイテムを検索\tShift+F4", {"Shift+F4"}},
      {kHelp, nullptr, {"F1"}},
      {kContextHelp, nullptr, {"Shift+F1"}},
      {kOptions, "オプション(&O)...", {}},
      {kMacros, "マクロ(&M)...", {}},
      {kModeTable, "モード変換テーブル(&C)...", {}},
      {kPrintNumber, "印刷番号(&P)...", {}},
      {kPrintMessages, "印刷メッセージの登録...", {}},
      {kOdbc, "ＯＤＢＣデータベースに接続...", {}},
      {kMoveBy, "選択アイテムの移動...", {}},
      {kToHead, "先頭に移動(&S)", {}},
      {kToEnd, "末尾に移動(&B)", {}},
  };
  // Every action that a menu shows, reached through the menu bar.
  std::set<const QAction*> inMenus;
  std::function<void(QMenu*)> walk = [&](QMenu* menu) {
    for (QAction* a : menu->actions()) {
      inMenus.insert(a);
      if (a->menu()) walk(a->menu());
    }
  };
  for (QAction* top : frame->menuBar()->actions()) walk(top->menu());
  for (const Entry& e : entries) {
    QAction* action = frame->Action(e.id);
    ASSERT_NE(action, nullptr) << e.id;
    if (e.text) {
      EXPECT_EQ(action->text(), QString::fromUtf8(e.text)) << e.id;
    }
    QList<QKeySequence> keys;
    for (const char* k : e.keys) keys << QKeySequence::fromString(QString::fromLatin1(k), QKeySequence::PortableText);
    EXPECT_EQ(action->shortcuts(), keys) << e.id;
    EXPECT_TRUE(inMenus.count(action)) << e.id << " has no menu entry";
  }
  // Every command of the table is in a menu or is a recent-list slot.
  for (const CommandInfo& c : Commands()) EXPECT_TRUE(inMenus.count(frame->Action(c.id))) << c.id;

  // The main tool bar's buttons in the given order.
  const std::vector<int> mainBar = {kFileNew,     kFileOpen, kFileSave,  0,        kEditCut,  kEditCopy,     kEditPaste,
                                    0,            kPrint,    kTestPrint, kPrintPreview, 0,     kGridToggle,   kGridSpacing,
                                    kZoom,        0,         kMergeToggle, kQsoData, kLogList, kEditFind,    kPrevQso,
                                    kNextQso,     0,         kAppAbout,  kContextHelp};
  const auto bars = frame->findChildren<QToolBar*>();
  ASSERT_EQ(bars.size(), 2);
  std::vector<int> shown;
  for (QAction* a : bars[0]->actions()) shown.push_back(a->isSeparator() ? 0 : a->data().toInt());
  EXPECT_EQ(shown, mainBar);
  EXPECT_EQ(frame->toolBarArea(bars[0]), Qt::TopToolBarArea);
  EXPECT_EQ(frame->toolBarArea(bars[1]), Qt::LeftToolBarArea);
  // Its view-menu entry hides the bar and takes its check mark along.
  frame->Run(kViewToolBar);
  EXPECT_FALSE(bars[0]->isVisible());
  EXPECT_FALSE(frame->Action(kViewToolBar)->isChecked());
  // A key reaches its command: Ctrl+T would print; no entry offers a key
  // that does nothing here (panes, editing an object in place).
  EXPECT_TRUE(frame->Action(kTestPrint)->isEnabled());
  for (QAction* a : frame->findChildren<QAction*>())
    for (const char* idle : {"F6", "Shift+F6", "Esc"})
      EXPECT_FALSE(a->shortcuts().contains(QKeySequence(QString::fromLatin1(idle)))) << a->text().toStdString();
}

TEST_F(MainFrameTest, StatusPanesAndSteppingThroughCards) {
  // Before a log: the sample QSOs and no cards.
  EXPECT_EQ(PaneText(0), MainFrame::IdleText());
  EXPECT_EQ(PaneText(1), QStringLiteral("100%"));
  EXPECT_EQ(PaneText(4), QStringLiteral("ﾛｸﾞ 0件"));
  EXPECT_EQ(PaneText(5), QStringLiteral("1/1枚"));
  OpenPostcardWithLog();
  const std::size_t cards = doc->store.CardCount();
  ASSERT_GT(cards, 1u);
  EXPECT_EQ(PaneText(3), QStringLiteral("ｱｲﾃﾑ %1").arg(doc->layout.Items.Count()));
  EXPECT_EQ(PaneText(4), QStringLiteral("ﾛｸﾞ %1件").arg(doc->store.QsoCount()));
  EXPECT_EQ(PaneText(5), QStringLiteral("1/%1枚").arg(cards));
  EXPECT_FALSE(frame->Action(cmd::kPrevQso)->isEnabled());

  const QImage first = frame->View()->grab().toImage();
  frame->Run(cmd::kNextQso);
  EXPECT_EQ(PaneText(5), QStringLiteral("2/%1枚").arg(cards));
  EXPECT_TRUE(frame->Action(cmd::kPrevQso)->isEnabled());
  const QImage second = frame->View()->grab().toImage();
  EXPECT_NE(first, second);  // the second card's QSOs are drawn
  frame->Run(cmd::kPrevQso);
  EXPECT_EQ(frame->View()->grab().toImage(), first);

  // Merging off shows the items' own texts; on again, the card returns.
  frame->Run(cmd::kMergeToggle);
  EXPECT_FALSE(frame->Action(cmd::kMergeToggle)->isChecked());
  EXPECT_NE(frame->View()->grab().toImage(), first);
  frame->Run(cmd::kMergeToggle);
  EXPECT_EQ(frame->View()->grab().toImage(), first);

  // Zoom steps through 150 %, 200 %, 67 % and back; the view grows with it.
  const QSize at100 = frame->View()->size();
  for (const char* text : {"150%", "200%", "67%", "100%"}) {
    frame->Run(cmd::kZoom);
    EXPECT_EQ(PaneText(1), QString::fromLatin1(text));
  }
  frame->Run(cmd::kZoom);
  EXPECT_NEAR(frame->View()->width(), at100.width() * 3 / 2, 1);

  // The position pane follows the mouse over the view.
  QTest::mouseMove(frame->View(), QPoint(96, 96));
  EXPECT_TRUE(PaneText(2).startsWith(QStringLiteral("X=")));
  EXPECT_NE(PaneText(2), QStringLiteral("X=  0.0,Y=  0.0(mm)"));
}

TEST_F(MainFrameTest, PlacementSurvivesARestart) {
  frame->setGeometry(120, 90, 700, 500);
  QApplication::processEvents();
  const QRect before = frame->geometry();
  frame->SavePlacement();
  ASSERT_TRUE(program->SaveSettings());
  // A new run reads the file.
  test::ScriptedUi ui2;
  Program again(ui2, program->paths);
  again.Start();
  Document doc2(again, paper);
  MainFrame second(again, doc2, qtUi, nullptr);
  second.RestorePlacement();
  EXPECT_EQ(second.geometry().size(), before.size());
  EXPECT_EQ(second.geometry().topLeft(), before.topLeft());
  // Saved on a screen of another size: the defaults.
  Profile& f = again.file;
  MainWindowState state = ReadMainWindow(f);
  EXPECT_FALSE(state.zoomed);
  state.screenWidth += 1;
  WriteMainWindow(f, state);
  second.RestorePlacement();
  const QSize screen = QGuiApplication::primaryScreen()->size();
  const FrameRect defaults = InitialFrameRect(screen.width(), screen.height(), {}, 0, 0);
  EXPECT_EQ(second.geometry().size(), QSize(defaults.width, defaults.height));
  // Closed maximised: "ZOOM" 1 and the restored rectangle.
  frame->showMaximized();
  QApplication::processEvents();
  frame->SavePlacement();
  const MainWindowState maximised = ReadMainWindow(program->file);
  EXPECT_TRUE(maximised.zoomed);
  ASSERT_TRUE(maximised.rect);
  EXPECT_EQ(QSize(maximised.rect->cx, maximised.rect->cy), before.size());
}

TEST(WindowPlacement, DefaultsForTheScreenAndTheSavedPlace) {
  struct Case {
    int screenW, screenH;
    MainWindowState saved;
    FrameRect expected;
  };
  const WindowPlacement place{900, 700, 10, 20};
  const Case cases[] = {
      {1024, 768, {}, {40, 40, 800, 600}},
      {640, 480, {}, {0, 0, 640, 480}},  // the default place would leave the screen
      {800, 600, {}, {40, 40, 640, 480}},
      {1024, 768, {false, 1280, 1024, place}, {40, 40, 800, 600}},  // another screen size
      {1280, 1024, {true, 1280, 1024, place}, {10, 20, 900, 700}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(InitialFrameRect(c.screenW, c.screenH, c.saved, 40, 40), c.expected) << c.screenW << "x" << c.screenH;
}

TEST_F(MainFrameTest, ALoadShowsTheLogListTitledWithTheSourcesName) {
  OpenPostcardWithLog();
  EXPECT_EQ(logListsShown, 1);
  EXPECT_EQ(LogList(*doc).Title(), "ログリスト - sample.adi");
  EXPECT_EQ(qtUi.qsoTitle, QStringLiteral("ＱＳＯデータ - sample.adi"));
  // Handed over through the clipboard: the source is the clipboard.
  ui.QueueSortAnswer(SortAnswer::No);  // the repeat expansion's question
  EXPECT_TRUE(frame->HandOver(FromUnicode("$TEVRA_CSV_TEXT Logger\r\nCALL\r\nJA1ABC\r\n"), true));
  EXPECT_EQ(logListsShown, 2);
  EXPECT_EQ(LogList(*doc).Title(), "ログリスト - ｸﾘｯﾌﾟﾎﾞｰﾄﾞ");
  EXPECT_EQ(qtUi.qsoTitle, QStringLiteral("ＱＳＯデータ - ｸﾘｯﾌﾟﾎﾞｰﾄﾞ"));
}

TEST_F(MainFrameTest, ClosingAsksAboutTheLogBeforeTheLayout) {
  OpenPostcardWithLog();
  program->printedData = true;  // cards were printed and not written back
  doc->modified = true;
  std::vector<std::string> order;
  frame->askSaveChanges = [&] {
    order.push_back("save");
    return Answer::No;
  };
  // Cancel in the write-back question keeps the window.
  ui.QueueAnswer(Answer::Cancel);
  EXPECT_FALSE(frame->close());
  EXPECT_TRUE(frame->isVisible());
  EXPECT_TRUE(order.empty());
  // No: the marks go, then the layout question, then the window.
  ui.QueueAnswer(Answer::No);
  EXPECT_TRUE(frame->close());
  ASSERT_EQ(ui.Questions().size(), 3u);  // the sort question of the load first
  EXPECT_EQ(ui.Questions()[1], ui.Questions()[2]);
  EXPECT_EQ(order, std::vector<std::string>{"save"});
  EXPECT_FALSE(program->printedData);
}

TEST_F(MainFrameTest, AnAutomationClientKeepsOrHidesTheWindow) {
  // DisableExit 1: the close is refused; 2: the window hides, the program runs on.
  const struct {
    int disableExit;
    bool closed, visible;
  } cases[] = {{1, false, true}, {2, false, false}, {0, true, false}};
  for (const auto& c : cases) {
    program->automation.disableExit = c.disableExit;
    frame->show();
    EXPECT_EQ(frame->close(), c.closed) << c.disableExit;
    EXPECT_EQ(frame->isVisible(), c.visible) << c.disableExit;
  }
  // The client's status text (CP932 inside) reaches the status line as
  // the UTF-8 every message is.
  AutomationService service(*doc, FrameHost(*doc, *frame));
  service.Model().SetStatusText(FromUnicode("ログデータを送信中"));
  ASSERT_FALSE(ui.StatusHistory().empty());
  EXPECT_EQ(ui.StatusHistory().back(), "ログデータを送信中");
}

TEST_F(MainFrameTest, MergePrintIntoAPdfFileGivesTheBatchPages) {
  OpenPostcardWithLog();
  const QImage view = frame->View()->grab().toImage();
  const int dpi = frame->View()->logicalDpiX();
  const auto windowPdf = dir.Path() / "window.pdf";
  frame->printDialog = [&](QPrinter& printer, const PrintDialogText&, int, int, MainFrame::PrintChoice&) {
    printer.setOutputFileName(QString::fromStdString(windowPdf.string()));
    return true;
  };
  ui.QueueSortAnswer(SortAnswer::No);  // the print job's sort question
  ui.QueueAnswer(Answer::No);          // do not mark the log
  frame->Run(cmd::kPrint);
  ASSERT_TRUE(std::filesystem::exists(windowPdf));
  EXPECT_FALSE(program->printedData);

  const auto batchPdf = dir.Path() / "batch.pdf";
  const auto ini = dir.Path() / "batch.ini";
  std::ofstream(ini).close();
  QProcess batch;
  batch.start(QStringLiteral(TEVRA_BATCH),
              {QStringLiteral("--config"), QString::fromStdString(ini.string()), QStringLiteral("--no-prompts"),
               QStringLiteral("-o"), QString::fromStdString(batchPdf.string()),
               QString::fromStdString(Example("postcard.tvd")), QString::fromStdString((dir.Path() / "sample.adi").string())});
  ASSERT_TRUE(batch.waitForFinished(60000));
  ASSERT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();

  // The pages, rasterised, are the same.
  auto raster = [](const std::filesystem::path& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-gray"),
                                         QString::fromStdString(pdf.string())});
    p.waitForFinished(60000);
    return p.readAllStandardOutput();
  };
  const QByteArray window = raster(windowPdf), fromBatch = raster(batchPdf);
  ASSERT_FALSE(window.isEmpty());
  EXPECT_EQ(window, fromBatch);

  // The batch's picture of the first card has the view's ink where the view
  // has it on the paper (the picture at 300 dpi, brought to the screen's).
  const auto png = dir.Path() / "card.png";
  batch.start(QStringLiteral(TEVRA_BATCH),
              {QStringLiteral("--config"), QString::fromStdString(ini.string()), QStringLiteral("--png"),
               QString::fromStdString(png.string()), QString::fromStdString(Example("postcard.tvd")),
               QString::fromStdString((dir.Path() / "sample.adi").string())});
  ASSERT_TRUE(batch.waitForFinished(60000));
  ASSERT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();
  QImage picture(QString::fromStdString(png.string()));
  ASSERT_FALSE(picture.isNull());
  picture = picture.scaled(picture.width() * dpi / 300, picture.height() * dpi / 300, Qt::IgnoreAspectRatio,
                           Qt::SmoothTransformation);
  const auto inked = [](const QImage& image, QSize within) {
    QRect box;
    for (int y = 0; y < std::min(image.height(), within.height()); ++y)
      for (int x = 0; x < std::min(image.width(), within.width()); ++x)
        if (qGray(image.pixel(x, y)) < 100) box |= QRect(x, y, 1, 1);
    return box;
  };
  const QSize paper(static_cast<int>(doc->metrics.Metrics().paperWidth * dpi / 1000), static_cast<int>(doc->metrics.Metrics().paperHeight * dpi / 1000));
  const QRect expected = inked(picture, paper), shown = inked(view, paper);
  ASSERT_TRUE(expected.isValid());
  for (const auto& [a, b] : {std::pair{shown.left(), expected.left()}, {shown.top(), expected.top()},
                             {shown.right(), expected.right()}, {shown.bottom(), expected.bottom()}})
    EXPECT_LE(std::abs(a - b), 2) << "view " << shown.x() << "," << shown.y() << " " << shown.width() << "x"
                                  << shown.height() << " picture " << expected.x() << "," << expected.y() << " "
                                  << expected.width() << "x" << expected.height();
}

TEST_F(MainFrameTest, PagesThatCouldNotBeWrittenAreNotCountedAsPrinted) {
  OpenPostcardWithLog();
  const int printNo = program->settings.printNo;
  int printedEvents = 0;
  doc->printedEvent = [&] { ++printedEvents; };
  frame->printDialog = [&](QPrinter& printer, const PrintDialogText&, int, int, MainFrame::PrintChoice&) {
    printer.setOutputFileName(QStringLiteral("/dev/full"));
    return true;
  };
  ui.QueueSortAnswer(SortAnswer::No);
  frame->Run(cmd::kPrint);  // no write-back question may follow
  ASSERT_FALSE(ui.Messages().empty());
  EXPECT_NE(ui.Messages().back().text.find("印刷できませんでした."), std::string::npos);
  EXPECT_FALSE(program->printedData);
  EXPECT_EQ(program->settings.printNo, printNo);
  EXPECT_EQ(program->automation.printStat, 0);
  EXPECT_EQ(printedEvents, 0);
  for (std::size_t i = 0; i < doc->store.QsoCount(); ++i) EXPECT_FALSE(doc->store.Entry(i).Printed());

  // An automation client's file: an absolute path to a new file or a PDF,
  // never its own log, a pipe or a device, and never a question.
  AutomationService service(*doc, FrameHost(*doc, *frame));
  const auto fifo = dir.Path() / "pipe.pdf";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const auto log = (dir.Path() / "sample.adi").string();
  const std::string logBytes = [&] {
    std::ifstream in(log, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }();
  for (const std::string& bad : {fifo.string(), std::string("cards.pdf"), log, std::string("/dev/full"),
                                (dir.Path() / "none" / "x.pdf").string()})
    EXPECT_EQ(service.Model().PrintToFile(bad), -1) << bad;
  std::ifstream in(log, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), logBytes);
  EXPECT_FALSE(program->printedData);
  const auto pdf = dir.Path() / "cards.pdf";
  EXPECT_EQ(service.Model().PrintToFile(pdf.string()), static_cast<int>(doc->store.CardCount()));
  EXPECT_EQ(service.Model().PrintToFile(pdf.string()), static_cast<int>(doc->store.CardCount()));  // a PDF again
  EXPECT_EQ(program->automation.printStat, 2);
  // The marks wait for the client (no write-back question here).
  EXPECT_TRUE(program->printedData);
  EXPECT_GE(service.Model().GetPrintedPos(0), 0);
}

TEST_F(MainFrameTest, TheIdleEndWaitsForAnOpenDialogAndAsksAboutTheLog) {
  OpenPostcardWithLog();
  AutomationService service(*doc, FrameHost(*doc, *frame));
  int quits = 0;
  service.quit = [&] { ++quits; };
  frame->hide();
  // A dialog that a client's timed-out call left open keeps the program.
  QDialog dialog(frame.get());
  QTimer::singleShot(0, &dialog, [&] {
    service.EndWhenUnused();
    dialog.accept();
  });
  dialog.exec();
  EXPECT_EQ(quits, 0);
  // With nothing open it ends the way the window closes: the write-back
  // question first, whose Cancel keeps it running.
  program->printedData = true;
  ui.QueueAnswer(Answer::Cancel);
  service.EndWhenUnused();
  EXPECT_EQ(quits, 0);
  ui.QueueAnswer(Answer::No);
  service.EndWhenUnused();
  EXPECT_EQ(quits, 1);
}

TEST_F(MainFrameTest, AnAutomationClientLeavesByTheWindowsWayOut) {
  OpenPostcardWithLog();
  AutomationService service(*doc, FrameHost(*doc, *frame));
  int quits = 0, asked = 0;
  service.quit = [&] { ++quits; };
  // CanExit and Quit ask the save question of a changed layout.
  doc->modified = true;
  frame->askSaveChanges = [&] {
    ++asked;
    return Answer::Cancel;
  };
  EXPECT_EQ(service.Model().CanExit(), 0);
  EXPECT_FALSE(service.Quit());
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(quits, 0);
  // DeleteDoc asks about the printed QSOs and leaves nothing to undo.
  frame->Run(cmd::kSelectAll);
  frame->Run(cmd::kDelete);
  ASSERT_EQ(frame->UndoStack().count(), 1);
  program->printedData = true;
  ui.QueueAnswer(Answer::No);  // do not mark the log
  service.Model().DeleteDoc();
  EXPECT_EQ(frame->UndoStack().count(), 0);
  EXPECT_FALSE(program->printedData);
  EXPECT_FALSE(doc->modified);
  // Closing with DisableExit 3 hides the window and keeps the log; with 2
  // the log is cleared first.
  const std::size_t qsos = doc->store.QsoCount();
  ASSERT_GT(qsos, 0u);
  for (const int disableExit : {3, 2}) {
    program->automation.disableExit = disableExit;
    frame->show();
    EXPECT_FALSE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(doc->store.QsoCount(), disableExit == 3 ? qsos : 0u) << disableExit;
  }
  program->automation.disableExit = 0;
  EXPECT_TRUE(service.Quit());
  EXPECT_EQ(quits, 1);
}

// What Ctrl+S writes besides the items: the program's options while
// IncludeDoc is on (none while off), and the printer's offsets.
TEST_F(MainFrameTest, SavingCarriesTheOptionsAndTheOffsetsOfNow) {
  const auto card = dir.Path() / "card.tvd";
  doc->path = card.string();
  const auto saved = [&] {
    frame->Run(cmd::kFileSave);
    std::string bytes;
    EXPECT_EQ(ReadRegularFile(card.string(), bytes), FileReadResult::Ok);
    LayoutDocument read;
    ArchiveReader in(bytes);
    EXPECT_TRUE(LoadDocument(read, in, ui));
    return read;
  };
  for (const bool include : {true, false}) {
    program->settings.includeDoc = include;
    program->settings.sendMark = include ? "Z" : "-";
    const LayoutDocument read = saved();
    ASSERT_EQ(read.Options.has_value(), include);
    if (include) {
      EXPECT_EQ(read.Options->SendMark, "Z");
    }
    EXPECT_EQ(read.PrinterOffsetX, doc->metrics.Metrics().offsetX);
    EXPECT_EQ(read.PrinterOffsetY, doc->metrics.Metrics().offsetY);
  }
}

TEST_F(MainFrameTest, CommandStatesAreRightAtStartAndTheGreyAreaDeselects) {
  // As the window shows: the zoom once the card is drawn, the bars checked.
  QTest::qWait(50);
  EXPECT_TRUE(frame->Action(cmd::kZoom)->isEnabled());
  EXPECT_TRUE(frame->Action(cmd::kViewStatusBar)->isChecked());
  EXPECT_TRUE(frame->Action(cmd::kViewToolBar)->isChecked());
  // A selected box, then a click beside the card.
  frame->Run(cmd::kSelectAll);
  auto box = std::make_unique<ShapeItem>(ItemBox);
  box->Rect = {100, -100, 500, -500};
  doc->layout.Items.Add(std::move(box));
  ASSERT_NE(doc->layout.Items.Current(), nullptr);
  QWidget* grey = frame->View()->parentWidget();
  ASSERT_GT(grey->width(), frame->View()->width() + 20);
  const QString before = PaneText(2);
  QTest::mouseClick(grey, Qt::LeftButton, Qt::NoModifier, QPoint(grey->width() - 10, 10));
  EXPECT_EQ(doc->layout.Items.Current(), nullptr);
  EXPECT_NE(PaneText(2), before);
}

// The preview of a long log draws the pages it shows, no others.
TEST_F(MainFrameTest, PreviewDrawsOnlyThePagesShown) {
  std::string adif = "<EOH>\n";
  for (int i = 0; i < 300; ++i)
    adif += "<CALL:6>JA1" + std::string(1, char('A' + i % 26)) + std::string(1, char('A' + i / 26 % 26)) + "A" +
            "<QSO_DATE:8>20240501<TIME_ON:4>1200<BAND:3>40m<MODE:2>CW<EOR>\n";
  frame->askSaveChanges = [] { return Answer::No; };
  ASSERT_TRUE(frame->OpenByName(Example("tackseal.tvd")));
  ASSERT_TRUE(frame->OpenByName(dir.Write("big.adi", adif)));
  program->settings.previewPages = 1;
  std::vector<std::size_t> drawn;
  int pageCount = 0;
  frame->showPreview = [&](PreviewDialog& dialog) {
    dialog.show();
    const auto shown = [&] {
      dialog.grab();
      drawn.push_back(dialog.Pages().PagesDrawn());
    };
    shown();
    pageCount = dialog.Pages().PageCount();
    QTest::keyClick(&dialog, Qt::Key_PageDown);
    shown();
    dialog.SetSideBySide(2);
    shown();
    QTest::keyClick(&dialog, Qt::Key_End);
    shown();
    QTest::keyClick(&dialog, Qt::Key_Home);
    shown();  // page 1 and 2 again: still kept
  };
  frame->Run(cmd::kPrintPreview);
  ASSERT_GT(pageCount, 10);
  EXPECT_EQ(drawn, (std::vector<std::size_t>{1, 2, 3, 4, 4}));
  EXPECT_EQ(program->settings.previewPages, 2);
}

TEST_F(MainFrameTest, HelpOpensTheManualAtTheCommandsSection) {
  frame->activateWindow();
  QApplication::setActiveWindow(frame.get());
  QTest::keyClick(frame.get(), Qt::Key_F1);
  HelpWindow* help = frame->Help();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->CurrentSection(), 0u);
  const auto title = [&] { return help->Contents().Sections()[help->CurrentSection()].title; };
  // Shift+F1, then a command from its menu or a click on the card: the
  // section opens and nothing runs; Esc gives up.
  bool printed = false;
  frame->printDialog = [&](QPrinter&, const PrintDialogText&, int, int, MainFrame::PrintChoice&) {
    return printed = true;
  };
  QTest::keyClick(frame.get(), Qt::Key_F1, Qt::ShiftModifier);
  ASSERT_TRUE(frame->ContextHelpArmed());
  frame->Action(cmd::kPrint)->trigger();
  EXPECT_EQ(title(), "Printing");
  EXPECT_FALSE(printed);
  EXPECT_FALSE(frame->ContextHelpArmed());
  frame->Run(cmd::kContextHelp);
  QTest::mouseClick(frame->View(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
  EXPECT_EQ(title(), "Designing a card");
  EXPECT_EQ(doc->layout.Items.Count(), 0u);
  frame->Run(cmd::kContextHelp);
  QTest::keyClick(frame->View(), Qt::Key_Escape);
  EXPECT_FALSE(frame->ContextHelpArmed());
  // The search keeps the sections that hold the words; choosing one shows it.
  QTest::keyClicks(help->Search(), QStringLiteral("QSL_SDATE"));
  ASSERT_GE(help->List()->count(), 1);
  EXPECT_LT(help->List()->count(), static_cast<int>(help->Contents().Sections().size()));
  help->List()->setCurrentRow(0);
  EXPECT_TRUE(help->Browser()->textCursor().selectedText().contains(QStringLiteral("QSL_SDATE")));
}

TEST_F(MainFrameTest, FilesDroppedOntoTheCardGoByTheirKind) {
  QImage photo(32, 24, QImage::Format_RGB32);
  photo.fill(Qt::blue);
  const auto png = dir.Path() / "photo.png";
  ASSERT_TRUE(photo.save(QString::fromStdString(png.string())));
  const auto drop = [&](const std::string& path) { DropFile(frame->View(), path); };
  drop(png.string());  // a picture: an image item where it fell
  ASSERT_EQ(doc->layout.Items.Count(), 1u);
  EXPECT_EQ(doc->layout.Items.At(0).Type(), ItemOleLink);
  frame->askSaveChanges = [] { return Answer::No; };
  drop(Example("postcard.tvd"));  // a layout opens
  EXPECT_EQ(doc->path, Example("postcard.tvd"));
  EXPECT_GT(doc->layout.Items.Count(), 1u);
  const auto log = dir.Path() / "sample.adi";
  std::filesystem::copy_file(Example("sample.adi"), log);
  ui.QueueSortAnswer(SortAnswer::No);
  drop(log.string());  // a log loads
  EXPECT_GT(doc->store.QsoCount(), 0u);
  EXPECT_TRUE(ui.Messages().empty() || ui.Messages().back().text != msg::kObjectCreationFailed102);
}

TEST_F(MainFrameTest, AFailedOpenLeavesTheDocumentAndItsFileAsTheyWere) {
  // The user's card, saved once by the program.
  const auto card = dir.Path() / "card.tvd";
  std::filesystem::copy_file(Example("postcard.tvd"), card);
  ASSERT_TRUE(frame->OpenByName(card.string()));
  frame->Run(cmd::kFileSave);
  const auto read = [](const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string saved = read(card);
  const std::size_t items = doc->layout.Items.Count();
  ASSERT_GT(items, 0u);

  // A cut layout, a text file, a missing file; through the open command,
  // a drop on the window and an automation client.
  const auto cut = dir.Path() / "cut.tvd", text = dir.Path() / "notes.tvd";
  std::ofstream(cut, std::ios::binary) << saved.substr(0, 300);
  std::ofstream(text) << "not a layout\n";
  AutomationService service(*doc, FrameHost(*doc, *frame));
  for (const auto& bad : {cut, text, dir.Path() / "missing.tvd"}) {
    SCOPED_TRACE(bad.string());
    EXPECT_FALSE(frame->OpenByName(bad.string()));
    const std::size_t before = ui.Messages().size();
    DropFile(frame.get(), bad.string(), QPoint(5, 5));
    EXPECT_GT(ui.Messages().size(), before);  // the drop was taken, and refused
    const std::size_t messages = ui.Messages().size();
    EXPECT_EQ(service.Model().OpenDoc(bad.string()), 0);
    // An automation client is answered, not shown a message box.
    EXPECT_EQ(ui.Messages().size(), messages);
    EXPECT_EQ(doc->layout.Items.Count(), items);
    EXPECT_EQ(doc->path, card.string());
    EXPECT_FALSE(doc->modified);
    EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("card.tvd")));
  }
  frame->Run(cmd::kFileSave);
  EXPECT_EQ(read(card), saved);
}

TEST_F(MainFrameTest, AnImageItemInTheSavedLayoutAndOnTheClipboard) {
  // A picture placed on the card, then deleted by the user.
  QImage photo(64, 48, QImage::Format_RGB32);
  photo.fill(Qt::red);
  const auto png = dir.Path() / "photo.png";
  ASSERT_TRUE(photo.save(QString::fromStdString(png.string())));
  std::string pngBytes;
  {
    std::ifstream in(png, std::ios::binary);
    pngBytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  const auto card = dir.Path() / "card.tvd";
  doc->path = card.string();  // saved as card.tvd before
  const auto saveAndRead = [&] {
    frame->Run(cmd::kFileSave);
    std::ifstream in(card, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  auto* data = new QMimeData;
  data->setUrls({QUrl::fromLocalFile(QString::fromStdString(png.string()))});
  QApplication::clipboard()->setMimeData(data);
  frame->Redraw();  // the commands follow the clipboard
  frame->Run(cmd::kEditPaste);
  ASSERT_EQ(doc->layout.Items.Count(), 1u);
  EXPECT_NE(saveAndRead().find(pngBytes.substr(0, 64)), std::string::npos);
  frame->Run(cmd::kDelete);
  ASSERT_EQ(doc->layout.Items.Count(), 0u);
  EXPECT_EQ(saveAndRead().find(pngBytes.substr(16, 32)), std::string::npos);
  // Undo brings the item and its picture back.
  frame->Run(cmd::kEditUndo);
  ASSERT_EQ(doc->layout.Items.Count(), 1u);
  EXPECT_NE(saveAndRead().find(pngBytes.substr(0, 64)), std::string::npos);
  // Copying the image alone asks: as the program's item, or the picture
  // itself for other programs.
  doc->layout.Items.SelectLast();
  frame->Redraw();
  for (const Answer answer : {Answer::Yes, Answer::No}) {
    ui.QueueAnswer(answer);
    frame->Run(cmd::kEditCopy);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->hasFormat(kItemsMime), answer == Answer::Yes);
    EXPECT_EQ(copied->hasImage(), answer == Answer::No);
  }
  EXPECT_EQ(ui.Questions().back(), std::string(msg::kCopyImageAsItem33012));
}

}  // namespace
}  // namespace tevra
