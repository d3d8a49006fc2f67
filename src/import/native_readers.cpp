#include "import/native_readers.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/band.h"
#include "core/date_time.h"
#include "core/text.h"
#include "import/record_fingerprint.h"

namespace tevra {
namespace {

using u8 = std::uint8_t;

std::uint16_t Le16(const char* p) {
  return static_cast<std::uint16_t>(static_cast<u8>(p[0]) | (static_cast<u8>(p[1]) << 8));
}
std::uint32_t Le32(const char* p) { return Le16(p) | (static_cast<std::uint32_t>(Le16(p + 2)) << 16); }

// A fixed text field: the bytes up to the first NUL.
std::string_view CText(const char* p, std::size_t size) { return {p, strnlen(p, size)}; }
std::string_view UpToNul(std::string_view field) {
  const auto nul = field.find('\0');
  return nul == std::string_view::npos ? field : field.substr(0, nul);
}

std::string_view Trimmed(std::string_view text) { return TrimRight(SkipBlanks(text)); }

bool Blank(char c) { return c == ' ' || c == '\0'; }

// Takes a tagged item out of a remark: its value, or "" when absent.
std::string TakeItem(std::string& remark, std::string_view key) {
  return RemoveTaggedItem(remark, key).value_or(std::string());
}

// Remark text of the HAMLOG formats: Env and Pow (and, where asked, ToRadio)
// are taken out into their fields; the rest is trimmed.
std::string SplitHamlogRemark(std::string_view text, QsoRecord& r, std::string* toRadio) {
  std::string remark(text);
  if (std::string env = TakeItem(remark, "Env"); !env.empty()) r.Env = static_cast<std::int32_t>(LeadingNumber(env));
  if (std::string pow = TakeItem(remark, "Pow"); !pow.empty()) SetField(r.Power, pow);
  if (toRadio)
    if (std::string call = TakeItem(remark, "ToRadio"); !call.empty()) *toRadio = ToUpperAscii(call);
  return std::string(Trimmed(remark));
}

}  // namespace

bool ReadWholeFile(std::FILE* file, std::string& bytes) {
  bytes.clear();
  struct stat st {};
  if (fstat(fileno(file), &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
  return std::ferror(file) == 0;
}

std::string MdtFrequency(int b, int v) {
  const std::string band(BandNameOfIndex(b));
  if (v == 0) return band;
  if (b == 0) return "";
  if (v < 0) return band + "/" + std::string(BandNameOfIndex(-v));
  const unsigned u = static_cast<unsigned>(v);
  if (b == 1) return Format("1.%03u", u);
  if (b == 2 || b == 3) return Format("3.%03u", u);
  if (b >= 10 && b <= 13) return Format("%u.%03u", LeadingNumber(band) + u / 1000, u % 1000);
  if (b == 14) return Format("%u.%02u", u / 100 + 1240, u % 100);
  if (b == 15) return Format("%u.%02u", u / 100 + 2350, u % 100);
  if (b == 25) return Format("%u.%03u", u / 1000 + 220, u % 1000);
  if ((b >= 16 && b <= 24) || b >= 26) return band;
  return band + Format(".%03u", u);  // 4..9 and negative codes
}

std::string DbsFrequency(const std::uint8_t p[4]) {
  std::string text;
  if (p[3] & 0x80) {
    const long value = p[0] | (p[1] << 8) | (p[2] << 16);
    text = Format("%-7ld", value);
    const unsigned n = (p[3] >> 3) & 0x0F;
    if (n >= 4) {
      if (n < 6) text[6] = ' ';
      if (n == 4) text[5] = ' ';
    } else {
      for (int pos = 6; pos >= 4 && text[pos] == '0'; --pos) text[pos] = ' ';
    }
    const unsigned dot = p[3] & 0x07;
    if (dot <= 6) text[dot] = '.';
  } else {
    text.assign(reinterpret_cast<const char*>(p), 4);
    text.resize(7, ' ');
  }
  return std::string(TrimRight(std::string_view(text)));
}

// --- KUVAL data -------------------------------------------------------------

MdtReader::MdtReader(ReaderBytes bytes) : source_(std::move(bytes)), bytes_(source_.View()) {
  if (bytes_.size() < kMdtHeaderSize) return;
  const std::size_t fits = (bytes_.size() - kMdtHeaderSize) / kMdtRecordSize;
  count_ = std::min<std::size_t>(Le32(bytes_.data() + 28), fits);
}

RecordSource::Step MdtReader::Next(QsoRecord& r) {
  if (next_ >= count_) return Step::End;
  const char* p = bytes_.data() + kMdtHeaderSize + kMdtRecordSize * next_++;
  fingerprint_ = MdtFingerprint(std::string_view(p, kMdtRecordSize));
  r = QsoRecord{};
  r.Year = static_cast<u8>(p[0]);
  const unsigned monthDay = Le16(p + 1);
  r.Month = static_cast<u8>(monthDay / 100);
  r.Day = static_cast<u8>(monthDay % 100);
  const unsigned start = Le16(p + 3);
  r.Hour = static_cast<u8>(start / 1800);
  r.Minute = static_cast<u8>(start / 30 % 60);
  const unsigned endMinutes = Le16(p + 5) / 30u;
  const std::string end = Format("%04u", endMinutes / 60 * 100 + endMinutes % 60);
  SetField(r.Call, CText(p + 7, 17));
  SetField(r.RstSent, CText(p + 24, 12));
  const std::string_view user1 = (p[35] == 0 && p[36] != 0) ? CText(p + 36, 9) : std::string_view();
  const std::string_view received = CText(p + 45, 12);
  const std::string_view user2 = (p[56] == 0 && p[57] != 0) ? CText(p + 57, 9) : std::string_view();
  SetField(r.Freq, MdtFrequency(static_cast<signed char>(p[66]), static_cast<std::int16_t>(Le16(p + 67))));
  const unsigned mode = static_cast<u8>(p[69]);
  if (mode >= 1 && mode <= static_cast<unsigned>(kModeCount)) {
    SetField(r.Mode, ModeNameOfIndex(static_cast<int>(mode)));
  } else if (mode >= 48 && (mode - 40) * 6 + 6 <= 240) {
    // User mode names sit in the header; codes beyond it name nothing.
    SetField(r.Mode, CText(bytes_.data() + (mode - 40) * 6, 6));
  }
  SetField(r.Power, CText(p + 70, 5));
  SetField(r.Name, CText(p + 75, 17));
  SetField(r.Qth, CText(p + 92, 29));
  r.QslSent = p[176];
  r.QslRcvd = p[177];
  const char mark[2] = {p[178], '\0'};
  r.Env = Le16(p + 179);

  std::string remarks;
  AppendTaggedItem("mQSL", remarks, CText(p + 121, 55));
  AppendTaggedItem("REM", remarks, CText(p + 181, 57));
  AppendTaggedItem("My", remarks, received);
  AppendTaggedItem("END", remarks, end);
  AppendTaggedItem("OPT", remarks, CText(p + 238, 9));
  AppendTaggedItem("OPT2", remarks, CText(p + 247, 9));
  AppendTaggedItem("USR1", remarks, user1);
  AppendTaggedItem("USR2", remarks, user2);
  AppendTaggedItem("M", remarks, mark);
  SetField(r.Remarks, remarks);
  return Step::Record;
}

// --- LOG200 -----------------------------------------------------------------

RecordSource::Step L2Reader::Next(QsoRecord& r) {
  if ((next_ + 1) * kL2RecordSize > bytes_.size()) return Step::End;  // a cut record is no record
  // Byte 198 ends the text; the padding blanks after the last field go.
  fingerprint_ = L2Fingerprint(std::string_view(bytes_).substr(kL2RecordSize * next_, kL2RecordSize));
  std::string_view text = TrimRight(std::string_view(bytes_).substr(kL2RecordSize * next_++, 198));
  std::array<std::string_view, 17> f{};
  for (auto& field : f) {
    if (text.empty()) break;
    const auto sep = text.find('\x1E');
    field = text.substr(0, sep);
    text = sep == std::string_view::npos ? std::string_view() : text.substr(sep + 1);
  }
  r = QsoRecord{};
  const unsigned date = LeadingNumber(f[0]);
  r.Year = static_cast<u8>(date / 10000 % 100);
  r.Month = static_cast<u8>(date / 100 % 100);
  r.Day = static_cast<u8>(date % 100);
  r.Hour = static_cast<u8>(DecimalValue(f[1], 2));
  r.Minute = static_cast<u8>(DecimalValue(f[1].substr(std::min<std::size_t>(2, f[1].size())), 2));
  SetField(r.Call, f[3]);
  std::string_view freq = f[4];
  if (freq.ends_with('.')) freq.remove_suffix(1);
  SetField(r.Freq, freq);
  SetField(r.Mode, f[5]);
  SetField(r.RstSent, f[6]);
  SetField(r.Qth, f[8]);
  SetField(r.Name, f[9]);
  std::string remark(TrimRight(f[12]));
  if (std::string env = TakeItem(remark, "Env"); !env.empty()) r.Env = static_cast<std::int32_t>(LeadingNumber(env));
  if (std::string pow = TakeItem(remark, "Pow"); !pow.empty()) SetField(r.Power, pow);
  if (r.Name[0] == '\0')
    if (auto op = FindTaggedItem(remark, "OP")) SetField(r.Name, *op);
  r.QslSent = f[15].empty() ? '\0' : f[15][0];
  r.QslRcvd = f[16].empty() ? '\0' : f[16][0];

  std::string remarks;
  AppendTaggedItem("REM", remarks, remark);
  AppendTaggedItem("MyQTH", remarks, f[13]);
  AppendTaggedItem("MyRIG", remarks, f[14]);
  AppendTaggedItem("RIG", remarks, TrimRight(f[10]));
  AppendTaggedItem("END", remarks, f[2]);
  AppendTaggedItem("My", remarks, f[7]);
  AppendTaggedItem("Contest", remarks, TrimRight(f[11]));
  SetField(r.Remarks, remarks);
  return Step::Record;
}

// --- HAMLOG -----------------------------------------------------------------

bool DbsHeaderValid(std::string_view bytes) {
  return bytes.size() >= 12 && Le16(bytes.data() + 8) == kDbsHeaderSize && Le16(bytes.data() + 10) == kDbsRecordSize;
}

DbsReader::DbsReader(ReaderBytes dbs, ReaderBytes dbr)
    : dbsSource_(std::move(dbs)), dbrSource_(std::move(dbr)), dbs_(dbsSource_.View()), dbr_(dbrSource_.View()) {
  if (!DbsHeaderValid(dbs_) || dbs_.size() < kDbsHeaderSize) return;
  count_ = std::min<std::size_t>(Le32(dbs_.data() + 4), (dbs_.size() - kDbsHeaderSize) / kDbsRecordSize);
}

RecordSource::Step DbsReader::Next(QsoRecord& r) {
  if (next_ >= count_) return Step::End;
  const char* p = dbs_.data() + kDbsHeaderSize + kDbsRecordSize * next_++;
  if (p[0] != ' ') return Step::Skipped;
  fingerprint_ = DbsFingerprint(std::string_view(p, kDbsRecordSize));
  r = QsoRecord{};

  // The texts in the remark file: lengths of QTH, remark 1 and remark 2, then the texts.
  std::string_view texts[3];
  const std::uint32_t offset = Le32(p + 54);
  if (offset != 0 && offset <= dbr_.size() && dbr_.size() - offset >= 3) {
    std::size_t at = offset + 3;
    for (int i = 0; i < 3; ++i) {
      const std::size_t len = std::min<std::size_t>(static_cast<u8>(dbr_[offset + i]), dbr_.size() - at);
      texts[i] = std::string_view(dbr_).substr(at, len);
      at += len;
    }
  }
  SetField(r.Qth, Trimmed(texts[0]));
  const bool designatorFirst = ToUpperAscii(texts[1]).find("$DX") != std::string::npos ||
                               ToUpperAscii(texts[2]).find("$DX") != std::string::npos;
  std::string toRadio;
  const std::string remark1 = SplitHamlogRemark(texts[1], r, &toRadio);
  const std::string remark2 = SplitHamlogRemark(texts[2], r, &toRadio);

  const std::string call(Trimmed(std::string_view(p + 1, 7)));
  const std::string designator(Trimmed(std::string_view(p + 8, 3)));
  if (!toRadio.empty()) SetField(r.Call, toRadio);
  else if (Blank(p[8])) SetField(r.Call, call);
  else SetField(r.Call, designatorFirst ? designator + "/" + call : call + "/" + designator);

  SetField(r.Freq, DbsFrequency(reinterpret_cast<const std::uint8_t*>(p + 23)));
  SetField(r.Mode, Trimmed(std::string_view(p + 27, 3)));
  SetField(r.Name, Trimmed(std::string_view(p + 30, 12)));
  const char route = p[42];
  r.QslSent = !Blank(p[43]) ? p[43] : (route == 'N' || route == 'n') ? 'N' : '\0';
  r.QslRcvd = Blank(p[44]) ? '\0' : p[44];
  r.Year = static_cast<u8>((static_cast<u8>(p[45]) & 0x7F) % 100);
  r.Month = static_cast<u8>(p[46]);
  r.Day = static_cast<u8>(p[47]);
  r.Hour = static_cast<u8>(p[48]);
  r.Minute = static_cast<u8>(static_cast<u8>(p[49]) & 0x7F);
  const bool utc = (static_cast<u8>(p[49]) & 0x80) != 0;
  std::string sent = Format("%02u", unsigned{static_cast<u8>(p[50])});
  if (!Blank(p[51])) sent.push_back(p[51]);
  SetField(r.RstSent, sent);
  std::string received = Format("%02u", unsigned{static_cast<u8>(p[52])});
  if (!Blank(p[53])) received.push_back(p[53]);

  std::string remarks;
  AppendTaggedItem("REM1", remarks, remark1);
  AppendTaggedItem("REM2", remarks, remark2);
  AppendTaggedItem("Via", remarks, Blank(route) ? std::string_view() : std::string_view(&route, 1));
  AppendTaggedItem("My", remarks, received);
  AppendTaggedItem("CODE", remarks, Trimmed(std::string_view(p + 11, 6)));
  AppendTaggedItem("GL", remarks, Trimmed(std::string_view(p + 17, 6)));
  SetField(r.Remarks, remarks);
  if (utc && HasReadableDate(r) && HasReadableTime(r)) ShiftToJst(r);
  return Step::Record;
}

// --- HAMLOG version 5 ---------------------------------------------------------

HdbLayout ReadHdbLayout(std::string_view bytes, Th5Widths& widths) {
  HdbLayout layout;
  if (bytes.size() < 32) return layout;
  const u8 version = static_cast<u8>(bytes[0]);
  layout.headerLength = Le16(bytes.data() + 8);
  layout.recordLength = Le16(bytes.data() + 10);
  if ((version != 0x03 && version != 0x1A) || layout.headerLength == 0 || layout.recordLength == 0 ||
      layout.headerLength > bytes.size())
    return layout;
  // Field widths from the descriptors (at most 20, ending at 0x0D); fields
  // the header does not describe keep the working widths.
  std::vector<std::size_t> described;
  for (std::size_t pos = 32; described.size() < 20 && pos + 32 <= layout.headerLength && bytes[pos] != '\x0D';
       pos += 32)
    described.push_back(static_cast<u8>(bytes[pos + 16]));
  for (std::size_t i = 8; i < 15 && i < described.size(); ++i) widths[i] = static_cast<std::uint8_t>(described[i]);
  std::size_t offset = 1;
  for (std::size_t i = 0; i < kHdbFieldCount; ++i) {
    layout.offsets.push_back(offset);
    layout.widths.push_back(i < described.size() ? described[i] : widths[i]);
    offset += layout.widths.back();
  }
  layout.count = Le32(bytes.data() + 4);
  layout.check = HdbOpenResult::Ok;
  return layout;
}

HdbReader::HdbReader(ReaderBytes bytes, Th5Widths& widths) : source_(std::move(bytes)), bytes_(source_.View()) {
  HdbLayout layout = ReadHdbLayout(bytes_, widths);
  if (layout.check != HdbOpenResult::Ok) return;
  headerLength_ = layout.headerLength;
  recordLength_ = layout.recordLength;
  offsets_ = std::move(layout.offsets);
  widths_ = std::move(layout.widths);
  count_ = std::min<std::size_t>(layout.count, (bytes_.size() - headerLength_) / recordLength_);
  check_ = count_ == 0 ? HdbOpenResult::NoRecords : HdbOpenResult::Ok;
}

RecordSource::Step HdbReader::Next(QsoRecord& r) {
  if (check_ != HdbOpenResult::Ok || next_ >= count_) return Step::End;
  const std::string_view rec = std::string_view(bytes_).substr(headerLength_ + recordLength_ * next_++, recordLength_);
  if (rec[0] != ' ') return Step::Skipped;
  fingerprint_ = FingerprintWithout(rec, offsets_[6] + 1, 1);
  // Raw bytes of a field, cut to the record.
  auto raw = [&](std::size_t i) {
    if (offsets_[i] >= rec.size()) return std::string_view();
    return rec.substr(offsets_[i], std::min(widths_[i], rec.size() - offsets_[i]));
  };
  auto text = [&](std::size_t i) {
    std::string_view f = raw(i);
    return Trimmed(UpToNul(f));
  };
  auto byteAt = [&](std::size_t field, std::size_t i) -> u8 {
    std::string_view f = raw(field);
    return i < f.size() ? static_cast<u8>(f[i]) : 0;
  };
  r = QsoRecord{};

  // Call: field 0, a continuation word and the designator from field 1.
  std::string_view second = raw(1);
  second = UpToNul(second);
  std::string_view continuation;
  if (!second.empty() && second[0] != ' ') {
    const auto blank = second.find(' ');
    continuation = second.substr(0, blank);
    second = blank == std::string_view::npos ? std::string_view() : second.substr(blank);
  }
  const std::string designator(Trimmed(second));
  std::string call = std::string(text(0)) + std::string(continuation);
  if ((byteAt(7, 0) & 0x0A) == 0x0A) {
    const auto slash = designator.find('/');
    const std::string before = designator.substr(0, slash);
    const std::string after = slash == std::string::npos ? std::string() : designator.substr(slash + 1);
    call = (before.empty() ? std::string() : before + "/") + call + (after.empty() ? std::string() : "/" + after);
  } else if (!designator.empty()) {
    call += "/" + designator;
  }
  SetField(r.Call, call);

  r.Year = static_cast<u8>(byteAt(2, 1) % 100);
  r.Month = byteAt(2, 2);
  r.Day = byteAt(2, 3);
  r.Hour = byteAt(3, 0);
  r.Minute = byteAt(3, 1) & 0x7F;
  const bool utc = (byteAt(3, 1) & 0x80) != 0;
  const char route = static_cast<char>(byteAt(6, 0));
  const char sent = static_cast<char>(byteAt(6, 1));
  const char received = static_cast<char>(byteAt(6, 2));
  r.QslSent = !Blank(sent) ? sent : (route == 'N' || route == 'n') ? 'N' : '\0';
  r.QslRcvd = Blank(received) ? '\0' : received;
  SetField(r.RstSent, text(8));
  SetField(r.Freq, text(10));
  SetField(r.Mode, text(11));
  SetField(r.Name, text(12));
  SetField(r.Qth, text(13));
  const std::string remark1 = SplitHamlogRemark(text(14), r, nullptr);
  const std::string remark2 = SplitHamlogRemark(text(15), r, nullptr);

  std::string remarks;
  AppendTaggedItem("hQSL", remarks, text(6));
  AppendTaggedItem("My", remarks, text(9));
  AppendTaggedItem("CODE", remarks, text(4));
  AppendTaggedItem("GL", remarks, text(5));
  AppendTaggedItem("REM1", remarks, remark1);
  AppendTaggedItem("REM2", remarks, remark2);
  SetField(r.Remarks, remarks);
  if (utc && HasReadableDate(r) && HasReadableTime(r)) ShiftToJst(r);
  return Step::Record;
}

}  // namespace tevra
