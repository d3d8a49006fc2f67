#include "desktop/help_window.h"
#include "qt/translation.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

namespace tevra {

QString HelpWindow::ManualText() {
  QFile file(QStringLiteral(":/manual.md"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      contents_(std::make_unique<HelpContents>(ManualText().toStdString())),
      search_(new QLineEdit),
      list_(new QListWidget),
      browser_(new QTextBrowser) {
  setWindowTitle(Tevra::tr("TEVRA ヘルプ"));
  search_->setPlaceholderText(Tevra::tr("検索"));
  search_->setClearButtonEnabled(true);
  browser_->setOpenExternalLinks(true);
  browser_->setMarkdown(QString::fromStdString(contents_->Text()));

  auto* side = new QWidget;
  auto* sideLayout = new QVBoxLayout(side);
  sideLayout->setContentsMargins(0, 0, 0, 0);
  sideLayout->addWidget(search_);
  sideLayout->addWidget(list_);
  auto* splitter = new QSplitter;
  splitter->addWidget(side);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 3);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(splitter);
  resize(900, 640);

  Filter({});
  connect(search_, &QLineEdit::textChanged, this, &HelpWindow::Filter);
  connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (!item) return;
    ShowSection(item->data(Qt::UserRole).toULongLong());
    // A search term is found in the section and marked.
    if (!search_->text().trimmed().isEmpty()) browser_->find(search_->text().trimmed().section(QChar(' '), 0, 0));
  });
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::Filter(const QString& query) {
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (std::size_t i : contents_->Find(query.toStdString())) {
    const HelpSection& s = contents_->Sections()[i];
    auto* item = new QListWidgetItem(QString(std::max(0, s.level - 2) * 4, QChar(' ')) + QString::fromStdString(s.title));
    item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(i));
    list_->addItem(item);
  }
}

void HelpWindow::ShowSection(std::size_t section) {
  // A section the manual lacks: its beginning.
  if (section >= contents_->Sections().size()) section = 0;
  current_ = section;
  // The document's headings come in the manual's order.
  for (int row = 0; row < list_->count(); ++row)
    if (list_->item(row)->data(Qt::UserRole).toULongLong() == section) {
      const QSignalBlocker quiet(list_);
      list_->setCurrentRow(row);
    }
  const bool first = !isVisible();
  show();
  raise();
  activateWindow();
  ScrollToSection();
  // The window's first showing lays the text out again at its width.
  if (first) QTimer::singleShot(0, this, &HelpWindow::ScrollToSection);
}

void HelpWindow::ScrollToSection() {
  QTextDocument* document = browser_->document();
  std::size_t heading = 0;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 0 || heading++ != current_) continue;
    browser_->setTextCursor(QTextCursor(block));
    browser_->verticalScrollBar()->setValue(static_cast<int>(document->documentLayout()->blockBoundingRect(block).top()));
    return;
  }
}

}  // namespace tevra
