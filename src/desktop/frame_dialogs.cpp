#include "desktop/frame_dialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/encoding.h"
#include "qt/translation.h"

namespace tevra {
namespace {

QString FromCp932(const std::string& bytes) { return QString::fromStdString(ToUnicode(bytes)); }
std::string ToCp932(const QString& text) { return FromUnicode(text.toStdString()); }
QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QComboBox* EditableCombo(std::span<const std::string_view> choices, const std::string& value) {
  auto* combo = new QComboBox;
  combo->setEditable(true);
  for (auto c : choices) combo->addItem(Utf8(c));
  combo->setEditText(FromCp932(value));
  return combo;
}

}  // namespace

bool RunOptionsDialog(OptionsDialog& dialog, QWidget* parent) {
  OptionsDialog::Values& v = dialog.values;
  QDialog box(parent);
  box.setWindowTitle(Tr(OptionsDialog::kTitle));
  auto* layout = new QVBoxLayout(&box);

  auto* load = new QGroupBox(Tevra::tr("ログの読み込み"));
  auto* loadForm = new QFormLayout(load);
  auto* skip = new QCheckBox(Tevra::tr("ＱＳＬ送信済みは読み込まない"));
  skip->setChecked(v.skipSendMark);
  loadForm->addRow(skip);
  auto* condition = EditableCombo(OptionsDialog::ConditionChoices(), v.loadCond);
  loadForm->addRow(Tevra::tr("その他の条件"), condition);
  auto* mark = new QLineEdit(FromCp932(v.sendMark));
  loadForm->addRow(Tevra::tr("送信マーク"), mark);
  layout->addWidget(load);

  auto* time = new QGroupBox(Tevra::tr("展開時刻"));
  auto* timeRow = new QHBoxLayout(time);
  QButtonGroup timeGroup;
  const auto labels = OptionsDialog::TimeTypeLabels();
  for (std::size_t i = 0; i < labels.size(); ++i) {
    auto* radio = new QRadioButton(Tr(labels[i]));
    radio->setChecked(static_cast<int>(i) == v.timeType);
    timeGroup.addButton(radio, static_cast<int>(i));
    timeRow->addWidget(radio);
  }
  layout->addWidget(time);

  struct Check {
    const char* label;
    bool* value;
  };
  const Check checks[] = {
      {QT_TRANSLATE_NOOP("Tevra", "アイテム作成を継続する"), &v.makeContItem},         {QT_TRANSLATE_NOOP("Tevra", "同じ基本コールはまとめる"), &v.repCallPack},
      {QT_TRANSLATE_NOOP("Tevra", "異なるEnvでもまとめる"), &v.repEnvPack},             {QT_TRANSLATE_NOOP("Tevra", "バックアップ作成"), &v.backup},
      {QT_TRANSLATE_NOOP("Tevra", "クリップボードの定期的な監視"), &v.clipCheck},       {QT_TRANSLATE_NOOP("Tevra", "ﾀｲﾑｽﾀﾝﾌﾟ変更しない"), &v.disLogNewTime},
      {QT_TRANSLATE_NOOP("Tevra", "フォント回転方向を印刷時に逆にする"), &v.invRotFont}, {QT_TRANSLATE_NOOP("Tevra", "文書にオプション情報を含める"), &v.includeDoc},
  };
  std::vector<QCheckBox*> boxes;
  // The two targets in their group, the rest below it.
  auto* targets = new QGroupBox(Tevra::tr("２ｎｄＱＳＬ抑止対象"));
  auto* targetLayout = new QVBoxLayout(targets);
  layout->addWidget(targets);
  for (const Check& c : checks) {
    boxes.push_back(new QCheckBox(Tr(c.label)));
    boxes.back()->setChecked(*c.value);
    (boxes.size() <= 2 ? targetLayout : layout)->addWidget(boxes.back());
  }
  auto* partRow = new QFormLayout;
  auto* part = EditableCombo(OptionsDialog::PartMarkChoices(), v.partMark);
  partRow->addRow(Tevra::tr("その他の分離条件"), part);
  // The interface's language takes effect at the next start.
  auto* language = new QComboBox;
  language->setObjectName(QStringLiteral("language"));
  const auto languageCodes = OptionsDialog::LanguageCodes();
  for (std::size_t i = 0; i < languageCodes.size(); ++i) {
    language->addItem(Tr(OptionsDialog::LanguageLabels()[i]));
    if (languageCodes[i] == v.language) language->setCurrentIndex(static_cast<int>(i));
  }
  language->setToolTip(Tevra::tr("次回の起動から有効になります"));
  partRow->addRow(Tevra::tr("言語"), language);
  layout->addLayout(partRow);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto* remove = buttons->addButton(Tevra::tr("ﾚｼﾞｽﾄﾘ削除"), QDialogButtonBox::ActionRole);
  QObject::connect(remove, &QPushButton::clicked, &box, [&dialog] { dialog.RemoveRegistration(); });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, [&] {
    v.skipSendMark = skip->isChecked();
    v.loadCond = ToCp932(condition->currentText());
    v.sendMark = ToCp932(mark->text());
    v.timeType = std::max(0, timeGroup.checkedId());
    for (std::size_t i = 0; i < boxes.size(); ++i) *checks[i].value = boxes[i]->isChecked();
    v.partMark = ToCp932(part->currentText());
    v.language = std::string(languageCodes[static_cast<std::size_t>(std::max(0, language->currentIndex()))]);
    if (const auto problem = dialog.Check()) {
      QMessageBox::warning(&box, QStringLiteral("TEVRA"), TrMessage(*problem));
      return;
    }
    box.accept();
  });
  layout->addWidget(buttons);
  return box.exec() == QDialog::Accepted;
}

