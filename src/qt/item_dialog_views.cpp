#include "qt/item_dialog_views.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "core/encoding.h"
#include "qt/document_dialog_views.h"
#include "qt/qt_surface.h"
#include "qt/qt_ui.h"
#include "qt/translation.h"

namespace tevra {
namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString FromCp932(const std::string& bytes) {
  QString text = QString::fromStdString(ToUnicode(bytes));
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
std::string ToCp932(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\n'), QStringLiteral("\r\n"));
  return FromUnicode(text.toStdString());
}
Colour FromQColor(const QColor& c) {
  return static_cast<Colour>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

// The installed faces and the Windows faces they stand for.
constexpr std::pair<const char*, const char*> kFaces[] = {
    {"IPAMincho", "ＭＳ 明朝"}, {"IPAPMincho", "ＭＳ Ｐ明朝"}, {"IPAGothic", "ＭＳ ゴシック"}, {"IPAPGothic", "ＭＳ Ｐゴシック"}};

QDialogButtonBox* OkCancel(QDialog& box) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  return buttons;
}

// The zero-slash radio group: "なし", "線を引く", "/を重ねる", "Φで置換".
QButtonGroup* ZeroSlashGroup(QBoxLayout* into, int value, QObject* owner) {
  auto* group = new QButtonGroup(owner);
  auto* box = new QGroupBox(Tevra::tr("０の扱い"));
  auto* row = new QHBoxLayout(box);
  const char* labels[] = {QT_TRANSLATE_NOOP("Tevra", "なし"), QT_TRANSLATE_NOOP("Tevra", "線を引く"), QT_TRANSLATE_NOOP("Tevra", "/を重ねる"), QT_TRANSLATE_NOOP("Tevra", "Φで置換")};
  for (int i = 0; i < 4; ++i) {
    auto* radio = new QRadioButton(Tr(labels[i]));
    radio->setChecked(i == value);
    group->addButton(radio, i);
    row->addWidget(radio);
  }
  into->addWidget(box);
  return group;
}

}  // namespace

QFont ToQFont(const FontRecord& r) {
  QFont font(QtSurface::FamilyFor(std::string_view(r.faceName, sizeof r.faceName)));
  // Heights are hundredths of an inch: 0.72 points each.
  font.setPointSizeF(std::max(1.0, std::abs(static_cast<double>(r.height)) * 0.72));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(r.weight == 0 ? 400 : r.weight, 100, 900)));
  font.setItalic(r.italic != 0);
  font.setUnderline(r.underline != 0);
  font.setStrikeOut(r.strikeOut != 0);
  return font;
}

FontRecord FromQFont(const QFont& font, const FontRecord& base) {
  FontRecord r = base;
  r.height = -std::max(1, static_cast<int>(font.pointSizeF() / 0.72 + 0.5));
  r.weight = std::clamp(static_cast<int>(font.weight()), 100, 900);
  r.italic = font.italic() ? 1 : 0;
  r.underline = font.underline() ? 1 : 0;
  r.strikeOut = font.strikeOut() ? 1 : 0;
  std::string face = FromUnicode(font.family().toStdString());
  for (const auto& [installed, windows] : kFaces)
    if (font.family() == QLatin1String(installed)) face = FromUnicode(windows);
  std::fill(std::begin(r.faceName), std::end(r.faceName), '\0');
  std::copy_n(face.begin(), std::min(face.size(), sizeof r.faceName - 1), r.faceName);
  return r;
}

bool RunColourDialog(Colour& colour, QWidget* parent, const QString& title) {
  const QColor chosen = QColorDialog::getColor(QtSurface::ToQColor(colour), parent, title);
  if (!chosen.isValid()) return false;
  colour = FromQColor(chosen);
  return true;
}

bool RunFontDialog(FontRecord& font, Colour& colour, QWidget* parent) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, ToQFont(font), parent, Tevra::tr("フォント"));
  if (!ok) return false;
  Colour c = colour;
  if (!RunColourDialog(c, parent, Tevra::tr("文字の色"))) return false;
  font = FromQFont(chosen, font);
  colour = c;
  return true;
}

