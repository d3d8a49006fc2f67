// The card view as an editor, driven by mouse and keys as a user drives it.
#include <QApplication>
#include <QLabel>
#include <QGroupBox>
#include <QTableWidget>
#include <QHeaderView>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDialog>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QMimeData>
#include <QTest>
#include <QWheelEvent>
#include <QUrl>
#include <deque>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "program/commands.h"
#include "desktop/frame_fixture.h"
#include "desktop/frame_dialogs.h"
#include "desktop/log_list_window.h"
#include "desktop/main_frame.h"
#include "core/encoding.h"
#include "qt/item_dialog_views.h"
#include "core/messages.h"
#include "core/file_io.h"
#include "desktop/properties_panel.h"
#include "editor/card_view.h"
#include "editor/layout_editor.h"
#include "qt/qt_printer.h"
#include "qt/qt_ui.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra {
namespace {

class EditorTest : public test::FrameTest {
 protected:
  EditorTest() : FrameTest(900, 700, false) { view = frame->View(); }

  // Widget position of a logical point.
  QPoint At(LogicalPoint p) const {
    for (int x = 0; x < view->width(); ++x) {
      const LogicalPoint l = view->ToLogical({x, 0});
      if (l.x >= p.x) {
        for (int y = 0; y < view->height(); ++y)
          if (view->ToLogical({x, y}).y <= p.y) return {x, y};
      }
    }
    return {};
  }
  void Drag(LogicalPoint from, LogicalPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QTest::mousePress(view, Qt::LeftButton, keys, At(from));
    QTest::mouseMove(view, At({(from.x + to.x) / 2, (from.y + to.y) / 2}));
    QTest::mouseMove(view, At(to));
    QTest::mouseRelease(view, Qt::LeftButton, keys, At(to));
  }
  LayoutItemList& Items() { return doc->layout.Items; }

  CardView* view = nullptr;
};

TEST_F(EditorTest, DrawMoveResizeAndUndoEveryStep) {
  std::vector<std::string> states{frame->LayoutBytes()};
  // A box drawn with the box tool, snapped to the 100-unit grid.
  frame->Run(cmd::kToolBox);
  EXPECT_TRUE(frame->Action(cmd::kToolBox)->isChecked());
  Drag({510, -490}, {1490, -1210});
  ASSERT_EQ(Items().Count(), 1u);
  CardItem& box = Items().At(0);
  EXPECT_EQ(box.Type(), ItemBox);
  EXPECT_EQ(box.Rect, (LogicalRect{500, -500, 1500, -1200}));
  EXPECT_EQ(frame->Editor().CurrentTool(), ToolSelect);  // "MakeContItem" is off
  EXPECT_TRUE(frame->Action(cmd::kToolSelect)->isChecked());
  states.push_back(frame->LayoutBytes());

  // Moved by its body, then resized by its bottom-right corner.
  Items().SetCurrent(&box);
  Drag({1000, -800}, {1300, -1000});
  EXPECT_EQ(Items().At(0).Rect, (LogicalRect{800, -700, 1800, -1400}));
  states.push_back(frame->LayoutBytes());
  Drag({1800, -1400}, {2000, -1600});
  EXPECT_EQ(Items().At(0).Rect, (LogicalRect{800, -700, 2000, -1600}));
  states.push_back(frame->LayoutBytes());

  // Ctrl+Up: ten units, and the grid stays on.
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Items().At(0).Rect, (LogicalRect{800, -690, 2000, -1590}));
  EXPECT_EQ(doc->layout.Settings.GridMode & 1, 1);
  states.push_back(frame->LayoutBytes());
  frame->Run(cmd::kDelete);
  EXPECT_EQ(Items().Count(), 0u);
  states.push_back(frame->LayoutBytes());
  EXPECT_TRUE(doc->modified);

  // Undo walks back through every state byte for byte, redo forward again.
  for (std::size_t k = states.size() - 1; k-- > 0;) {
    frame->Run(cmd::kEditUndo);
    EXPECT_EQ(frame->LayoutBytes(), states[k]) << "undo to state " << k;
  }
  EXPECT_FALSE(doc->modified);  // back where the document was opened
  for (std::size_t k = 1; k < states.size(); ++k) {
    frame->Run(cmd::kEditRedo);
    EXPECT_EQ(frame->LayoutBytes(), states[k]) << "redo to state " << k;
  }
}

