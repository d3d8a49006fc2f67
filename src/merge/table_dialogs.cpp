#include "merge/table_dialogs.h"

#include <algorithm>

#include "core/messages.h"
#include "core/text.h"
#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {
namespace {

constexpr std::string_view kTextFilter = QT_TRANSLATE_NOOP("Tevra", "テキストファイル(*.txt)|*.txt||");

// Index of the row whose key equals key without regard to case.
template <typename Rows>
std::optional<std::size_t> FindKey(const Rows& rows, std::string_view key) {
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (EqualsNoCase(rows[i].first, key)) return i;
  return std::nullopt;
}

}  // namespace

TableDialog TableDialog::ForConditions(const ConditionTable& table) {
  std::vector<Row> rows;
  for (const auto& r : table.Rows()) rows.emplace_back(r.Condition, r.Text);
  return TableDialog(Kind::Condition, std::move(rows));
}

TableDialog TableDialog::ForModes(const ModeConversionTable& table) {
  std::vector<Row> rows;
  for (const auto& r : table.Rows()) rows.emplace_back(r.Mode, r.Text);
  return TableDialog(Kind::Mode, std::move(rows));
}

std::array<std::string_view, 2> TableDialog::ColumnLabels() const {
  if (kind_ == Kind::Mode) return {"MODE", QT_TRANSLATE_NOOP("Tevra", "文字列")};
  return {QT_TRANSLATE_NOOP("Tevra", "条件式"), QT_TRANSLATE_NOOP("Tevra", "展開する文字列")};
}

std::array<std::string_view, 2> TableDialog::FieldLabels() const {
  if (kind_ == Kind::Mode) return {"MODE", QT_TRANSLATE_NOOP("Tevra", "文字列")};
  return {QT_TRANSLATE_NOOP("Tevra", "キー"), QT_TRANSLATE_NOOP("Tevra", "文字列")};
}

std::string TableDialog::Title() const { return kind_ == Kind::Condition ? QT_TRANSLATE_NOOP("Tevra", "条件テーブル") : QT_TRANSLATE_NOOP("Tevra", "モード変換テーブル"); }

void TableDialog::Select(std::size_t row) {
  if (row >= rows_.size()) return;
  selection_ = {row};
  Key = rows_[row].first;
  Text = rows_[row].second;
}

void TableDialog::AddOrChange() {
  if (Key.empty()) return;
  if (auto i = FindKey(rows_, Key)) rows_[*i].second = Text;
  else rows_.emplace_back(Key, Text);
}

void TableDialog::Cut() {
  for (auto it = selection_.rbegin(); it != selection_.rend(); ++it) {
    if (*it >= rows_.size()) continue;
    clipboard_ = rows_[*it];
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*it));
  }
  selection_.clear();
}

void TableDialog::Paste() {
  if (!clipboard_) return;
  const std::size_t at = selection_.empty() ? rows_.size() : std::min(*selection_.begin(), rows_.size());
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), *clipboard_);
}

void TableDialog::MoveUp() {
  if (selection_.size() != 1) return;
  const std::size_t i = *selection_.begin();
  if (i == 0 || i >= rows_.size()) return;
  std::swap(rows_[i], rows_[i - 1]);
  selection_ = {i - 1};
}

void TableDialog::MoveDown() {
  if (selection_.size() != 1) return;
  const std::size_t i = *selection_.begin();
  if (i + 1 >= rows_.size()) return;
  std::swap(rows_[i], rows_[i + 1]);
  selection_ = {i + 1};
}

void TableDialog::Sort() {
  std::stable_sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) {
    const bool aTrue = a.first == "TRUE", bTrue = b.first == "TRUE";
    if (aTrue != bTrue) return bTrue;
    return a.first < b.first;
  });
  selection_.clear();
}

void TableDialog::Load(Ui& ui, const std::string& directory) {
  OpenFileRequest request{QT_TRANSLATE_NOOP("Tevra", "テキストファイルから読み込み"), "txt", kind_ == Kind::Condition ? "table.txt" : "convmode.txt",
                          directory, std::string(kTextFilter)};
  auto choice = ui.ChooseFileToOpen(request);
  if (!choice) return;
  auto rows = LoadTableFile(choice->path, Escaped());
  if (!rows) {
    ui.ShowMessage(msg::kCannotReadFile104);
    return;
  }
  rows_ = std::move(*rows);
  selection_.clear();
}

void TableDialog::Save(Ui& ui, const std::string& directory) const {
  OpenFileRequest request{QT_TRANSLATE_NOOP("Tevra", "テキストファイルにセーブ"), "txt", kind_ == Kind::Condition ? "table.txt" : "convmode.txt",
                          directory, std::string(kTextFilter)};
  auto path = ui.ChooseFileToSave(request);
  if (path && !SaveTableFile(*path, rows_, Escaped())) ui.ShowMessage(msg::kCannotCreateFile105);
}

ConditionTable TableDialog::ToConditionTable() const {
  ConditionTable table;
  for (const auto& [key, text] : rows_) table.Rows().push_back({key, text});
  return table;
}

ModeConversionTable TableDialog::ToModeTable() const {
  ModeConversionTable table;
  for (const auto& [key, text] : rows_) table.Rows().push_back({key, text});
  return table;
}

void MacroDialog::Select(std::set<std::size_t> rows) {
  std::erase_if(rows, [this](std::size_t i) { return i >= rows_.size(); });
  selection_ = std::move(rows);
  if (selection_.size() == 1) {
    Name = rows_[*selection_.begin()].first;
    Text = rows_[*selection_.begin()].second;
  }
}

void MacroDialog::AddOrChange() {
  if (Name.empty()) return;
  if (auto i = FindKey(rows_, Name)) rows_[*i].second = Text;
  else rows_.emplace_back(Name, Text);
}

void MacroDialog::Delete() {
  for (auto it = selection_.rbegin(); it != selection_.rend(); ++it) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*it));
  selection_.clear();
}

void MacroDialog::Reference(Ui& ui) {
  if (!reader_) return;
  OpenFileRequest request{"", "tvd", "", "", QT_TRANSLATE_NOOP("Tevra", "TEVRAデータファイル(*.tvd)|*.tvd||")};
  auto choice = ui.ChooseFileToOpen(request);
  if (!choice) return;
  MacroFileResult result = reader_(choice->path);
  switch (result.status) {
    case MacroFileResult::Status::CannotOpen: ui.ShowMessage(msg::kCannotReadFile104); return;
    case MacroFileResult::Status::WrongFormat: ui.ShowMessage(msg::kUnexpectedFormat107); return;
    case MacroFileResult::Status::Ok: break;
  }
  rows_ = std::move(result.macros);
  selection_.clear();
}

void MacroDialog::Accept(MacroList& macros, MergeContext& context) const {
  macros.Clear();
  for (const auto& [name, text] : rows_) macros.SetMacro(name, text);
  context.MessageShown = false;
}

}  // namespace tevra
