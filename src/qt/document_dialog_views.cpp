#include "qt/document_dialog_views.h"

#include "merge/condition_templates.h"

#include <QButtonGroup>
#include <QSignalBlocker>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/encoding.h"
#include "platform/ui.h"
#include "qt/translation.h"

namespace tevra {
namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString FromCp932(const std::string& bytes) {
  return QString::fromStdString(ToUnicode(bytes)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
std::string ToCp932(QString text, bool crlf = true) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (crlf) text.replace(QChar('\n'), QStringLiteral("\r\n"));
  return FromUnicode(text.toStdString());
}

QDialogButtonBox* OkCancel(QDialog& box) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  return buttons;
}

QDoubleSpinBox* Millimetres(double value, double low, double high) {
  auto* s = new QDoubleSpinBox;
  s->setRange(low, high);
  s->setDecimals(2);
  s->setValue(value);
  s->setSuffix(QStringLiteral(" mm"));
  return s;
}

}  // namespace

bool RunTackSealDialog(TackSealDialog& dialog, QWidget* parent, const std::function<bool(QWidget*)>& chooseSheet) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("タックシール"));
  auto* form = new QFormLayout(&box);
  auto* columns = new QSpinBox;
  columns->setRange(1, 24);
  columns->setValue(dialog.Columns);
  auto* rows = new QSpinBox;
  rows->setRange(1, 24);
  rows->setValue(dialog.Rows);
  QDoubleSpinBox* across = Millimetres(dialog.ColumnPitch, 5, 200);
  QDoubleSpinBox* down = Millimetres(dialog.RowPitch, 5, 200);
  form->addRow(Tevra::tr("横の数"), columns);
  form->addRow(Tevra::tr("縦の数"), rows);
  form->addRow(Tevra::tr("横の間隔"), across);
  form->addRow(Tevra::tr("縦の間隔"), down);
  // A sheet of the catalogue fills the fields (and the card form's).
  auto* sheet = new QPushButton(Tevra::tr("市販のシートから選択..."));
  sheet->setObjectName(QStringLiteral("chooseSheet"));
  sheet->setEnabled(static_cast<bool>(chooseSheet));
  form->addRow(sheet);
  QObject::connect(sheet, &QPushButton::clicked, &box, [&] {
    if (!chooseSheet(&box)) return;
    columns->setValue(dialog.Columns);
    rows->setValue(dialog.Rows);
    across->setValue(dialog.ColumnPitch);
    down->setValue(dialog.RowPitch);
  });
  form->addRow(OkCancel(box));
  if (box.exec() != QDialog::Accepted) return false;
  dialog.Columns = columns->value();
  dialog.Rows = rows->value();
  dialog.ColumnPitch = across->value();
  dialog.RowPitch = down->value();
  return dialog.Valid();
}

bool RunQslFormDialog(QslFormDialog& dialog, TackSealDialog& tackSeal, QWidget* parent, const SheetChooser& chooseSheet) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("ＱＳＬフォームの設定"));
  auto* form = new QFormLayout(&box);
  auto* kind = new QComboBox;
  for (auto name : kCardFormNames) kind->addItem(Tr(name));
  kind->setCurrentIndex(dialog.Form);
  auto* width = new QSpinBox;
  width->setRange(0, kCardSizeMaxMm);
  width->setValue(dialog.Width);
  auto* height = new QSpinBox;
  height->setRange(0, kCardSizeMaxMm);
  height->setValue(dialog.Height);
  QDoubleSpinBox* left = Millimetres(dialog.LeftMargin, -100, 100);
  QDoubleSpinBox* top = Millimetres(dialog.TopMargin, -100, 100);
  auto* repeat = new QSpinBox;
  repeat->setRange(1, 16);
  repeat->setValue(dialog.QsosPerCard);
  auto* tack = new QPushButton(Tevra::tr("タックシール"));
  tack->setEnabled(dialog.TackSealEnabled());
  form->addRow(Tevra::tr("作成フォーム"), kind);
  form->addRow(Tevra::tr("横幅 (０=自動)"), width);
  form->addRow(Tevra::tr("縦幅 (０=自動)"), height);
  form->addRow(Tevra::tr("左ﾏｰｼﾞﾝ"), left);
  form->addRow(Tevra::tr("上ﾏｰｼﾞﾝ"), top);
  form->addRow(Tevra::tr("リピート展開\n(複数のＱＳＯを1枚にする場合)"), repeat);
  form->addRow(tack);
  form->addRow(OkCancel(box));
  // Choosing a form fills the size fields.
  QObject::connect(kind, &QComboBox::currentIndexChanged, &box, [&](int index) {
    dialog.ChooseForm(index);
    width->setValue(dialog.Width);
    height->setValue(dialog.Height);
    tack->setEnabled(dialog.TackSealEnabled());
  });
  QObject::connect(tack, &QPushButton::clicked, &box, [&] {
    // The form's fields as they stand go into the model, so that a sheet
    // chosen in the tack-seal dialog changes only what it sets.
    dialog.Form = kind->currentIndex();
    dialog.Width = width->value();
    dialog.Height = height->value();
    dialog.LeftMargin = left->value();
    dialog.TopMargin = top->value();
    std::function<bool(QWidget*)> choose;
    if (chooseSheet) choose = [&](QWidget* over) { return chooseSheet(dialog, tackSeal, over); };
    const QslFormDialog formBefore = dialog;
    const TackSealDialog tackBefore = tackSeal;
    if (!RunTackSealDialog(tackSeal, &box, choose)) {  // Cancel takes a chosen sheet back too
      dialog = formBefore;
      tackSeal = tackBefore;
    }
    const QSignalBlocker quiet(kind);  // the form's own sizes stay as the sheet set them
    kind->setCurrentIndex(dialog.Form);
    width->setValue(dialog.Width);
    height->setValue(dialog.Height);
    left->setValue(dialog.LeftMargin);
    top->setValue(dialog.TopMargin);
  });
  if (box.exec() != QDialog::Accepted) return false;
  dialog.Form = kind->currentIndex();
  dialog.Width = width->value();
  dialog.Height = height->value();
  dialog.LeftMargin = left->value();
  dialog.TopMargin = top->value();
  dialog.QsosPerCard = repeat->value();
  return dialog.Valid();
}

