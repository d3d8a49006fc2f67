// The line-by-line state of "@if" / "@elseif" / "@else" / "@endif" blocks.
#pragma once

#include <array>
#include <functional>
#include <string_view>
#include "core/translatable.h"

namespace tevra {

class Ui;

struct BlockState {
  static constexpr int Capacity = 32;
  int Depth = 0;
  int SkipDepth = 0;  // blocks opened inside an inactive branch
  std::array<bool, Capacity> Active{};
  std::array<bool, Capacity> Taken{};
  bool Report = false;
};

inline constexpr std::string_view kNestingTooDeep = QT_TRANSLATE_NOOP("Tevra", "@if ～ @endifブロックのネストが制限を超えました.");
inline constexpr std::string_view kBlockNotStarted = QT_TRANSLATE_NOOP("Tevra", "@ifブロックが始まっていません");

// Feeds one line. condition evaluates the text after "@if"/"@elseif" (with
// the state's report flag); ui shows the directive messages when Report is
// set. True when the line is content inside active branches.
bool BlockStep(BlockState& state, std::string_view line,
               const std::function<bool(std::string_view, bool*)>& condition, Ui* ui);

}  // namespace tevra