TEST_F(EditorTest, StringsOnlyMoveAndTheRubberBandSelects) {
  auto string = std::make_unique<StringItem>();
  string->Rect = {1000, -1000, 1600, -1200};
  string->Text = "JA1ZZZ";
  Items().Add(std::move(string));
  auto box = std::make_unique<ShapeItem>(ItemBox);
  box->Rect = {2000, -1000, 2500, -1500};
  Items().Add(std::move(box));
  frame->Redraw();

  Items().SetCurrent(&Items().At(0));
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);  // Shift resizes, but a string can only move
  EXPECT_EQ(Items().At(0).Rect.left, 1100);
  EXPECT_EQ(Items().At(0).Rect.right - Items().At(0).Rect.left, 600);

  Items().SetCurrent(nullptr);
  Drag({900, -900}, {2600, -1600});
  EXPECT_TRUE(Items().IsCurrentMulti());
  EXPECT_EQ(Items().Selection().Count(), 2u);

  // Copy and paste of a group brings its items back, one grid step to the
  // lower right of the originals they would otherwise hide, and a second
  // paste one step further.
  frame->Run(cmd::kEditCopy);
  frame->Redraw();
  frame->Run(cmd::kEditPaste);
  ASSERT_EQ(Items().Count(), 4u);
  const DocumentSettings& s = doc->layout.Settings;
  const std::int32_t dx = (s.GridMode & 1) ? s.GridStepX : 79, dy = (s.GridMode & 1) ? s.GridStepY : 79;
  auto moved = [](LogicalRect r, std::int32_t x, std::int32_t y) { return LogicalRect{r.left + x, r.top - y, r.right + x, r.bottom - y}; };
  EXPECT_EQ(Items().At(2).Rect, moved(Items().At(0).Rect, dx, dy));
  EXPECT_EQ(static_cast<StringItem&>(Items().At(2)).Text, "JA1ZZZ");
  EXPECT_EQ(Items().At(3).Rect, moved(Items().At(1).Rect, dx, dy));
  frame->Run(cmd::kEditPaste);
  ASSERT_EQ(Items().Count(), 6u);
  EXPECT_EQ(Items().At(4).Rect, moved(Items().At(0).Rect, 2 * dx, 2 * dy));
}

TEST_F(EditorTest, TheEditLockRefusesADrag) {
  auto box = std::make_unique<ShapeItem>(ItemBox);
  box->Rect = {1000, -1000, 1500, -1500};
  Items().Add(std::move(box));
  doc->layout.Settings.EditLock = 1;
  Drag({1000, -1000}, {1400, -1400});
  EXPECT_EQ(Items().At(0).Rect, (LogicalRect{1000, -1000, 1500, -1500}));
  ASSERT_FALSE(ui.Messages().empty());
  EXPECT_EQ(ui.Messages().back().text, std::string(kEditLocked));
}

TEST_F(EditorTest, ADroppedImageBecomesAnImageItem) {
  QImage image(96, 48, QImage::Format_RGB32);  // one inch by half an inch at 96 dpi
  image.fill(Qt::red);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  const QString path = QString::fromStdString((dir.Path() / "logo.png").string());
  ASSERT_TRUE(image.save(path, "PNG"));
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  // As the file manager drops it: the drag enters, then the drop.
  auto dropOn = [&](QMimeData& mime) {
    QDragEnterEvent enter(At({500, -500}), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    QDropEvent drop(QPointF(At({500, -500})), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &drop);
  };
  dropOn(data);
  ASSERT_EQ(Items().Count(), 1u);
  const CardItem& item = Items().At(0);
  EXPECT_EQ(item.Type(), ItemOleLink);
  EXPECT_NEAR(item.Rect.right - item.Rect.left, 1000, 5);
  EXPECT_NEAR(item.Rect.top - item.Rect.bottom, 500, 5);
  ASSERT_EQ(doc->layout.Objects.size(), 1u);
  EXPECT_EQ(doc->layout.Objects[0].Format, "PNG");
  EXPECT_NE(static_cast<const OleLinkItem&>(item).Object, nullptr);
  // Not an image: message 102 and nothing added.
  const QString text = QString::fromStdString((dir.Path() / "notes.png").string());
  std::ofstream(text.toStdString()) << "not an image";
  data.setUrls({QUrl::fromLocalFile(text)});
  dropOn(data);
  EXPECT_EQ(Items().Count(), 1u);
  EXPECT_EQ(ui.Messages().back().text, std::string(msg::kObjectCreationFailed102));
}

TEST_F(EditorTest, TheClipboardWatchTakesHandOversAndPastedTextGoesThereToo) {
  std::vector<std::string> seen;
  frame->handOver = [&](const std::string& text) {
    seen.push_back(text);
    return true;
  };
  // Text that does not begin as a hand-over is left alone (not converted).
  QApplication::clipboard()->setText(QStringLiteral("some text"));
  QTest::qWait(1300);  // the first look comes after a second
  EXPECT_TRUE(seen.empty());
  // Pasting text hands it over.
  frame->Redraw();
  frame->Run(cmd::kEditPaste);
  EXPECT_EQ(seen, std::vector<std::string>{"some text"});
  EXPECT_EQ(Items().Count(), 0u);
}

// Acts on the next modal dialog as the user would, then OK or Cancel.
void WhenDialogOpens(std::function<void(QDialog&)> act, bool ok = true) {
  QTimer::singleShot(0, [act, ok] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
      ADD_FAILURE() << "no dialog opened";
      return;
    }
    act(*dialog);
    if (!dialog->isVisible()) return;  // the action closed it
    if (ok) dialog->accept();
    else dialog->reject();
  });
}