bool RunSuppressionDialog(SuppressionOptions& options, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tr(SuppressionOptions::kTitle));
  auto* layout = new QVBoxLayout(&box);
  struct Check {
    const char* label;
    bool* value;
  };
  const Check checks[] = {{QT_TRANSLATE_NOOP("Tevra", "国内局"), &options.domestic},
                          {QT_TRANSLATE_NOOP("Tevra", "DX局"), &options.dx},
                          {QT_TRANSLATE_NOOP("Tevra", "ＪＡＲＬ関連局は無条件に抑止"), &options.jarlAlways},
                          {QT_TRANSLATE_NOOP("Tevra", "カード受領QSOは抑止しない"), &options.keepReceived},
                          {QT_TRANSLATE_NOOP("Tevra", "移動局は抑止しない"), &options.keepPortable}};
  std::vector<QCheckBox*> boxes;
  // The two targets in their group, the rest below it.
  auto* targets = new QGroupBox(Tevra::tr("２ｎｄＱＳＬ抑止対象"));
  auto* targetLayout = new QVBoxLayout(targets);
  layout->addWidget(targets);
  for (const Check& c : checks) {
    boxes.push_back(new QCheckBox(Tr(c.label)));
    boxes.back()->setChecked(*c.value);
    (boxes.size() <= 2 ? targetLayout : layout)->addWidget(boxes.back());
  }
  auto* form = new QFormLayout;
  auto* mark = new QLineEdit(FromCp932(options.mark));
  form->addRow(Tevra::tr("抑止マーク"), mark);
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  layout->addWidget(buttons);
  if (box.exec() != QDialog::Accepted) return false;
  for (std::size_t i = 0; i < boxes.size(); ++i) *checks[i].value = boxes[i]->isChecked();
  options.mark = ToCp932(mark->text());
  return true;
}

void ShowAreaStatistics(const std::string& text, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("エリア別カード発行枚数"));
  auto* layout = new QVBoxLayout(&box);
  auto* view = new QPlainTextEdit(QString::fromStdString(text).remove(QChar('\r')));
  view->setReadOnly(true);
  view->setTabStopDistance(80);
  layout->addWidget(view);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  layout->addWidget(buttons);
  box.resize(260, 340);
  box.exec();
}

bool RunMoveDialog(QWidget* parent, int& dx, int& dy) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("選択アイテムの移動"));
  auto* form = new QFormLayout(&box);
  auto spin = [] {
    auto* s = new QSpinBox;
    s->setRange(-500, 500);
    s->setSuffix(Tevra::tr("  (1/1000ｲﾝﾁ単位)"));
    return s;
  };
  QSpinBox* across = spin();
  QSpinBox* up = spin();
  form->addRow(Tevra::tr("横移動量"), across);
  form->addRow(Tevra::tr("縦移動量"), up);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  form->addRow(buttons);
  if (box.exec() != QDialog::Accepted) return false;
  dx = across->value();
  dy = up->value();
  return dx != 0 || dy != 0;
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle(Tevra::tr("ﾊﾞｰｼﾞｮﾝ情報(TEVRA)"));
  auto* layout = new QHBoxLayout(this);
  auto* icon = new QLabel;
  icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
  layout->addWidget(icon, 0, Qt::AlignTop);
  auto* column = new QVBoxLayout;
  column->addWidget(new QLabel(VersionLine()));
  progress_ = new QLabel;
  progress_->setMinimumWidth(260);
  column->addWidget(progress_);
  layout->addLayout(column);
  ok_ = new QPushButton(QStringLiteral("OK"));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok_, 0, Qt::AlignTop);
}

