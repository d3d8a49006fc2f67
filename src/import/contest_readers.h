// Readers of the text logs of contest programs: CT (.res), TR-LOG (.dat)
// and Cabrillo, with the Cabrillo options dialog's model.
#pragma once

#include <cstdio>
#include <string>

#include "core/line_reader.h"
#include "import/record_source.h"
#include "import/text_encoding.h"
#include "core/translatable.h"

namespace tevra {

class Ui;

inline constexpr std::size_t kContestLineMax = 511;

// Parse one line of a fixed-column log into record (which the caller has
// set to the default record). False when the line holds no QSO.
bool ParseCtLine(std::string_view line, QsoRecord& record);
bool ParseTrLogLine(std::string_view line, QsoRecord& record);

class FixedColumnReader : public RecordSource {
 public:
  enum class Kind { Ct, TrLog };
  FixedColumnReader(std::FILE* file, Kind kind, const QsoRecord& defaultQso)
      : lines_(file, kContestLineMax), kind_(kind), defaultQso_(defaultQso) {}
  Step Next(QsoRecord& record) override;
  bool Failed() const override { return lines_.Failed(); }

 private:
  LineReader lines_;
  Kind kind_;
  const QsoRecord& defaultQso_;
  std::string line_;
};

// "Cabrilloの変換方法": how "PH" becomes a mode, and where the worked call is.
struct CabrilloOptions {
  // 0 always PHONE, 1 always SSB, 2 PHONE from 27.99 MHz, 3 PHONE from 429.99 MHz.
  int phoneRule = 1;
  bool fixedCallColumn = false;
  int callColumn = 55;  // 1-based
};

class CabrilloOptionsDialog {
 public:
  explicit CabrilloOptionsDialog(const CabrilloOptions& options) : options_(options) {}
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("Tevra", "Cabrilloの変換方法");
  // The phone-rule choices, in order.
  static const char* const kPhoneRules[4];

  const CabrilloOptions& Options() const { return options_; }
  void SetPhoneRule(int rule);
  void SetFixedCallColumn(bool fixed) { options_.fixedCallColumn = fixed; }
  // The column field is usable only with a fixed position.
  bool CallColumnEnabled() const { return options_.fixedCallColumn; }
  void SetCallColumn(int column);

 private:
  CabrilloOptions options_;
};

// One "QSO:" line (leading blanks allowed). The words after the time are
// split symmetrically into the sent and the received call and exchange
// when their count allows; a report-shaped first exchange word is the
// report sent, the other exchange words go to the tags "STX" and "SRX".
// reports: whether the log's exchanges open with a signal report (then the
// received one goes to the tag "My"); none: as this line's words look.
bool ParseCabrilloQso(std::string_view line, const CabrilloOptions& options, QsoRecord& record,
                      std::optional<bool> reports = std::nullopt);

// Whether a contest of this name ("CONTEST:" header) has reports in its
// exchange: yes, no, or not known.
std::optional<bool> CabrilloContestHasReports(std::string_view contest);
// Whether the sent exchanges of a whole Cabrillo log open with a signal
// report: as its CONTEST: header names one, else when nearly every QSO's
// first sent word looks like a report and the words do not count up as
// serial numbers do.
bool CabrilloLogHasReports(std::string_view bytes);

// A Cabrillo log, from the whole file's bytes (lines may end in LF, CR LF
// or CR). Without an encoding the file's own is detected.
class CabrilloReader : public RecordSource {
 public:
  CabrilloReader(ReaderBytes bytes, const CabrilloOptions& options, bool remembered,
                 std::optional<TextEncoding> encoding = std::nullopt);
  Step Next(QsoRecord& record) override;
  bool Accepts(const QsoRecord& record) const override { return record.Call[0] != '\0'; }
  bool RemembersFile() const override { return remembered_; }
  std::size_t BytesConsumed() const override { return pos_; }

 private:
  bool NextLine(std::string_view& line);

  ReaderBytes source_;
  std::string_view bytes_;
  std::size_t pos_ = 0;
  CabrilloOptions options_;
  bool reports_;
  bool remembered_;
  TextEncoding encoding_;
  bool ended_ = false;
  std::string converted_;
};

}  // namespace tevra
