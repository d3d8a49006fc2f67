// Models of the table and macro dialogs: the condition-table dialog, the
// mode-conversion dialog and the macro dialog. Each works on its own rows
// until OK.
#pragma once

#include <array>
#include <string_view>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "merge/tables.h"
#include "core/translatable.h"

namespace tevra {

class Ui;

// Where the condition-table dialog was last ("TableWin": X, Y, CX, CY and
// the two column widths).
struct TableWindowPlacement {
  int X = 0, Y = 0, CX = 0, CY = 0, W1 = 0, W2 = 0;
};

// Rows of (key, text): conditions and texts, or modes and texts.
class TableDialog {
 public:
  enum class Kind { Condition, Mode };
  using Row = std::pair<std::string, std::string>;

  TableDialog(Kind kind, std::vector<Row> rows) : kind_(kind), rows_(std::move(rows)) {}
  static TableDialog ForConditions(const ConditionTable& table);
  static TableDialog ForModes(const ModeConversionTable& table);

  std::string Title() const;  // UTF-8
  // What the dialog shows (UTF-8): the list's two headings, the labels of
  // the two fields; the condition table's key offers the condition
  // templates, and only it moves and sorts rows (↑, ↓, 並び替え).
  std::array<std::string_view, 2> ColumnLabels() const;
  std::array<std::string_view, 2> FieldLabels() const;
  bool OffersTemplates() const { return kind_ == Kind::Condition; }
  bool Reorders() const { return kind_ == Kind::Condition; }
  const std::vector<Row>& Rows() const { return rows_; }
  const std::set<std::size_t>& Selection() const { return selection_; }
  // Selecting one row copies it into the fields.
  void Select(std::size_t row);
  void SetSelection(std::set<std::size_t> rows) { selection_ = std::move(rows); }
  std::string Key;   // CP932
  std::string Text;  // CP932, real line breaks

  // "追加/変更": the row whose key equals Key without regard to case gets
  // Text; otherwise a row is appended. Nothing for an empty key.
  void AddOrChange();
  // "カット": removes the selected rows; the last removed one can be pasted.
  void Cut();
  // "ペースト": before the selected row, or at the end.
  void Paste();
  void MoveUp();
  void MoveDown();
  // "並び替え": by key in byte order, rows whose key is "TRUE" last.
  void Sort();
  // "ロード" / "セーブ" through the file dialogs.
  void Load(Ui& ui, const std::string& directory);
  void Save(Ui& ui, const std::string& directory) const;

  // OK: the rows as a table.
  ConditionTable ToConditionTable() const;
  ModeConversionTable ToModeTable() const;

 private:
  bool Escaped() const { return kind_ == Kind::Condition; }
  Kind kind_;
  std::vector<Row> rows_;
  std::set<std::size_t> selection_;
  std::optional<Row> clipboard_;
};

// How "参照" reads the macros of another layout file: the macros, or the
// message to show.
struct MacroFileResult {
  enum class Status { Ok, CannotOpen, WrongFormat } status = Status::Ok;
  std::vector<std::pair<std::string, std::string>> macros;
};
using MacroFileReader = std::function<MacroFileResult(const std::string& path)>;

class MacroDialog {
 public:
  using Row = std::pair<std::string, std::string>;

  explicit MacroDialog(const MacroList& macros, MacroFileReader reader = {})
      : rows_(macros.Macros()), reader_(std::move(reader)) {}

  // What the dialog shows (UTF-8): its title, and the list's headings,
  // which are also the fields' labels.
  static constexpr std::string_view kTitle = QT_TRANSLATE_NOOP("Tevra", "マクロ設定");
  static constexpr std::array<std::string_view, 2> kLabels = {QT_TRANSLATE_NOOP("Tevra", "マクロ名"), QT_TRANSLATE_NOOP("Tevra", "定義文字列")};

  const std::vector<Row>& Rows() const { return rows_; }
  void Select(std::set<std::size_t> rows);
  bool DeleteEnabled() const { return !selection_.empty(); }
  // "参照" is there only while a layout-file reader is given.
  bool ReferenceEnabled() const { return static_cast<bool>(reader_); }
  std::string Name;  // CP932
  std::string Text;

  // "追加/変更": the row whose name equals Name without regard to case.
  void AddOrChange();
  // "削除".
  void Delete();
  // "参照": replaces the rows by another layout file's macros.
  void Reference(Ui& ui);
  // OK: rebuilds the list in row order and clears the card's message flag.
  void Accept(MacroList& macros, MergeContext& context) const;

 private:
  std::vector<Row> rows_;
  std::set<std::size_t> selection_;
  MacroFileReader reader_;
};

}  // namespace tevra