TEST_F(EditorTest, EachItemDialogEditsItsItemAndCancelChangesNothing) {
  struct Case {
    std::unique_ptr<CardItem> item;
    std::function<void(QDialog&)> edit;
    std::function<bool(const CardItem&)> edited;
  };
  auto string = std::make_unique<StringItem>();
  string->Text = "JA1ZZZ";
  auto mark = std::make_unique<DataMarkItem>();
  mark->Text = "ToCall";
  std::vector<Case> cases;
  cases.push_back({std::make_unique<ShapeItem>(ItemBox),
                   [](QDialog& d) { d.findChildren<QComboBox*>()[0]->setCurrentText(QStringLiteral("1.0mm")); },
                   [](const CardItem& i) { return i.Pen.widthX == 39; }});
  cases.push_back({std::move(string),
                   [](QDialog& d) { d.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("CQ DX")); },
                   [](const CardItem& i) { return static_cast<const StringItem&>(i).Text == "CQ DX"; }});
  cases.push_back({std::move(mark),
                   [](QDialog& d) { d.findChild<QComboBox*>()->setEditText(QStringLiteral("Band")); },
                   [](const CardItem& i) { return static_cast<const DataMarkItem&>(i).Text == "Band"; }});
  cases.push_back({std::make_unique<JarlFrameItem>(),
                   [](QDialog& d) { d.findChildren<QSpinBox*>()[0]->setValue(300); },
                   [](const CardItem& i) { return static_cast<const JarlFrameItem&>(i).BoxWidth == 300; }});
  cases.push_back({std::make_unique<CheckBoxItem>(),
                   [](QDialog& d) { d.findChild<QComboBox*>()->setEditText(QStringLiteral("IsJA")); },
                   [](const CardItem& i) { return static_cast<const CheckBoxItem&>(i).CheckCondition == "IsJA"; }});
  for (Case& c : cases) {
    c.item->Rect = {500, -500, 1000, -1000};
    CardItem& item = Items().Add(std::move(c.item));
    frame->Redraw();
    view->repaint();  // drawing fits a string's rectangle to its text
    const std::string before = frame->LayoutBytes();
    WhenDialogOpens(c.edit, false);
    frame->Run(cmd::kEditItem);
    EXPECT_EQ(frame->LayoutBytes(), before) << item.Type();
    Items().SetCurrent(&item);
    frame->Redraw();
    WhenDialogOpens(c.edit);
    frame->Run(cmd::kEditItem);
    EXPECT_TRUE(c.edited(item)) << item.Type();
    frame->Run(cmd::kEditUndo);
    EXPECT_EQ(frame->LayoutBytes(), before) << item.Type();
    Items().Clear();
  }
  // The print condition of a multi-selection goes to every member.
  for (int i = 0; i < 2; ++i) Items().Add(std::make_unique<ShapeItem>(ItemBox)).Rect = {i * 600, 0, i * 600 + 500, -500};
  frame->Redraw();
  frame->Run(cmd::kSelectAll);
  WhenDialogOpens([](QDialog& d) { d.findChild<QComboBox*>()->setEditText(QStringLiteral("IsDX")); });
  frame->Run(cmd::kCondition);
  EXPECT_EQ(Items().At(0).Condition, "IsDX");
  EXPECT_EQ(Items().At(1).Condition, "IsDX");
}

TEST_F(EditorTest, EveryArrangementCommandIsUndoneByteForByte) {
  using namespace cmd;
  for (int i = 0; i < 3; ++i) {
    auto box = std::make_unique<ShapeItem>(ItemBox);
    box->Rect = {300 + i * 700, -300 - i * 250, 800 + i * 800, -900 - i * 100};
    Items().Add(std::move(box));
  }
  frame->Redraw();
  frame->askPercent = [] { return QStringLiteral("150"); };
  frame->askMove = [](int& dx, int& dy) {
    dx = 100;
    dy = -50;
    return true;
  };
  const int multi[] = {kCentreH, kCentreV, kAlignTop, kAlignMiddle, kAlignBottom, kAlignLeft, kAlignCentre,
                       kAlignRight, kSpreadH, kSpreadV, kScale50, kScale66, kScale75, kScale133, kScale150,
                       kScale200, kScaleAny, kMoveBy, kGroup};
  const int single[] = {kToHead, kToEnd, kToRoundBox, kToEllipse};
  for (const int id : multi) {
    frame->Run(kSelectAll);
    ASSERT_TRUE(frame->Action(id)->isEnabled()) << id;
    const std::string before = frame->LayoutBytes();
    frame->Run(id);
    EXPECT_NE(frame->LayoutBytes(), before) << id;
    frame->Run(kEditUndo);
    EXPECT_EQ(frame->LayoutBytes(), before) << id;
  }
  for (const int id : single) {
    Items().SetCurrent(&Items().At(1));
    frame->Redraw();
    ASSERT_TRUE(frame->Action(id)->isEnabled()) << id;
    const std::string before = frame->LayoutBytes();
    frame->Run(id);
    EXPECT_NE(frame->LayoutBytes(), before) << id;
    frame->Run(kEditUndo);
    EXPECT_EQ(frame->LayoutBytes(), before) << id;
  }
  // Enabling: no string to convert to from a box, no ungroup without a group.
  Items().SetCurrent(&Items().At(0));
  frame->Redraw();
  EXPECT_FALSE(frame->Action(kToString)->isEnabled());
  EXPECT_FALSE(frame->Action(kUngroup)->isEnabled());
  EXPECT_FALSE(frame->Action(kAlignTop)->isEnabled());
}

