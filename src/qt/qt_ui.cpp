#include "qt/qt_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QGroupBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "core/encoding.h"
#include "import/contest_readers.h"
#include "log/qso_edit_dialog.h"
#include "import/csv_format_dialog.h"
#include "merge/prompt_dialog.h"
#include "qt/translation.h"

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

}  // namespace

QStringList QtUi::NameFilters(std::string_view filters) {
  QStringList out;
  // A list is translated whole, else entry by entry ("name|patterns|"),
  // else by its names.
  const QStringList parts = Tr(filters).split(QChar('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    const QString entry = parts[i] + QChar('|') + parts[i + 1] + QChar('|');
    const QString translated = Tr(entry.toStdString());
    QString name = translated != entry ? translated.section(QChar('|'), 0, 0) : Tr(parts[i].toStdString());
    // A name that already shows its patterns in brackets keeps them once.
    name.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
    QString patterns = parts[i + 1];
    patterns.replace(QChar(';'), QChar(' '));
    out << name + QStringLiteral(" (") + patterns + QChar(')');
  }
  return out;
}

void QtUi::ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) {
  QMessageBox box(IconOf(icon), Tr(title), TrMessage(text), QMessageBox::Ok, parent_);
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
  QMessageBox box(IconOf(icon), Tr(title), TrMessage(text), standard, parent_);
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
  QMessageBox box(QMessageBox::Question, QStringLiteral("TEVRA"), TrMessage(text), QMessageBox::NoButton, parent_);
  QPushButton* ascending = box.addButton(Tevra::tr("昇順"), QMessageBox::YesRole);
  QPushButton* descending = box.addButton(Tevra::tr("降順"), QMessageBox::YesRole);
  QPushButton* no = withCancel ? box.addButton(Tevra::tr("いいえ"), QMessageBox::NoRole) : nullptr;
  // The second form: "ｷｬﾝｾﾙ" reads "いいえ".
  QPushButton* last = box.addButton(withCancel ? Tevra::tr("ｷｬﾝｾﾙ") : Tevra::tr("いいえ"),
                                    QMessageBox::RejectRole);
  box.setEscapeButton(last);
  QApplication::beep();
  box.exec();
  if (box.clickedButton() == ascending) return SortAnswer::Ascending;
  if (box.clickedButton() == descending) return SortAnswer::Descending;
  if (no && box.clickedButton() == no) return SortAnswer::No;
  return withCancel ? SortAnswer::Cancel : SortAnswer::No;
}

std::string QtUi::Translate(std::string_view text) { return Tr(text).toStdString(); }

void QtUi::SetStatus(std::string_view text) {
  if (statusSink) statusSink(Tr(text));
}

void QtUi::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void QtUi::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