bool RunPenDialog(PenDialog& dialog, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tr(PenDialog::kTitle));
  auto* form = new QFormLayout(&box);
  auto list = [](std::span<const ListEntry> entries, std::size_t index) {
    auto* combo = new QComboBox;
    combo->setEditable(true);
    for (const ListEntry& e : entries) combo->addItem(Utf8(e.label));
    combo->setCurrentIndex(static_cast<int>(index));
    return combo;
  };
  QComboBox* size = list(PenDialog::Sizes(), dialog.SizeIndex());
  QComboBox* style = list(PenDialog::Styles(), dialog.StyleIndex());
  form->addRow(Tevra::tr("ペンサイズ"), size);
  form->addRow(Tevra::tr("線の種類"), style);
  form->addRow(OkCancel(box));
  if (box.exec() != QDialog::Accepted) return false;
  dialog.ChooseSize(size->currentText().toStdString());
  dialog.ChooseStyle(style->currentText().toStdString());
  return true;
}

bool RunTableEditor(ConditionTable& table, QWidget* parent) {
  // The own table in the condition-table dialog; its files through the
  // program's file dialogs.
  QtUi ui(parent);
  TableDialog dialog = TableDialog::ForConditions(table);
  if (!RunTableDialog(dialog, ui, "", parent)) return false;
  table = dialog.ToConditionTable();
  return true;
}

bool RunTextItemDialog(TextItemDialog& dialog, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tr(dialog.Title()));
  auto* layout = new QVBoxLayout(&box);
  auto* top = new QHBoxLayout;
  auto* edit = new QPlainTextEdit(FromCp932(dialog.text));
  auto* presets = new QListWidget;
  for (auto p : TextItemDialog::Presets()) presets->addItem(Utf8(p));
  presets->setMaximumWidth(200);
  QObject::connect(presets, &QListWidget::itemClicked, edit,
                   [edit](QListWidgetItem* item) { edit->setPlainText(item->text()); });
  top->addWidget(edit, 2);
  top->addWidget(presets, 1);
  layout->addLayout(top);

  auto* checks = new QHBoxLayout;
  auto check = [checks](const char* label, bool value, bool enabled) {
    auto* c = new QCheckBox(Tr(label));
    c->setChecked(value);
    c->setEnabled(enabled);
    checks->addWidget(c);
    return c;
  };
  QCheckBox* frame = check(QT_TRANSLATE_NOOP("Tevra", "枠線描画"), dialog.frame, true);
  QCheckBox* vertical = check(QT_TRANSLATE_NOOP("Tevra", "垂直描画"), dialog.vertical, dialog.VerticalEnabled());
  QCheckBox* inverted = check(QT_TRANSLATE_NOOP("Tevra", "反転"), dialog.inverted, dialog.VerticalEnabled());
  QCheckBox* transparent = check(QT_TRANSLATE_NOOP("Tevra", "透過"), dialog.transparent, true);
  layout->addLayout(checks);
  QButtonGroup* slash = ZeroSlashGroup(layout, dialog.zeroSlash, &box);
  for (int i = 0; i < 4; ++i) slash->button(i)->setEnabled(dialog.ZeroSlashEnabled(i));

  auto* row = new QHBoxLayout;
  auto* fontButton = new QPushButton(Tevra::tr("フォント"));
  auto* styleButton = new QPushButton(Tevra::tr("スタイル"));
  auto* tableButton = new QPushButton(QStringLiteral("Table"));
  styleButton->setEnabled(dialog.StyleEnabled());
  row->addWidget(fontButton);
  row->addWidget(styleButton);
  row->addWidget(tableButton);
  layout->addLayout(row);
  auto syncTable = [&] {
    dialog.text = ToCp932(edit->toPlainText());
    tableButton->setEnabled(dialog.TableEnabled());
  };
  syncTable();
  QObject::connect(edit, &QPlainTextEdit::textChanged, &box, syncTable);
  QObject::connect(fontButton, &QPushButton::clicked, &box,
                   [&] { RunFontDialog(dialog.font, dialog.textColour, &box); });
  QObject::connect(tableButton, &QPushButton::clicked, &box, [&] {
    ConditionTable copy = dialog.table;
    if (RunTableEditor(copy, &box)) dialog.table = std::move(copy);
  });
  QObject::connect(styleButton, &QPushButton::clicked, &box, [&] {
    // The text box style: alignment, vertical centre, word break.
    QDialog style(&box);
    style.setWindowTitle(Tevra::tr("スタイル"));
    auto* v = new QVBoxLayout(&style);
    QButtonGroup align(&style);
    const char* labels[] = {QT_TRANSLATE_NOOP("Tevra", "左寄せ"), QT_TRANSLATE_NOOP("Tevra", "中央"), QT_TRANSLATE_NOOP("Tevra", "右寄せ")};
    const int current = dialog.format & 0x02 ? 2 : dialog.format & 0x01 ? 1 : 0;
    for (int i = 0; i < 3; ++i) {
      auto* radio = new QRadioButton(Tr(labels[i]));
      radio->setChecked(i == current);
      align.addButton(radio, i);
      v->addWidget(radio);
    }
    auto* middle = new QCheckBox(Tevra::tr("垂直中央"));
    middle->setChecked(dialog.format & 0x04);
    auto* words = new QCheckBox(Tevra::tr("単語による行の分割"));
    words->setChecked(dialog.format & 0x10);
    v->addWidget(middle);
    v->addWidget(words);
    v->addWidget(OkCancel(style));
    if (style.exec() != QDialog::Accepted) return;
    std::int32_t f = dialog.format & ~(0x01 | 0x02 | 0x04 | 0x10 | 0x20);
    f |= align.checkedId() == 1 ? 0x01 : align.checkedId() == 2 ? 0x02 : 0;
    if (middle->isChecked()) f |= 0x04 | 0x20;
    if (words->isChecked()) f |= 0x10;
    dialog.format = f;
  });
  layout->addWidget(OkCancel(box));
  box.resize(560, 380);
  if (box.exec() != QDialog::Accepted) return false;
  dialog.text = ToCp932(edit->toPlainText());
  dialog.frame = frame->isChecked();
  dialog.vertical = vertical->isChecked();
  dialog.inverted = inverted->isChecked();
  dialog.transparent = transparent->isChecked();
  dialog.zeroSlash = std::max(0, slash->checkedId());
  return true;
}