QPushButton* Button(QDialog& d, const char* text) {
  for (QPushButton* b : d.findChildren<QPushButton*>())
    if (b->text() == QString::fromUtf8(text)) return b;
  ADD_FAILURE() << "no button " << text;
  return nullptr;
}

TEST_F(EditorTest, DocumentDialogsChangeTheDocumentAndUndoRestoresIt) {
  using namespace cmd;
  DocumentSettings& s = doc->layout.Settings;
  DocumentTables& t = doc->layout.Tables;
  struct Case {
    int command;
    std::function<void(QDialog&)> edit;
    std::function<bool()> changed;
  };
  const Case cases[] = {
      {kQslForm,
       [](QDialog& d) {
         d.findChild<QComboBox*>()->setCurrentIndex(FormLandscape);
         d.findChildren<QSpinBox*>().back()->setValue(3);  // "リピート展開"
       },
       [&] { return s.CardFormCode == FormLandscape && s.QsosPerCard == 3 && doc->store.QsosPerCard() == 3; }},
      {kGridSpacing, [](QDialog& d) { d.findChildren<QRadioButton*>()[0]->setChecked(true); },
       [&] { return s.GridMode == 0; }},
      {kDocumentInfo,
       [](QDialog& d) {
         d.findChild<QLineEdit*>()->setText(QStringLiteral("My card"));
         d.findChild<QCheckBox*>()->setChecked(true);
       },
       [&] { return s.Title == "My card" && s.EditLock == 1; }},
      {kRigAnt, [](QDialog& d) { d.findChildren<QPlainTextEdit*>()[0]->setPlainText(QStringLiteral("IC-7300")); },
       [&] { return s.RigTexts[0] == "IC-7300"; }},
      {kCommonTable1 + 2,
       [](QDialog& d) {
         d.findChild<QLineEdit*>()->setText(QStringLiteral("IsJA"));
         d.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("TNX"));
         Button(d, "追加/変更")->click();
       },
       [&] { return t.Common[2].Rows().size() == 1 && t.Common[2].Rows()[0].Condition == "IsJA"; }},
      {kModeTable,
       [](QDialog& d) {
         d.findChild<QLineEdit*>()->setText(QStringLiteral("FT8"));
         d.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("DATA"));
         Button(d, "追加/変更")->click();
       },
       [&] { return t.Modes.ModeText("ft8") == "DATA"; }},
      {kMacros,
       [](QDialog& d) {
         const auto edits = d.findChildren<QLineEdit*>();
         edits[0]->setText(QStringLiteral("OP"));
         edits[1]->setText(QStringLiteral("Taro"));
         Button(d, "追加/変更")->click();
       },
       [&] { return t.Macros.FindMacro("OP") == std::optional<std::string>("Taro"); }},
  };
  for (const Case& c : cases) {
    frame->Redraw();
    const std::string before = frame->LayoutBytes();
    WhenDialogOpens(c.edit, false);
    frame->Run(c.command);
    EXPECT_EQ(frame->LayoutBytes(), before) << c.command << " cancelled";
    WhenDialogOpens(c.edit);
    frame->Run(c.command);
    EXPECT_TRUE(c.changed()) << c.command;
    EXPECT_TRUE(doc->modified) << c.command;
    frame->Run(kEditUndo);
    EXPECT_EQ(frame->LayoutBytes(), before) << c.command << " undone";
  }
  EXPECT_EQ(doc->store.QsosPerCard(), 1);  // the undo regrouped too
  // The print number is the program's, not the layout's.
  WhenDialogOpens([](QDialog& d) { d.findChild<QLineEdit*>()->setText(QStringLiteral("42")); });
  frame->Run(kPrintNumber);
  EXPECT_EQ(program->settings.printNo, 42);
}

