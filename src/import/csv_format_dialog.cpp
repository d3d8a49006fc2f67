#include "import/csv_format_dialog.h"

#include <algorithm>
#include <cstdio>

#include "core/encoding.h"
#include "core/messages.h"
#include "core/text.h"
#include "import/csv_guess.h"
#include "import/mft_file.h"
#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {

const std::array<std::string_view, 44> kFormulaKeywords = {
    "NULL",      "CALL",      "YYMMDD",          "YYDDMM",     "YY.MM.DD",    "YY/MM/DD",
    "DD/MM/YY",  "YY-MM-DD",  "YY-MM-DD HH:mm",  "YY-MM-DD HHmm", "MMDD",     "HHmm",
    "HHmmJ",     "HH:mm",     "YY",              "'YY",        "YYYY",        "MM",
    "MON",       "DD MON",    "MON DD",          "DD MON 'YY", "'YY DD MON",  "DD",
    "HH",        "mm",        "RST",             "FREQ",       "MODE",        "POWER",
    "NAME",      "QTH",       "QSL",             "SEND",       "RECV",        "ENV",
    "QSL[...]",  "QSL(...)",  "QSL{...}",        "QSL<...>",   "QSL\xA2...\xA3", "mBAND",
    "ADDQSL",    "KHz",
};

namespace {

constexpr int kNoDelimiter = 4;

std::string_view KindTitle(CsvFormatDialog::Kind kind) {
  switch (kind) {
    case CsvFormatDialog::Kind::CsvText: return QT_TRANSLATE_NOOP("Tevra", "CSV形式");
    case CsvFormatDialog::Kind::Dbase: return QT_TRANSLATE_NOOP("Tevra", "dBaseⅢ,Ⅳ形式");
    case CsvFormatDialog::Kind::Odbc: return QT_TRANSLATE_NOOP("Tevra", "ODBCﾃﾞｰﾀﾍﾞｰｽ");
    case CsvFormatDialog::Kind::Plugin: return "EXTSRC";
  }
  return "";
}

std::string_view DefaultMftName(CsvFormatDialog::Kind kind) {
  switch (kind) {
    case CsvFormatDialog::Kind::CsvText: return "csv.mft";
    case CsvFormatDialog::Kind::Dbase: return "dBase.mft";
    case CsvFormatDialog::Kind::Odbc: return "ODBC.mft";
    case CsvFormatDialog::Kind::Plugin: return "EXTSRC.mft";
  }
  return "csv.mft";
}

bool IsBlank(std::string_view text) { return SkipBlanks(text).empty(); }

}  // namespace

std::vector<std::string> SplitColumns(std::string_view line, int delimiter) {
  std::string normalised(line);
  if (delimiter < kNoDelimiter) NormaliseSeparators(normalised, delimiter);
  std::vector<std::string> columns;
  std::string_view rest = normalised;
  while (!rest.empty() && columns.size() < kColumnSlots) columns.emplace_back(SplitField(rest, kFieldSeparator));
  return columns;
}

CsvFormatDialog::CsvFormatDialog(Kind kind, std::vector<std::string> samples, std::vector<std::string> fieldNames,
                                 const RecordLayout& layout, const QsoRecord& defaultQso, std::string sourceName)
    : kind_(kind),
      samples_(std::move(samples)),
      fieldNames_(std::move(fieldNames)),
      layout_(layout),
      defaultQso_(defaultQso),
      sourceName_(std::move(sourceName)) {
  if (samples_.size() > kColumnSlots) samples_.resize(kColumnSlots);
  if (fieldNames_.size() > kColumnSlots) fieldNames_.resize(kColumnSlots);
  if (HasFieldNames()) layout_.separatorType = FieldDelimiter();
}

int CsvFormatDialog::FieldDelimiter() const {
  // A plug-in hands over comma-separated lines; dBase and the database
  // bridge separate their fields with 0x1E (no delimiter to choose).
  return kind_ == Kind::Plugin ? 0 : kNoDelimiter;
}

std::string CsvFormatDialog::Title() const {
  std::string title(KindTitle(kind_));
  if (!sourceName_.empty()) title += " - " + sourceName_;
  return title;
}

std::string CsvFormatDialog::RowLabel(int row) const {
  if (HasFieldNames()) return row < static_cast<int>(fieldNames_.size()) ? ToUnicode(fieldNames_[row]) : std::string();
  return std::to_string(row + 1);
}