bool RunGridDialog(GridDialog& dialog, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("グリッド線の設定"));
  auto* layout = new QVBoxLayout(&box);
  QButtonGroup choice(&box);
  const char* labels[] = {"OFF", "ON", QT_TRANSLATE_NOOP("Tevra", "5ﾗｲﾝ毎に色を変える"), QT_TRANSLATE_NOOP("Tevra", "5ﾗｲﾝ毎に太くする")};
  for (int i = 0; i < 4; ++i) {
    auto* radio = new QRadioButton(Tr(labels[i]));
    radio->setChecked(i == dialog.Selected);
    choice.addButton(radio, i);
    layout->addWidget(radio);
  }
  auto* form = new QFormLayout;
  auto step = [](int value) {
    auto* s = new QSpinBox;
    s->setRange(kGridStepMin, kGridStepMax);
    s->setValue(value);
    s->setSuffix(Tevra::tr("  (1/1000ｲﾝﾁ単位)"));
    return s;
  };
  QSpinBox* x = step(dialog.StepX);
  QSpinBox* y = step(dialog.StepY);
  auto* both = new QSpinBox;
  both->setRange(kGridStepMin, kGridStepMax);
  both->setValue(dialog.StepX);
  QObject::connect(both, &QSpinBox::valueChanged, &box, [x, y](int v) {
    x->setValue(v);
    y->setValue(v);
  });
  form->addRow(Tevra::tr("横幅"), x);
  form->addRow(Tevra::tr("縦幅"), y);
  form->addRow(Tevra::tr("両方"), both);
  layout->addLayout(form);
  layout->addWidget(OkCancel(box));
  if (box.exec() != QDialog::Accepted) return false;
  dialog.Selected = static_cast<GridDialog::Choice>(std::max(0, choice.checkedId()));
  dialog.StepX = x->value();
  dialog.StepY = y->value();
  return dialog.Valid();
}

bool RunDocumentInfoDialog(DocumentInfoDialog& dialog, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("文書情報"));
  auto* form = new QFormLayout(&box);
  auto* title = new QLineEdit(FromCp932(dialog.Title));
  auto* memo = new QPlainTextEdit(FromCp932(dialog.Memo));
  auto* lock = new QCheckBox(Tevra::tr("編集操作のロック"));
  lock->setChecked(dialog.Lock);
  form->addRow(Tevra::tr("タイトル"), title);
  form->addRow(Tevra::tr("メモ"), memo);
  form->addRow(lock);
  form->addRow(OkCancel(box));
  if (box.exec() != QDialog::Accepted) return false;
  dialog.Title = ToCp932(title->text());
  dialog.Memo = ToCp932(memo->toPlainText());
  dialog.Lock = lock->isChecked();
  return true;
}

