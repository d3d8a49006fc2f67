// The options dialog ("オプション") as a model: the values its controls edit,
// the lists its combo boxes offer, and what OK does to the program and the
// document.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "program/settings.h"
#include "core/translatable.h"

namespace tevra {

class Document;
class Program;

class OptionsDialog {
 public:
  static constexpr std::string_view kTitle = QT_TRANSLATE_NOOP("Tevra", "オプション");

  struct Values {
    bool skipSendMark = true;    // "ＱＳＬ送信済みは読み込まない"
    std::string loadCond;        // "その他の条件" (CP932)
    std::string sendMark;        // "送信マーク"
    int timeType = 0;            // "展開時刻": 自動, 常にＪＳＴ, 常にＵＴＣ
    bool makeContItem = true;    // "アイテム作成を継続する"
    bool repCallPack = false;    // "同じ基本コールはまとめる"
    bool repEnvPack = false;     // "異なるEnvでもまとめる"
    bool backup = true;          // "バックアップ作成"
    bool clipCheck = false;      // "クリップボードの定期的な監視"
    bool disLogNewTime = false;  // "ﾀｲﾑｽﾀﾝﾌﾟ変更しない"
    std::string partMark;        // "その他の分離条件" (CP932)
    bool invRotFont = false;     // "フォント回転方向を印刷時に逆にする"
    bool includeDoc = false;     // "文書にオプション情報を含める"
    std::string language;        // "言語": "" (by the locale), "ja" or "en"; next start
  };

  explicit OptionsDialog(Program& program);

  // The "その他の条件" list: the condition templates.
  static std::span<const std::string_view> ConditionChoices();
  // The "その他の分離条件" list: the merge variable names.
  static std::span<const std::string_view> PartMarkChoices();
  static std::span<const std::string_view> TimeTypeLabels();
  // The "言語" choices, in the order of LanguageCodes().
  static std::span<const std::string_view> LanguageLabels();
  static std::span<const std::string_view> LanguageCodes();

  // The "ﾚｼﾞｽﾄﾘ削除" button.
  void RemoveRegistration();

  // OK is refused while this gives a message: an empty send mark would
  // write nothing (or a NUL byte) into the logs.
  std::optional<std::string_view> Check() const;

  Values values;

 private:
  Program& program_;
};

// OK: stores the values (a send mark loses its leading blanks; an empty one
// leaves the mark as it was); regroups the
// log and reads the current card again when a grouping option changed.
// True when the document is to be marked modified ("IncludeDoc" on).
bool ApplyOptions(const OptionsDialog& dialog, Document& doc);

}  // namespace tevra