// The real dialog views with the questions answered from a list.
class DialogUi : public QtUi {
 public:
  std::deque<Answer> answers;
  std::vector<std::string> messages;
  void ShowMessage(std::string_view text, MessageIcon, std::string_view) override { messages.emplace_back(text); }
  Answer Ask(std::string_view text, Buttons, MessageIcon, std::string_view) override {
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text;
      return Answer::Cancel;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  SortAnswer AskSortOrder(std::string_view, bool) override { return SortAnswer::No; }
};

// A program, document and window of their own whose questions are real
// dialogs; the log list after a load closes at once.
struct DialogFrame {
  DialogFrame(const ProgramPaths& paths, Printer& paper) : p(dialogs, paths) {
    p.Start();
    d = std::make_unique<Document>(p, paper);
    f = std::make_unique<MainFrame>(p, *d, dialogs, nullptr);
    f->showLogList = [] { return false; };
  }
  DialogUi dialogs;
  Program p;
  std::unique_ptr<Document> d;
  std::unique_ptr<MainFrame> f;
};

TEST_F(EditorTest, LogDialogsAndTheMessageRegister) {
  DialogFrame frameOfItsOwn(program->paths, paper);
  DialogUi& dialogs = frameOfItsOwn.dialogs;
  Program& p = frameOfItsOwn.p;
  Document& d = *frameOfItsOwn.d;
  MainFrame& f = *frameOfItsOwn.f;
  // The format dialog of a CSV log: cancelled, nothing is read.
  const auto csv = dir.Path() / "log.csv";
  std::filesystem::copy_file(std::string(TEVRA_EXAMPLES) + "/sample.csv", csv);
  WhenDialogOpens([](QDialog& box) { Button(box, "推測")->click(); }, false);
  EXPECT_FALSE(f.OpenByName(csv.string()));
  EXPECT_EQ(d.store.QsoCount(), 0u);
  // Guessed, the header line skipped (which OK asks about), and read.
  dialogs.answers.push_back(Answer::Yes);
  WhenDialogOpens([](QDialog& box) {
    Button(box, "推測")->click();
    box.findChild<QSpinBox*>()->setValue(1);
    box.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  }, false);
  EXPECT_TRUE(f.OpenByName(csv.string()));
  EXPECT_GT(d.store.QsoCount(), 0u);
  EXPECT_TRUE(dialogs.answers.empty());

  // The Cabrillo options come before a Cabrillo log.
  const auto cbr = dir.Path() / "log.cbr";
  std::filesystem::copy_file(std::string(TEVRA_EXAMPLES) + "/sample.cbr", cbr);
  WhenDialogOpens([](QDialog& box) { box.findChildren<QRadioButton*>()[0]->setChecked(true); });  // "すべてPHONE"
  EXPECT_TRUE(f.OpenByName(cbr.string()));
  EXPECT_EQ(p.settings.load.cabrillo.phoneRule, 0);

  // "印刷メッセージの登録...": the text goes to the top of the history.
  WhenDialogOpens([](QDialog& box) { box.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("PSE QSL via BURO")); });
  f.Run(cmd::kPrintMessages);
  ASSERT_FALSE(p.settings.messages.Entries().empty());
  EXPECT_EQ(p.settings.messages.Text(0), "PSE QSL via BURO");
}

TEST_F(EditorTest, SuppressionAreaStatisticsAndFaces) {
  SuppressionOptions options;
  WhenDialogOpens([](QDialog& box) {
    box.findChildren<QCheckBox*>()[1]->setChecked(false);  // "DX局"
    box.findChild<QLineEdit*>()->setText(QStringLiteral("S"));
  });
  ASSERT_TRUE(RunSuppressionDialog(options, frame.get()));
  EXPECT_FALSE(options.dx);
  EXPECT_TRUE(options.domestic);
  EXPECT_EQ(options.mark, "S");
  QString shown;
  WhenDialogOpens([&shown](QDialog& box) { shown = box.findChild<QPlainTextEdit*>()->toPlainText(); });
  ShowAreaStatistics("エリア\t枚数\r\nJA1\t3\r\n", frame.get());
  EXPECT_EQ(shown, QStringLiteral("エリア\t枚数\nJA1\t3\n"));
  // The Windows faces of layouts show as the IPA faces and come back by
  // their own names; a face picked on Linux is kept as it is.
  FontRecord gothic;
  const std::string face = FromUnicode("ＭＳ ゴシック");
  std::fill(std::begin(gothic.faceName), std::end(gothic.faceName), '\0');
  std::copy(face.begin(), face.end(), gothic.faceName);
  gothic.height = -25;
  const QFont shownFont = ToQFont(gothic);
  EXPECT_EQ(shownFont.family(), QStringLiteral("IPAGothic"));
  const FontRecord back = FromQFont(shownFont, FontRecord{});
  EXPECT_EQ(std::string(back.faceName), face);
  EXPECT_EQ(back.height, -25);
  QFont other(QStringLiteral("DejaVu Sans"));
  other.setPointSizeF(18);
  EXPECT_EQ(std::string(FromQFont(other, FontRecord{}).faceName), "DejaVu Sans");
}

// The message register's list shows the history entry for entry: a text
// registered twice stands once, at the top.
TEST_F(EditorTest, RegisteredMessagesShowAsTheHistoryHoldsThem) {
  DialogFrame frameOfItsOwn(program->paths, paper);
  Program& p = frameOfItsOwn.p;
  MainFrame& f = *frameOfItsOwn.f;
  p.settings.messages.Add("PSE QSL");
  p.settings.messages.Add("TNX QSO");
  int shown = -1;
  QString top;
  WhenDialogOpens([&](QDialog& box) {
    auto* edit = box.findChild<QPlainTextEdit*>();
    auto* list = box.findChild<QComboBox*>();
    for (int i = 0; i < 2; ++i) {
      edit->setPlainText(QStringLiteral("PSE QSL"));
      Button(box, "登録")->click();
    }
    shown = list->count();
    top = list->itemText(0);
  });
  f.Run(cmd::kPrintMessages);
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(top, QStringLiteral("PSE QSL"));
}

