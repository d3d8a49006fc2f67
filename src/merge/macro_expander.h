// The merge language's lowest layer: expanding one line of item text for a
// QSO, and looking up named variables.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "core/call_sign.h"
#include "merge/block_state.h"
#include "merge/merge_context.h"

namespace tevra {

// Output of one expanded line is cut at this many bytes; a variable's value
// at kValueMax.
inline constexpr std::size_t kLineMax = 1024;
inline constexpr std::size_t kValueMax = 512;
inline constexpr std::size_t kSpecMax = 14;

class PromptHistory;
class Ui;

struct MergeServices {
  int timeType = 0;  // "TimeType": 0 automatic, 1 JST, 2 UTC
  const EntityLookup* entities = nullptr;
  // The mode conversion table; without one, modes print as logged.
  const ModeConverter* modes = nullptr;
  // Messages, "@MsgBox" and "@Input" prompts; without a Ui nothing is
  // shown and prompts take their pre-filled text.
  Ui* ui = nullptr;
  PromptHistory* history = nullptr;
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

  // Conditions. report: when set, an unrecognised condition shows a
  // message once and clears it.
  bool EvaluateConditions(std::string_view list, QsoRecord& record, bool* report = nullptr);
  bool EvaluateConditionsForCard(std::string_view list, bool* report = nullptr);
  bool EvaluateCondition(std::string_view condition, QsoRecord& record, bool* report = nullptr);

  // "@if" blocks and prompts.
  std::string FirstActiveLine(std::string_view text);
  std::string ActiveText(std::string_view text);
  // The validation run of item dialogs: false when a message was shown.
  bool CheckConditionalText(std::string_view text);

  MergeContext& Context() { return context_; }

 private:
  struct Clock;
  std::string Expand(std::string_view line, QsoRecord& record, int depth);
  std::string Lookup(std::string_view name, QsoRecord& record, int depth);
  std::string TextFunction(std::string_view content, QsoRecord& record, int depth);
  std::string ActiveLines(std::string_view text, bool firstOnly, int depth);
  // The printed text of one active line; prompt answers may span lines.
  std::string ActiveLine(std::string_view line, bool wholeAnswer, int depth);
  bool Unrecognised(std::string_view condition, bool* report);
  std::string Mode(const QsoRecord& record) const;
  bool InCard(const QsoRecord& record) const;

  MergeContext& context_;
  MergeServices services_;
};

}  // namespace tevra
