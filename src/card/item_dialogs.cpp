#include "card/item_dialogs.h"

#include <algorithm>

#include "merge/condition_templates.h"
#include "core/translatable.h"

namespace tevra {
namespace {

constexpr ListEntry kSizes[] = {{"最小", 1},   {"0.1mm", 4},  {"0.2mm", 8},   {"0.3mm", 12},  {"0.4mm", 16},
                                {"0.5mm", 20}, {"0.6mm", 24}, {"0.7mm", 28},  {"0.8mm", 32},  {"0.9mm", 35},
                                {"1.0mm", 39}, {"1.5mm", 59}, {"2.0mm", 79},  {"2.5mm", 98},  {"3.0mm", 118},
                                {"4.0mm", 157}, {"5.0mm", 197}};
constexpr ListEntry kStyles[] = {{"実線", 0}, {"破線", 1}, {"点線", 2}, {"一点鎖線", 3}, {"二点鎖線", 4}, {"ディザ線", 6}};

constexpr std::string_view kPresets[] = {
    "Confirming Our QSO", "To Radio", "DATE", "TIME", "MHz", "RST", "2Way", "Rig.", "Ant.", "Rmks.", "W", "QTH",
    "Op.", "JCC#", "JCG#", "Thank you for the nice QSO", "@Input", "@Table", "@Table(1)", "@Table(2)", "@Table(3)",
    "@Table(4)", "@Table(5)"};

constexpr std::string_view kNames[] = {
    "ToCall", "ViaCall", "ViaENT", "JST/UTC", "Band", "Freq", "mBand", "Mode", "RST", "RST_R", "RST_S", "RST_T",
    "Dear", "DearF", "Name", "QTH", "Power", "RIG", "ANT", "'YY", "YY", "MM", "DD", "MON", "Mon.", "YYYY",
    "YY/MM/DD", "YY/DD/MM", "DD/MM/YY", "MM/DD", "DD MON", "DD MON 'YY", "DD Mon.", "DD Mon. 'YY", "DD Mon. YYYY",
    "Mon. DD", "'YY Mon. DD", "YYYY Mon. DD", "HH:mm", "HHmm", "HH", "mm", "PSE/TNX", "PSE QSL", "TNX QSL",
    "TNX/NO", "UR", "$QSL$", "~QSL~", "^QSL^", "%QSL%", "MAC(...)", "L2(...)", "Via_1", "Via_2", "Via_3", "Via_4",
    "Via_5", "Via_6", "Via_7", "Via_8", "Via_9", "Table", "Table(1)", "Table(2)", "Table(3)", "Table(4)", "Table(5)",
    "TimeType"};

std::size_t IndexOf(std::span<const ListEntry> list, std::int32_t value) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].value == value) return i;
  return 0;
}

}  // namespace

std::span<const ListEntry> PenDialog::Sizes() { return kSizes; }
std::span<const ListEntry> PenDialog::Styles() { return kStyles; }

PenDialog::PenDialog(std::int32_t w, std::int32_t s)
    : width(w), style(s), sizeIndex_(IndexOf(kSizes, w)), styleIndex_(IndexOf(kStyles, s)) {
  // A value not in a list preselects its first entry.
  width = kSizes[sizeIndex_].value;
  style = kStyles[styleIndex_].value;
}

void PenDialog::ChooseSize(std::string_view label) {
  for (std::size_t i = 0; i < std::size(kSizes); ++i)
    if (kSizes[i].label == label) {
      sizeIndex_ = i;
      width = kSizes[i].value;
    }
}

void PenDialog::ChooseStyle(std::string_view label) {
  for (std::size_t i = 0; i < std::size(kStyles); ++i)
    if (kStyles[i].label == label) {
      styleIndex_ = i;
      style = kStyles[i].value;
    }
}

std::span<const std::string_view> TextItemDialog::Presets() { return kPresets; }

TextItemDialog::TextItemDialog(const CardItem& item) : textBox_(item.Type() == ItemTextBox) {
  if (textBox_) {
    const auto& t = static_cast<const TextBoxItem&>(item);
    text = t.Text;
    frame = (t.Flags & 1) != 0;
    transparent = (t.Flags & 2) != 0;
    zeroSlash = t.ZeroSlash != 0 ? 3 : 0;
    font = t.Font;
    textColour = t.TextColour;
    format = t.Format;
    table = t.OwnTable;
  } else {
    const auto& s = static_cast<const StringItem&>(item);
    text = s.Text;
    frame = (s.Flags & 1) != 0;
    transparent = (s.Flags & 2) != 0;
    vertical = (s.Direction & 1) != 0;
    inverted = (s.Direction & 2) != 0;
    zeroSlash = s.ZeroSlash;
    font = s.Font;
    textColour = s.TextColour;
    table = s.OwnTable;
  }
}

std::string TextItemDialog::Title() const { return textBox_ ? QT_TRANSLATE_NOOP("Tevra", "<ﾃｷｽﾄﾎﾞｯｸｽ>の設定") : QT_TRANSLATE_NOOP("Tevra", "<文字列>の設定"); }

