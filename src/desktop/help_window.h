// The help window: the user's manual with its contents and a search beside
// it. The sections and the search are HelpContents'; this only shows them.
#pragma once

#include <QWidget>
#include <memory>

#include "program/help_contents.h"

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace tevra {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // The manual built into the program.
  static QString ManualText();

  explicit HelpWindow(QWidget* parent = nullptr);
  ~HelpWindow() override;

  const HelpContents& Contents() const { return *contents_; }
  // Shows the window at a section (its heading at the top; the first one
  // for a section the manual lacks).
  void ShowSection(std::size_t section);
  // The section shown last.
  std::size_t CurrentSection() const { return current_; }
  QLineEdit* Search() const { return search_; }
  QListWidget* List() const { return list_; }
  QTextBrowser* Browser() const { return browser_; }

 private:
  void Filter(const QString& query);
  // The current section's heading at the top of the text.
  void ScrollToSection();

  std::unique_ptr<HelpContents> contents_;
  QLineEdit* search_;
  QListWidget* list_;
  QTextBrowser* browser_;
  std::size_t current_ = 0;
};

}  // namespace tevra