std::optional<OpenFileChoice> QtUi::ChooseFileToOpen(const OpenFileRequest& request) {
  QFileDialog dialog(parent_, Tr(request.title), Text(request.initialDirectory));
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
  QFileDialog dialog(parent_, Tr(request.title), Text(request.initialDirectory));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(NameFilters(request.filters));
  dialog.setDefaultSuffix(Text(request.defaultExtension));
  if (!request.initialName.empty()) dialog.selectFile(Text(request.initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

bool QtUi::RunCsvFormatDialog(CsvFormatDialog& dialog) {
  QDialog box(parent_);
  box.setWindowTitle(Tr(dialog.Title()));
  auto* layout = new QVBoxLayout(&box);
  auto* rows = new QTableWidget(32, 3);
  rows->setHorizontalHeaderLabels({Tevra::tr("変換式"), dialog.HasFieldNames() ? QStringLiteral("field")
                                                                                  : QStringLiteral("No."),
                                   Tevra::tr("データ")});
  rows->horizontalHeader()->setStretchLastSection(true);
  rows->setSelectionBehavior(QAbstractItemView::SelectRows);
  rows->setSelectionMode(QAbstractItemView::SingleSelection);
  rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rows->verticalHeader()->hide();
  layout->addWidget(rows);
  auto refresh = [&] {
    const std::vector<std::string> fields = dialog.SampleFields();
    for (int r = 0; r < 32; ++r) {
      rows->setItem(r, 0, new QTableWidgetItem(Text(ToUnicode(dialog.Formula(r)))));
      rows->setItem(r, 1, new QTableWidgetItem(Text(ToUnicode(dialog.RowLabel(r)))));
      const auto at = static_cast<std::size_t>(r);
      rows->setItem(r, 2, new QTableWidgetItem(at < fields.size() ? Text(ToUnicode(fields[at])) : QString()));
    }
    rows->selectRow(dialog.SelectedRow());
  };
  auto* options = new QHBoxLayout;
  QButtonGroup delimiter(&box);
  const char* labels[] = {QT_TRANSLATE_NOOP("Tevra", "ｶﾝﾏ"), "TAB", QT_TRANSLATE_NOOP("Tevra", "ｽﾍﾟｰｽ"), QT_TRANSLATE_NOOP("Tevra", "ｽﾍﾟｰｽ+TAB"), QT_TRANSLATE_NOOP("Tevra", "なし")};
  for (int i = 0; i < 5; ++i) {
    auto* radio = new QRadioButton(Tr(labels[i]));
    radio->setChecked(i == dialog.Delimiter());
    radio->setEnabled(!dialog.HasFieldNames());
    delimiter.addButton(radio, i);
    options->addWidget(radio);
  }
  auto* utc = new QCheckBox(QStringLiteral("UTC"));
  utc->setChecked(dialog.Utc());
  options->addWidget(utc);
  auto* skip = new QSpinBox;
  skip->setRange(0, dialog.MaxSkipCount());
  skip->setValue(dialog.SkipCount());
  skip->setPrefix(Tevra::tr("スキップ "));
  options->addWidget(skip);
  layout->addLayout(options);
  auto* formula = new QComboBox;
  formula->setEditable(true);
  for (auto keyword : kFormulaKeywords) formula->addItem(Text(ToUnicode(keyword)));
  formula->setEditText(Text(ToUnicode(dialog.FormulaBox())));
  layout->addWidget(formula);
  auto* buttons = new QHBoxLayout;
  auto button = [&](const char* label, std::function<void()> act) {
    auto* b = new QPushButton(Tr(label));
    QObject::connect(b, &QPushButton::clicked, &box, [&, act] {
      dialog.SetFormulaBox(FromUnicode(formula->currentText().toStdString()));
      act();
      refresh();
    });
    buttons->addWidget(b);
  };
  button(QT_TRANSLATE_NOOP("Tevra", "変更"), [&] { dialog.ApplyFormula(*this); });
  button("NULL", [&] { dialog.ClearFormula(); });
  button(QT_TRANSLATE_NOOP("Tevra", "推測"), [&] { dialog.Guess(); });
  button(QT_TRANSLATE_NOOP("Tevra", "テスト"), [&] { dialog.Test(*this); });
  button(QT_TRANSLATE_NOOP("Tevra", "初期値"), [&] { dialog.EditDefaults(*this); });
  button(QT_TRANSLATE_NOOP("Tevra", "ロード"), [&] { dialog.LoadSettings(*this, ""); });
  button(QT_TRANSLATE_NOOP("Tevra", "セーブ"), [&] { dialog.SaveSettings(*this, ""); });
  layout->addLayout(buttons);
  QObject::connect(rows, &QTableWidget::cellClicked, &box, [&](int r, int) {
    dialog.SelectRow(r);
    formula->setEditText(Text(ToUnicode(dialog.Formula(r))));
  });
  QObject::connect(&delimiter, &QButtonGroup::idClicked, &box, [&](int id) {
    dialog.SetDelimiter(id);
    refresh();
  });
  QObject::connect(utc, &QCheckBox::toggled, &box, [&](bool on) { dialog.SetUtc(on); });
  QObject::connect(skip, &QSpinBox::valueChanged, &box, [&](int count) {
    dialog.SetSkipCount(count);
    refresh();
  });
  auto* okCancel = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  // The caller asks about a skip count after OK and shows the dialog again on No.
  QObject::connect(okCancel, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(okCancel, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  layout->addWidget(okCancel);
  refresh();
  box.resize(640, 520);
  return box.exec() == QDialog::Accepted;
}

bool QtUi::RunCabrilloDialog(CabrilloOptionsDialog& dialog) {
  QDialog box(parent_);
  box.setWindowTitle(Tr(CabrilloOptionsDialog::kTitle));
  auto* layout = new QVBoxLayout(&box);
  auto* modes = new QGroupBox(Tevra::tr("PHモードの変換方法"));
  auto* modeColumn = new QVBoxLayout(modes);
  QButtonGroup rule(&box);
  for (int i = 0; i < 4; ++i) {
    auto* radio = new QRadioButton(Tr(CabrilloOptionsDialog::kPhoneRules[i]));
    radio->setChecked(i == dialog.Options().phoneRule);
    rule.addButton(radio, i);
    modeColumn->addWidget(radio);
  }
  layout->addWidget(modes);
  auto* where = new QGroupBox(Tevra::tr("His/her コールサインの位置"));
  auto* whereColumn = new QVBoxLayout(where);
  auto* automatic = new QRadioButton(Tevra::tr("自動位置検出"));
  auto* fixed = new QRadioButton(Tevra::tr("桁位置を指定"));
  automatic->setChecked(!dialog.Options().fixedCallColumn);
  fixed->setChecked(dialog.Options().fixedCallColumn);
  auto* column = new QSpinBox;
  column->setRange(1, 200);
  column->setPrefix(Tevra::tr("位置(ﾃﾞﾌｫﾙﾄ=55) "));
  column->setValue(dialog.Options().callColumn);
  column->setEnabled(dialog.CallColumnEnabled());
  QObject::connect(fixed, &QRadioButton::toggled, column, &QWidget::setEnabled);
  whereColumn->addWidget(automatic);
  whereColumn->addWidget(fixed);
  whereColumn->addWidget(column);
  layout->addWidget(where);
  auto* okCancel = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(okCancel, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(okCancel, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  layout->addWidget(okCancel);
  if (box.exec() != QDialog::Accepted) return false;
  dialog.SetPhoneRule(std::max(0, rule.checkedId()));
  dialog.SetFixedCallColumn(fixed->isChecked());
  dialog.SetCallColumn(column->value());
  return true;
}

bool QtUi::RunPromptDialog(PromptDialog& dialog) {
  QDialog box(parent_);
  box.setWindowTitle(Tr(dialog.Caption()));
  auto* layout = new QVBoxLayout(&box);
  auto* history = new QComboBox;
  // The list shows the history as it is, entry for entry: a pick takes the
  // entry it shows.
  const auto fill = [&dialog, history] {
    history->clear();
    for (std::size_t i = 0; i < dialog.History().Entries().size(); ++i)
      history->addItem(
          Text(ToUnicode(dialog.History().Text(i))).replace(QChar('\r'), QString()).section(QChar('\n'), 0, 0));
    history->setCurrentIndex(-1);
  };
  fill();
  auto* edit = new QPlainTextEdit(Text(ToUnicode(dialog.EditText())).remove(QChar('\r')));
  layout->addWidget(history);
  layout->addWidget(edit);
  QObject::connect(history, &QComboBox::activated, &box, [&](int index) {
    dialog.ChooseHistory(static_cast<std::size_t>(index));
    edit->setPlainText(Text(ToUnicode(dialog.EditText())).remove(QChar('\r')));
  });
  // The edit text is CP932 with real line breaks.
  auto take = [&] { dialog.SetEditText(FromUnicode(edit->toPlainText().replace(QChar('\n'), QStringLiteral("\r\n")).toStdString())); };
  const auto labels = dialog.ButtonLabels();
  auto* row = new QHBoxLayout;
  auto* left = new QPushButton(Tr(labels[0]));
  auto* ok = new QPushButton(Tr(labels[1]));
  auto* right = new QPushButton(Tr(labels[2]));
  ok->setDefault(true);
  for (QPushButton* b : {left, ok, right}) row->addWidget(b);
  layout->addLayout(row);
  QObject::connect(left, &QPushButton::clicked, &box, [&] {
    take();
    if (dialog.GetMode() == PromptDialog::Mode::Register) {
      dialog.Register();
      fill();
    } else {
      dialog.ShowQso(*this);
    }
  });
  QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
  QObject::connect(right, &QPushButton::clicked, &box, &QDialog::reject);
  box.resize(460, 260);
  if (box.exec() != QDialog::Accepted) return false;
  take();
  return true;
}


QsoEditResult RunQsoEditView(QsoEditDialog& dialog, const QString& title, const QsoEditNavigation* navigation,
                             QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(title);
  auto* form = new QFormLayout(&box);
  auto line = [&form](const char* label, const std::string& value) {
    auto* edit = new QLineEdit(QString::fromStdString(ToUnicode(value)));
    form->addRow(Tr(label), edit);
    return edit;
  };
  auto list = [&form](const char* label, const std::string& value, std::span<const std::string_view> choices) {
    auto* combo = new QComboBox;
    combo->setEditable(true);
    for (auto c : choices) combo->addItem(QString::fromUtf8(c.data(), static_cast<qsizetype>(c.size())));
    combo->setEditText(QString::fromStdString(ToUnicode(value)));
    form->addRow(Tr(label), combo);
    return combo;
  };
  QLineEdit* call = line("Call", dialog.call);
  QLineEdit* date = line("Date", dialog.date);
  QLineEdit* time = line("JST", dialog.time);
  QLineEdit* rst = line("RST", dialog.rst);
  QComboBox* freq = list("MHz", dialog.freq, QsoEditDialog::Frequencies());
  QComboBox* mode = list("Mode", dialog.mode, QsoEditDialog::Modes());
  QLineEdit* name = line("Name", dialog.name);
  QLineEdit* power = line("W", dialog.power);
  QLineEdit* qth = line("QTH", dialog.qth);
  auto* remarks = new QPlainTextEdit(QString::fromStdString(ToUnicode(dialog.remarks)));
  remarks->setMaximumHeight(70);
  form->addRow(QStringLiteral("QSL"), remarks);
  QLineEdit* env = line("Env", dialog.env);
  auto* marks = new QHBoxLayout;
  auto* sent = new QCheckBox(QStringLiteral("S"));
  sent->setChecked(dialog.sent);
  auto* received = new QCheckBox(QStringLiteral("R"));
  received->setChecked(dialog.received);
  marks->addWidget(sent);
  marks->addWidget(received);
  form->addRow(marks);
  QsoEditResult result = QsoEditResult::Cancel;
  if (navigation) {
    // "<" and ">" step through the cards' QSOs; "リスト" opens the log list.
    auto* steps = new QHBoxLayout;
    auto step = [&](const char* label, QsoEditResult r, bool enabled) {
      auto* b = new QPushButton(Tr(label));
      b->setEnabled(enabled);
      QObject::connect(b, &QPushButton::clicked, &box, [&result, &box, r] {
        result = r;
        box.reject();
      });
      steps->addWidget(b);
    };
    step("<", QsoEditResult::Previous, navigation->previousEnabled);
    step(">", QsoEditResult::Next, navigation->nextEnabled);
    step(QT_TRANSLATE_NOOP("Tevra", "リスト"), QsoEditResult::List, true);
    form->addRow(steps);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  form->addRow(buttons);
  if (box.exec() != QDialog::Accepted) return result;
  auto cp932 = [](const QString& text) { return FromUnicode(text.toStdString()); };
  dialog.call = cp932(call->text());
  dialog.date = cp932(date->text());
  dialog.time = cp932(time->text());
  dialog.rst = cp932(rst->text());
  dialog.freq = cp932(freq->currentText());
  dialog.mode = cp932(mode->currentText());
  dialog.name = cp932(name->text());
  dialog.power = cp932(power->text());
  dialog.qth = cp932(qth->text());
  dialog.remarks = cp932(remarks->toPlainText().replace(QChar('\n'), QChar(' ')));
  dialog.env = cp932(env->text());
  dialog.sent = sent->isChecked();
  dialog.received = received->isChecked();
  return QsoEditResult::Ok;
}

bool QtUi::EditQso(QsoRecord& record) {
  QsoEditDialog dialog(record);
  if (RunQsoEditView(dialog, qsoTitle.isEmpty() ? Tevra::tr("ＱＳＯデータ") : qsoTitle, nullptr, parent_) !=
      QsoEditResult::Ok)
    return false;
  dialog.Accept(record);
  return true;
}

}  // namespace tevra
