#include "desktop/log_list_window.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QShortcut>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "desktop/frame_dialogs.h"
#include "program/program.h"
#include "core/encoding.h"
#include "platform/ui.h"
#include "writeback/write_back.h"
#include "qt/translation.h"

namespace tevra {

// The store as a table; texts are read and converted only for the rows shown.
class LogTableModel : public QAbstractTableModel {
 public:
  explicit LogTableModel(LogList& list) : list_(list) {}
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(list_.RowCount());
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : LogList::kColumnCount; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return QString::fromStdString(ToUnicode(list_.Cell(static_cast<std::size_t>(index.row()), index.column())));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= LogList::kColumnCount)
      return QAbstractTableModel::headerData(section, orientation, role);
    const auto title = LogList::Columns()[static_cast<std::size_t>(section)].title;
    return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  LogList& list_;
};

LogListWindow::LogListWindow(Document& doc, QWidget* parent) : QDialog(parent), doc_(doc), list_(doc) {
  setWindowTitle(Tevra::tr("ログリスト") + QStringLiteral(" - ") + QString::fromStdString(doc_.SourceName()));
  setMinimumSize(590, 200);
  auto* layout = new QVBoxLayout(this);
  model_ = new LogTableModel(list_);
  model_->setParent(this);  // goes with the window
  table_ = new QTableView;
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->setDefaultSectionSize(20);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);  // no measuring of a million rows
  for (int c = 0; c < LogList::kColumnCount; ++c)
    table_->setColumnWidth(c, LogList::Columns()[static_cast<std::size_t>(c)].width);
  layout->addWidget(table_);

  auto* switches = new QHBoxLayout;
  count_ = new QLabel;
  auto* sortWay = new QCheckBox(Tevra::tr("並び替え-JN.2003 5・6の方法"));
  sortWay->setChecked(doc_.program.settings.sortWay);
  auto* sortCountry = new QCheckBox(Tevra::tr("並び替え-DXｴﾝﾃｨﾃｨ順"));
  sortCountry->setChecked(doc_.program.settings.sortCountry);
  sortCountry->setEnabled(list_.SortCountryEnabled());
  connect(sortWay, &QCheckBox::toggled, this, [this](bool on) { doc_.program.settings.sortWay = on; });
  connect(sortCountry, &QCheckBox::toggled, this, [this](bool on) { doc_.program.settings.sortCountry = on; });
  switches->addWidget(count_);
  switches->addStretch();
  switches->addWidget(sortWay);
  switches->addWidget(sortCountry);
  layout->addLayout(switches);
  // What undo and Cancel do, and what they leave alone.
  auto* note = new QLabel(Tevra::tr("Ctrl+Z: 元に戻す  Ctrl+Y: やり直し  ｷｬﾝｾﾙ: 開いた時のログに戻す  "
                                    "(ログファイルは変更されません)"));
  note->setObjectName(QStringLiteral("historyNote"));
  layout->addWidget(note);
  auto step = [this](bool undo) {
    undo ? list_.Undo() : list_.Redo();
    Refresh();
  };
  for (const auto& [keys, undo] : {std::pair{"Ctrl+Z", true}, std::pair{"Ctrl+Y", false}, std::pair{"Ctrl+Shift+Z", false}}) {
    auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(keys)), this);
    connect(shortcut, &QShortcut::activated, this, [step, undo = undo] { step(undo); });
  }

  auto* buttons = new QHBoxLayout;
  std::vector<QPushButton*> logButtons;
  auto button = [&](const char* label, std::function<void()> act, bool needsLog = true) {
    auto* b = new QPushButton(Tr(label));
    connect(b, &QPushButton::clicked, this, [this, act] {
      act();
      Refresh();
    });
    buttons->addWidget(b);
    if (needsLog) logButtons.push_back(b);
    return b;
  };
  button(QT_TRANSLATE_NOOP("Tevra", "昇順"), [this] { list_.Sort(false); });
  button(QT_TRANSLATE_NOOP("Tevra", "降順"), [this] { list_.Sort(true); });
  button(QT_TRANSLATE_NOOP("Tevra", "時刻"), [this] { list_.SortByTime(); });
  button(QT_TRANSLATE_NOOP("Tevra", "削除"), [this] {
    const std::vector<std::size_t> rows = SelectedRows();
    if (!rows.empty()) {
      list_.DeleteRows(rows);
      return;
    }
    bool ok = false;
    const QString condition =
        askCondition ? askCondition()
                     : QInputDialog::getText(this, Tevra::tr("条件設定"), Tevra::tr("削除する条件"),
                                             QLineEdit::Normal, QStringLiteral("FALSE"), &ok);
    list_.DeleteByCondition(FromUnicode(condition.toStdString()));
  });
  QPushButton* edit = button(QT_TRANSLATE_NOOP("Tevra", "修正"), [this] {
    const std::vector<std::size_t> rows = SelectedRows();
    if (!rows.empty()) list_.EditRow(rows.front());
  });
  button(QT_TRANSLATE_NOOP("Tevra", "抑止"), [this] {
    SuppressionOptions options;
    if (!RunSuppressionDialog(options, this)) return;
    SuppressIssued(doc_, options);
    list_.ForgetHistory();  // the marks are in the log file now
    Refresh();
  });
  button(QT_TRANSLATE_NOOP("Tevra", "ﾁｪｯｸ"), [this] { list_.CheckAll([this](std::size_t row) { ShowRow(row); }); });
  button(QT_TRANSLATE_NOOP("Tevra", "作成"), [this] {
    // The plug-in's own file type follows the dBase one when it offers one.
    const std::optional<std::string> pluginType = list_.PluginFileType();
    const QString path = askExportPath ? askExportPath() : [this, &pluginType] {
      std::string filters = QT_TRANSLATE_NOOP("Tevra", "dBaseⅢ,Ⅳﾃﾞｰﾀﾌｧｲﾙ(*.dbf)|*.dbf|");
      if (pluginType) filters += ToUnicode(*pluginType);
      const auto chosen = doc_.program.ui.ChooseFileToSave(
          OpenFileRequest{QT_TRANSLATE_NOOP("Tevra", "ファイルの作成"), "dbf", "mylog", doc_.program.settings.load.curLogDir, filters + "|"});
      return chosen ? QString::fromStdString(*chosen) : QString();
    }();
    if (path.isEmpty()) return;
    if (pluginType && !path.endsWith(QStringLiteral(".dbf"), Qt::CaseInsensitive))
      list_.ExportThroughPlugin(path.toStdString());  // the file system's own bytes
    else
      list_.ExportDbf(path.toStdString());
  });
  button(QT_TRANSLATE_NOOP("Tevra", "ｴﾘｱ別"), [this] { ShowAreaStatistics(doc_.AreaStatistics(), this); });
  auto* ok = new QPushButton(QStringLiteral("OK"));
  auto* cancel = new QPushButton(Tevra::tr("ｷｬﾝｾﾙ"));
  connect(ok, &QPushButton::clicked, this, [this] {
    const std::vector<std::size_t> rows = SelectedRows();
    list_.Accept(rows.empty() ? std::nullopt : std::optional<std::size_t>(rows.front()));
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  // Buttons wait for a log; "修正" for a selected row.
  auto enable = [this, logButtons, edit] {
    for (QPushButton* b : logButtons) b->setEnabled(list_.ButtonsEnabled());
    edit->setEnabled(list_.ButtonsEnabled() && !SelectedRows().empty());
  };
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, enable);
  connect(model_, &QAbstractItemModel::modelReset, this, enable);
  enable();

  // The placement of the last showing ("LogWin").
  if (const auto& placement = doc_.program.settings.logWindow)
    setGeometry(std::max(0, placement->x), std::max(0, placement->y), std::max(590, placement->cx),
                std::max(200, placement->cy));
  else
    resize(900, 480);
  Refresh();
  const std::size_t current = doc_.store.CurrentQso();
  if (current < list_.RowCount()) ShowRow(current);
}

LogListWindow::~LogListWindow() = default;

std::vector<std::size_t> LogListWindow::SelectedRows() const {
  std::vector<std::size_t> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows())
    rows.push_back(static_cast<std::size_t>(index.row()));
  std::sort(rows.begin(), rows.end());
  return rows;
}

void LogListWindow::Refresh() {
  model_->Reset();
  count_->setText(Tevra::tr("%1 件").arg(list_.RowCount()));
}

void LogListWindow::ShowRow(std::size_t row) {
  table_->selectRow(static_cast<int>(row));
  table_->scrollTo(model_->index(static_cast<int>(row), 0));
}

void LogListWindow::done(int result) {
  // Cancel (or Esc, or the window's close button): the log as it was.
  if (result != QDialog::Accepted) list_.Cancel();
  const QRect r = geometry();
  doc_.program.settings.logWindow = WindowPlacement{r.width(), r.height(), r.x(), r.y()};
  QDialog::done(result);
}

}  // namespace tevra
