// The prompt dialog of "@Input" lines and its history of earlier answers;
// the same dialog, in its registration mode, maintains the history.
#pragma once

#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/qso_record.h"

namespace tevra {

class Ui;

inline constexpr std::size_t kPromptHistoryMax = 64;
inline constexpr std::size_t kPromptTextMax = 1023;

// Earlier answers, most recent first, each with its line breaks escaped
// ("\r", "\n"); kept in the options and in the settings file.
class PromptHistory {
 public:
  // Puts text (with real line breaks) at the top, removing equal entries.
  // Empty texts and texts of nothing but line breaks are not kept.
  void Add(std::string_view text);
  // Replaces the list with stored entries (already escaped), most recent first.
  void Assign(std::vector<std::string> escaped);
  const std::deque<std::string>& Entries() const { return entries_; }
  // An entry with its line breaks restored.
  std::string Text(std::size_t index) const;

 private:
  std::deque<std::string> entries_;
};

class PromptDialog {
 public:
  enum class Mode { Printing, Register };

  // prompt: the expanded prompt (CP932); qso: the card's first QSO, shown
  // by "QSO参照".
  PromptDialog(Mode mode, std::string prompt, PromptHistory& history, const QsoRecord* qso);

  Mode GetMode() const { return mode_; }
  std::string Caption() const;  // UTF-8
  // The three buttons, left to right (UTF-8).
  std::array<std::string_view, 3> ButtonLabels() const;

  const std::string& EditText() const { return edit_; }  // CP932, real line breaks
  void SetEditText(std::string text) { edit_ = std::move(text); }
  const PromptHistory& History() const { return history_; }
  void ChooseHistory(std::size_t index);
  // "QSO参照": the QSO dialog on a copy of the card's first QSO.
  void ShowQso(Ui& ui) const;
  // "登録" in the registration mode.
  void Register();
  // OK: the edit text goes to the top of the history.
  void Accept();

 private:
  Mode mode_;
  std::string prompt_;
  PromptHistory& history_;
  const QsoRecord* qso_;
  std::string edit_;
};

}  // namespace tevra
