#include "merge/prompt_dialog.h"

#include <algorithm>

#include "core/encoding.h"
#include "core/text.h"
#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {

void PromptHistory::Add(std::string_view text) {
  std::string escaped(PrefixOfChars(text, kPromptTextMax));
  if (escaped.find_first_not_of("\r\n") == std::string::npos) return;
  EscapeLineBreaks(escaped);
  std::erase(entries_, escaped);
  entries_.push_front(std::move(escaped));
  if (entries_.size() > kPromptHistoryMax) entries_.resize(kPromptHistoryMax);
}

void PromptHistory::Assign(std::vector<std::string> escaped) {
  entries_.clear();
  for (auto& e : escaped) {
    if (entries_.size() == kPromptHistoryMax) break;
    if (!e.empty()) entries_.push_back(std::move(e));
  }
}

std::string PromptHistory::Text(std::size_t index) const {
  if (index >= entries_.size()) return {};
  std::string text = entries_[index];
  UnescapeLineBreaks(text);
  return text;
}

PromptDialog::PromptDialog(Mode mode, std::string prompt, PromptHistory& history, const QsoRecord* qso)
    : mode_(mode), prompt_(std::move(prompt)), history_(history), qso_(qso), edit_(history.Text(0)) {}

std::string PromptDialog::Caption() const {
  if (mode_ == Mode::Register) return QT_TRANSLATE_NOOP("Tevra", "メッセージを登録");
  return prompt_.empty() ? std::string(QT_TRANSLATE_NOOP("Tevra", "メッセージを入力")) : ToUnicode(prompt_);
}

std::array<std::string_view, 3> PromptDialog::ButtonLabels() const {
  if (mode_ == Mode::Register) return {QT_TRANSLATE_NOOP("Tevra", "登録"), "OK", QT_TRANSLATE_NOOP("Tevra", "ｷｬﾝｾﾙ")};
  return {QT_TRANSLATE_NOOP("Tevra", "QSO参照"), "OK", QT_TRANSLATE_NOOP("Tevra", "印刷終了")};
}

void PromptDialog::ChooseHistory(std::size_t index) {
  if (index < history_.Entries().size()) edit_ = history_.Text(index);
}

void PromptDialog::ShowQso(Ui& ui) const {
  if (!qso_) return;
  QsoRecord copy = *qso_;  // nothing the user changes there reaches the card
  ui.EditQso(copy);
}

void PromptDialog::Register() { history_.Add(edit_); }

void PromptDialog::Accept() { history_.Add(edit_); }

}  // namespace tevra