QString AboutBox::VersionLine() { return QStringLiteral("TEVRA Version 3.53F"); }

void AboutBox::ShowAsSplash() {
  setWindowTitle(QStringLiteral("TEVRA"));
  setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
  ok_->hide();
  show();
  repaint();
}

void AboutBox::SetProgressText(const QString& text) {
  progress_->setText(text);
  progress_->repaint();
}

std::optional<LabelSheet> ChooseLabelSheet(const std::vector<LabelSheet>& catalogue, QWidget* parent) {
  if (catalogue.empty()) {
    QMessageBox::information(parent, QStringLiteral("TEVRA"),
                             Tevra::tr("市販のシートのカタログがインストールされていません (%1, Debian パッケージ glabels-data).")
                                 .arg(QString::fromUtf8(kLabelCatalogueFolder)));
    return std::nullopt;
  }
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("市販のシート"));
  box.resize(640, 420);
  auto* layout = new QVBoxLayout(&box);
  auto* search = new QLineEdit;
  search->setObjectName(QStringLiteral("search"));
  search->setPlaceholderText(Tevra::tr("メーカー, 品番, 説明で検索"));
  auto* list = new QListWidget;
  list->setObjectName(QStringLiteral("sheets"));
  layout->addWidget(search);
  layout->addWidget(list);
  std::vector<const LabelSheet*> shown;
  auto fill = [&] {
    list->clear();
    shown = FindSheets(catalogue, search->text().toStdString());
    for (const LabelSheet* s : shown)
      list->addItem(Tevra::tr("%1 %2 — %3 (%4, %5 × %6 mm, %7 枚)")
                        .arg(QString::fromStdString(s->brand), QString::fromStdString(s->part),
                             QString::fromStdString(s->description), QString::fromStdString(s->paper))
                        .arg(s->labelWidth, 0, 'f', 1)
                        .arg(s->labelHeight, 0, 'f', 1)
                        .arg(s->columns * s->rows));
    if (list->count() > 0) list->setCurrentRow(0);
  };
  fill();
  QObject::connect(search, &QLineEdit::textChanged, &box, fill);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &box, &QDialog::accept);
  layout->addWidget(buttons);
  if (box.exec() != QDialog::Accepted || list->currentRow() < 0) return std::nullopt;
  return *shown[static_cast<std::size_t>(list->currentRow())];
}

bool RunImageExportDialog(ImageExport& o, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("カード画像の書き出し"));
  box.setMinimumWidth(520);
  auto* form = new QFormLayout(&box);
  auto* folder = new QLineEdit(QString::fromStdString(o.folder));
  folder->setObjectName(QStringLiteral("folder"));
  auto* browse = new QPushButton(Tevra::tr("参照..."));
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(folder);
  folderRow->addWidget(browse);
  QObject::connect(browse, &QPushButton::clicked, &box, [&] {
    const QString chosen = QFileDialog::getExistingDirectory(&box, Tevra::tr("書き出すフォルダ"), folder->text());
    if (!chosen.isEmpty()) folder->setText(chosen);
  });
  auto* format = new QComboBox;
  format->addItems({QStringLiteral("PNG"), QStringLiteral("JPEG")});
  format->setCurrentIndex(o.format == "jpg" ? 1 : 0);
  auto* dpi = new QSpinBox;
  dpi->setRange(72, 600);
  dpi->setValue(o.dpi);
  dpi->setSuffix(QStringLiteral(" dpi"));
  auto* name = new QLineEdit(QString::fromStdString(o.namePattern));
  name->setObjectName(QStringLiteral("pattern"));
  name->setToolTip(Tevra::tr("差込言語の書式: 既定の %C_%{YYYY}%{MM}%{DD}_%B は JA1ABC_20241103_0930 になります"));
  form->addRow(Tevra::tr("フォルダ"), folderRow);
  form->addRow(Tevra::tr("形式"), format);
  form->addRow(Tevra::tr("解像度"), dpi);
  form->addRow(Tevra::tr("ファイル名"), name);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, [&] {
    ImageExport edited = o;
    edited.folder = folder->text().trimmed().toStdString();
    edited.format = format->currentIndex() == 1 ? "jpg" : "png";
    edited.dpi = dpi->value();
    edited.namePattern = name->text().toStdString();
    if (const auto problem = ImageExportProblem(edited)) {
      QMessageBox::warning(&box, QStringLiteral("TEVRA"), Tr(*problem));
      return;
    }
    o = edited;
    box.accept();
  });
  form->addRow(buttons);
  return box.exec() == QDialog::Accepted;
}

}  // namespace tevra
