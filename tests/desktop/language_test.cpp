// The interface in English: how the language is chosen, the translation
// file's entries, and a window built in English, whose every action, menu,
// tool bar, status pane and dialog is looked at for untranslated text.
#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QXmlStreamReader>

#include "desktop/frame_fixture.h"
#include "program/commands.h"
#include "qt/translation.h"

namespace tevra::test {
namespace {

// Arrows (the move buttons) and Φ (a zero's form on cards) are no language.
bool OutsideLatin1(const QString& text) {
  for (QChar c : text)
    if (c.unicode() > 0xFF && !(c.unicode() >= 0x2190 && c.unicode() <= 0x21FF) && c.unicode() != 0x3A6) return true;
  return false;
}

TEST(Language, TheCommandLineThenTheSettingThenTheLocaleChoose) {
  struct Case {
    const char* option;
    const char* setting;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* expected;
  };
  const Case cases[] = {
      {"", "", "", "", "ja_JP.UTF-8", "ja"},     {"", "", "", "", "en_GB.UTF-8", "en"},
      {"", "", "", "", "", "en"},                {"", "", "", "", "C.UTF-8", "en"},
      {"", "", "de_DE.UTF-8", "", "ja_JP", "en"},  // LC_ALL first
      {"", "", "", "ja_JP.UTF-8", "en_US", "ja"},  // then LC_MESSAGES
      {"", "en", "", "", "ja_JP.UTF-8", "en"},   {"", "ja", "", "", "fr_FR", "ja"},
      {"ja", "en", "", "", "en_US", "ja"},       {"en", "ja", "ja_JP", "", "", "en"},
      {"", "fr", "", "", "ja_JP", "ja"},  // an unknown setting is passed over
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseLanguage(c.option, c.setting, c.lcAll, c.lcMessages, c.lang), QLatin1String(c.expected))
        << c.option << "|" << c.setting << "|" << c.lcAll << "|" << c.lcMessages << "|" << c.lang;
}

// The placeholders of printf and of QString::arg, in order.
QStringList Placeholders(const QString& text) {
  static const QRegularExpression pattern(
      QStringLiteral("%(?:\\d+\\$)?[-+ #0]*\\d*(?:\\.\\d+)?(?:hh|h|ll|l|z|j|t)?[diouxXeEfgGcsp%]|%\\d+"));
  QStringList found;
  for (auto it = pattern.globalMatch(text); it.hasNext();) found << it.next().captured();
  return found;
}

// A source or translation element's text; "<byte value="xd"/>" is a CR.
QString ElementText(QXmlStreamReader& xml) {
  QString text;
  while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() == QLatin1String("byte")) {
    if (xml.isCharacters()) text += xml.text();
    else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) text += QChar('\r');
    if (xml.atEnd()) break;
  }
  return text;
}

