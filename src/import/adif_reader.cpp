#include "import/adif_reader.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/band.h"
#include "core/call_sign.h"
#include "core/date_time.h"
#include "core/encoding.h"
#include "core/text.h"
#include "import/record_fingerprint.h"

namespace tevra {
namespace {

using u8 = std::uint8_t;

constexpr std::size_t kNameMax = 32;
// The longest field name taken as one (the names of application fields
// can be long; a "<" further on than this is no tag).
constexpr std::size_t kTagNameMax = 255;

bool IsContinuation(char c) { return (static_cast<u8>(c) & 0xC0) == 0x80; }

// Length of the UTF-8 sequence starting with lead, or 0 when lead cannot
// start one.
std::size_t Utf8Length(u8 lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsBlankOrEnd(std::string_view data, std::size_t at) {
  return at >= data.size() || data[at] == ' ' || data[at] == '\t' || data[at] == '\r' || data[at] == '\n';
}

// Band names and the frequency text each gives when FREQ is missing: the
// classic bands first, then the rest of ADIF 3's band list at its lower edge.
const std::pair<std::string_view, std::string_view> kBands[] = {
    {"160m", "1.9"}, {"80m", "3.5"},  {"40m", "7"},      {"30m", "10"},   {"20m", "14"},   {"17m", "18"},
    {"15m", "21"},   {"12m", "24"},   {"10m", "28"},     {"6m", "50"},    {"2m", "144"},   {"70cm", "430"},
    {"23cm", "1200"}, {"13cm", "2400"}, {"6cm", "5600"}, {"3cm", "10.1G"}, {"1.25cm", "24G"}, {"6mm", "47G"},
    {"4mm", "75G"},  {"2mm", "142G"}, {"1mm", "248G"},   {"65m", "4630"}, {"1.25m", "220"},
    {"2190m", "0.136"}, {"630m", "0.472"}, {"560m", "0.501"}, {"60m", "5.06"}, {"8m", "40"}, {"5m", "54"},
    {"4m", "70"},    {"33cm", "902"}, {"9cm", "3300"},   {"2.5mm", "120G"}, {"submm", "300G"},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }


std::string TwoDigits(unsigned a, unsigned b) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u%02u", a % 100, b % 100);
  return text;
}

}  // namespace

std::optional<std::string> QslViaRoute(std::string_view via) {
  std::vector<std::string_view> words;
  for (std::size_t i = 0; i < via.size();) {
    while (i < via.size() && (IsBlank(via[i]) || via[i] == ',' || via[i] == ';' || via[i] == ':')) ++i;
    std::size_t end = i;
    while (end < via.size() && !IsBlank(via[end]) && via[end] != ',' && via[end] != ';' && via[end] != ':') ++end;
    std::string_view word = via.substr(i, end - i);
    while (!word.empty() && (word.back() == '.' || word.back() == ')')) word.remove_suffix(1);
    while (!word.empty() && word.front() == '(') word.remove_prefix(1);
    if (!word.empty()) words.push_back(word);
    i = end;
  }
  // After "VIA" the first call that follows; else the only call of the text.
  for (std::size_t i = 0; i < words.size(); ++i)
    if (EqualsNoCase(words[i], "VIA"))
      for (std::size_t j = i + 1; j < words.size(); ++j)
        if (IsRoutingCall(words[j])) return ToUpperAscii(words[j]);
  std::optional<std::string> only;
  for (const std::string_view word : words) {
    if (!IsRoutingCall(word)) continue;
    if (only) return std::nullopt;  // two calls: which one is meant is not clear
    only = ToUpperAscii(word);
  }
  return only;
}

bool IsRoutingCall(std::string_view word) {
  const auto alnum = [](std::string_view part) {
    return !part.empty() && std::all_of(part.begin(), part.end(), [](char c) {
      return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
  };
  // "PREFIX/CALL/SUFFIX": the longest part is the call.
  std::string_view base = word;
  std::size_t parts = 0;
  for (std::size_t at = 0; at <= word.size(); ++parts) {
    const std::size_t end = std::min(word.find('/', at), word.size());
    const std::string_view part = word.substr(at, end - at);
    if (!alnum(part) || part.size() > 8) return false;
    if (parts == 0 || part.size() > base.size()) base = part;
    at = end + 1;
  }
  if (parts > 3) return false;
  const std::string upper = ToUpperAscii(base);
  if (ModeIndex(upper) != 0) return false;
  static constexpr std::string_view kModes[] = {"C4FM", "D-STAR", "JS8", "FT4", "FT8", "Q65", "JT65", "JT9",
                                                "MSK144", "PSK31", "PSK63", "FST4", "FST4W", "WSPR", "VARA"};
  if (std::find(std::begin(kModes), std::end(kModes), upper) != std::end(kModes)) return false;
  // A prefix of one to three characters with a letter, digits, and a suffix
  // of one to four letters: G6INU, 2E0ABC, 3DA0RS, PI4DEC; not 2USD, VE3,
  // OT20 or 30717080GIRONA.
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  const auto isLetter = [](char c) { return c >= 'A' && c <= 'Z'; };
  for (std::size_t prefix = 1; prefix <= 3 && prefix < upper.size(); ++prefix) {
    const std::string_view p(upper.data(), prefix);
    if (!std::any_of(p.begin(), p.end(), isLetter)) continue;
    std::size_t at = prefix;
    while (at < upper.size() && isDigit(upper[at])) ++at;
    if (at == prefix || at - prefix > 2) continue;
    const std::size_t suffix = upper.size() - at;
    if (suffix >= 1 && suffix <= 4 && std::all_of(upper.begin() + static_cast<std::ptrdiff_t>(at), upper.end(), isLetter))
      return true;
  }
  return false;
}

bool LooksLikeUtf8(std::string_view bytes) {
  return bytes.starts_with("\xEF\xBB\xBF") || IsMultibyteUtf8(bytes);
}

AdifReader::AdifReader(std::string_view data, std::optional<TextEncoding> encoding)
    : data_(data), encoding_(ChooseTextEncoding(encoding, data)), utf8_(encoding_ == TextEncoding::Utf8) {
  if (data_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
}

std::string_view AdifReader::Value(std::size_t start, std::size_t length, std::size_t& end) const {
  end = start;
  const std::size_t remaining = data_.size() - start;
  // A value longer than the rest of the file fits neither in bytes nor in
  // characters (each at least a byte): no need to walk to the end, which
  // made files of such tags quadratic.
  if (length > remaining) return {};
  if (!utf8_) {
    end = start + length;
    return data_.substr(start, length);
  }
  // UTF-8: writers count either bytes or characters. Count bytes unless
  // that ends inside a character, or in the middle of the value while a
  // count of characters ends where the next tag or a blank begins.
  std::size_t charEnd = start;
  std::size_t chars = 0;
  while (chars < length && charEnd < data_.size()) {
    const std::size_t len = std::max<std::size_t>(1, Utf8Length(static_cast<u8>(data_[charEnd])));
    charEnd = std::min(charEnd + len, data_.size());
    ++chars;
  }
  const bool bytesFit = length <= remaining;
  const std::size_t byteEnd = bytesFit ? start + length : data_.size();
  bool useChars = false;
  if (chars == length && charEnd != byteEnd) {
    if (!bytesFit || (byteEnd < data_.size() && IsContinuation(data_[byteEnd]))) {
      useChars = true;
    } else if (!IsBlankOrEnd(data_, byteEnd) && data_[byteEnd] != '<' &&
               (IsBlankOrEnd(data_, charEnd) || data_[charEnd] == '<')) {
      useChars = true;
    }
  }
  if (useChars) {
    end = charEnd;
    return data_.substr(start, charEnd - start);
  }
  if (!bytesFit) return {};
  end = byteEnd;
  return data_.substr(start, length);
}

void AdifReader::Apply(std::string_view name, std::string_view value, QsoRecord& r) {
  // Most fields are ASCII and need no conversion (nor a copy).
  if (NextNonAscii(value, 0) != value.size()) {
    converted_ = FieldToCp932(value, encoding_);
    value = converted_;
  }
  // A line break or blanks at a value's end (a NAME ending in a line feed)
  // would print on the card.
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r' || value.back() == '\n'))
    value.remove_suffix(1);
  auto is = [&name](std::string_view n) { return name == n; };
  auto tag = [this, &value](std::string_view key, char open = kCornerOpen, char close = kCornerClose) {
    AppendTaggedItem(key, remarks_, value, open, close);
  };
  auto firstChar = [&value] { return value.empty() || value[0] == ' ' ? '\0' : value[0]; };
  switch (name.size()) {
    case 3:
      if (is("QTH")) SetField(r.Qth, value);
      else if (is("STX")) tag("STX");
      else if (is("SRX")) tag("SRX");
      return;
    case 4:
      if (is("CALL")) {
        SetField(r.Call, ToUpperAscii(value));
      } else if (is("FREQ")) {
        const auto dot = value.find('.');
        SetField(r.Freq, dot == std::string_view::npos ? value : value.substr(0, dot + 4));
      } else if (is("BAND")) {
        if (r.Freq[0] == '\0')
          for (const auto& [band, freq] : kBands)
            if (EqualsNoCase(band, value)) SetField(r.Freq, freq);
      } else if (is("MODE")) {
        SetField(r.Mode, value);
      } else if (is("NAME")) {
        SetField(r.Name, value);
      } else if (is("CONT")) {
        tag("OPT2");
      }
      return;
    default:
      break;
  }
  if (is("QSO_DATE")) {
    r.Year = static_cast<u8>(static_cast<unsigned>(DecimalValue(value, 4)) % 100);
    r.Month = static_cast<u8>(DecimalValue(value.substr(std::min<std::size_t>(4, value.size())), 2));
    r.Day = static_cast<u8>(DecimalValue(value.substr(std::min<std::size_t>(6, value.size())), 2));
  } else if (is("TIME_ON")) {
    r.Hour = static_cast<u8>(DecimalValue(value, 2));
    r.Minute = static_cast<u8>(DecimalValue(value.substr(std::min<std::size_t>(2, value.size())), 2));
  } else if (is("TIME_OFF")) {
    unsigned hour = static_cast<unsigned>(DecimalValue(value, 2)) + 9;
    if (hour >= 24) hour -= 24;
    const auto minute = static_cast<unsigned>(DecimalValue(value.substr(std::min<std::size_t>(2, value.size())), 2));
    AppendTaggedItem("END", remarks_, TwoDigits(hour, minute));
  } else if (is("TX_PWR")) {
    SetField(r.Power, value);
  } else if (is("RST_SENT")) {
    SetField(r.RstSent, std::string(value) + std::string(FieldText(r.RstSent)));
  } else if (is("RST_RCVD")) {
    tag("My");
  } else if (is("QSL_SENT")) {
    // Only "Y" means the card went out; "N", "R", "Q" and "I" stay visible
    // to conditions as a tagged item.
    const char c = static_cast<char>(firstChar() & ~0x20);
    r.QslSent = c == 'Y' ? 'Y' : '\0';
    if (c != 'Y' && firstChar() != '\0') tag("QSL_SENT");
  } else if (is("QSL_RCVD")) {
    const char c = static_cast<char>(firstChar() & ~0x20);
    r.QslRcvd = (c == 'Y' || c == 'V') ? c : '\0';
    if (r.QslRcvd == '\0' && firstChar() != '\0') tag("QSL_RCVD");
  } else if (is("SUBMODE")) {
    submode_ = std::string(value);
  } else if (is("COMMENT")) {
    // Before what the record's tags put into the remarks (without a new
    // string for every record).
    if (!value.empty()) {
      if (remarks_.empty()) {
        remarks_.assign(value);
      } else {
        remarks_.insert(0, 1, ' ');
        remarks_.insert(0, value);
      }
    }
    if (remarks_.size() > 512) remarks_ = std::string(PrefixOfChars(remarks_, 512));
  } else if (is("QSLMSG")) {
    tag("MSG");
  } else if (is("QSL_VIA")) {
    // Free text in most logs ("via bureau", "LoTW", "QSL VIA N7RO"): only a
    // call routes the card.
    if (const auto route = QslViaRoute(value)) {
      AppendTaggedItem("QSL", remarks_, *route, '[', ']');
    } else {
      tag("QSL_VIA");
    }
  } else if (is("CONTEST_ID")) {
    tag("CONTEST");
  }
}

// A SUBMODE that is no mode of its own but a way of sending the MODE:
// the sidebands of SSB, CW by computer, RTTY in ASCII.
bool IsVariantOfMode(std::string_view submode) {
  static constexpr std::string_view kVariants[] = {"USB", "LSB", "PCW", "ASCI"};
  for (std::string_view v : kVariants)
    if (EqualsNoCase(submode, v)) return true;
  return false;
}

void AdifReader::Deliver(QsoRecord& r) {
  // FT4, JS8 or PSK63 name the mode the card shows; USB under SSB does not.
  if (!submode_.empty() && !(r.Mode[0] != '\0' && IsVariantOfMode(submode_))) SetField(r.Mode, submode_);
  SetField(r.Remarks, remarks_);
  if (HasReadableDate(r) && HasReadableTime(r)) ShiftToJst(r);
  if (r.RstSent[0] == '\0') {
    const std::size_t length = static_cast<std::size_t>(ReportLength(ModeIndex(FieldText(r.Mode))));
    SetField(r.RstSent, std::string_view("599").substr(0, length));
  }
}

RecordSource::Step AdifReader::Next(QsoRecord& r) {
  r = QsoRecord{};
  remarks_.clear();
  submode_.clear();
  bool started = false;
  span_ = RecordSpan{};
  span_.start = span_.end = pos_;
  while (pos_ < data_.size()) {
    const void* found = std::memchr(data_.data() + pos_, '<', data_.size() - pos_);
    if (!found) {
      pos_ = data_.size();
      break;
    }
    const std::size_t open = static_cast<std::size_t>(static_cast<const char*>(found) - data_.data());
    // <NAME>, <NAME:LENGTH> or <NAME:LENGTH:TYPE>
    // Names may be long (APP_ fields of other programs); the names read
    // here are short, so only the first kNameMax characters are kept.
    char name[kNameMax];
    std::size_t nameLength = 0;
    std::size_t i = open + 1;
    while (i < data_.size() && data_[i] != ':' && data_[i] != '>' && data_[i] != '<' && nameLength < kTagNameMax) {
      char c = data_[i++];
      if (nameLength < kNameMax) name[nameLength] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
      ++nameLength;
    }
    if (i >= data_.size() || nameLength == 0 || (data_[i] != ':' && data_[i] != '>')) {
      pos_ = open + 1;  // not a tag
      continue;
    }
    std::size_t length = 0;
    bool hasLength = false;
    if (data_[i] == ':') {
      ++i;
      std::size_t digits = 0;
      while (i < data_.size() && data_[i] >= '0' && data_[i] <= '9') {
        if (length < 100000000) length = length * 10 + static_cast<std::size_t>(data_[i] - '0');
        ++i;
        ++digits;
      }
      hasLength = digits > 0;
      if (i < data_.size() && data_[i] == ':')  // the data type
        while (i < data_.size() && data_[i] != '>' && data_[i] != '<') ++i;
      if (i >= data_.size() || data_[i] != '>') {
        pos_ = open + 1;
        continue;
      }
    }
    ++i;  // behind ">"
    // A name longer than any read here matches none of them.
    const std::string_view tagName = nameLength <= kNameMax ? std::string_view(name, nameLength) : std::string_view("?");
    // A second CALL in one record: the record before it lost its <EOR>.
    // It ends here, and the CALL is read again for the next record.
    if (tagName == "CALL" && r.Call[0] != '\0') {
      pos_ = open;
      span_.end = open;
      ++missingEor_;
      Deliver(r);
      return Step::Record;
    }
    std::size_t end = i;
    std::string_view value;
    if (hasLength) value = Value(i, length, end);
    pos_ = std::max(end, i);
    if (tagName == "EOR") {
      span_.eor = open;
      span_.end = pos_;
      Deliver(r);
      return Step::Record;
    }
    if (tagName == "EOH") {
      span_ = RecordSpan{};
      span_.start = span_.end = pos_;
      continue;
    }
    if (!started) span_.start = open;
    started = true;
    if (tagName == "QSL_SENT") span_.sent.emplace(open, pos_);
    if (tagName == "QSL_SDATE") span_.sentDate.emplace(open, pos_);
    Apply(tagName, value, r);
  }
  span_.end = data_.size();
  if (started && r.Call[0] != '\0') {
    ++missingEor_;
    Deliver(r);
    return Step::Record;
  }
  return Step::End;
}

std::string AdifReader::WhatWasSeen() const {
  std::size_t lines = 0;
  bool call = false, eor = false;
  // The records come after the header, where there is one.
  const std::size_t header = ToUpperAscii(data_.substr(0, std::min<std::size_t>(data_.size(), 1 << 16))).find("<EOH>");
  const bool hasHeader = header != std::string::npos;
  for (std::size_t at = hasHeader ? header + 5 : 0; at < data_.size();) {
    std::size_t end = data_.find('\n', at);
    if (end == std::string_view::npos) end = data_.size();
    const std::string_view line = data_.substr(at, end - at);
    bool tagged = false;
    for (std::size_t open = line.find('<'); open != std::string_view::npos; open = line.find('<', open + 1)) {
      std::size_t i = open + 1;
      while (i < line.size() && (std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == '_')) ++i;
      if (i == open + 1 || i >= line.size() || (line[i] != ':' && line[i] != '>')) continue;
      tagged = true;
      const std::string name = ToUpperAscii(line.substr(open + 1, i - open - 1));
      call = call || name == "CALL";
      eor = eor || name == "EOR";
    }
    lines += tagged ? 1 : 0;
    at = end + 1;
  }
  if (lines == 0) return hasHeader ? "a header and no ADIF tags after it" : "no ADIF tags";
  std::string seen = std::to_string(lines) + (lines == 1 ? " line" : " lines") + " with ADIF tags";
  if (!call && !eor) return seen + ", but no CALL field and no <EOR>";
  if (!call) return seen + ", but no CALL field";
  return {};  // records were there: the counts say what became of them
}

std::string MarkAdifRecord(std::string_view file, const RecordSpan& span, char mark, std::string_view date) {
  const std::string sentField = std::string("<QSL_SENT:1>") + mark;
  const std::string dateField = date.empty() ? std::string() : "<QSL_SDATE:" + std::to_string(date.size()) + ">" +
                                                                   std::string(date);
  // Replacements and insertions at positions of the file, applied in order.
  struct Edit {
    std::size_t from, to;
    std::string text;
  };
  std::vector<Edit> edits;
  std::string added;
  const std::size_t insertAt = span.eor != std::string_view::npos ? span.eor : span.end;
  if (span.sent) edits.push_back({span.sent->first, span.sent->second, sentField});
  else added += sentField + " ";
  if (!dateField.empty()) {
    if (span.sentDate) edits.push_back({span.sentDate->first, span.sentDate->second, dateField});
    else added += dateField + " ";
  }
  if (!added.empty()) {
    // A record without <EOR> ends where the next begins: keep a blank before it.
    if (span.eor == std::string_view::npos) added = " " + added.substr(0, added.size() - 1);
    edits.push_back({insertAt, insertAt, added});
  }
  std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.from < b.from; });
  std::string out;
  std::size_t at = span.start;
  for (const Edit& e : edits) {
    out.append(file.substr(at, e.from - at));
    out.append(e.text);
    at = e.to;
  }
  out.append(file.substr(at, span.end - at));
  return out;
}

std::optional<std::uint64_t> AdifReader::Fingerprint() const {
  return FingerprintBytes(data_.substr(span_.start, span_.end - span_.start));
}

}  // namespace tevra
