#include "import/kuval_text_reader.h"

#include <array>

#include "core/text.h"

namespace tevra {

bool ParseKuvalLine(std::string_view line, QsoRecord& record) {
  std::string scratch;
  return ParseKuvalLine(line, record, scratch);
}

bool ParseKuvalLine(std::string_view line, QsoRecord& r, std::string& remarks) {
  r = QsoRecord{};
  std::array<std::string_view, 19> f{};
  for (auto& field : f) {
    if (line.empty()) break;  // missing trailing fields stay empty
    field = SplitComma(line);
  }

  unsigned date[3];
  unsigned time[2];
  if (ScanNumbers(f[0], "..", date, 3) != 3 || ScanNumbers(f[1], ".", time, 2) != 2) return false;
  r.Year = static_cast<std::uint8_t>(date[0]);
  r.Month = static_cast<std::uint8_t>(date[1]);
  r.Day = static_cast<std::uint8_t>(date[2]);
  r.Hour = static_cast<std::uint8_t>(time[0] / 100);
  r.Minute = static_cast<std::uint8_t>(time[0] % 100);

  SetField(r.Call, f[2]);
  SetField(r.RstSent, f[3]);
  SetField(r.Freq, f[5]);
  SetField(r.Mode, f[6]);
  SetField(r.Power, f[7]);
  SetField(r.Name, f[8]);
  SetField(r.Qth, f[9]);
  r.QslSent = f[13].empty() ? '\0' : f[13][0];
  r.QslRcvd = f[14].empty() ? '\0' : f[14][0];
  unsigned env = 0;
  std::string_view envText = f[16];
  r.Env = ScanUnsigned(envText, env) ? static_cast<std::int32_t>(env) : 0;

  remarks.clear();
  AppendTaggedItem("mQSL", remarks, f[11]);
  AppendTaggedItem("REM", remarks, f[10]);
  AppendTaggedItem("My", remarks, f[4]);
  AppendTaggedItem("END", remarks, f[12]);
  AppendTaggedItem("M", remarks, f[15]);
  AppendTaggedItem("OPT", remarks, f[17]);
  AppendTaggedItem("OPT2", remarks, f[18]);
  SetField(r.Remarks, remarks);
  return true;
}

RecordSource::Step KuvalTextReader::Next(QsoRecord& record) {
  if (!lines_.Next(line_)) return Step::End;
  return ParseKuvalLine(line_, record, remarks_) ? Step::Record : Step::Skipped;
}

}  // namespace tevra
