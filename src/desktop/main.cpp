// tevra: the desktop program. Starts with the splash, reads the settings,
// makes the one document and its window, opens the files named on the
// command line, and at the end writes the settings back.
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QElapsedTimer>
#include <QIcon>
#include <QProcess>
#include <QTimer>
#include <cstdio>

#include "core/profile.h"
#include "program/allocator_tuning.h"
#include "automation/automation_service.h"
#include "desktop/frame_automation_host.h"
#include "desktop/frame_dialogs.h"
#include "desktop/main_frame.h"
#include "program/program.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_printer.h"
#include "qt/qt_ui.h"
#include "qt/translation.h"

using namespace tevra;

namespace {

// Closes the splash at the user's first key or click, and before any other
// window (a question of the loading files) shows: the splash stays on top.
class SplashCloser : public QObject {
 public:
  explicit SplashCloser(QWidget& splash) : splash_(splash) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!splash_.isVisible()) return false;
    const QEvent::Type type = event->type();
    const bool input = type == QEvent::KeyPress || type == QEvent::MouseButtonPress;
    const bool otherWindow = type == QEvent::Show && watched != &splash_ && watched->isWidgetType() &&
                             static_cast<QWidget*>(watched)->isWindow() && qobject_cast<QDialog*>(watched);
    if (input || otherWindow) splash_.close();
    return false;
  }

 private:
  QWidget& splash_;
};

}  // namespace

