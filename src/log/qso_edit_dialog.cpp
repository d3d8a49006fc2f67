#include "log/qso_edit_dialog.h"

#include <cstdio>

#include "core/text.h"

namespace tevra {
namespace {

constexpr std::string_view kFrequencies[] = {"1.9", "3.5", "3.8", "7",  "10",   "14",   "18",   "21",      "24",
                                             "28",  "50",  "144", "430", "1200", "2400", "5600", "144/430", "SAT"};
constexpr std::string_view kModes[] = {"CW", "SSB", "AM", "FM", "RTTY"};

std::string Upper(std::string_view text, std::size_t max) { return ToUpperAscii(PrefixOfChars(text, max)); }

}  // namespace

std::span<const std::string_view> QsoEditDialog::Frequencies() { return kFrequencies; }
std::span<const std::string_view> QsoEditDialog::Modes() { return kModes; }

QsoEditDialog::QsoEditDialog(const QsoRecord& r)
    : call(FieldText(r.Call)),
      rst(FieldText(r.RstSent)),
      freq(FieldText(r.Freq)),
      mode(FieldText(r.Mode)),
      name(FieldText(r.Name)),
      power(FieldText(r.Power)),
      qth(FieldText(r.Qth)),
      remarks(FieldText(r.Remarks)),
      env(std::to_string(r.Env)),
      sent(r.QslSent != '\0'),
      received(r.QslRcvd != '\0') {
  char text[16];
  std::snprintf(text, sizeof text, "%02u/%02u/%02u", r.Year, r.Month, r.Day);
  date = text;
  std::snprintf(text, sizeof text, "%02u%02u", r.Hour, r.Minute);
  time = text;
}

void QsoEditDialog::Accept(QsoRecord& r) const {
  SetField(r.Call, Upper(call, 24));
  SetField(r.RstSent, Upper(rst, 24));
  SetField(r.Freq, Upper(freq, 20));
  SetField(r.Mode, Upper(mode, 20));
  // "YY/MM/DD": three numbers split at "/".
  std::string_view d = date;
  std::uint8_t* parts[3] = {&r.Year, &r.Month, &r.Day};
  for (int i = 0; i < 3; ++i) {
    const std::size_t slash = d.find('/');
    *parts[i] = static_cast<std::uint8_t>(DecimalValue(d.substr(0, slash)) % 256);
    d = slash == std::string_view::npos ? std::string_view() : d.substr(slash + 1);
  }
  const int hhmm = DecimalValue(time);
  r.Hour = static_cast<std::uint8_t>(hhmm / 100 % 256);
  r.Minute = static_cast<std::uint8_t>(hhmm % 100);
  SetField(r.Power, PrefixOfChars(power, 8));
  SetField(r.Name, PrefixOfChars(name, 50));
  SetField(r.Qth, PrefixOfChars(qth, 50));
  SetField(r.Remarks, PrefixOfChars(remarks, 512));
  r.Env = DecimalValue(env);
  // A newly checked mark is "-"; a kept one keeps its character.
  r.QslSent = sent ? (r.QslSent != '\0' ? r.QslSent : '-') : '\0';
  r.QslRcvd = received ? (r.QslRcvd != '\0' ? r.QslRcvd : '-') : '\0';
}

}  // namespace tevra
