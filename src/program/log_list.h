// The log list ("ログリスト") apart from its window: the texts of its rows,
// read from the store as they are shown, and its operations — sorting,
// deleting, editing, checking, exporting — with their questions.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/qso_record.h"
#include "log/log_store.h"
#include "log/qso_edit_dialog.h"

namespace tevra {

class Document;

struct LogListColumn {
  std::string_view title;
  int width;
};

class LogList {
 public:
  static constexpr int kColumnCount = 16;
  static std::span<const LogListColumn> Columns();

  explicit LogList(Document& doc);

  std::size_t RowCount() const;
  // The text of a cell (CP932), read from the store.
  std::string Cell(std::size_t row, int column) const;
  std::string CountText() const;  // "%u 件" (UTF-8)
  std::string Title() const;      // UTF-8
  bool SortCountryEnabled() const;
  bool ButtonsEnabled() const { return RowCount() > 0; }

  void Sort(bool descending);
  void SortByTime();
  // "削除" with rows selected: asks, warns about printed rows awaiting the
  // write-back (Cancel stops). True when something was deleted.
  bool DeleteRows(std::vector<std::size_t> rows);
  // "削除" with none selected: by a condition ("FALSE" deletes nothing).
  bool DeleteByCondition(const std::string& condition);
  // "修正": the QSO edit dialog on the row; true when it was changed.
  bool EditRow(std::size_t row);
  // "ﾁｪｯｸ": showRow(row) is called before each question about a row.
  void CheckAll(const std::function<void(std::size_t)>& showRow);
  // What "ﾁｪｯｸ" finds wrong with a row, or nothing.
  std::optional<std::string_view> Problem(std::size_t row) const;
  // "作成": the dBase file of every QSO. Message 105 on failure.
  bool ExportDbf(const std::string& path) const;
  // The plug-in's own file type for "作成" ("name|pattern|"), when it
  // creates files; and the export through it: one line per QSO.
  std::optional<std::string> PluginFileType() const;
  bool ExportThroughPlugin(const std::string& path) const;
  // The line the plug-in receives for a row: the list texts of Date, JST,
  // Call, RST, MHz, MODE, Pow, Name, QTH, QSL, S, R and Env, each followed
  // by a comma, with Name, QTH and QSL in double quotes.
  std::string PluginLine(std::size_t row) const;
  // OK: the selected row's card becomes current.
  void Accept(std::optional<std::size_t> selected);

  // Edits, deletions and sorts can be undone and redone while the window is
  // open, and Cancel takes the log back to what the window found. Neither
  // touches the log file. A history holds copies of the entries: as many
  // steps as kHistoryEntries entries allow (two for a million QSOs).
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  void Undo();
  void Redo();
  void Cancel();
  // After something the log file now holds (suppression marks): no way
  // back past it.
  void ForgetHistory();
  static constexpr std::size_t kHistoryEntries = 2'000'000;

 private:
  // Before a change.
  void Remember();
  void Restore(LogStore::EntriesState state);

  Document& doc_;
  std::vector<LogStore::EntriesState> undo_, redo_;
  std::optional<LogStore::EntriesState> opened_;
};

// The 22 fields of the dBase export, and one QSO's values for them.
std::vector<std::string> ExportFieldNames();
std::vector<std::size_t> ExportFieldLengths();

}  // namespace tevra
