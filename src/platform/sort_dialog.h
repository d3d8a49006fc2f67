// The three-way sort box: which buttons it shows in each of its two forms.
#pragma once

#include <array>
#include <string_view>

#include "platform/ui.h"

namespace tevra {

struct SortDialogButton {
  std::string_view label;
  SortAnswer answer;
  bool visible;
};

struct SortDialogModel {
  static constexpr std::string_view kTitle = "TEVRA";
  // withCancel: "昇順", "降順", "いいえ", "ｷｬﾝｾﾙ". The second form hides
  // "いいえ" and labels the fourth button "いいえ"; it still answers as
  // the fourth button, which callers of that form take as no.
  static std::array<SortDialogButton, 4> Buttons(bool withCancel) {
    if (withCancel)
      return {{{"昇順", SortAnswer::Ascending, true},
               {"降順", SortAnswer::Descending, true},
               {"いいえ", SortAnswer::No, true},
               {"ｷｬﾝｾﾙ", SortAnswer::Cancel, true}}};
    return {{{"昇順", SortAnswer::Ascending, true},
             {"降順", SortAnswer::Descending, true},
             {"いいえ", SortAnswer::No, false},
             {"いいえ", SortAnswer::Cancel, true}}};
  }
  // Closing the box with the window's close button or Escape counts as the
  // fourth button.
  static constexpr SortAnswer kClosed = SortAnswer::Cancel;
};

}  // namespace tevra
