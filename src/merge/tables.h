// Condition tables, the mode conversion table and the user macros: the
// merge-language data a layout document owns.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "merge/merge_context.h"

namespace tevra {

class MacroExpander;
class Ui;

struct ConditionRow {
  std::string Condition;
  std::string Text;
  bool operator==(const ConditionRow&) const = default;
};

class ConditionTable {
 public:
  // Replaces the text of the row whose condition equals condition exactly,
  // or appends a row.
  void SetRow(std::string_view condition, std::string_view text);
  std::vector<ConditionRow>& Rows() { return rows_; }
  const std::vector<ConditionRow>& Rows() const { return rows_; }
  bool operator==(const ConditionTable&) const = default;

 private:
  std::vector<ConditionRow> rows_;
};

struct ModeRow {
  std::string Mode;
  std::string Text;
  bool operator==(const ModeRow&) const = default;
};

class ModeConversionTable : public ModeConverter {
 public:
  // The text of the first row whose mode equals mode without regard to
  // case; the mode unchanged when none does.
  std::string ModeText(std::string_view mode) const override;
  std::vector<ModeRow>& Rows() { return rows_; }
  const std::vector<ModeRow>& Rows() const { return rows_; }

 private:
  std::vector<ModeRow> rows_;
};

class MacroList : public MacroLookup {
 public:
  void SetMacro(std::string_view name, std::string_view text);
  std::optional<std::string> FindMacro(std::string_view name) const override;
  void Clear() { macros_.clear(); }
  const std::vector<std::pair<std::string, std::string>>& Macros() const { return macros_; }

 private:
  std::vector<std::pair<std::string, std::string>> macros_;
};

// The tables of a layout document.
struct DocumentTables {
  std::array<ConditionTable, 10> Common;  // "Table(1)" .. "Table(10)"
  ModeConversionTable Modes;
  MacroList Macros;
};

// Which table an item's text refers to: 0 the item's own, 1..10 a common
// table, nullopt none (string items and text boxes: "@Table", "@Table(n)").
std::optional<int> ItemTableReference(std::string_view text);
// The same for a data mark's field ("Table", "Table(n)"); nullopt means the
// field is a variable name.
std::optional<int> DataMarkTableReference(std::string_view field);

// The printed text of a table for record: "@Table" while no log data is
// merged; the first row whose condition holds, as one line or all lines.
std::string TableLookup(MacroExpander& expander, const ConditionTable& table, QsoRecord& record, bool multiLine);

// A table as an "@if" block, and back. BlockToTable returns the data mark
// field the text becomes ("Table", or a variable name from "%{name}").
std::string TableToBlock(const ConditionTable& table);
std::string BlockToTable(std::string_view text, ConditionTable& table);

// A data mark's field as the text of a string item or text box. A table
// that is more than one "TRUE" row becomes an "@if" block only when the user
// agrees; otherwise the item keeps a copy of the table and the text "@Table".
std::string DataMarkFieldToText(std::string_view field, const ConditionTable& table, Ui& ui,
                                ConditionTable& newTable);

// Table text files: one line per row, "key","text". Condition-table texts
// have their line breaks escaped.
using TableFileRows = std::vector<std::pair<std::string, std::string>>;
bool SaveTableFile(const std::string& path, const TableFileRows& rows, bool escapeLineBreaks);
std::optional<TableFileRows> LoadTableFile(const std::string& path, bool unescapeLineBreaks);
TableFileRows ParseTableFile(std::string_view bytes, bool unescapeLineBreaks);

}  // namespace tevra
