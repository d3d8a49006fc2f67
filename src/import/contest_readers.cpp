#include "import/contest_readers.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/band.h"
#include "core/call_sign.h"
#include "core/date_time.h"
#include "core/text.h"
#include "core/translatable.h"

namespace tevra {
namespace {

using u8 = std::uint8_t;

// Columns first..last (0-based, inclusive) of a line, trimmed.
std::string_view Column(std::string_view line, std::size_t first, std::size_t last) {
  if (first >= line.size()) return {};
  return TrimRight(SkipBlanks(line.substr(first, last - first + 1)));
}

bool ReadNumber(std::string_view text, unsigned& value) { return ScanUnsigned(text, value); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string ReportFor(std::string_view report, const QsoRecord& r) {
  const auto length = static_cast<std::size_t>(ReportLength(ModeIndex(FieldText(r.Mode))));
  return std::string(report.substr(0, std::min(length, report.size())));
}

void AppendToRemarks(QsoRecord& r, std::string_view key, std::string_view value) {
  std::string remarks(FieldText(r.Remarks));
  AppendTaggedItem(key, remarks, value, '[', ']');
  SetField(r.Remarks, remarks);
}

void FinishUtc(QsoRecord& r) {
  if (HasReadableDate(r) && HasReadableTime(r)) ShiftToJst(r);
}

}  // namespace

bool ParseCtLine(std::string_view line, QsoRecord& r) {
  unsigned day = 0;
  if (!ReadNumber(Column(line, 0, 1), day)) return false;
  // From column 20 on, everything moves one to the right when column 19 is used.
  const std::size_t s = line.size() > 19 && line[19] != ' ' ? 1 : 0;
  if (auto band = Column(line, 20 + s, 22 + s); !band.empty()) SetField(r.Freq, MhzBandOfMetres(band));
  if (auto mode = Column(line, 24 + s, 27 + s); !mode.empty()) SetField(r.Mode, mode);
  r.Day = static_cast<u8>(day);
  r.Month = static_cast<u8>(MonthFromName(Column(line, 3, 5)));
  unsigned year = 0, time = 0;
  if (ReadNumber(Column(line, 7, 8), year)) r.Year = static_cast<u8>(year % 100);
  if (ReadNumber(Column(line, 10, 13), time)) {
    r.Hour = static_cast<u8>(time / 100);
    r.Minute = static_cast<u8>(time % 100);
  }
  SetField(r.Call, ToUpperAscii(Column(line, 29 + s, 41 + s)));
  SetField(r.RstSent, ReportFor("599", r));
  AppendToRemarks(r, "No", Column(line, 47 + s, 50 + s));
  AppendToRemarks(r, "My", Column(line, 43 + s, 45 + s));
  FinishUtc(r);
  return true;
}

bool ParseTrLogLine(std::string_view line, QsoRecord& r) {
  if (line.size() <= 69 || !IsDigit(line[1]) || !IsDigit(line[7])) return false;
  if (auto band = Column(line, 0, 2); !band.empty()) SetField(r.Freq, MhzBandOfMetres(band));
  if (auto mode = Column(line, 3, 6); !mode.empty()) SetField(r.Mode, mode);
  unsigned day = 0, year = 0, hour = 0, minute = 0;
  if (ReadNumber(Column(line, 7, 8), day)) r.Day = static_cast<u8>(day);
  r.Month = static_cast<u8>(MonthFromName(Column(line, 10, 12)));
  if (ReadNumber(Column(line, 14, 15), year)) r.Year = static_cast<u8>(year % 100);
  if (ReadNumber(Column(line, 17, 18), hour)) r.Hour = static_cast<u8>(hour);
  if (ReadNumber(Column(line, 20, 21), minute)) r.Minute = static_cast<u8>(minute);
  SetField(r.Call, ToUpperAscii(Column(line, 29, 42)));
  SetField(r.RstSent, ReportFor(Column(line, 44, 46), r));
  SetField(r.Qth, Column(line, 53, 66));
  AppendToRemarks(r, "No", Column(line, 23, 26));
  AppendToRemarks(r, "My", Column(line, 49, 51));
  FinishUtc(r);
  return true;
}

RecordSource::Step FixedColumnReader::Next(QsoRecord& record) {
  if (!lines_.Next(line_)) return Step::End;
  record = defaultQso_;
  const bool parsed = kind_ == Kind::Ct ? ParseCtLine(line_, record) : ParseTrLogLine(line_, record);
  return parsed ? Step::Record : Step::Skipped;
}

const char* const CabrilloOptionsDialog::kPhoneRules[4] = {
    QT_TRANSLATE_NOOP("Tevra", "すべてPHONE"), QT_TRANSLATE_NOOP("Tevra", "すべてＳＳＢ"), QT_TRANSLATE_NOOP("Tevra", "28MHz以上はPHONE, 24MHz以下はSSB"), QT_TRANSLATE_NOOP("Tevra", "430MHz以上はPHONE, 144MHz以下はSSB")};

void CabrilloOptionsDialog::SetPhoneRule(int rule) { options_.phoneRule = std::clamp(rule, 0, 3); }

void CabrilloOptionsDialog::SetCallColumn(int column) { options_.callColumn = std::clamp(column, 1, 511); }

namespace {
// The next blank-separated word of rest, advancing it.
std::string_view NextWord(std::string_view& rest) {
  rest = SkipBlanks(rest);
  const auto end = rest.find_first_of(" \t");
  const std::string_view word = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
  return word;
}
}  // namespace

namespace {

// 2 or 3 digits shaped like a signal report: readability 1-5, strength and
// tone 1-9.
bool IsSignalReport(std::string_view word) {
  if (word.size() != 2 && word.size() != 3) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (word[i] < '1' || word[i] > (i == 0 ? '5' : '9')) return false;
  return true;
}

std::string Joined(const std::vector<std::string_view>& words, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t i = first; i < last; ++i) {
    if (!text.empty()) text.push_back(' ');
    text.append(words[i]);
  }
  return text;
}

// The MHz value of a frequency text ("14.025", "10.1G"); nothing for "LIGHT".
std::optional<double> Megahertz(const std::string& freq) {
  char* end = nullptr;
  const double value = std::strtod(freq.c_str(), &end);
  if (end == freq.c_str()) return std::nullopt;
  return *end == 'G' ? value * 1000 : value;
}

// The words after the time, and how many of them each side's exchange has
// when they split evenly into own call and exchange, worked call and its
// exchange (a transmitter id at the end is dropped); 0 when they do not.
struct QsoWords {
  std::vector<std::string_view> words;
  std::size_t exchange = 0;
  bool symmetric = false;
};

QsoWords SplitQsoWords(std::string_view rest) {
  QsoWords q;
  auto& words = q.words;
  for (std::string_view copy = rest, word; !(word = NextWord(copy)).empty();) words.push_back(word);
  if (words.size() % 2 == 1 && (words.back() == "0" || words.back() == "1")) words.pop_back();
  q.exchange = words.size() >= 2 && words.size() % 2 == 0 ? words.size() / 2 - 1 : 0;
  q.symmetric = words.size() >= 2 && words.size() % 2 == 0 && HasCallShape(words[0]) &&
                HasCallShape(words[q.exchange + 1]) && IsCallChars(words[q.exchange + 1]);
  return q;
}

// The words of a "QSO:" line after frequency, mode, date and time.
std::optional<std::string_view> AfterTime(std::string_view line) {
  const std::string_view trimmed = SkipBlanks(line);
  if (!StartsWithNoCase(trimmed, "QSO:")) return std::nullopt;
  std::string_view rest = trimmed.substr(4);
  for (int i = 0; i < 4; ++i) NextWord(rest);
  return rest;
}

// Contests whose exchange starts with a signal report, and contests whose
// exchange never has one, by the CONTEST: header's name.
constexpr std::string_view kReportContests[] = {"CQ-WW", "CQ-WPX", "CQ-160", "ARRL-DX", "ARRL-10", "ARRL-160",
                                                "IARU", "WAE", "JIDX", "ALL-JA", "ACAG", "RDXC", "RDAC",
                                                "OCEANIA", "UBA", "HA-DX", "YO-DX", "SP-DX", "DARC", "EU-HF",
                                                "SAC", "REF", "ARI", "PACC", "LZ-DX", "OK-OM", "EA-", "CQ-M"};
constexpr std::string_view kNoReportContests[] = {"ARRL-SS", "SS-", "NAQP", "ARRL-FD", "FD", "WFD", "FIELD",
                                                  "NA-SPRINT", "SPRINT", "CWOPS", "CW-OPS", "CWT", "SST",
                                                  "MST", "ARRL-VHF", "ARRL-UHF", "VHF", "STEW"};

bool ContainsNoCase(std::string_view text, std::string_view part) {
  return ToUpperAscii(text).find(part) != std::string::npos;
}

bool NamesOneOf(std::string_view contest, std::span<const std::string_view> names) {
  for (std::string_view name : names)
    if (StartsWithNoCase(contest, name)) return true;
  return false;
}

}  // namespace

std::optional<bool> CabrilloContestHasReports(std::string_view contest) {
  contest = TrimRight(SkipBlanks(contest));
  if (contest.empty()) return std::nullopt;
  // State QSO parties: "MI-QSO-PARTY", "CA-QP", "7QP".
  if (NamesOneOf(contest, kNoReportContests) || ContainsNoCase(contest, "QSO-PARTY") ||
      ToUpperAscii(contest).ends_with("QP"))
    return false;
  if (NamesOneOf(contest, kReportContests)) return true;
  return std::nullopt;
}

bool CabrilloLogHasReports(std::string_view bytes) {
  std::size_t exchanges = 0, reports = 0, countingUp = 0;
  bool hasPrevious = false;  // the QSO before gave a number
  unsigned previous = 0;
  for (std::size_t pos = 0; pos < bytes.size();) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(pos, std::min(end - pos, kContestLineMax));
    pos = end + 1;
    const std::string_view head = SkipBlanks(line);
    if (StartsWithNoCase(head, "CONTEST:")) {
      if (const auto named = CabrilloContestHasReports(head.substr(8))) return *named;
      continue;
    }
    if (StartsWithNoCase(head, "END-OF-LOG:")) break;
    const auto rest = AfterTime(line);
    if (!rest) continue;
    const QsoWords q = SplitQsoWords(*rest);
    if (!q.symmetric || q.exchange == 0) continue;
    std::string_view sent = q.words[1];
    ++exchanges;
    if (IsSignalReport(sent)) ++reports;
    unsigned value = 0;
    const bool number = ScanUnsigned(sent, value);
    if (number && hasPrevious && value > previous) ++countingUp;
    hasPrevious = number;
    previous = value;
  }
  // Nearly every QSO opens with a report, and the word does not count up
  // from QSO to QSO as a serial number does.
  return exchanges > 0 && reports * 20 >= exchanges * 19 && countingUp * 2 < exchanges;
}

