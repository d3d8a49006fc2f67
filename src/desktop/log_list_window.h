// The log list window on LogList: a table view reading the store row by
// row as it is shown (no copy of the log), the count, the sort switches
// and the buttons.
#pragma once

#include <QDialog>

#include "program/log_list.h"

class QLabel;
class QTableView;

namespace tevra {

class LogTableModel;

class LogListWindow : public QDialog {
  Q_OBJECT

 public:
  LogListWindow(Document& doc, QWidget* parent = nullptr);
  ~LogListWindow() override;
  QTableView* Table() const { return table_; }
  LogList& List() { return list_; }
  // The rows selected, in order.
  std::vector<std::size_t> SelectedRows() const;

  // The condition "削除" asks for with nothing selected; a test answers it.
  std::function<QString()> askCondition;
  // The file "作成" writes; a test answers it (empty: cancelled).
  std::function<QString()> askExportPath;

 protected:
  void done(int result) override;

 private:
  void Refresh();
  void ShowRow(std::size_t row);

  Document& doc_;
  LogList list_;
  LogTableModel* model_;
  QTableView* table_;
  QLabel* count_;
};

}  // namespace tevra
