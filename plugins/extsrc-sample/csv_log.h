// A CSV log with a header row as spreadsheets and logging programs export
// it: read whole and kept byte for byte. Each field is found where it
// stands, so that writing one field changes that field and nothing else.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace extsrc {

enum class Charset { Utf8, Cp932 };

class CsvLog {
 public:
  // Takes the file's bytes. False when they hold no header row. The
  // character set is UTF-8 (with or without a byte-order mark) when the
  // bytes are valid UTF-8, else CP932; the delimiter is the comma, the
  // semicolon or the tab, whichever the header row holds most of. A file
  // read again after a change keeps the character set it had (a mark may
  // take away the one byte that made it not UTF-8).
  bool Parse(std::string bytes, std::optional<Charset> charset = std::nullopt);

  Charset Encoding() const { return charset_; }
  char Delimiter() const { return delimiter_; }
  std::size_t FieldCount() const { return names_.size(); }
  const std::string& FieldName(std::size_t field) const { return names_[field]; }  // CP932
  std::size_t RecordCount() const { return rows_.size(); }
  bool Unclosed(std::size_t record) const { return record < rows_.size() && rows_[record].unclosed; }

  // A field's text in CP932; empty for a field the record lacks.
  std::string Text(std::size_t record, std::size_t field) const;
  // The record as one comma-separated line in CP932, in the form TEVRA
  // splits: a field holding a comma is quoted, a double quote inside a
  // field becomes an apostrophe and a line break a blank.
  std::string Line(std::size_t record) const;

  // What a record looked like before a Set, to undo it.
  struct Edit {
    std::size_t record;
    std::optional<std::vector<std::string>> before;
  };
  // Sets a field (text in CP932) of a record; a record with fewer fields
  // gets empty ones up to it. Nothing when the field is beyond the header,
  // or when the record ends inside a quote that never closes (a file cut
  // short) and the field is that one or one after it.
  std::optional<Edit> Set(std::size_t record, std::size_t field, std::string_view cp932);
  void Undo(const Edit& edit);

  // The file as read (the backup) and with every Set applied.
  const std::string& Original() const { return bytes_; }
  std::string Bytes() const;

 private:
  struct Span {
    std::size_t begin, end;  // the field's bytes, quotes included
  };
  struct Row {
    std::vector<Span> fields;
    std::size_t end;  // where the record's text ends, before its line break
    bool unclosed = false;  // it ends inside a quote that never closes
  };
  std::vector<std::string> RawFields(std::size_t record) const;
  std::string Decode(std::string_view raw) const;  // the field's text in CP932

  std::string bytes_;
  Charset charset_ = Charset::Utf8;
  char delimiter_ = ',';
  std::vector<std::string> names_;
  std::vector<Row> rows_;
  std::map<std::size_t, std::vector<std::string>> edited_;  // raw fields of changed records
};

// One field for a CSV file: quoted (quotes doubled) when it holds the
// delimiter, a quote or a line break, or when always is set.
std::string QuoteField(std::string_view text, char delimiter, bool always = false);

}  // namespace extsrc