bool ParseCabrilloQso(std::string_view line, const CabrilloOptions& options, QsoRecord& r,
                      std::optional<bool> reports) {
  const std::string_view trimmed = SkipBlanks(line);
  if (!StartsWithNoCase(trimmed, "QSO:")) return false;
  std::string_view rest = trimmed.substr(4);
  r = QsoRecord{};
  const std::optional<std::string> freq = ContestFrequency(NextWord(rest));
  std::optional<double> mhz;
  if (freq) {
    SetField(r.Freq, *freq);
    mhz = Megahertz(*freq);
  }
  if (auto mode = ContestMode(NextWord(rest), options.phoneRule, mhz)) SetField(r.Mode, *mode);
  const std::string_view date = NextWord(rest);
  unsigned value = 0;
  if (ReadNumber(date, value)) r.Year = static_cast<u8>(value % 100);
  if (date.size() >= 7) r.Month = static_cast<u8>(DecimalValue(date.substr(5, 2)));
  if (date.size() >= 10) r.Day = static_cast<u8>(DecimalValue(date.substr(8, 2)));
  const std::string_view time = NextWord(rest);
  if (ReadNumber(time, value)) {
    r.Hour = static_cast<u8>(value / 100);
    r.Minute = static_cast<u8>(value % 100);
  }
  // The rest is symmetric: own call and sent exchange, worked call and the
  // same number of received exchange words, then perhaps the transmitter.
  const QsoWords q = SplitQsoWords(rest);
  const auto& words = q.words;
  const std::size_t exchange = q.exchange;
  std::string_view call;
  if (q.symmetric && !options.fixedCallColumn) {
    call = words[exchange + 1];
    std::string remarks;
    std::size_t sent = 1, received = exchange + 2;
    // Whether the log's exchanges open with a report is decided for the
    // whole log (a serial number may look like one); a line alone goes by
    // its own words.
    if (exchange > 0 && reports.value_or(IsSignalReport(words[1]))) {
      SetField(r.RstSent, words[1]);
      ++sent;
      if (IsSignalReport(words[received])) AppendTaggedItem("My", remarks, words[received++]);
    }
    AppendTaggedItem("STX", remarks, Joined(words, sent, exchange + 1));
    AppendTaggedItem("SRX", remarks, Joined(words, received, words.size()));
    SetField(r.Remarks, remarks);
  } else {
    NextWord(rest);  // own call
    SetField(r.RstSent, NextWord(rest));
    if (options.fixedCallColumn) {
      const auto column = static_cast<std::size_t>(std::max(options.callColumn, 1) - 1);
      std::string_view at = column < line.size() ? line.substr(column) : std::string_view();
      call = NextWord(at);
    } else {
      NextWord(rest);  // the sent exchange
      call = NextWord(rest);
      if (call.size() < 2 || !IsCallChars(call)) call = NextWord(rest);
    }
  }
  SetField(r.Call, ToUpperAscii(call));
  FinishUtc(r);
  return true;
}