// The table and macro dialogs show what their Parts name.
TEST_F(EditorTest, TableAndMacroDialogsShowTheirOwnLabels) {
  const auto headers = [](QDialog& box) {
    auto* grid = box.findChild<QTableWidget*>();
    return grid->horizontalHeaderItem(0)->text() + QStringLiteral("|") + grid->horizontalHeaderItem(1)->text();
  };
  const auto hasButton = [](QDialog& box, const char* text) {
    for (QPushButton* b : box.findChildren<QPushButton*>())
      if (b->text() == QString::fromUtf8(text)) return true;
    return false;
  };
  WhenDialogOpens([&](QDialog& box) {
    EXPECT_EQ(headers(box), QStringLiteral("条件式|展開する文字列"));
    auto* key = box.findChild<QComboBox*>();
    ASSERT_NE(key, nullptr);
    EXPECT_GE(key->findText(QStringLiteral("IsJA")), 0);
    EXPECT_TRUE(hasButton(box, "並び替え"));
  }, false);
  frame->Run(cmd::kCommonTable1);
  WhenDialogOpens([&](QDialog& box) {
    EXPECT_EQ(headers(box), QStringLiteral("MODE|文字列"));
    EXPECT_FALSE(hasButton(box, "↑"));
    EXPECT_FALSE(hasButton(box, "並び替え"));
  }, false);
  frame->Run(cmd::kModeTable);
  doc->layout.Tables.Macros.SetMacro("QTH", "Tokyo");
  WhenDialogOpens([&](QDialog& box) {
    EXPECT_EQ(box.windowTitle(), QStringLiteral("マクロ設定"));
    EXPECT_EQ(headers(box), QStringLiteral("マクロ名|定義文字列"));
    QPushButton* remove = Button(box, "削除");
    EXPECT_FALSE(remove->isEnabled());
    box.findChild<QTableWidget*>()->selectRow(0);
    EXPECT_TRUE(remove->isEnabled());
  }, false);
  frame->Run(cmd::kMacros);
  // The card form names what repeat expansion is for; the suppression
  // dialog groups its two targets.
  const auto hasLabel = [](QDialog& box, const QString& part) {
    for (QLabel* l : box.findChildren<QLabel*>())
      if (l->text().contains(part)) return true;
    return false;
  };
  WhenDialogOpens([&](QDialog& box) { EXPECT_TRUE(hasLabel(box, QStringLiteral("(複数のＱＳＯを1枚にする場合)"))); },
                  false);
  frame->Run(cmd::kQslForm);
  WhenDialogOpens([&](QDialog& box) {
    auto* group = box.findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral("２ｎｄＱＳＬ抑止対象"));
    EXPECT_EQ(group->findChildren<QCheckBox*>().size(), 2);
  }, false);
  SuppressionOptions options;
  RunSuppressionDialog(options, frame.get());
}

TEST_F(EditorTest, TheLogListDeletesEditsAndMakesACardCurrent) {
  DialogFrame frameOfItsOwn(program->paths, paper);
  DialogUi& dialogs = frameOfItsOwn.dialogs;
  Program& p = frameOfItsOwn.p;
  Document& d = *frameOfItsOwn.d;
  MainFrame& f = *frameOfItsOwn.f;
  p.settings.load.skipSendMark = false;  // all three QSOs
  const auto log = dir.Path() / "sample.adi";
  std::filesystem::copy_file(std::string(TEVRA_EXAMPLES) + "/sample.adi", log);
  ASSERT_TRUE(f.OpenByName(log.string()));
  const std::size_t qsos = d.store.QsoCount();
  ASSERT_GE(qsos, 2u);
  const std::string secondCall(d.store.Entry(1).Text(LogEntry::Call));
  // Delete the first row, edit the (new) first row's call, then OK on it.
  dialogs.answers.push_back(Answer::Yes);
  WhenDialogOpens([&](QDialog& box) {
    auto& window = static_cast<LogListWindow&>(box);
    window.Table()->selectRow(0);
    Button(box, "削除")->click();
    window.Table()->selectRow(0);
    WhenDialogOpens([](QDialog& qso) { qso.findChildren<QLineEdit*>()[0]->setText(QStringLiteral("ja9xyz")); });
    Button(box, "修正")->click();
    window.Table()->selectRow(0);
    Button(box, "OK")->click();
  }, false);
  f.Run(cmd::kLogList);
  EXPECT_EQ(d.store.QsoCount(), qsos - 1);
  EXPECT_EQ(d.store.Entry(0).Text(LogEntry::Call), "JA9XYZ");
  EXPECT_NE(secondCall, "JA9XYZ");
  EXPECT_EQ(d.store.CurrentCard(), 0u);
  EXPECT_EQ(FieldText(d.mergeBuffer[0].Call), "JA9XYZ");  // the card as drawn

  // "ＱＳＯデータ": ">" steps to the next card; OK changes the card as
  // drawn, not the log.
  ASSERT_GE(d.store.CardCount(), 2u);
  const std::string logged(d.store.Entry(1).Text(LogEntry::Call));
  WhenDialogOpens([](QDialog& first) {
    QTimer::singleShot(50, [] {
      auto* second = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(second, nullptr);
      second->findChildren<QLineEdit*>()[0]->setText(QStringLiteral("ja1tst"));
      second->accept();
    });
    Button(first, ">")->click();
  }, false);
  f.Run(cmd::kQsoData);
  EXPECT_EQ(d.store.CurrentCard(), 1u);
  EXPECT_EQ(FieldText(d.mergeBuffer[0].Call), "JA1TST");
  EXPECT_EQ(d.store.Entry(1).Text(LogEntry::Call), logged);
}

