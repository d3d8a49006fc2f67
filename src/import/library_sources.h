// Logs that the plug-in and the database bridge deliver: connecting to
// them (the table choice, the field names, the format dialog) and reading
// their records through the formulas.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/column_keywords.h"
#include "import/external_libraries.h"
#include "import/record_source.h"

namespace tevra {

// One record after another from a library cursor, each one text line
// converted with the formulas, or, without a layout, read in the fixed
// automation form; positions are 0-based record indices.
class LibraryRecordReader : public RecordSource {
 public:
  struct Cursor {
    std::function<bool()> atEnd;
    std::function<std::string()> line;
    std::function<bool()> next;  // false: no further record
  };
  LibraryRecordReader(Cursor cursor, const RecordLayout* layout, QsoRecord& defaultQso, int firstIndex);
  Step Next(QsoRecord& record) override;
  bool Accepts(const QsoRecord& record) const override { return record.Call[0] != '\0'; }
  std::int32_t FirstPosition() const override { return first_; }
  bool RemembersFile() const override { return false; }  // a source, not a file

 private:
  Cursor cursor_;
  const RecordLayout* layout_;
  QsoRecord& defaultQso_;
  int columnCount_;
  std::int32_t first_;
  bool started_ = false;
  bool ended_ = false;
};

// The plug-in's and the bridge's record lines as text (CP932), within
// their buffer of 8 KB.
std::string PluginListText(const ExtSrcApi& api);
std::string BridgeListText(const DbBridgeApi& api);
// Up to 32 records from the cursor's current one on.
std::vector<std::string> SampleRecords(const LibraryRecordReader::Cursor& cursor);
// The names a library gives for fields 0, 1, ... until none or 32.
std::vector<std::string> LibraryFieldNames(const std::function<const char*(int)>& name);

}  // namespace tevra
