// The merge language's lowest layer: expanding one line of item text for a
// QSO, and looking up named variables.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "core/call_sign.h"
#include "merge/merge_context.h"

namespace tevra {

// Output of one expanded line is cut at this many bytes; a variable's value
// at kValueMax.
inline constexpr std::size_t kLineMax = 1024;
inline constexpr std::size_t kValueMax = 512;
inline constexpr std::size_t kSpecMax = 14;

struct MergeServices {
  int timeType = 0;  // "TimeType": 0 automatic, 1 JST, 2 UTC
  const EntityLookup* entities = nullptr;
  // Until the later layers exist: the first line of a text, the mode as
  // logged.
  const ActiveLineFilter* activeLines = nullptr;
  const ModeConverter* modes = nullptr;
  // The computer's clock for the conversion "n".
  std::function<std::time_t()> clock;
};

class MacroExpander {
 public:
  MacroExpander(MergeContext& context, MergeServices services);

  // Expands one line for record (normally the card's first QSO). Field
  // assignments write into record (or the QSO a repeat selector chose).
  std::string ExpandLine(std::string_view line, QsoRecord& record);
  std::string LookupVariable(std::string_view name, QsoRecord& record);
  // LookupVariable for the card's first QSO; the name itself while no log
  // data is merged.
  std::string LookupVariableForCard(std::string_view name);
  static std::string Greeting(std::string_view name, std::string_view kanaSuffix, std::string_view wideSuffix);

  MergeContext& Context() { return context_; }

 private:
  struct Clock;
  std::string Expand(std::string_view line, QsoRecord& record, int depth);
  std::string Lookup(std::string_view name, QsoRecord& record, int depth);
  std::string TextFunction(std::string_view content, QsoRecord& record, int depth);
  std::string FirstLine(std::string_view text, QsoRecord& record) const;
  std::string Mode(const QsoRecord& record) const;
  bool InCard(const QsoRecord& record) const;

  MergeContext& context_;
  MergeServices services_;
};

}  // namespace tevra