TEST_F(EditorTest, AHandOverThatIsDeclinedStopsTheWatch) {
  program->settings.clipCheck = true;
  const QString text = QStringLiteral("#TEVRA_CSV_TEXT Logger\r\nCALL\r\nJA1ABC\r\n");
  QApplication::clipboard()->setText(text);
  ui.QueueAnswer(Answer::No);
  QTest::qWait(1300);
  ASSERT_FALSE(ui.Questions().empty());
  EXPECT_EQ(ui.Questions().back(), "[ Logger ] からログデータが引き渡されています.\r\nこのデータを読み込みますか？");
  EXPECT_EQ(QApplication::clipboard()->text(), text);  // left as it was
  EXPECT_EQ(doc->store.QsoCount(), 0u);
  EXPECT_FALSE(frame->ClipboardWatchActive());
  // "$" is read at once and the clipboard emptied.
  EXPECT_TRUE(frame->HandOver(FromUnicode("$TEVRA_CSV_TEXT Logger\r\nCALL\r\nJA1ABC\r\n"), true));
  EXPECT_EQ(doc->store.QsoCount(), 1u);
  EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

// An item wholly off the card is marked on the card's edge: the mark is
// painted, and a click on it selects the item.
TEST_F(EditorTest, AnItemOffTheCardIsMarkedAtTheEdgeAndSelectedThere) {
  frame->Run(cmd::kToolSelect);
  auto box = std::make_unique<ShapeItem>(ItemBox);
  box->Rect = {1000, -1000, 1500, -1500};
  CardItem& onCard = Items().Add(std::move(box));
  auto lost = std::make_unique<ShapeItem>(ItemBox);
  lost->Rect = {-3000, -2000, -2500, -2500};  // left of the card
  CardItem& offCard = Items().Add(std::move(lost));
  const auto markers = arrange::OffCardMarkers(Items(), LogicalRect{0, 0, 3937, -5826});
  ASSERT_EQ(markers.size(), 1u);
  EXPECT_EQ(markers[0].item, &offCard);
  EXPECT_EQ(markers[0].at.x, 0);
  EXPECT_EQ(markers[0].at.y, -2250);
  frame->Redraw();
  const QPoint mark = At(markers[0].at);
  const QImage painted = view->grab().toImage();
  int orange = 0;
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -3; dx <= 3; ++dx) {
      const QColor c = painted.pixelColor(mark + QPoint(dx, dy));
      orange += c.red() > 200 && c.green() > 100 && c.green() < 180 && c.blue() < 80;
    }
  EXPECT_GT(orange, 10);
  QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, mark);
  EXPECT_EQ(Items().Current(), &offCard);
  EXPECT_NE(Items().Current(), &onCard);
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

TEST(ZoomSteps, InOutAndFit) {
  const int in[][2] = {{25, 33}, {67, 75}, {100, 125}, {150, 200}, {600, 800}, {800, 800}, {110, 125}};
  for (const auto& c : in) EXPECT_EQ(ZoomInPercent(c[0]), c[1]) << c[0];
  const int out[][2] = {{800, 600}, {100, 75}, {67, 50}, {33, 25}, {25, 25}, {110, 100}};
  for (const auto& c : out) EXPECT_EQ(ZoomOutPercent(c[0]), c[1]) << c[0];
  // 4 x 6 inches into 400 x 300 pixels at 100 dpi: the height decides, 50 %.
  EXPECT_EQ(FitPercent({4000, 6000}, 400, 300, 100, 100), 50);
  EXPECT_EQ(FitPercent({4000, 6000}, 10, 10, 100, 100), kZoomMinPercent);
  EXPECT_EQ(FitPercent({100, 100}, 4000, 4000, 100, 100), kZoomMaxPercent);
  EXPECT_EQ(ZoomStepOf({2, 3}), 3);
  EXPECT_EQ(ZoomStepOf({125, 100}), -1);
}

