#include "merge/tables.h"

#include "core/file_io.h"

#include <cstdio>
#include <fstream>
#include <memory>

#include "core/line_reader.h"
#include "core/text.h"
#include "merge/macro_expander.h"
#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {
namespace {

constexpr std::size_t kTableLineMax = 32767;
constexpr std::size_t kBlockLineMax = 511;
constexpr std::string_view kConvertQuestion = QT_TRANSLATE_NOOP("Tevra", "条件テーブルの内容を条件展開命令に変換しますか？");

// n of "(n)" at the start of rest: DecimalValue of the text up to the
// matching ")" (at most 31 characters); nullopt without a ")".
std::optional<int> BracketNumber(std::string_view rest) {
  std::string number;
  if (!CopyToClose(number, rest, ')', 31)) return std::nullopt;
  return DecimalValue(number);
}

bool IsWord(std::string_view line, std::string_view word) {
  return line == word || (line.starts_with(word) && line.size() > word.size() && line[word.size()] == ' ');
}

}  // namespace

void ConditionTable::SetRow(std::string_view condition, std::string_view text) {
  for (auto& row : rows_)
    if (row.Condition == condition) {
      row.Text = std::string(text);
      return;
    }
  rows_.push_back({std::string(condition), std::string(text)});
}

std::string ModeConversionTable::ModeText(std::string_view mode) const {
  for (const auto& row : rows_)
    if (EqualsNoCase(row.Mode, mode)) return row.Text;
  return std::string(mode);
}

void MacroList::SetMacro(std::string_view name, std::string_view text) {
  for (auto& [n, t] : macros_)
    if (n == name) {
      t = std::string(text);
      return;
    }
  macros_.emplace_back(std::string(name), std::string(text));
}

std::optional<std::string> MacroList::FindMacro(std::string_view name) const {
  for (const auto& [n, t] : macros_)
    if (n == name) return t;
  return std::nullopt;
}

std::optional<int> ItemTableReference(std::string_view text) {
  if (text.starts_with("@Table(")) {
    if (auto n = BracketNumber(text.substr(7)); n && *n >= 1 && *n <= 10) return *n;
  }
  if (text.starts_with("@Table")) return 0;
  return std::nullopt;
}

std::optional<int> DataMarkTableReference(std::string_view field) {
  if (field == "Table") return 0;
  if (field.starts_with("Table(")) {
    if (auto n = BracketNumber(field.substr(6)); n && *n >= 1 && *n <= 10) return *n;
  }
  return std::nullopt;
}

std::string TableLookup(MacroExpander& expander, const ConditionTable& table, QsoRecord& record, bool multiLine) {
  if (!expander.Context().CardQsos) return "@Table";
  for (const auto& row : table.Rows())
    if (expander.EvaluateConditions(row.Condition, record))
      return multiLine ? expander.ActiveText(row.Text) : expander.FirstActiveLine(row.Text);
  return "";
}

std::string TableToBlock(const ConditionTable& table) {
  const auto& rows = table.Rows();
  if (rows.size() == 1 && rows[0].Condition == "TRUE") return rows[0].Text;
  std::string text;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i + 1 == rows.size() && i > 0 && rows[i].Condition == "TRUE")
      text += "@else";
    else
      text += (i == 0 ? "@if " : "@elseif ") + rows[i].Condition;
    text += "\r\n" + rows[i].Text + "\r\n";
  }
  text += "@endif";
  return text;
}

std::string BlockToTable(std::string_view text, ConditionTable& table) {
  if (text.starts_with("%{") && text.ends_with("}") && text.size() >= 3) return std::string(text.substr(2, text.size() - 3));
  table = ConditionTable{};
  if (!text.starts_with("@if")) {
    table.SetRow("TRUE", text);
    return "Table";
  }
  int depth = 0;
  bool closed = false;
  std::string key;
  std::string gathered;
  bool anyLine = false;
  auto store = [&] {
    if (anyLine && !gathered.empty()) table.SetRow(key, gathered);
    gathered.clear();
    anyLine = false;
  };
  auto add = [&](std::string_view line) {
    if (anyLine) gathered += "\r\n";
    gathered += line;
    anyLine = true;
  };
  std::string_view rest = text;
  while (!rest.empty()) {
    const auto end = rest.find_first_of("\r\n");
    const std::string_view raw = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + (rest.compare(end, 2, "\r\n") == 0 ? 2 : 1));
    const std::string_view line = PrefixOfChars(raw, kBlockLineMax);
    const std::string_view trimmed = SkipBlanks(line);
    if (closed) {
      if (!line.empty()) {  // text after the block: keep it all as one row
        table = ConditionTable{};
        table.SetRow("TRUE", text);
        return "Table";
      }
      continue;
    }
    if (trimmed.starts_with("@if")) {
      if (depth++ == 0) {
        key = std::string(SkipBlanks(trimmed.substr(3)));
        continue;
      }
    } else if (depth == 1 && trimmed.starts_with("@elseif")) {
      store();
      key = std::string(SkipBlanks(trimmed.substr(7)));
      continue;
    } else if (depth == 1 && IsWord(trimmed, "@else")) {
      store();
      key = "TRUE";
      continue;
    } else if (IsWord(trimmed, "@endif")) {
      if (--depth == 0) {
        store();
        key = "$End";
        closed = true;
        continue;
      }
    }
    add(line);
  }
  store();
  return "Table";
}

std::string DataMarkFieldToText(std::string_view field, const ConditionTable& table, Ui& ui, ConditionTable& newTable) {
  if (field == "Table") {
    const auto& rows = table.Rows();
    const bool singleTrue = rows.size() == 1 && rows[0].Condition == "TRUE";
    if (singleTrue || ui.Ask(kConvertQuestion, Buttons::YesNo) == Answer::Yes) return TableToBlock(table);
    newTable = table;
    return "@Table";
  }
  if (field.starts_with('%')) return std::string(field);
  return "%{" + std::string(field) + "}";
}

bool SaveTableFile(const std::string& path, const TableFileRows& rows, bool escapeLineBreaks) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  for (const auto& [key, text] : rows) {
    std::string value = text;
    if (escapeLineBreaks) EscapeLineBreaks(value);
    out << '"' << key << "\",\"" << value << "\"\n";
  }
  out.close();
  return out.good();
}

TableFileRows ParseTableFile(std::string_view bytes, bool unescapeLineBreaks) {
  TableFileRows rows;
  while (!bytes.empty()) {
    const auto end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    line = line.substr(0, std::min(line.size(), kTableLineMax));
    line = line.substr(0, std::min(line.find_first_of(std::string_view("\r\0", 2)), line.size()));
    if (line.empty()) continue;
    const std::string_view key = SplitComma(line);
    std::string text(SplitComma(line));
    if (unescapeLineBreaks) UnescapeLineBreaks(text);
    rows.emplace_back(std::string(key), std::move(text));
  }
  return rows;
}

std::optional<TableFileRows> LoadTableFile(const std::string& path, bool unescapeLineBreaks) {
  std::string bytes;
  if (ReadRegularFile(path, bytes, kDocumentFileMax) != FileReadResult::Ok) return std::nullopt;
  return ParseTableFile(bytes, unescapeLineBreaks);
}

}  // namespace tevra