bool RunDataMarkDialog(DataMarkDialog& dialog, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("差込データマーク選択"));
  auto* layout = new QVBoxLayout(&box);
  auto* form = new QFormLayout;
  auto* name = new QComboBox;
  name->setEditable(true);
  for (auto n : DataMarkDialog::Names()) name->addItem(Utf8(n));
  name->setEditText(FromCp932(dialog.name));
  form->addRow(Tevra::tr("データ"), name);
  auto* position = new QSpinBox;
  position->setRange(1, dialog.PositionMax());
  position->setValue(std::clamp(dialog.position, 1, dialog.PositionMax()));
  position->setEnabled(dialog.PositionEnabled());
  form->addRow(Tevra::tr("リピート展開時の参照位置"), position);
  auto* absent = new QLineEdit(FromCp932(dialog.absentText));
  absent->setEnabled(dialog.PositionEnabled());
  form->addRow(Tevra::tr("データ無し"), absent);
  layout->addLayout(form);
  QButtonGroup* slash = ZeroSlashGroup(layout, dialog.zeroSlash, &box);
  auto* checks = new QHBoxLayout;
  auto* transparent = new QCheckBox(Tevra::tr("透過"));
  transparent->setChecked(dialog.transparent);
  auto* vertical = new QCheckBox(Tevra::tr("垂直描画"));
  vertical->setChecked(dialog.vertical);
  auto* inverted = new QCheckBox(Tevra::tr("反転"));
  inverted->setChecked(dialog.inverted);
  checks->addWidget(transparent);
  checks->addWidget(vertical);
  checks->addWidget(inverted);
  layout->addLayout(checks);
  auto* row = new QHBoxLayout;
  auto* fontButton = new QPushButton(Tevra::tr("フォント"));
  auto* tableButton = new QPushButton(QStringLiteral("Table"));
  row->addWidget(fontButton);
  row->addWidget(tableButton);
  layout->addLayout(row);
  auto syncTable = [&] {
    dialog.name = ToCp932(name->currentText());
    tableButton->setEnabled(dialog.TableEnabled());
  };
  syncTable();
  QObject::connect(name, &QComboBox::currentTextChanged, &box, syncTable);
  QObject::connect(fontButton, &QPushButton::clicked, &box, [&] { RunFontDialog(dialog.font, dialog.colour, &box); });
  QObject::connect(tableButton, &QPushButton::clicked, &box, [&] {
    ConditionTable copy = dialog.table;
    if (RunTableEditor(copy, &box)) dialog.table = std::move(copy);
  });
  layout->addWidget(OkCancel(box));
  if (box.exec() != QDialog::Accepted) return false;
  dialog.name = ToCp932(name->currentText());
  dialog.position = position->value();
  dialog.absentText = ToCp932(absent->text());
  dialog.zeroSlash = std::max(0, slash->checkedId());
  dialog.transparent = transparent->isChecked();
  dialog.vertical = vertical->isChecked();
  dialog.inverted = inverted->isChecked();
  return true;
}

