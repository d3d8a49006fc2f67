#include "csv_log.h"

#include <algorithm>

#include "core/encoding.h"

namespace extsrc {

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// The raw bytes of one field from pos on (quotes included); pos ends on the
// delimiter, the line break or the end. A quoted field runs to its closing
// quote ("" is a quote inside it); bytes after that quote still belong to
// the field, and a quote that never closes takes the rest of the file (the
// result is then false).
bool SkipField(std::string_view bytes, std::size_t& pos, char delimiter) {
  if (pos < bytes.size() && bytes[pos] == '"') {
    ++pos;
    for (;;) {
      const std::size_t quote = bytes.find('"', pos);
      if (quote == std::string_view::npos) {
        pos = bytes.size();
        return false;
      }
      pos = quote + 1;
      if (pos < bytes.size() && bytes[pos] == '"') {
        ++pos;
        continue;
      }
      break;
    }
  }
  while (pos < bytes.size() && bytes[pos] != delimiter && !IsLineBreak(bytes[pos])) ++pos;
  return true;
}

// From the header's first line alone: a quote left open there must not
// carry the count into the records (whose text a mark changes).
char GuessDelimiter(std::string_view bytes, std::size_t pos) {
  std::size_t commas = 0, semicolons = 0, tabs = 0;
  bool quoted = false;
  for (; pos < bytes.size(); ++pos) {
    const char c = bytes[pos];
    if (IsLineBreak(c)) break;
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    commas += c == ',';
    semicolons += c == ';';
    tabs += c == '\t';
  }
  if (semicolons > commas && semicolons >= tabs) return ';';
  if (tabs > commas && tabs > semicolons) return '\t';
  return ',';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string QuoteField(std::string_view text, char delimiter, bool always) {
  const bool quote = always || text.find_first_of(std::string{'"', '\r', '\n', delimiter}) != std::string_view::npos;
  if (!quote) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

bool CsvLog::Parse(std::string bytes, std::optional<Charset> charset) {
  bytes_ = std::move(bytes);
  names_.clear();
  rows_.clear();
  edited_.clear();
  const std::string_view all(bytes_);
  std::size_t pos = all.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  if (charset)
    charset_ = *charset;
  else
    charset_ = pos == 3 || tevra::IsMultibyteUtf8(all) || tevra::NextNonAscii(all, 0) == all.size() ? Charset::Utf8
                                                                                                    : Charset::Cp932;
  delimiter_ = GuessDelimiter(all, pos);
  bool header = true;
  while (pos < all.size()) {
    Row row;
    for (;;) {
      const std::size_t begin = pos;
      if (!SkipField(all, pos, delimiter_)) row.unclosed = true;
      row.fields.push_back({begin, pos});
      if (pos < all.size() && all[pos] == delimiter_) {
        ++pos;
        continue;
      }
      break;
    }
    row.end = pos;
    if (pos < all.size() && all[pos] == '\r') ++pos;
    if (pos < all.size() && all[pos] == '\n') ++pos;
    const bool blank = row.fields.size() == 1 && Trim(all.substr(row.fields[0].begin, row.end - row.fields[0].begin)).empty();
    if (blank) continue;  // empty lines hold no record
    if (header) {
      for (const Span& s : row.fields) names_.push_back(std::string(Trim(Decode(all.substr(s.begin, s.end - s.begin)))));
      header = false;
      continue;
    }
    rows_.push_back(std::move(row));
  }
  return !header;
}

std::string CsvLog::Decode(std::string_view raw) const {
  std::string text;
  if (!raw.empty() && raw.front() == '"') {
    std::size_t i = 1;
    for (; i < raw.size(); ++i) {
      if (raw[i] == '"') {
        if (i + 1 < raw.size() && raw[i + 1] == '"') {
          text += '"';
          ++i;
          continue;
        }
        ++i;
        break;
      }
      text += raw[i];
    }
    text.append(raw.substr(std::min(i, raw.size())));  // whatever follows the closing quote
  } else {
    text.assign(raw);
  }
  return charset_ == Charset::Utf8 ? tevra::FieldToCp932(text, tevra::TextEncoding::Utf8) : text;
}

std::vector<std::string> CsvLog::RawFields(std::size_t record) const {
  if (const auto edited = edited_.find(record); edited != edited_.end()) return edited->second;
  std::vector<std::string> raw;
  for (const Span& s : rows_[record].fields) raw.emplace_back(bytes_, s.begin, s.end - s.begin);
  return raw;
}

std::string CsvLog::Text(std::size_t record, std::size_t field) const {
  if (record >= rows_.size()) return {};
  if (const auto edited = edited_.find(record); edited != edited_.end())
    return field < edited->second.size() ? Decode(edited->second[field]) : std::string();
  const std::vector<Span>& fields = rows_[record].fields;
  if (field >= fields.size()) return {};
  return Decode(std::string_view(bytes_).substr(fields[field].begin, fields[field].end - fields[field].begin));
}

std::string CsvLog::Line(std::size_t record) const {
  std::string line;
  const std::size_t count = record < rows_.size() ? RawFields(record).size() : 0;
  for (std::size_t f = 0; f < count; ++f) {
    std::string text = Text(record, f);
    // CP932 trail bytes are never below 0x40: these bytes are characters.
    std::replace(text.begin(), text.end(), '"', '\'');
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    if (f) line += ',';
    line += text.find(',') == std::string::npos ? text : '"' + text + '"';
  }
  return line;
}

std::optional<CsvLog::Edit> CsvLog::Set(std::size_t record, std::size_t field, std::string_view cp932) {
  // A record cut short inside a quote has no place for its last field or
  // any after it: whatever went there would land inside the open quote.
  if (record >= rows_.size() || field >= names_.size() ||
      (rows_[record].unclosed && field + 1 >= rows_[record].fields.size()))
    return std::nullopt;
  Edit edit{record, std::nullopt};
  if (const auto edited = edited_.find(record); edited != edited_.end()) edit.before = edited->second;
  std::vector<std::string> raw = RawFields(record);
  const bool wasQuoted = field < raw.size() && !raw[field].empty() && raw[field].front() == '"';
  if (raw.size() <= field) raw.resize(field + 1);
  const std::string text = charset_ == Charset::Utf8 ? tevra::ToUnicode(cp932) : std::string(cp932);
  raw[field] = QuoteField(text, delimiter_, wasQuoted);
  edited_[record] = std::move(raw);
  return edit;
}

void CsvLog::Undo(const Edit& edit) {
  if (edit.before) edited_[edit.record] = *edit.before;
  else edited_.erase(edit.record);
}

std::string CsvLog::Bytes() const {
  std::string out;
  out.reserve(bytes_.size() + edited_.size() * 8);
  std::size_t copied = 0;
  for (const auto& [record, raw] : edited_) {
    const Row& row = rows_[record];
    out.append(bytes_, copied, row.fields.front().begin - copied);
    for (std::size_t f = 0; f < raw.size(); ++f) {
      if (f) out += delimiter_;
      out += raw[f];
    }
    copied = row.end;
  }
  out.append(bytes_, copied, std::string::npos);
  return out;
}

}  // namespace extsrc