bool TextItemDialog::TableEnabled() const { return text == "@Table" || text.starts_with("@Table "); }

TextItemDialog::Result TextItemDialog::Accept(CardItem& item, const std::function<bool(std::string_view)>& check) const {
  if (text.empty()) return Result::Unchanged;
  const std::int32_t flags = (frame ? 1 : 0) | (transparent ? 2 : 0);
  if (textBox_) {
    auto& t = static_cast<TextBoxItem&>(item);
    t.Text = text;
    t.Flags = flags;
    t.ZeroSlash = zeroSlash != 0 ? 3 : 0;
    t.Font = font;
    t.TextColour = textColour;
    t.Format = format;
    t.OwnTable = table;
  } else {
    auto& s = static_cast<StringItem&>(item);
    s.Text = text;
    s.Flags = flags;
    s.Direction = (vertical ? 1 : 0) | (inverted ? 2 : 0);
    s.ZeroSlash = zeroSlash;
    s.Font = font;
    s.TextColour = textColour;
    s.OwnTable = table;
  }
  return !check || check(text) ? Result::Stored : Result::CheckFailed;
}

std::span<const std::string_view> DataMarkDialog::Names() { return kNames; }

DataMarkDialog::DataMarkDialog(const DataMarkItem& item, int qsosPerCard)
    : name(item.Text),
      zeroSlash(item.ZeroSlash),
      position(item.QsoPosition),
      absentText(item.AbsentText),
      transparent((item.Flags & 2) != 0),
      vertical((item.Direction & 1) != 0),
      inverted((item.Direction & 2) != 0),
      font(item.Font),
      colour(item.Pen.colour),
      table(item.OwnTable),
      qsosPerCard_(qsosPerCard) {}

bool DataMarkDialog::Accept(DataMarkItem& item) const {
  if (name.empty()) return false;
  item.Text = name;
  item.ZeroSlash = zeroSlash;
  if (PositionEnabled()) {
    item.QsoPosition = std::clamp(position, 1, PositionMax());
    item.AbsentText = absentText;
  }
  item.Flags = (item.Flags & ~2) | (transparent ? 2 : 0);
  item.Direction = (vertical ? 1 : 0) | (inverted ? 2 : 0);
  item.Font = font;
  item.Pen.colour = colour;
  item.OwnTable = table;
  return true;
}

JarlFrameDialog::JarlFrameDialog(const JarlFrameItem& item)
    : boxWidth(item.BoxWidth),
      boxHeight(item.BoxHeight),
      boxPitch(item.BoxPitch),
      direction(item.Direction),
      showFrame(item.ShowFrame),
      characterCount(item.CharacterCount & 0xFF),
      horizontalOffset(item.HorizontalOffset),
      verticalOffset(item.VerticalOffset),
      zeroSlash(item.ZeroSlash),
      slashInset(item.SlashInset),
      clip((item.CharacterCount & 0x100) != 0),
      font(item.Font),
      textColour(item.TextColour) {}

void JarlFrameDialog::Accept(JarlFrameItem& item) const {
  // The dialog's ranges.
  item.BoxWidth = std::clamp(boxWidth, 100, 1000);
  item.BoxHeight = std::clamp(boxHeight, 100, 1000);
  item.BoxPitch = std::clamp(boxPitch, 100, 1000);
  item.Direction = direction & 3;
  item.ShowFrame = showFrame != 0 ? 1 : 0;
  item.CharacterCount = (characterCount == 7 ? 7 : 6) | (clip ? 0x100 : 0);
  item.HorizontalOffset = std::clamp(horizontalOffset, -500, 500);
  item.VerticalOffset = std::clamp(verticalOffset, -500, 500);
  item.ZeroSlash = std::clamp(zeroSlash, 0, 3);
  if (InsetEnabled()) item.SlashInset = std::clamp(slashInset, 0, 100);
  item.Font = font;
  item.TextColour = textColour;
  item.UpdateRect();
}

std::span<const std::string_view> ConditionDialog::Examples() { return kConditionTemplates; }

ConditionDialog::ConditionDialog(const CardItem& item, bool checkBox) : checkBox_(checkBox) {
  if (checkBox && item.Type() == ItemCheckBox) {
    const auto& c = static_cast<const CheckBoxItem&>(item);
    condition = c.CheckCondition;
    tick = c.TickStyle == 1;
    frame = c.DrawFrame != 0;
  } else {
    checkBox_ = false;
    condition = item.Condition;
  }
}

bool ConditionDialog::Accept(CardItem& item) const {
  if (!checkBox_) {
    item.Condition = condition;
    return true;
  }
  if (condition.empty()) return false;
  auto& c = static_cast<CheckBoxItem&>(item);
  c.CheckCondition = condition;
  c.TickStyle = tick ? 1 : 0;
  c.DrawFrame = frame ? 1 : 0;
  return true;
}

}  // namespace tevra
