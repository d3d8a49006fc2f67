#include "import/library_sources.h"

#include <array>

#include "import/automation_record.h"

namespace tevra {

namespace {
constexpr std::size_t kListBuffer = 8192;
}  // namespace

LibraryRecordReader::LibraryRecordReader(Cursor cursor, const RecordLayout* layout, QsoRecord& defaultQso,
                                         int firstIndex)
    : cursor_(std::move(cursor)),
      layout_(layout),
      defaultQso_(defaultQso),
      columnCount_(layout ? ColumnCount(layout->columns) : 0),
      first_(firstIndex < 0 ? 0 : firstIndex) {}

RecordSource::Step LibraryRecordReader::Next(QsoRecord& record) {
  if (ended_) return Step::End;
  // The cursor stands on the first record; every later call moves on.
  if (started_ && !cursor_.next()) ended_ = true;
  started_ = true;
  if (ended_ || cursor_.atEnd()) {
    ended_ = true;
    return Step::End;
  }
  if (!layout_) return ParseAutomationRecord(cursor_.line(), record) ? Step::Record : Step::Skipped;
  ParseRecordLine(record, cursor_.line(), columnCount_, *layout_, defaultQso_);
  return Step::Record;
}

std::string PluginListText(const ExtSrcApi& api) {
  std::array<char, kListBuffer> buffer{};
  if (!api.ListText || !api.ListText(buffer.data(), static_cast<std::int32_t>(buffer.size()))) return {};
  buffer.back() = '\0';  // whatever the library wrote, the text ends in the buffer
  return buffer.data();
}

std::string BridgeListText(const DbBridgeApi& api) {
  std::array<char, kListBuffer> buffer{};
  if (!api.ListText || !api.ListText(buffer.data(), static_cast<std::int32_t>(buffer.size()))) return {};
  buffer.back() = '\0';
  return buffer.data();
}

std::vector<std::string> SampleRecords(const LibraryRecordReader::Cursor& cursor) {
  std::vector<std::string> samples;
  while (samples.size() < 32 && !cursor.atEnd()) {
    samples.push_back(cursor.line());
    if (!cursor.next()) break;
  }
  return samples;
}

std::vector<std::string> LibraryFieldNames(const std::function<const char*(int)>& name) {
  std::vector<std::string> names;
  for (int i = 0; i < 32; ++i) {
    const char* n = name(i);
    if (!n) break;
    names.emplace_back(n);
  }
  return names;
}

}  // namespace tevra
