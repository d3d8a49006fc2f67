// Arbitrary lines expanded against a fixed card of two QSOs, with macros
// and rig texts in place.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "merge/macro_expander.h"

namespace {
struct Macros : tevra::MacroLookup {
  std::optional<std::string> FindMacro(std::string_view name) const override {
    return name == "m" ? std::optional<std::string>("%C%{m}") : std::nullopt;
  }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::array<tevra::QsoRecord, tevra::kMaxQsosPerCard> card{};
  tevra::SetField(card[0].Call, "JA1ABC/3");
  tevra::SetField(card[0].Remarks, "REM\xA2hi\xA3 QSL[W1MGR] $x$");
  tevra::SetField(card[0].Name, "\x8E\x52\x93\x63 Taro");
  tevra::SetField(card[0].Freq, "7.045");
  card[0].Year = 24;
  card[0].Month = 1;
  card[0].Day = 1;
  tevra::SetField(card[1].Call, "W1AW");
  Macros macros;
  tevra::MergeContext context;
  context.CardQsos = card.data();
  context.RepeatCount = 3;
  context.QsosOnCard = 2;
  context.Macros = &macros;
  static const tevra::BandTexts rig = [] {
    tevra::BandTexts texts;
    texts[3] = "IC-705\r\nx";
    return texts;
  }();
  context.RigTexts = &rig;
  tevra::MergeServices services;
  services.timeType = size > 0 ? data[0] % 3 : 0;
  services.clock = [] { return std::time_t{0}; };
  tevra::MacroExpander expander(context, services);
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  if (expander.ExpandLine(line, card[0]).size() > tevra::kLineMax) std::abort();
  if (expander.LookupVariable(line, card[0]).size() > tevra::kValueMax) std::abort();
  // The same bytes as a condition list and as a multi-line text with blocks.
  bool report = true;
  expander.EvaluateConditions(line, card[0], &report);
  if (expander.ActiveText(line).size() > 1023) std::abort();
  expander.FirstActiveLine(line);
  expander.CheckConditionalText(line);
  return 0;
}
