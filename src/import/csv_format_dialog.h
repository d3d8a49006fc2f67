// The CSV format dialog's model: the formula of every column, the
// delimiter, the UTC switch, the skip count, guessing, testing, and loading
// and saving setting files. The Qt view only binds widgets to it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/column_keywords.h"
#include "core/qso_record.h"

namespace tevra {

class Ui;

// The keywords offered in the formula box, in order (CP932).
extern const std::array<std::string_view, 44> kFormulaKeywords;

class CsvFormatDialog {
 public:
  enum class Kind { CsvText, Dbase, Odbc, Plugin };

  // samples: up to 32 source lines or records (CP932); fieldNames: the
  // source's field names (CP932), empty for CSV text; sourceName: the file
  // or source shown in the title (UTF-8).
  CsvFormatDialog(Kind kind, std::vector<std::string> samples, std::vector<std::string> fieldNames,
                  const RecordLayout& layout, const QsoRecord& defaultQso, std::string sourceName = {});

  Kind GetKind() const { return kind_; }
  std::string Title() const;  // UTF-8
  bool HasFieldNames() const { return !fieldNames_.empty(); }
  const std::vector<std::string>& Samples() const { return samples_; }

  // The 32 rows.
  const std::string& Formula(int row) const { return layout_.columns.at(row); }
  // "1".."32", or the field name for sources with field names.
  std::string RowLabel(int row) const;
  // The shown sample (the one at the skip count) split as the delimiter splits it.
  std::vector<std::string> SampleFields() const;

  int Delimiter() const { return layout_.separatorType; }
  // The delimiter of a source with field names (not the user's to choose).
  int FieldDelimiter() const;
  // Ignored for sources with field names (they are always split as records).
  void SetDelimiter(int delimiter);
  bool Utc() const { return layout_.utc; }
  void SetUtc(bool utc) { layout_.utc = utc; }
  int SkipCount() const { return skipCount_; }
  int MaxSkipCount() const { return samples_.empty() ? 0 : static_cast<int>(samples_.size()) - 1; }
  void SetSkipCount(int count);
  int SelectedRow() const { return selectedRow_; }
  void SelectRow(int row);
  const std::string& FormulaBox() const { return formulaBox_; }
  void SetFormulaBox(std::string text) { formulaBox_ = std::move(text); }

  // "変更": puts the formula box text into the selected row, asking first
  // when it looks like no formula at all.
  void ApplyFormula(Ui& ui);
  // "NULL".
  void ClearFormula();
  // "推測".
  void Guess();
  // The shown sample converted with the current settings ("テスト").
  QsoRecord ConvertSample() const;
  void Test(Ui& ui) const;
  // "初期値": edits the default record.
  void EditDefaults(Ui& ui);
  // "ロード" / "セーブ" through file dialogs starting in directory.
  void LoadSettings(Ui& ui, const std::string& directory);
  void SaveSettings(Ui& ui, const std::string& directory);
  // Loads a setting file; shows 104 or 107 and changes nothing on failure.
  bool LoadSettingsFile(Ui& ui, const std::string& path);
  // OK: true unless a skip count is set and the user does not confirm it.
  bool ConfirmOk(Ui& ui) const;

  const RecordLayout& Layout() const { return layout_; }
  const QsoRecord& DefaultQso() const { return defaultQso_; }

 private:
  Kind kind_;
  std::vector<std::string> samples_;
  std::vector<std::string> fieldNames_;
  RecordLayout layout_;
  QsoRecord defaultQso_;
  std::string sourceName_;
  int skipCount_ = 0;
  int selectedRow_ = 0;
  std::string formulaBox_;
};

// Shows the dialog until it is cancelled or its OK is confirmed. True on OK.
bool ShowFormatDialog(Ui& ui, CsvFormatDialog& dialog);

// Splits one source line or record into column texts the way the delimiter
// of layout does.
std::vector<std::string> SplitColumns(std::string_view line, int delimiter);

}  // namespace tevra