bool RunRigAntDialog(RigAntDialog& dialog, Ui& ui, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tevra::tr("RIG/ANTの設定"));
  auto* layout = new QVBoxLayout(&box);
  auto* tabs = new QTabBar;
  for (auto name : kRigTabNames) tabs->addTab(Tr(name));
  layout->addWidget(tabs);
  auto* form = new QFormLayout;
  auto* rig = new QPlainTextEdit(FromCp932(dialog.Rig));
  auto* ant = new QPlainTextEdit(FromCp932(dialog.Ant));
  form->addRow(QStringLiteral("RIG"), rig);
  form->addRow(QStringLiteral("ANT"), ant);
  layout->addLayout(form);
  auto* row = new QHBoxLayout;
  auto* all = new QPushButton(QStringLiteral("ALL"));
  auto* copy = new QPushButton(Tevra::tr("コピー"));
  auto* paste = new QPushButton(Tevra::tr("貼付け"));
  auto* reference = new QPushButton(Tevra::tr("参照"));
  paste->setEnabled(dialog.PasteEnabled());
  reference->setEnabled(dialog.ReferenceEnabled());
  for (QPushButton* b : {all, copy, paste, reference}) row->addWidget(b);
  layout->addLayout(row);
  auto store = [&] {
    dialog.Rig = ToCp932(rig->toPlainText());
    dialog.Ant = ToCp932(ant->toPlainText());
  };
  auto show = [&] {
    rig->setPlainText(FromCp932(dialog.Rig));
    ant->setPlainText(FromCp932(dialog.Ant));
    paste->setEnabled(dialog.PasteEnabled());
  };
  QObject::connect(tabs, &QTabBar::currentChanged, &box, [&](int tab) {
    store();
    dialog.SwitchTab(tab);
    show();
  });
  QObject::connect(all, &QPushButton::clicked, &box, [&] {
    store();
    dialog.CopyToAll(ui);
  });
  QObject::connect(copy, &QPushButton::clicked, &box, [&] {
    store();
    dialog.Copy();
    show();
  });
  QObject::connect(paste, &QPushButton::clicked, &box, [&] {
    dialog.Paste();
    show();
  });
  QObject::connect(reference, &QPushButton::clicked, &box, [&] {
    store();
    dialog.Reference();
    show();
  });
  layout->addWidget(OkCancel(box));
  box.resize(560, 360);
  if (box.exec() != QDialog::Accepted) return false;
  store();
  return true;
}

bool RunTableDialog(TableDialog& dialog, Ui& ui, const std::string& directory, QWidget* parent,
                    TableDialogPlace* place) {
  QDialog box(parent);
  box.setWindowTitle(Tr(dialog.Title()));
  auto* layout = new QVBoxLayout(&box);
  auto* grid = new QTableWidget(0, 2);
  const auto columns = dialog.ColumnLabels();
  grid->setHorizontalHeaderLabels({Tr(columns[0]), Tr(columns[1])});
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layout->addWidget(grid);
  auto* form = new QFormLayout;
  // The key: a condition typed or taken from the templates; a mode typed.
  auto* key = new QComboBox;
  key->setEditable(true);
  if (dialog.OffersTemplates()) {
    for (const std::string_view t : kConditionTemplates) key->addItem(Utf8(t));
  } else {
    key->setStyleSheet(QStringLiteral("QComboBox::drop-down { width: 0px; border: none; }"));
  }
  key->setEditText(QString());
  auto* text = new QPlainTextEdit;
  text->setMaximumHeight(80);
  const auto fields = dialog.FieldLabels();
  form->addRow(Tr(fields[0]), key);
  form->addRow(Tr(fields[1]), text);
  layout->addLayout(form);
  auto refresh = [&] {
    grid->setRowCount(0);
    for (const auto& [k, t] : dialog.Rows()) {
      const int r = grid->rowCount();
      grid->insertRow(r);
      grid->setItem(r, 0, new QTableWidgetItem(FromCp932(k)));
      grid->setItem(r, 1, new QTableWidgetItem(FromCp932(t)));
    }
  };
  refresh();
  QObject::connect(grid, &QTableWidget::cellClicked, &box, [&](int r, int) {
    dialog.Select(static_cast<std::size_t>(r));
    key->setEditText(FromCp932(dialog.Key));
    text->setPlainText(FromCp932(dialog.Text));
  });
  auto* row = new QHBoxLayout;
  auto button = [&](const char* label, std::function<void()> act) {
    auto* b = new QPushButton(Tr(label));
    QObject::connect(b, &QPushButton::clicked, &box, [&, act] {
      dialog.Key = ToCp932(key->currentText());
      dialog.Text = ToCp932(text->toPlainText(), false);  // real line breaks
      std::set<std::size_t> selected;
      for (const QModelIndex& index : grid->selectionModel()->selectedRows())
        selected.insert(static_cast<std::size_t>(index.row()));
      dialog.SetSelection(selected);
      act();
      refresh();
    });
    row->addWidget(b);
  };
  button(QT_TRANSLATE_NOOP("Tevra", "追加/変更"), [&] { dialog.AddOrChange(); });
  button(QT_TRANSLATE_NOOP("Tevra", "カット"), [&] { dialog.Cut(); });
  button(QT_TRANSLATE_NOOP("Tevra", "ペースト"), [&] { dialog.Paste(); });
  if (dialog.Reorders()) {
    button("↑", [&] { dialog.MoveUp(); });
    button("↓", [&] { dialog.MoveDown(); });
    button(QT_TRANSLATE_NOOP("Tevra", "並び替え"), [&] { dialog.Sort(); });
  }
  button(QT_TRANSLATE_NOOP("Tevra", "ロード"), [&] { dialog.Load(ui, directory); });
  button(QT_TRANSLATE_NOOP("Tevra", "セーブ"), [&] { dialog.Save(ui, directory); });
  layout->addLayout(row);
  layout->addWidget(OkCancel(box));
  box.resize(620, 420);
  if (place) {
    if (place->rect) box.setGeometry(std::max(0, place->rect->x()), std::max(0, place->rect->y()),
                                     std::max(300, place->rect->width()), std::max(200, place->rect->height()));
    grid->setColumnWidth(0, std::max(20, place->column1));
    grid->setColumnWidth(1, std::max(20, place->column2));
  }
  const bool accepted = box.exec() == QDialog::Accepted;
  if (place) {
    place->rect = box.geometry();
    place->column1 = grid->columnWidth(0);
    place->column2 = grid->columnWidth(1);
  }
  return accepted;
}