// The keys and the wheel of the window: Ctrl++ and Ctrl+- step, Ctrl+0 fits
// the paper into the window (and centres it), Ctrl+1 is 100 %, and
// Ctrl+wheel keeps the point under the pointer where it is.
TEST_F(EditorTest, ZoomFollowsKeysAndTheWheelAroundThePointer) {
  QWidget* port = view->parentWidget();
  QTest::keyClick(frame.get(), Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(view->ZoomPercentNow(), 125);
  QTest::keyClick(frame.get(), Qt::Key_Minus, Qt::ControlModifier);
  QTest::keyClick(frame.get(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(view->ZoomPercentNow(), 75);
  QTest::keyClick(frame.get(), Qt::Key_0, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_LE(view->width(), port->width());
  EXPECT_LE(view->height(), port->height());
  EXPECT_NEAR(view->x() + view->width() / 2.0, port->width() / 2.0, 1.0);  // in the middle
  EXPECT_EQ(frame->Pane(1)->text(), QString::number(view->ZoomPercentNow()) + QChar('%'));
  QTest::keyClick(frame.get(), Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(view->ZoomPercentNow(), 100);

  // Large enough to scroll, so that the point can stay under the pointer.
  for (int i = 0; i < 3; ++i) QTest::keyClick(frame.get(), Qt::Key_Plus, Qt::ControlModifier);
  ASSERT_EQ(view->ZoomPercentNow(), 200);
  QApplication::processEvents();
  const QPoint pointer = At({1500, -2000});
  const QPoint onPort = view->mapTo(port, pointer);
  QWheelEvent wheel(QPointF(pointer), view->mapToGlobal(QPointF(pointer)), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view, &wheel);
  QApplication::processEvents();
  EXPECT_EQ(view->ZoomPercentNow(), 250);
  const LogicalPoint under = view->ToLogical(view->mapFrom(port, onPort));
  EXPECT_NEAR(under.x, 1500, 30);
  EXPECT_NEAR(under.y, -2000, 30);
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

// In the log list window Ctrl+Z takes a deletion back and Ctrl+Y does it
// again; Cancel leaves the log as the window found it (the file is never
// touched), and the window says so.
TEST_F(EditorTest, TheLogListUndoesWithKeysAndCancelRestores) {
  DialogFrame frameOfItsOwn(program->paths, paper);
  DialogUi& dialogs = frameOfItsOwn.dialogs;
  Program& p = frameOfItsOwn.p;
  Document& d = *frameOfItsOwn.d;
  MainFrame& f = *frameOfItsOwn.f;
  p.settings.load.skipSendMark = false;
  const auto log = dir.Path() / "sample.adi";
  std::filesystem::copy_file(std::string(TEVRA_EXAMPLES) + "/sample.adi", log);
  ASSERT_TRUE(f.OpenByName(log.string()));
  const std::size_t qsos = d.store.QsoCount();
  const std::string first(d.store.Entry(0).Text(LogEntry::Call));
  dialogs.answers.push_back(Answer::Yes);
  dialogs.answers.push_back(Answer::Yes);
  WhenDialogOpens([&](QDialog& box) {
    auto& window = static_cast<LogListWindow&>(box);
    EXPECT_NE(box.findChild<QLabel*>(QStringLiteral("historyNote")), nullptr);
    window.Table()->selectRow(0);
    Button(box, "削除")->click();
    EXPECT_EQ(d.store.QsoCount(), qsos - 1);
    QApplication::setActiveWindow(&box);  // shortcuts go to the active window
    QTest::keyClick(window.Table(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(d.store.QsoCount(), qsos);
    EXPECT_EQ(window.Table()->model()->rowCount(), static_cast<int>(qsos));
    QTest::keyClick(window.Table(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(d.store.QsoCount(), qsos - 1);
    window.Table()->selectRow(0);
    Button(box, "削除")->click();
    EXPECT_EQ(d.store.QsoCount(), qsos - 2);
  }, false);  // Cancel
  f.Run(cmd::kLogList);
  EXPECT_EQ(d.store.QsoCount(), qsos);
  EXPECT_EQ(d.store.Entry(0).Text(LogEntry::Call), first);
  std::string bytes;
  ASSERT_EQ(ReadRegularFile(log.string(), bytes), FileReadResult::Ok);
  std::string original;
  ReadRegularFile(std::string(TEVRA_EXAMPLES) + "/sample.adi", original);
  EXPECT_EQ(bytes, original);
}

}  // namespace
}  // namespace tevra

namespace tevra {
namespace {

// The properties panel follows the selection; a value typed and entered
// moves the item at once, as one step that Ctrl+Z takes back; the panel's
// toggle is in the View menu.
TEST_F(EditorTest, ThePropertiesPanelEditsTheSelectionAsOneUndoStep) {
  auto box = std::make_unique<ShapeItem>(ItemBox);
  box->Rect = {1000, -1000, 1500, -1500};
  CardItem& item = Items().Add(std::move(box));
  PropertiesPanel* panel = frame->Properties();
  ASSERT_NE(panel, nullptr);
  panel->toggleViewAction()->trigger();  // View › プロパティ
  ASSERT_TRUE(panel->isVisible());
  frame->Run(cmd::kToolSelect);
  QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, At({1250, -1000}));
  ASSERT_EQ(Items().Current(), &item);
  QLineEdit* left = panel->Field(Property::Left);
  EXPECT_TRUE(left->isVisible());
  EXPECT_EQ(left->text(), QStringLiteral("25.4"));
  EXPECT_FALSE(panel->Field(Property::Text)->isVisible());  // a box has no text
  left->selectAll();
  QTest::keyClicks(left, QStringLiteral("30"));
  QTest::keyClick(left, Qt::Key_Return);
  EXPECT_EQ(item.Rect.left, static_cast<std::int32_t>(std::lround(30 / 0.0254)));
  EXPECT_EQ(item.Rect.right - item.Rect.left, 500);
  frame->Run(cmd::kEditUndo);
  EXPECT_EQ(Items().At(Items().Count() - 1).Rect.left, 1000);
}

}  // namespace
}  // namespace tevra