bool RunJarlFrameDialog(JarlFrameDialog& dialog, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("JARL転送枠"));
  auto* layout = new QVBoxLayout(&box);
  auto* form = new QFormLayout;
  auto spin = [form](const char* label, int value, int low, int high) {
    auto* s = new QSpinBox;
    s->setRange(low, high);
    s->setValue(value);
    form->addRow(Tr(label), s);
    return s;
  };
  QSpinBox* width = spin(QT_TRANSLATE_NOOP("Tevra", "幅"), dialog.boxWidth, 100, 1000);
  QSpinBox* height = spin(QT_TRANSLATE_NOOP("Tevra", "高さ"), dialog.boxHeight, 100, 1000);
  QSpinBox* pitch = spin(QT_TRANSLATE_NOOP("Tevra", "間隔"), dialog.boxPitch, 100, 1000);
  QSpinBox* across = spin(QT_TRANSLATE_NOOP("Tevra", "横ｵﾌｾｯﾄ"), dialog.horizontalOffset, -500, 500);
  QSpinBox* down = spin(QT_TRANSLATE_NOOP("Tevra", "縦ｵﾌｾｯﾄ"), dialog.verticalOffset, -500, 500);
  QSpinBox* inset = spin("LY", dialog.slashInset, 0, 100);
  layout->addLayout(form);
  auto* checks = new QHBoxLayout;
  auto check = [checks](const char* label, bool value) {
    auto* c = new QCheckBox(Tr(label));
    c->setChecked(value);
    checks->addWidget(c);
    return c;
  };
  QCheckBox* vertical = check(QT_TRANSLATE_NOOP("Tevra", "垂直表示"), dialog.direction & 1);
  QCheckBox* inverted = check(QT_TRANSLATE_NOOP("Tevra", "反転"), dialog.direction & 2);
  QCheckBox* frame = check(QT_TRANSLATE_NOOP("Tevra", "枠の表示"), dialog.showFrame != 0);
  QCheckBox* seven = check(QT_TRANSLATE_NOOP("Tevra", "７文字印字"), dialog.characterCount == 7);
  QCheckBox* clip = check(QT_TRANSLATE_NOOP("Tevra", "ｸﾘｯﾌﾟ"), dialog.clip);
  layout->addLayout(checks);
  QButtonGroup* slash = ZeroSlashGroup(layout, dialog.zeroSlash, &box);
  inset->setEnabled(dialog.InsetEnabled());
  QObject::connect(slash, &QButtonGroup::idClicked, inset, [inset](int id) { inset->setEnabled(id == 1); });
  auto* fontButton = new QPushButton(Tevra::tr("フォント"));
  QObject::connect(fontButton, &QPushButton::clicked, &box,
                   [&] { RunFontDialog(dialog.font, dialog.textColour, &box); });
  layout->addWidget(fontButton);
  layout->addWidget(OkCancel(box));
  if (box.exec() != QDialog::Accepted) return false;
  dialog.boxWidth = width->value();
  dialog.boxHeight = height->value();
  dialog.boxPitch = pitch->value();
  dialog.horizontalOffset = across->value();
  dialog.verticalOffset = down->value();
  dialog.slashInset = inset->value();
  dialog.direction = (vertical->isChecked() ? 1 : 0) | (inverted->isChecked() ? 2 : 0);
  dialog.showFrame = frame->isChecked() ? 1 : 0;
  dialog.characterCount = seven->isChecked() ? 7 : 6;
  dialog.clip = clip->isChecked();
  dialog.zeroSlash = std::max(0, slash->checkedId());
  return true;
}

bool RunConditionDialog(ConditionDialog& dialog, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("条件設定"));
  auto* layout = new QVBoxLayout(&box);
  auto* condition = new QComboBox;
  condition->setEditable(true);
  for (auto e : ConditionDialog::Examples()) condition->addItem(Utf8(e));
  condition->setEditText(FromCp932(dialog.condition));
  condition->setMinimumWidth(360);
  layout->addWidget(condition);
  auto* tick = new QCheckBox(Tevra::tr("レ印のチェック"));
  tick->setChecked(dialog.tick);
  auto* frame = new QCheckBox(Tevra::tr("枠の描画"));
  frame->setChecked(dialog.frame);
  tick->setEnabled(dialog.CheckBoxesEnabled());
  frame->setEnabled(dialog.CheckBoxesEnabled());
  layout->addWidget(tick);
  layout->addWidget(frame);
  layout->addWidget(OkCancel(box));
  if (box.exec() != QDialog::Accepted) return false;
  dialog.condition = ToCp932(condition->currentText());
  dialog.tick = tick->isChecked();
  dialog.frame = frame->isChecked();
  return true;
}

}  // namespace tevra
