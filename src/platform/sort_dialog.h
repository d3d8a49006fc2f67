// The three-way sort box: which buttons it shows in each of its two forms.
#pragma once

#include <array>
#include <cstdio>
#include <functional>
#include <string>
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

// Asks the sort box with a message holding the QSO count ("%u") and sorts
// (descending or not) on "昇順" or "降順". Answers the button pressed.
inline SortAnswer AskToSort(Ui& ui, std::string_view message, std::size_t qsoCount, bool withCancel,
                            const std::function<void(bool descending)>& sort) {
  char text[512];
  std::snprintf(text, sizeof text, ui.Translate(message).c_str(), static_cast<unsigned>(qsoCount));
  const SortAnswer answer = ui.AskSortOrder(text, withCancel);
  if (answer == SortAnswer::Ascending || answer == SortAnswer::Descending) sort(answer == SortAnswer::Descending);
  return answer;
}

}  // namespace tevra
