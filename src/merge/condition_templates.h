// The condition templates every condition field offers in its drop-down list.
#pragma once

#include <array>
#include <string_view>

namespace tevra {

inline constexpr std::array<std::string_view, 50> kConditionTemplates = {
    "IsJA",
    "IsDX",
    "IsMGR",
    "IsSWL",
    "IsSEND",
    "IsRECV",
    "IsSAT",
    "IsPOWER",
    "IsNAME",
    "IsQTH",
    "IsQSL",
    "IsTEST",
    "IsPTB",
    "IsREP",
    "IsClubJA",
    "BAND==14",
    "BAND!=1.9",
    "MODE==CW",
    "MODE!=SSB",
    "ENV==1",
    "ENV!=1",
    "ENV>=1",
    "ENV<=1",
    "TRUE",
    "FALSE",
    "IsL2(xxx)",
    "L2(xxx)==xxx",
    "L2(xxx)!=xxx",
    "PERIOD==97.08.13-97.09.13",
    "PERIOD!=97.08.13-97.09.13",
    "TERM==97.08.13.1234-97.09.13.1234",
    "TERM!=97.08.13.1234-97.09.13.1234",
    "DATE==97.09.13",
    "DATE!=97.09.13",
    "DATE>=97.09.13",
    "DATE<=97.09.13",
    "TIME==1234",
    "TIME!=1234",
    "TIME>=1234",
    "TIME<=1234",
    "StrCALL==ABC",
    "StrNAME==ABC",
    "StrQTH==ABC",
    "StrQSL==ABC",
    "StrL2(...)==ABC",
    "CharSEND==D",
    "CharRECV==D",
    "Len(ToCall)==6",
    "Val(Freq)>=18",
    "IsAvailable(0)",
};

}  // namespace tevra