bool RunMacroDialog(MacroDialog& dialog, Ui& ui, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(Tr(MacroDialog::kTitle));
  auto* layout = new QVBoxLayout(&box);
  auto* grid = new QTableWidget(0, 2);
  grid->setHorizontalHeaderLabels({Tr(MacroDialog::kLabels[0]), Tr(MacroDialog::kLabels[1])});
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layout->addWidget(grid);
  auto* form = new QFormLayout;
  auto* name = new QLineEdit;
  auto* text = new QLineEdit;
  form->addRow(Tr(MacroDialog::kLabels[0]), name);
  form->addRow(Tr(MacroDialog::kLabels[1]), text);
  layout->addLayout(form);
  auto refresh = [&] {
    grid->setRowCount(0);
    for (const auto& [n, t] : dialog.Rows()) {
      const int r = grid->rowCount();
      grid->insertRow(r);
      grid->setItem(r, 0, new QTableWidgetItem(FromCp932(n)));
      grid->setItem(r, 1, new QTableWidgetItem(FromCp932(t)));
    }
  };
  refresh();
  auto* row = new QHBoxLayout;
  auto* change = new QPushButton(Tevra::tr("追加/変更"));
  auto* remove = new QPushButton(Tevra::tr("削除"));
  auto* reference = new QPushButton(Tevra::tr("参照"));
  // "削除" only while rows are selected.
  const auto selectionChanged = [&] {
    std::set<std::size_t> selected;
    for (const QModelIndex& index : grid->selectionModel()->selectedRows())
      selected.insert(static_cast<std::size_t>(index.row()));
    dialog.Select(selected);
    remove->setEnabled(dialog.DeleteEnabled());
  };
  QObject::connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, &box, selectionChanged);
  remove->setEnabled(dialog.DeleteEnabled());
  QObject::connect(grid, &QTableWidget::cellClicked, &box, [&](int r, int) {
    const auto& entry = dialog.Rows()[static_cast<std::size_t>(r)];
    name->setText(FromCp932(entry.first));
    text->setText(FromCp932(entry.second));
  });
  reference->setEnabled(dialog.ReferenceEnabled());
  for (QPushButton* b : {change, remove, reference}) row->addWidget(b);
  QObject::connect(change, &QPushButton::clicked, &box, [&] {
    dialog.Name = ToCp932(name->text());
    dialog.Text = ToCp932(text->text());
    dialog.AddOrChange();
    refresh();
  });
  QObject::connect(remove, &QPushButton::clicked, &box, [&] {
    selectionChanged();
    dialog.Delete();
    refresh();
    remove->setEnabled(false);
  });
  QObject::connect(reference, &QPushButton::clicked, &box, [&] {
    dialog.Reference(ui);
    refresh();
  });
  layout->addLayout(row);
  layout->addWidget(OkCancel(box));
  box.resize(560, 380);
  return box.exec() == QDialog::Accepted;
}

}  // namespace tevra