std::vector<std::string> CsvFormatDialog::SampleFields() const {
  if (samples_.empty()) return {};
  return SplitColumns(samples_[static_cast<std::size_t>(skipCount_)], layout_.separatorType);
}

void CsvFormatDialog::SetDelimiter(int delimiter) {
  if (HasFieldNames()) return;
  layout_.separatorType = std::clamp(delimiter, 0, kNoDelimiter);
}

void CsvFormatDialog::SetSkipCount(int count) { skipCount_ = std::clamp(count, 0, MaxSkipCount()); }

void CsvFormatDialog::SelectRow(int row) { selectedRow_ = std::clamp(row, 0, kColumnSlots - 1); }

void CsvFormatDialog::ApplyFormula(Ui& ui) {
  const std::string& text = formulaBox_;
  const bool offered = std::find(kFormulaKeywords.begin(), kFormulaKeywords.end(), text) != kFormulaKeywords.end();
  const bool suspicious = !IsBlank(text) && text.find('%') == std::string::npos && !text.starts_with("QSL") && !offered;
  if (suspicious && ui.Ask(msg::kProbablyInvalidFormula, Buttons::YesNo) != Answer::Yes) return;
  layout_.columns[selectedRow_] = text;
}

void CsvFormatDialog::ClearFormula() { layout_.columns[selectedRow_] = std::string(kUnusedColumn); }

void CsvFormatDialog::Guess() {
  // Plain text: a header line among the skipped ones names its columns.
  std::vector<std::string> names = fieldNames_;
  if (names.empty() && skipCount_ > 0)
    names = KnownFieldNames(SplitColumns(samples_[static_cast<std::size_t>(skipCount_ - 1)], layout_.separatorType));
  layout_.columns = GuessFormulas(SampleFields(), names);
}

QsoRecord CsvFormatDialog::ConvertSample() const {
  QsoRecord record;
  if (samples_.empty()) return record;
  QsoRecord defaults = defaultQso_;  // a copy: testing must not move the default date
  ParseRecordLine(record, samples_[static_cast<std::size_t>(skipCount_)], ColumnCount(layout_.columns), layout_,
                  defaults);
  return record;
}

void CsvFormatDialog::Test(Ui& ui) const {
  QsoRecord record = ConvertSample();
  ui.EditQso(record);
}

void CsvFormatDialog::EditDefaults(Ui& ui) {
  QsoRecord edited = defaultQso_;
  if (ui.EditQso(edited)) defaultQso_ = edited;
}

bool CsvFormatDialog::LoadSettingsFile(Ui& ui, const std::string& path) {
  RecordLayout layout = layout_;
  QsoRecord defaults = defaultQso_;
  switch (ReadMftFile(path, layout, defaults)) {
    case MftResult::CannotOpen: ui.ShowMessage(msg::kCannotReadFile104); return false;
    case MftResult::BadFormat: ui.ShowMessage(msg::kUnexpectedFormat107); return false;
    case MftResult::Ok: break;
  }
  if (HasFieldNames()) layout.separatorType = FieldDelimiter();
  layout_ = std::move(layout);
  defaultQso_ = defaults;
  return true;
}

void CsvFormatDialog::LoadSettings(Ui& ui, const std::string& directory) {
  OpenFileRequest request{std::string(msg::kMftLoadTitle), "mft", std::string(DefaultMftName(kind_)), directory,
                          std::string(msg::kMftFilter)};
  if (auto choice = ui.ChooseFileToOpen(request)) LoadSettingsFile(ui, choice->path);
}

void CsvFormatDialog::SaveSettings(Ui& ui, const std::string& directory) {
  OpenFileRequest request{std::string(msg::kMftSaveTitle), "mft", std::string(DefaultMftName(kind_)), directory,
                          std::string(msg::kMftFilter)};
  if (auto path = ui.ChooseFileToSave(request))
    if (!WriteMftFile(*path, layout_, defaultQso_)) ui.ShowMessage(msg::kCannotCreateFile105);
}

bool CsvFormatDialog::ConfirmOk(Ui& ui) const {
  if (skipCount_ <= 0) return true;
  char text[256];
  std::snprintf(text, sizeof text, ui.Translate(msg::kConfirmSkip).c_str(), skipCount_);
  return ui.Ask(text, Buttons::YesNo) == Answer::Yes;
}

bool ShowFormatDialog(Ui& ui, CsvFormatDialog& dialog) {
  while (ui.RunCsvFormatDialog(dialog))
    if (dialog.ConfirmOk(ui)) return true;
  return false;
}

}  // namespace tevra
