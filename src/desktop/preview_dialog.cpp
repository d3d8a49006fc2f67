#include "desktop/preview_dialog.h"
#include "qt/translation.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevra {

namespace {

// The pages shown, scaled to fit, on the grey of the window.
class PageSheet : public QWidget {
 public:
  PageSheet(PagePreview& pages, const int& current, const int& sideBySide)
      : pages_(pages), current_(current), sideBySide_(sideBySide) {
    setMinimumSize(320, 240);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int shown = std::min(sideBySide_, pages_.PageCount() - current_ + 1);
    if (shown <= 0) return;
    constexpr int kMargin = 12;
    const int slotWidth = (width() - kMargin * (shown + 1)) / shown;
    for (int k = 0; k < shown; ++k) {
      const QImage& page = pages_.Page(current_ + k);
      if (page.isNull()) continue;
      const QSize fitted = page.size().scaled(slotWidth, height() - 2 * kMargin, Qt::KeepAspectRatio);
      const QRect target(kMargin + k * (slotWidth + kMargin) + (slotWidth - fitted.width()) / 2,
                         (height() - fitted.height()) / 2, fitted.width(), fitted.height());
      painter.fillRect(target.translated(3, 3), QColor(0x40, 0x40, 0x40));
      painter.drawImage(target, page);
    }
  }

 private:
  PagePreview& pages_;
  const int& current_;
  const int& sideBySide_;
};

}  // namespace

PreviewDialog::PreviewDialog(PagePreview& pages, int first, int sideBySide, QWidget* parent)
    : QDialog(parent), pages_(pages), sheet_(new PageSheet(pages, current_, sideBySide_)), where_(new QLabel),
      previous_(new QPushButton(Tevra::tr("前ページ"))), next_(new QPushButton(Tevra::tr("次ページ"))),
      twoPages_(new QPushButton(Tevra::tr("2ページ"))) {
  setWindowTitle(Tevra::tr("印刷ﾌﾟﾚﾋﾞｭｰ"));
  auto* close = new QPushButton(Tevra::tr("閉じる"));
  twoPages_->setCheckable(true);
  auto* bar = new QHBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(previous_), static_cast<QWidget*>(next_), static_cast<QWidget*>(twoPages_)})
    bar->addWidget(w);
  bar->addWidget(where_, 1);
  bar->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(sheet_, 1);
  connect(previous_, &QPushButton::clicked, this, [this] { ShowPage(current_ - sideBySide_); });
  connect(next_, &QPushButton::clicked, this, [this] { ShowPage(current_ + sideBySide_); });
  connect(twoPages_, &QPushButton::toggled, this, [this](bool two) { SetSideBySide(two ? 2 : 1); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  resize(900, 700);
  sideBySide_ = std::clamp(sideBySide, 1, 2);
  twoPages_->setChecked(sideBySide_ == 2);
  ShowPage(first);
}

void PreviewDialog::ShowPage(int page) {
  current_ = std::clamp(page, 1, std::max(1, pages_.PageCount()));
  Update();
}

void PreviewDialog::SetSideBySide(int pages) {
  sideBySide_ = std::clamp(pages, 1, 2);
  const QSignalBlocker quiet(twoPages_);
  twoPages_->setChecked(sideBySide_ == 2);
  Update();
}

void PreviewDialog::Update() {
  const int last = std::min(pages_.PageCount(), current_ + sideBySide_ - 1);
  where_->setText(last > current_ ? Tevra::tr("ページ %1-%2 / %3").arg(current_).arg(last).arg(pages_.PageCount())
                                  : Tevra::tr("ページ %1 / %2").arg(current_).arg(pages_.PageCount()));
  previous_->setEnabled(current_ > 1);
  next_->setEnabled(last < pages_.PageCount());
  sheet_->update();
}

void PreviewDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Right: ShowPage(current_ + sideBySide_); return;
    case Qt::Key_PageUp:
    case Qt::Key_Left: ShowPage(current_ - sideBySide_); return;
    case Qt::Key_Home: ShowPage(1); return;
    case Qt::Key_End: ShowPage(pages_.PageCount()); return;
    default: QDialog::keyPressEvent(event);
  }
}

}  // namespace tevra
