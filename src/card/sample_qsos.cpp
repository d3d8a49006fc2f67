#include "card/sample_qsos.h"

#include "core/band.h"

namespace tevra {

std::array<QsoRecord, kMaxQsosPerCard> SampleQsos() {
  std::array<QsoRecord, kMaxQsosPerCard> qsos{};
  for (int i = 0; i < kMaxQsosPerCard; ++i) {
    QsoRecord& r = qsos[static_cast<std::size_t>(i)];
    r.Year = 97;
    r.Month = 8;
    r.Day = static_cast<std::uint8_t>(i + 1);
    r.Hour = 12;
    r.Minute = 34;
    SetField(r.Call, "JH1ZZZ");
    SetField(r.Mode, i == 3 ? "SSB" : "CW");
    SetField(r.RstSent, i == 3 ? "59" : "599");
    SetField(r.Freq, i == 0 ? std::string_view("14.025") : BandNameOfIndex(i));
    SetField(r.Power, "50");
    SetField(r.Name, "\x92\x86\x96\xEC \x88\xEA\x98\x59");  // "中野 一郎"
    SetField(r.Qth, "\x95\x9F\x93\x87\x8E\x73");            // "福島市"
    SetField(r.Remarks, "@KESTRL");
    r.QslRcvd = '-';
    r.Env = 1;
    r.SourceIndex = i;
  }
  return qsos;
}

}  // namespace tevra
