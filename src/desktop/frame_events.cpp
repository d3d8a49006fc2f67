// The window's help and input: the help window and the context help's
// armed state, the clicks beside the card, and files dropped onto it.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollArea>

#include "desktop/help_window.h"
#include "desktop/main_frame.h"
#include "editor/card_view.h"
#include "import/log_source.h"
#include "qt/translation.h"

namespace tevra {

HelpWindow* MainFrame::ShowHelp(std::size_t section) {
  if (!help_) help_ = std::make_unique<HelpWindow>(this);
  help_->ShowSection(section);
  return help_.get();
}

void MainFrame::ArmContextHelp(bool armed) {
  if (armed == contextHelp_) return;
  contextHelp_ = armed;
  // While armed, every press and key of the program passes here first.
  if (armed) {
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    panes_[0]->setText(Tevra::tr("ヘルプを表示するコマンドを選ぶか、カードをクリックしてください (Esc: 中止)"));
  } else {
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    panes_[0]->setText(IdleText());
  }
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (contextHelp_) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      ArmContextHelp(false);
      return true;
    }
    // A click on the card or beside it: the part about designing.
    if (event->type() == QEvent::MouseButtonPress && (watched == view_ || (scroll_ && watched == scroll_->viewport()))) {
      ArmContextHelp(false);
      if (!help_) help_ = std::make_unique<HelpWindow>(this);
      ShowHelp(help_->Contents().SectionTitled("Designing a card"));
      return true;
    }
  }
  if (scroll_ && watched == scroll_->viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() == Qt::LeftButton) {
      LayoutItemList& items = doc_.layout.Items;
      items.Selection().Clear();
      items.SetCurrent(nullptr);
      mouse_ = view_->ToLogical(view_->mapFrom(scroll_->viewport(), press->position().toPoint()));
      Redraw();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainFrame::OpenDropped(const std::string& path) {
  // As the command line's: layouts and logs by name; a layout replaces the
  // document only after the save question.
  if (!ReaderForNamedFile(path) && !files_.AskToSave()) return;
  OpenByName(path);
}

void MainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) OpenDropped(url.toLocalFile().toStdString());
  event->acceptProposedAction();
}

}  // namespace tevra
