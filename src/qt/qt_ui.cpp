#include "qt/qt_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "core/encoding.h"
#include "import/csv_format_dialog.h"
#include "merge/prompt_dialog.h"

namespace tevra {
namespace {

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: break;
  }
  return QMessageBox::Warning;
}

// Texts of the program end lines with "\r\n".
QString Message(std::string_view text) { return Text(text).remove(QChar('\r')); }

}  // namespace

QStringList QtUi::NameFilters(std::string_view filters) {
  QStringList out;
  const QStringList parts = Text(filters).split(QChar('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    // A name that already shows its patterns in brackets keeps them once.
    QString name = parts[i];
    name.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
    QString patterns = parts[i + 1];
    patterns.replace(QChar(';'), QChar(' '));
    out << name + QStringLiteral(" (") + patterns + QChar(')');
  }
  return out;
}

void QtUi::ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) {
  QMessageBox box(IconOf(icon), Text(title), Message(text), QMessageBox::Ok, parent_);
  box.exec();
}

Answer QtUi::Ask(std::string_view text, Buttons buttons, MessageIcon icon, std::string_view title) {
  QMessageBox::StandardButtons standard;
  switch (buttons) {
    case Buttons::Ok: standard = QMessageBox::Ok; break;
    case Buttons::OkCancel: standard = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: standard = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
  }
  QMessageBox box(IconOf(icon), Text(title), Message(text), standard, parent_);
  switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: break;
  }
  // Closing the box: the safe answer of its buttons.
  return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

SortAnswer QtUi::AskSortOrder(std::string_view text, bool withCancel) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("TEVRA"), Message(text), QMessageBox::NoButton, parent_);
  QPushButton* ascending = box.addButton(QStringLiteral("昇順"), QMessageBox::YesRole);
  QPushButton* descending = box.addButton(QStringLiteral("降順"), QMessageBox::YesRole);
  QPushButton* no = withCancel ? box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole) : nullptr;
  // The second form: "ｷｬﾝｾﾙ" reads "いいえ".
  QPushButton* last = box.addButton(withCancel ? QStringLiteral("ｷｬﾝｾﾙ") : QStringLiteral("いいえ"),
                                    QMessageBox::RejectRole);
  box.setEscapeButton(last);
  QApplication::beep();
  box.exec();
  if (box.clickedButton() == ascending) return SortAnswer::Ascending;
  if (box.clickedButton() == descending) return SortAnswer::Descending;
  if (no && box.clickedButton() == no) return SortAnswer::No;
  return withCancel ? SortAnswer::Cancel : SortAnswer::No;
}

void QtUi::SetStatus(std::string_view text) {
  if (statusSink) statusSink(Text(text));
}

void QtUi::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void QtUi::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

std::optional<OpenFileChoice> QtUi::ChooseFileToOpen(const OpenFileRequest& request) {
  QFileDialog dialog(parent_, Text(request.title), Text(request.initialDirectory));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  const QStringList filters = NameFilters(request.filters);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(Text(request.defaultExtension));
  if (!request.initialName.empty()) dialog.selectFile(Text(request.initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  OpenFileChoice choice;
  choice.path = dialog.selectedFiles().front().toStdString();
  choice.filterIndex = std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
  return choice;
}

std::optional<std::string> QtUi::ChooseFileToSave(const OpenFileRequest& request) {
  QFileDialog dialog(parent_, Text(request.title), Text(request.initialDirectory));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(NameFilters(request.filters));
  dialog.setDefaultSuffix(Text(request.defaultExtension));
  if (!request.initialName.empty()) dialog.selectFile(Text(request.initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

// The format dialog's own window comes with the dialogs of the window; until
// then the guessed formulas are taken, as the dialog's "推測" would give.
bool QtUi::RunCsvFormatDialog(CsvFormatDialog& dialog) {
  dialog.Guess();
  return true;
}

bool QtUi::RunPromptDialog(PromptDialog& dialog) {
  bool ok = false;
  const QString caption = Text(dialog.Caption());
  // The edit text is CP932 with real line breaks.
  const QString text =
      QInputDialog::getMultiLineText(parent_, caption, caption, Text(ToUnicode(dialog.EditText())), &ok);
  if (!ok) return false;
  dialog.SetEditText(FromUnicode(text.toStdString()));
  return true;
}

bool QtUi::RunCabrilloDialog(CabrilloOptionsDialog&) { return true; }

bool QtUi::EditQso(QsoRecord&) { return false; }

}  // namespace tevra