int main(int argc, char** argv) {
  TuneAllocator();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TEVRA"));
  QApplication::setApplicationVersion(AboutBox::VersionLine().section(QChar(' '), 2));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/tevra.svg")));
  QApplication::setDesktopFileName(QStringLiteral("tevra"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "TEVRA designs QSL cards and prints them with the QSOs of a log.\n"
      "FILE: a layout document (.tvd) or a log; further files are opened after it, "
      "so that a layout and a log can be given together."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption config(QStringLiteral("config"), QStringLiteral("Use FILE as the settings file (TEVRA.INI)."),
                                  QStringLiteral("FILE"));
  parser.addOption(config);
  const QCommandLineOption automation(
      QStringLiteral("automation"),
      QStringLiteral("Serve a logging program on the D-Bus session bus (org.tevra.Tevra, /Application); "
                     "no window is shown until the client asks for it."));
  parser.addOption(automation);
  const QCommandLineOption busName(
      QStringLiteral("bus-name"),
      QStringLiteral("With --automation: serve under NAME instead of org.tevra.Tevra (the factory, "
                     "/Factory NewInstance, starts a program of its own for every client so)."),
      QStringLiteral("NAME"));
  parser.addOption(busName);
  const QCommandLineOption lang(QStringLiteral("lang"),
                                QStringLiteral("The interface's language: en (English) or ja (Japanese). Without it, "
                                               "Language= of the settings file, else the locale, chooses."),
                                QStringLiteral("LANGUAGE"));
  parser.addOption(lang);
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Layout document or log to open."),
                               QStringLiteral("[FILE...]"));
  parser.process(app);

  const bool forAutomation = parser.isSet(automation) || parser.isSet(busName);
  std::optional<std::string> configPath;
  if (parser.isSet(config)) configPath = parser.value(config).toStdString();
  const ProgramPaths paths = DefaultProgramPaths(configPath);
  // The language is chosen before the first window shows.
  if (parser.isSet(lang) && parser.value(lang) != QLatin1String("en") && parser.value(lang) != QLatin1String("ja")) {
    std::fprintf(stderr, "tevra: --lang takes en or ja, not '%s'\n", parser.value(lang).toUtf8().constData());
    return 2;
  }
  Profile early;
  const std::string setting = early.Load(paths.settingsFile) ? early.GetString("Option", "Language", "") : std::string();
  InstallLanguage(ChooseLanguage(parser.value(lang), QString::fromStdString(setting)));
  QtUi ui;
  // The splash shows the progress of the start-up (not for automation).
  AboutBox splash;
  if (!forAutomation) splash.ShowAsSplash();
  QElapsedTimer shown;
  shown.start();
  ui.statusSink = [&splash](const QString& text) { splash.SetProgressText(text); };

  Program program(ui, paths);
  if (!program.Start())
    static_cast<Ui&>(ui).ShowMessage(QT_TRANSLATE_NOOP("Tevra", "設定ファイル(TEVRA.INI)を読めませんでした.\r\nすべての設定は既定値になり、ファイルは書き換えません."),
                   MessageIcon::Warning, "TEVRA");
  // Without a printer on the system the cards go to PDF files, whose
  // paper is the card's own: nothing to warn about.
  std::unique_ptr<QtPrinter> systemPrinter;
  std::unique_ptr<Printer> pdfPaper;
  if (!PrinterNames().empty()) {
    systemPrinter = std::make_unique<QtPrinter>("");
    systemPrinter->Device().setDocName(QStringLiteral("TEVRA"));
  } else {
    pdfPaper = std::make_unique<PdfPaper>();
  }
  Printer& printer = systemPrinter ? static_cast<Printer&>(*systemPrinter) : *pdfPaper;
  Document doc(program, printer);
  QtClipboard clipboard;
  doc.writeBack.clipboard = &clipboard;
  splash.SetProgressText(Tevra::tr("リソースをロード中..."));

  int rc = 0;
  {
    MainFrame frame(program, doc, ui, systemPrinter.get());
    // Status texts go to the splash while it shows, then to the window.
    const auto frameStatus = ui.statusSink;
    ui.statusSink = [&splash, frameStatus](const QString& text) {
      if (splash.isVisible()) splash.SetProgressText(text);
      else if (frameStatus) frameStatus(text);
    };
    frame.RestorePlacement();
    std::unique_ptr<AutomationService> service;
    if (forAutomation) {
      service = std::make_unique<AutomationService>(doc, FrameHost(doc, frame));
      // The instances for other clients share this program's settings file.
      service->startInstance = [&parser, &config](const QString& name) {
        QStringList arguments{QStringLiteral("--automation"), QStringLiteral("--bus-name"), name};
        if (parser.isSet(config)) arguments << QStringLiteral("--config") << parser.value(config);
        return QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
      };
      if (const auto problem = service->Register(QDBusConnection::sessionBus(), parser.value(busName))) {
        std::fprintf(stderr, "tevra: %s\n", problem->toUtf8().constData());
        return 1;
      }
      QApplication::setQuitOnLastWindowClosed(true);
    } else {
      frame.show();
      splash.raise();
    }
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) frame.OpenByName(files.front().toStdString());
    std::vector<std::string> extra;
    for (qsizetype i = 1; i < files.size(); ++i) extra.push_back(files[i].toStdString());

    // The splash shows for two seconds (checked every 500 ms) or until the
    // first key, click or dialog; the window and the files of the command
    // line do not wait for it.
    QTimer startup;
    QObject::connect(&startup, &QTimer::timeout, [&] {
      if (shown.elapsed() / 1000 < 2) return;
      startup.stop();
      splash.close();
    });
    SplashCloser closer(splash);
    if (!forAutomation) {
      startup.start(500);
      app.installEventFilter(&closer);
      QTimer::singleShot(0, &frame, [&frame, &extra] { frame.OpenExtraWords(extra); });
    } else {
      frame.OpenExtraWords(extra);
    }
    rc = QApplication::exec();  // the automation client hears of the end first
    service.reset();
  }
  // The document goes: the settings are written, the write-back has its
  // last chance, the document is reset.
  if (!program.Shutdown()) std::fprintf(stderr, "tevra: %s: cannot write the settings file\n", program.paths.settingsFile.c_str());
  doc.DiscardContents();
  return rc;
}