TEST(Language, EveryEnglishTextIsThereAndKeepsItsPlaceholdersAndKeys) {
  QFile file(QStringLiteral(TEVRA_SOURCE_DIR "/translations/tevra_en.ts"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  int messages = 0;
  QString source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("source")) {
      source = ElementText(xml);
    } else if (xml.name() == QLatin1String("translation")) {
      const bool unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
      const QString english = ElementText(xml);
      ++messages;
      EXPECT_FALSE(unfinished || english.isEmpty()) << source.toStdString();
      EXPECT_FALSE(OutsideLatin1(english)) << english.toStdString();
      // A format that lost or gained a placeholder would read the wrong
      // arguments; a menu text keeps its keys.
      QStringList want = Placeholders(source), have = Placeholders(english);
      want.sort();
      have.sort();
      EXPECT_EQ(want, have) << source.toStdString();
      EXPECT_EQ(source.section(QChar('\t'), 1), english.section(QChar('\t'), 1)) << source.toStdString();
      EXPECT_EQ(source.count(QChar('&')) > 0, english.count(QChar('&')) > 0) << source.toStdString();
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(messages, 500);
}

class EnglishWindow : public FrameTest {
 protected:
  static void SetUpTestSuite() {
    FrameTest::SetUpTestSuite();
    ASSERT_TRUE(InstallLanguage(QStringLiteral("en")));
  }
  static void TearDownTestSuite() { RemoveLanguage(); }
  EnglishWindow() : FrameTest(900, 700) {}

  void Look(const QString& where, const QString& text) {
    if (OutsideLatin1(text)) untranslated << where + QStringLiteral(": ") + text;
  }
  void LookAtWidgets(const QString& where, QWidget& top) {
    Look(where + QStringLiteral(" title"), top.windowTitle());
    for (auto* b : top.findChildren<QAbstractButton*>()) Look(where, b->text());
    for (auto* l : top.findChildren<QLabel*>()) Look(where, l->text());
    for (auto* g : top.findChildren<QGroupBox*>()) Look(where, g->title());
    for (auto* t : top.findChildren<QTabBar*>())
      for (int i = 0; i < t->count(); ++i) Look(where, t->tabText(i));
  }

  QStringList untranslated;
};

TEST_F(EnglishWindow, EveryTextOfTheWindowAndItsDialogsIsEnglish) {
  Look(QStringLiteral("window title"), frame->windowTitle());
  for (QAction* a : frame->findChildren<QAction*>()) {
    Look(QStringLiteral("action"), a->text());
    Look(QStringLiteral("tool tip"), a->toolTip());
    Look(QStringLiteral("status tip"), a->statusTip());
  }
  for (QMenu* m : frame->findChildren<QMenu*>()) Look(QStringLiteral("menu"), m->title());
  for (QToolBar* t : frame->findChildren<QToolBar*>()) Look(QStringLiteral("tool bar"), t->windowTitle());
  for (QLabel* l : frame->statusBar()->findChildren<QLabel*>()) Look(QStringLiteral("status pane"), l->text());
  EXPECT_EQ(frame->Action(cmd::kFileOpen)->text().section(QChar('\t'), 0, 0), QStringLiteral("&Open..."));

  // Each dialog of a command, as it opens; it is closed again unchanged.
  const int commands[] = {cmd::kQslForm,      cmd::kDocumentInfo, cmd::kRigAnt,      cmd::kOptions,
                          cmd::kMacros,       cmd::kModeTable,    cmd::kCommonTable1, cmd::kGridSpacing,
                          cmd::kPrintNumber,  cmd::kLogList,      cmd::kAppAbout};
  for (int command : commands) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog) return;
      opened = true;
      LookAtWidgets(QString::number(command), *dialog);
      dialog->close();
    });
    frame->Run(command);
    QApplication::processEvents();
    EXPECT_TRUE(opened) << "command " << command;
  }
  EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(QChar('\n')).toStdString();
}

}  // namespace
}  // namespace tevra::test

namespace tevra::test {
namespace {

// The picture of the window that the software centres' description shows
// (installed with the program): the English window with the example
// postcard, taken as the window paints itself.
TEST_F(EnglishWindow, TakesThePictureOfTheWindowForTheSoftwareCentres) {
  frame->resize(1000, 720);
  ASSERT_TRUE(frame->OpenByName(TEVRA_SOURCE_DIR "/examples/postcard.tvd"));
  QApplication::processEvents();
  const QImage picture = frame->grab().toImage();
  // The card's ink is there: a good share of the pixels are not the
  // background's.
  int dark = 0;
  for (int y = 0; y < picture.height(); y += 4)
    for (int x = 0; x < picture.width(); x += 4) dark += qGray(picture.pixel(x, y)) < 128;
  EXPECT_GT(dark, 200);
  const QString path = QStringLiteral(TEVRA_SCREENSHOT);
  QDir().mkpath(QFileInfo(path).absolutePath());
  EXPECT_TRUE(picture.save(path, "PNG"));
}

}  // namespace
}  // namespace tevra::test
