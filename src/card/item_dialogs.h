// The property and condition dialogs of the card items as models: the
// values each dialog shows, its fixed lists, which controls are enabled,
// and what OK does to the item. The views only bind widgets to these.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "card/card_item.h"
#include "core/translatable.h"

namespace tevra {

// A label with the value it stands for.
struct ListEntry {
  std::string_view label;
  std::int32_t value;
};

// "ペンサイズ": lines, boxes, round boxes, ellipses, images and groups.
class PenDialog {
 public:
  static constexpr std::string_view kTitle = QT_TRANSLATE_NOOP("Tevra", "ペンサイズ");
  static std::span<const ListEntry> Sizes();
  static std::span<const ListEntry> Styles();  // "線の種類"

  PenDialog(std::int32_t width, std::int32_t style);
  // The entries shown first: the item's value, else the list's first.
  std::size_t SizeIndex() const { return sizeIndex_; }
  std::size_t StyleIndex() const { return styleIndex_; }
  // A choice or a typed label; a text that names no entry leaves the value.
  void ChooseSize(std::string_view label);
  void ChooseStyle(std::string_view label);
  std::int32_t width, style;

 private:
  std::size_t sizeIndex_ = 0, styleIndex_ = 0;
};

// Strings and text boxes share "<文字列>の設定" / "<ﾃｷｽﾄﾎﾞｯｸｽ>の設定".
class TextItemDialog {
 public:
  static std::span<const std::string_view> Presets();
  explicit TextItemDialog(const CardItem& item);  // a StringItem or a TextBoxItem

  std::string Title() const;
  bool IsTextBox() const { return textBox_; }
  // Enabling: "垂直描画", "反転", "線を引く" and "/を重ねる" only for
  // strings; "スタイル" only for text boxes; "Table" while the text is
  // "@Table" or begins with "@Table ".
  bool VerticalEnabled() const { return !textBox_; }
  bool ZeroSlashEnabled(int style) const { return !textBox_ || style == 0 || style == 3; }
  bool StyleEnabled() const { return textBox_; }
  bool TableEnabled() const;

  std::string text;  // CP932, line breaks "\r\n"
  bool frame = false, vertical = false, inverted = false, transparent = false;
  int zeroSlash = 0;
  FontRecord font;
  Colour textColour = 0;
  std::int32_t format = 0;  // text boxes: the style bits
  ConditionTable table;     // the own table, edited on a copy

  // OK: false (the item unchanged) for an empty text. Otherwise the values
  // go into the item and the text is checked; a failed check answers false
  // with the values kept, and the dialog opens again.
  enum class Result { Unchanged, Stored, CheckFailed };
  Result Accept(CardItem& item, const std::function<bool(std::string_view)>& check) const;

 private:
  bool textBox_;
};

// "差込データマーク選択".
class DataMarkDialog {
 public:
  static std::span<const std::string_view> Names();
  DataMarkDialog(const DataMarkItem& item, int qsosPerCard);

  // The QSO position, its spin control and the absent text only with more
  // than one QSO per card; "Table" while the name is "Table".
  bool PositionEnabled() const { return qsosPerCard_ > 1; }
  bool TableEnabled() const { return name == "Table"; }
  int PositionMax() const { return qsosPerCard_ < 1 ? 1 : qsosPerCard_; }

  std::string name;  // CP932
  int zeroSlash = 0;
  int position = 1;
  std::string absentText;
  bool transparent = false, vertical = false, inverted = false;
  FontRecord font;
  Colour colour = 0;  // the pen colour
  ConditionTable table;
  // OK: an empty name leaves the item unchanged (false).
  bool Accept(DataMarkItem& item) const;

 private:
  int qsosPerCard_;
};

// "JARL転送枠".
class JarlFrameDialog {
 public:
  explicit JarlFrameDialog(const JarlFrameItem& item);
  // The slash inset only with "線を引く".
  bool InsetEnabled() const { return zeroSlash == 1; }
  std::int32_t boxWidth, boxHeight, boxPitch, direction, showFrame, characterCount, horizontalOffset,
      verticalOffset, zeroSlash, slashInset;
  bool clip;
  FontRecord font;
  Colour textColour;
  // OK: the values, then the rectangle recomputed.
  void Accept(JarlFrameItem& item) const;
};

// "条件設定": the print condition of any item, or a check box's condition
// with its two check boxes.
class ConditionDialog {
 public:
  static std::span<const std::string_view> Examples();
  // checkBox: the check condition with "レ印のチェック" and "枠の描画".
  ConditionDialog(const CardItem& item, bool checkBox);
  bool CheckBoxesEnabled() const { return checkBox_; }
  std::string condition;  // CP932
  bool tick = false, frame = false;
  // OK: an empty check-box condition leaves the item unchanged (false).
  bool Accept(CardItem& item) const;

 private:
  bool checkBox_;
};

}  // namespace tevra
