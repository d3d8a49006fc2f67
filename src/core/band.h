// Amateur bands, frequency texts and modes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tevra {

// 0: no band; 1..25: the band table; 26: satellite or cross-band.
inline constexpr int kSatelliteBand = 26;
inline constexpr int kBandCount = 26;  // rows 0..25 of the table
inline constexpr int kModeCount = 47;
inline constexpr int kRigSlotCount = 18;

int BandOfFrequency(std::string_view freq);
// Band table columns for index 0..25 ("" for any other index).
std::string_view BandNameOfIndex(int band);
std::string_view MetreNameOfIndex(int band);
std::string_view AdifBandNameOfIndex(int band);
std::string BandName(std::string_view freq);
std::string MetreBandOf(std::string_view freq);
std::string MhzBandOfMetres(std::string_view metres);
int ModeIndex(std::string_view mode);
std::string_view ModeNameOfIndex(int index);
int ReportLength(int modeIndex);
// 1-based slot of the per-band rig and antenna texts (1..18).
int BandSlot(std::string_view freq);
std::string FrequencyText(int band, int kHzOffset);
// Frequency column of a contest QSO line; nullopt keeps the default.
std::optional<std::string> ContestFrequency(std::string_view field);
// Mode column of a contest QSO line; nullopt keeps the default. mhz is the
// frequency obtained for the line, if any.
std::optional<std::string> ContestMode(std::string_view field, int phoneRule, std::optional<double> mhz);

}  // namespace tevra
