#include "qt/translation.h"

#include <QByteArray>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace tevra {
namespace {

QString g_language = QStringLiteral("ja");

QString Lookup(const QByteArray& text) { return QCoreApplication::translate("Tevra", text.constData()); }

bool Known(const QString& value) { return value == QLatin1String("ja") || value == QLatin1String("en"); }

}  // namespace

QString Tr(std::string_view utf8) {
  // translate() wants a terminated text.
  return Lookup(QByteArray(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

QString TrMessage(std::string_view utf8) {
  const QByteArray whole(utf8.data(), static_cast<qsizetype>(utf8.size()));
  QString text = Lookup(whole);
  if (text.toUtf8() == whole && whole.contains("\r\n\r\n")) {
    QStringList paragraphs;
    qsizetype from = 0;
    while (from <= whole.size()) {
      qsizetype end = whole.indexOf("\r\n\r\n", from);
      if (end < 0) end = whole.size();
      paragraphs << Lookup(whole.mid(from, end - from));
      from = end + 4;
    }
    text = paragraphs.join(QStringLiteral("\r\n\r\n"));
  }
  return text.remove(QChar('\r'));
}

QString ChooseLanguage(const QString& option, const QString& setting, const QString& lcAll, const QString& lcMessages,
                       const QString& lang) {
  if (Known(option)) return option;
  if (Known(setting)) return setting;
  for (const QString& locale : {lcAll, lcMessages, lang})
    if (!locale.isEmpty()) return locale.startsWith(QLatin1String("ja")) ? QStringLiteral("ja") : QStringLiteral("en");
  return QStringLiteral("en");
}

QString ChooseLanguage(const QString& option, const QString& setting) {
  return ChooseLanguage(option, setting, qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"),
                        qEnvironmentVariable("LANG"));
}

static std::unique_ptr<QTranslator>& ProgramTranslator() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

static std::unique_ptr<QTranslator>& QtTranslator() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

void RemoveLanguage() {
  for (auto* old : {&ProgramTranslator(), &QtTranslator()})
    if (*old) {
      QCoreApplication::removeTranslator(old->get());
      old->reset();
    }
  g_language = QStringLiteral("ja");
}

bool InstallLanguage(const QString& language) {
  RemoveLanguage();
  auto& program = ProgramTranslator();
  auto& qt = QtTranslator();
  g_language = language;
  bool ok = true;
  if (language == QLatin1String("en")) {
    program = std::make_unique<QTranslator>();
    ok = program->load(QStringLiteral(":/i18n/tevra_en.qm"));
    if (ok) QCoreApplication::installTranslator(program.get());
    else program.reset();
  } else {
    // Qt's own texts (the buttons of its message boxes and file dialogs)
    // in Japanese where the system has them; English otherwise.
    qt = std::make_unique<QTranslator>();
    if (qt->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QCoreApplication::installTranslator(qt.get());
    else
      qt.reset();
  }
  return ok;
}

QString InterfaceLanguage() { return g_language; }

}  // namespace tevra
