// Card items in the layout file's item encoding.
#include "card/archive_records.h"
#include "card/card_item.h"

namespace tevra {
namespace {

constexpr int kMaxGroupDepth = 64;
// The smallest item record: type byte, rect, pen, empty condition.
constexpr std::size_t kMinItemBytes = 1 + 16 + 16 + 1;

bool ReadColour(ArchiveReader& in, Colour& colour) {
  std::uint32_t v = 0;
  if (!in.Dword(v)) return false;
  colour = v;
  return true;
}

}  // namespace

void CardItem::Save(ArchiveWriter& out) const {
  out.Byte(Type());
  WriteRect(out, Rect);
  WritePen(out, Pen);
  out.Str(Condition);
}

bool CardItem::Load(ArchiveReader& in, int) { return ReadRect(in, Rect) && ReadPen(in, Pen) && in.Str(Condition); }

void StringItem::Save(ArchiveWriter& out) const {
  CardItem::Save(out);
  WriteFont(out, Font);
  out.Str(Text);
  out.Int(Flags);
  out.Dword(TextColour);
  out.Int(Direction);
  out.Int(ZeroSlash);
  WriteTable(out, OwnTable);
}

bool StringItem::Load(ArchiveReader& in, int version) {
  return CardItem::Load(in, version) && ReadFont(in, Font) && in.Str(Text) && in.Int(Flags) &&
         ReadColour(in, TextColour) && in.Int(Direction) && in.Int(ZeroSlash) &&
         (version <= 7 || ReadTable(in, OwnTable));
}

void DataMarkItem::Save(ArchiveWriter& out) const {
  StringItem::Save(out);
  out.Int(QsoPosition);
  out.Str(AbsentText);
}

bool DataMarkItem::Load(ArchiveReader& in, int version) {
  return StringItem::Load(in, version) && in.Int(QsoPosition) && (version < 7 || in.Str(AbsentText));
}

void TextBoxItem::Save(ArchiveWriter& out) const {
  CardItem::Save(out);
  WriteFont(out, Font);
  out.Str(Text);
  out.Int(Flags);
  out.Dword(TextColour);
  out.Int(Format);
  out.Int(ZeroSlash);
  WriteTable(out, OwnTable);
}

bool TextBoxItem::Load(ArchiveReader& in, int version) {
  return CardItem::Load(in, version) && ReadFont(in, Font) && in.Str(Text) && in.Int(Flags) &&
         ReadColour(in, TextColour) && (version <= 1 || in.Int(Format)) && (version <= 5 || in.Int(ZeroSlash)) &&
         (version <= 7 || ReadTable(in, OwnTable));
}

void JarlFrameItem::Save(ArchiveWriter& out) const {
  CardItem::Save(out);
  out.Int(BoxWidth);
  out.Int(BoxHeight);
  out.Int(BoxPitch);
  out.Int(Direction);
  WriteFont(out, Font);
  out.Dword(TextColour);
  out.Int(ShowFrame);
  out.Int(CharacterCount);
  out.Int(ZeroSlash);
  out.Int(HorizontalOffset);
  out.Int(VerticalOffset);
  out.Int(SlashInset);
}

bool JarlFrameItem::Load(ArchiveReader& in, int version) {
  if (!(CardItem::Load(in, version) && in.Int(BoxWidth) && in.Int(BoxHeight) && in.Int(BoxPitch) &&
        in.Int(Direction) && ReadFont(in, Font) && ReadColour(in, TextColour) && in.Int(ShowFrame) &&
        in.Int(CharacterCount) && in.Int(ZeroSlash) && in.Int(HorizontalOffset) && in.Int(VerticalOffset) &&
        in.Int(SlashInset)))
    return false;
  for (std::int32_t* length : {&BoxWidth, &BoxHeight, &BoxPitch, &HorizontalOffset, &VerticalOffset, &SlashInset})
    *length = ClampCoordinate(*length);
  return true;
}

void CheckBoxItem::Save(ArchiveWriter& out) const {
  CardItem::Save(out);
  out.Str(CheckCondition);
  out.Int(DrawFrame);
  out.Int(TickStyle);
}

bool CheckBoxItem::Load(ArchiveReader& in, int version) {
  return CardItem::Load(in, version) && in.Str(CheckCondition) &&
         (version < 3 || (in.Int(DrawFrame) && in.Int(TickStyle)));
}

void OleLinkItem::Save(ArchiveWriter& out) const {
  CardItem::Save(out);
  out.Int(ObjectIndex);
}

bool OleLinkItem::Load(ArchiveReader& in, int version) { return CardItem::Load(in, version) && in.Int(ObjectIndex); }

void ItemGroup::Save(ArchiveWriter& out) const {
  CardItem::Save(out);
  out.Int(static_cast<std::int32_t>(children_.size()));
  for (const auto& child : children_) child->Save(out);
}

bool ItemGroup::Load(ArchiveReader& in, int version) {
  childStatus_ = ItemReadStatus::Ok;
  std::int32_t count = 0;
  if (!CardItem::Load(in, version) || !in.Int(count)) return false;
  // A count the data cannot hold is cut short by the data, not trusted.
  if (count < 0 || static_cast<std::size_t>(count) > in.Remaining() / kMinItemBytes) {
    childStatus_ = ItemReadStatus::Truncated;
    return false;
  }
  const LogicalRect stored = Rect;
  for (std::int32_t i = 0; i < count; ++i) {
    std::unique_ptr<CardItem> child;
    childStatus_ = ReadItem(in, version, child, LoadDepth + 1);
    if (childStatus_ != ItemReadStatus::Ok) return false;
    Add(std::move(child));
  }
  if (count == 0) Rect = stored;
  return true;
}

ItemReadStatus ReadItem(ArchiveReader& in, int version, std::unique_ptr<CardItem>& item, int depth) {
  if (depth > kMaxGroupDepth) return ItemReadStatus::TooDeep;
  std::uint8_t type = 0;
  if (!in.Byte(type)) return ItemReadStatus::Truncated;
  switch (type) {
    case ItemLine:
    case ItemBox:
    case ItemEllipse:
    case ItemRoundBox: item = std::make_unique<ShapeItem>(static_cast<ItemType>(type)); break;
    case ItemFill: item = std::make_unique<FillItem>(); break;
    case ItemString: item = std::make_unique<StringItem>(); break;
    case ItemDataMark: item = std::make_unique<DataMarkItem>(); break;
    case ItemTextBox: item = std::make_unique<TextBoxItem>(); break;
    case ItemJarlFrame: item = std::make_unique<JarlFrameItem>(); break;
    case ItemCheckBox: item = std::make_unique<CheckBoxItem>(); break;
    case ItemOleLink: item = std::make_unique<OleLinkItem>(); break;
    case ItemGroupType: {
      auto group = std::make_unique<ItemGroup>();
      group->LoadDepth = depth;
      if (!group->Load(in, version)) {
        item.reset();
        return group->ChildStatus() == ItemReadStatus::Ok ? ItemReadStatus::Truncated : group->ChildStatus();
      }
      item = std::move(group);
      return ItemReadStatus::Ok;
    }
    default: return ItemReadStatus::UnknownType;
  }
  if (!item->Load(in, version)) {
    item.reset();
    return ItemReadStatus::Truncated;
  }
  return ItemReadStatus::Ok;
}

}  // namespace tevra
