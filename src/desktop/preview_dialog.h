// The print preview: the pages of a merge print, one or two side by side,
// each drawn when it is shown (PagePreview), so that a long log opens at
// once and costs the memory of a few pages.
#pragma once

#include <QDialog>

#include "program/print_output.h"

class QLabel;
class QPushButton;

namespace tevra {

class PreviewDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens at `first` with `sideBySide` pages (1 or 2).
  PreviewDialog(PagePreview& pages, int first, int sideBySide, QWidget* parent = nullptr);

  const PagePreview& Pages() const { return pages_; }
  int CurrentPage() const { return current_; }
  int SideBySide() const { return sideBySide_; }
  void ShowPage(int page);
  void SetSideBySide(int pages);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Update();

  PagePreview& pages_;
  int current_ = 1;
  int sideBySide_ = 1;
  QWidget* sheet_;
  QLabel* where_;
  QPushButton* previous_;
  QPushButton* next_;
  QPushButton* twoPages_;
};

}  // namespace tevra
