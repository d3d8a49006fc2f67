// The language of the interface. The program's texts are written in
// Japanese; an English program loads their English forms from the
// translation built into it. Every shown text is looked up in one context,
// "Tevra": Tevra::tr("…") for texts written in the views, Tr() for texts
// the models hold (marked QT_TRANSLATE_NOOP("Tevra", …) where defined).
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string_view>

class Tevra {
  Q_DECLARE_TR_FUNCTIONS(Tevra)
};

namespace tevra {

// A text of the program (UTF-8) in the language of the interface; a text
// without a translation stays as it is.
QString Tr(std::string_view utf8);
// The same for a message: the whole text, else each of its paragraphs
// (a message often ends with a cause of its own), "\r\n" made "\n".
QString TrMessage(std::string_view utf8);

// "ja" or "en": the command line's --lang first, then Language= of the
// settings file, then the locale (LC_ALL, LC_MESSAGES, LANG in that order,
// the first one set): Japanese when it starts with "ja", else English.
// Values other than "ja" and "en" are passed over.
QString ChooseLanguage(const QString& option, const QString& setting, const QString& lcAll,
                       const QString& lcMessages, const QString& lang);
// The same with the locale of this process.
QString ChooseLanguage(const QString& option, const QString& setting);

// Makes language the interface's: loads the program's translation (and
// Qt's own, for its dialogs' buttons) into the application. False when a
// translation the language needs could not be loaded.
bool InstallLanguage(const QString& language);
// Back to the texts as they are written, without any translation (tests).
void RemoveLanguage();
// The language installed last ("ja" before any).
QString InterfaceLanguage();

}  // namespace tevra
