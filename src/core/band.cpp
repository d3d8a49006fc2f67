#include "core/band.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>

#include "core/text.h"

namespace tevra {
namespace {

struct BandRow {
  std::string_view name;
  std::string_view metres;
  std::string_view adif;
};

constexpr std::array<BandRow, kBandCount> kBands = {{
    {"", "", ""},
    {"1.9", "160", "160m"},
    {"3.5", "80", "80m"},
    {"3.8", "75", "80m"},
    {"7", "40", "40m"},
    {"10", "30", "30m"},
    {"14", "20", "20m"},
    {"18", "17", "17m"},
    {"21", "15", "15m"},
    {"24", "12", "12m"},
    {"28", "10", "10m"},
    {"50", "6", "6m"},
    {"144", "2", "2m"},
    {"430", "430", "70cm"},
    {"1200", "1200", "23cm"},
    {"2400", "2400", "13cm"},
    {"5600", "5600", "6cm"},
    {"10.1G", "10.1G", "3cm"},
    {"10.4G", "10.4G", "3cm"},
    {"24G", "24G", "1.25cm"},
    {"47G", "47G", "6mm"},
    {"75G", "75G", "4mm"},
    {"142G", "142G", "2mm"},
    {"248G", "248G", "1mm"},
    {"4630", "4630", "65m"},
    {"220", "220", "1.25m"},
}};

struct ModeRow {
  std::string_view name;
  int reportLength;
};

constexpr std::array<ModeRow, kModeCount> kModes = {{
    {"CW", 3},   {"SSB", 2},  {"AM", 2},   {"FM", 2},   {"RTTY", 3}, {"PAC", 3},  {"FAX", 3},  {"SSTV", 3},
    {"ATV", 3},  {"TV", 3},   {"FSTV", 3}, {"A1", 3},   {"A2", 3},   {"A3", 2},   {"A3A", 2},  {"A3H", 2},
    {"A3J", 2},  {"A4", 3},   {"A5", 3},   {"A5C", 3},  {"A5J", 3},  {"A9", 3},   {"A9C", 3},  {"F1", 3},
    {"F2", 3},   {"F3", 2},   {"F4", 3},   {"F5", 3},   {"F9", 3},   {"P0", 3},   {"P1", 3},   {"P2D", 3},
    {"P2E", 3},  {"P2F", 3},  {"P3D", 3},  {"P3E", 3},  {"P3F", 3},  {"P9", 3},   {"U1", 3},   {"U2", 3},
    {"U3", 3},   {"U4", 3},   {"PSK", 3},  {"BPSK", 3}, {"QPSK", 3}, {"HELL", 3}, {"MFSK", 3},
}};

int ExactBandIndex(std::string_view text) {
  for (int i = 1; i < kBandCount; ++i)
    if (kBands[i].name == text) return i;
  return 0;
}

}  // namespace

std::string_view BandNameOfIndex(int band) { return band >= 0 && band < kBandCount ? kBands[band].name : ""; }
std::string_view MetreNameOfIndex(int band) { return band >= 0 && band < kBandCount ? kBands[band].metres : ""; }
std::string_view AdifBandNameOfIndex(int band) { return band >= 0 && band < kBandCount ? kBands[band].adif : ""; }

int BandOfFrequency(std::string_view freq) {
  const std::string_view text = PrefixOfChars(freq, 32);
  if (text.find('/') != std::string_view::npos || EqualsNoCase(text, "SAT")) return kSatelliteBand;
  if (text == "29") return 10;
  if (int exact = ExactBandIndex(text)) return exact;
  const auto dot = text.find('.');
  if (dot == std::string_view::npos) return 0;
  const std::string_view integerText = text.substr(0, dot);
  const unsigned integer = LeadingNumber(integerText);
  std::string fraction(text.substr(dot + 1, 3));
  fraction.resize(3, '0');
  const unsigned kHz = LeadingNumber(fraction);

  if (integer == 1) return 1;
  if (integer == 3) return kHz >= 700 ? 3 : 2;
  if (integer >= 7 && integer <= 24) {
    return ExactBandIndex(integerText);
  }
  if (integer == 28 || integer == 29) return 10;
  if (integer >= 50 && integer <= 54) return 11;
  if (integer >= 144 && integer <= 147) return 12;
  if (integer >= 220 && integer <= 225) return 25;
  if (integer >= 430 && integer <= 440) return 13;
  if (integer >= 1240 && integer <= 1300) return 14;
  if (integer >= 2350 && integer <= 2450) return 15;
  return 0;
}

std::string BandName(std::string_view freq) {
  const int band = BandOfFrequency(freq);
  return band >= 1 && band < kBandCount ? std::string(kBands[band].name) : std::string(freq);
}

std::string MetreBandOf(std::string_view freq) {
  if (EqualsNoCase(freq, "SAT")) return "SAT";
  const int band = BandOfFrequency(freq);
  // Cross-band pairs have no metre name; they print as logged.
  if (band == kSatelliteBand) return std::string(freq);
  return std::string(kBands[band].metres);
}

std::string MhzBandOfMetres(std::string_view metres) {
  if (EqualsNoCase(metres, "SAT")) return "SAT";
  unsigned value = 0;
  if (!ScanUnsigned(metres, value)) return "";
  switch (value) {
    case 160: return "1.8";
    case 80: return "3.5";
    case 75: return "3.8";
    case 40: return "7";
    case 30: return "10";
    case 20: return "14";
    case 17: return "18";
    case 15: return "21";
    case 12: return "24";
    case 10: return "28";
    case 6: return "50";
    case 2: return "144";
    default: return "";
  }
}

int ModeIndex(std::string_view mode) {
  for (int i = 0; i < kModeCount; ++i)
    if (kModes[i].name == mode) return i + 1;
  return 0;
}

std::string_view ModeNameOfIndex(int index) { return index >= 1 && index <= kModeCount ? kModes[index - 1].name : ""; }

int ReportLength(int modeIndex) {
  return modeIndex >= 1 && modeIndex <= kModeCount ? kModes[modeIndex - 1].reportLength : 3;
}

int BandSlot(std::string_view freq) {
  const int band = BandOfFrequency(freq);
  if (band == kSatelliteBand) return 17;
  if (band >= 1 && band <= 17) return band;
  return 18;
}

std::string FrequencyText(int band, int offset) {
  const std::string name(BandNameOfIndex(band));
  if (offset < 0) return name + "/" + std::string(BandNameOfIndex(offset == INT_MIN ? -1 : -offset));
  if (offset == 0) return name;
  const unsigned off = static_cast<unsigned>(offset);
  switch (band) {
    case 1: return Format("1.%03u", off);
    case 2:
    case 3: return Format("3.%03u", off);
    case 4: case 5: case 6: case 7: case 8: case 9: return Format("%s.%03u", name.c_str(), off);
    case 10: case 11: case 12: case 13:
      return Format("%u.%03u", LeadingNumber(name) + off / 1000, off % 1000);
    case 14: return Format("%u.%02u", off / 100 + 1240, off % 100);
    case 15: return Format("%u.%02u", off / 100 + 2350, off % 100);
    case 25: return Format("%u.%03u", off / 1000 + 220, off % 1000);
    default: return name;
  }
}

std::optional<std::string> ContestFrequency(std::string_view field) {
  if (field.empty()) return std::nullopt;
  char first = field[0];
  if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 32);
  switch (first) {
    case 'A': return "50";
    case 'B': return "144";
    case 'D': return "430";
    case 'E': return "1200";
    case 'F': return "2400";
    case 'H': return "5600";
    default: break;
  }
  // Band designators of VHF and up, as Cabrillo 3.0 writes them.
  static constexpr std::pair<std::string_view, std::string_view> kDesignators[] = {
      {"50", "50"},     {"70", "70"},     {"144", "144"},  {"222", "220"},  {"432", "430"},  {"902", "902"},
      {"1.2G", "1200"}, {"2.3G", "2400"}, {"3.4G", "3400"}, {"5.7G", "5600"}, {"10G", "10.1G"}, {"24G", "24G"},
      {"47G", "47G"},   {"75G", "75G"},   {"122G", "122G"}, {"134G", "142G"}, {"241G", "248G"}, {"LIGHT", "LIGHT"},
  };
  for (const auto& [designator, freq] : kDesignators)
    if (EqualsNoCase(field, designator)) return std::string(freq);
  if (first < '0' || first > '9') return std::nullopt;
  const unsigned kHz = LeadingNumber(field);
  std::string text;
  if (kHz == 1800 || kHz == 1900 || kHz == 3500 || kHz == 3800)
    text = Format("%.1f", kHz / 1000.0);
  else if (kHz % 1000 == 0)
    text = Format("%u", kHz / 1000);
  else
    text = Format("%.3f", kHz / 1000.0);
  return text.substr(0, 20);
}

std::optional<std::string> ContestMode(std::string_view field, int phoneRule, std::optional<double> mhz) {
  if (EqualsNoCase(field, "PH")) {
    switch (phoneRule) {
      case 0: return "PHONE";
      case 1: return "SSB";
      case 2: return mhz && *mhz < 27.99 ? "SSB" : "PHONE";
      case 3: return mhz && *mhz < 429.99 ? "SSB" : "PHONE";
      default: return std::nullopt;
    }
  }
  if (EqualsNoCase(field, "CW")) return "CW";
  if (EqualsNoCase(field, "RY")) return "RTTY";
  if (EqualsNoCase(field, "TV")) return "SSTV";
  if (EqualsNoCase(field, "FM")) return "FM";
  if (EqualsNoCase(field, "DG")) return "DG";
  return std::nullopt;
}

}  // namespace tevra