CabrilloReader::CabrilloReader(ReaderBytes bytes, const CabrilloOptions& options, bool remembered,
                               std::optional<TextEncoding> encoding)
    : source_(std::move(bytes)),
      bytes_(source_.View()),
      options_(options),
      reports_(CabrilloLogHasReports(bytes_)),
      remembered_(remembered),
      encoding_(ChooseTextEncoding(encoding, bytes_)) {}

bool CabrilloReader::NextLine(std::string_view& line) {
  if (pos_ >= bytes_.size()) return false;
  // Lines end in LF, CR LF or a lone CR.
  const std::size_t end = bytes_.find_first_of("\r\n", pos_);
  const std::size_t stop = end == std::string::npos ? bytes_.size() : end;
  line = std::string_view(bytes_).substr(pos_, std::min(stop - pos_, kContestLineMax));
  pos_ = stop;
  if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
  if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
  return true;
}

RecordSource::Step CabrilloReader::Next(QsoRecord& record) {
  std::string_view line;
  while (!ended_ && NextLine(line)) {
    if (StartsWithNoCase(SkipBlanks(line), "END-OF-LOG:")) break;
    if (!StartsWithNoCase(SkipBlanks(line), "QSO:")) continue;
    converted_ = FieldToCp932(line, encoding_);
    ParseCabrilloQso(converted_, options_, record, reports_);
    return Step::Record;
  }
  ended_ = true;
  return Step::End;
}

}  // namespace tevra
