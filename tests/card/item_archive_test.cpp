#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "card/archive_records.h"
#include "card/card_item.h"
#include "core/archive.h"

namespace tevra {
namespace {

std::unique_ptr<CardItem> RoundTrip(const CardItem& item, int version = kLayoutVersion) {
  ArchiveWriter out;
  item.Save(out);
  ArchiveReader in(out.Data());
  std::unique_ptr<CardItem> read;
  EXPECT_EQ(ReadItem(in, version, read), ItemReadStatus::Ok);
  EXPECT_EQ(in.Remaining(), 0u);
  return read;
}

TEST(ItemArchive, EveryClassRoundTrips) {
  ItemGroup outer;
  auto text = std::make_unique<StringItem>();
  text->Rect = {10, -10, 200, -60};
  text->Text = "Tnx QSO";
  text->Direction = 1;
  text->ZeroSlash = 2;
  text->TextColour = 0x0000FF;
  text->OwnTable.Rows().push_back({"IsJA", "JA"});
  outer.Add(std::move(text));
  auto mark = std::make_unique<DataMarkItem>();
  mark->Rect = {0, 0, 50, -20};
  mark->QsoPosition = 3;
  mark->AbsentText = "";
  outer.Add(std::move(mark));
  auto box = std::make_unique<TextBoxItem>();
  box->Rect = {5, -5, 80, -90};
  box->Format = TextBoxItem::kCentre | TextBoxItem::kWordBreak;
  box->Text = "line1\r\nline2";
  outer.Add(std::move(box));
  auto frame = std::make_unique<JarlFrameItem>();
  frame->CharacterCount = 0x106;
  frame->SlashInset = 40;
  outer.Add(std::move(frame));
  auto check = std::make_unique<CheckBoxItem>();
  check->Rect = {1, -1, 9, -9};
  check->CheckCondition = "BAND=\"7MHz\"";
  check->TickStyle = 1;
  outer.Add(std::move(check));
  auto inner = std::make_unique<ItemGroup>();
  auto line = std::make_unique<ShapeItem>(ItemLine);
  line->Rect = {300, -300, 400, -310};
  line->Pen = {3, 1, 1, 0x00FF00};
  line->Condition = "NOT IsJA";
  inner->Add(std::move(line));
  auto fill = std::make_unique<FillItem>();
  fill->Rect = {310, -305, 320, -306};
  inner->Add(std::move(fill));
  auto ole = std::make_unique<OleLinkItem>();
  ole->Rect = {305, -301, 330, -302};
  ole->ObjectIndex = 4;
  inner->Add(std::move(ole));
  outer.Add(std::move(inner));

  auto read = RoundTrip(outer);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->Type(), ItemGroupType);
  auto& group = static_cast<ItemGroup&>(*read);
  ASSERT_EQ(group.Count(), 6u);
  EXPECT_EQ(group.Rect, outer.Rect);

  auto& s = static_cast<StringItem&>(group.Child(0));
  EXPECT_EQ(s.Text, "Tnx QSO");
  EXPECT_EQ(s.Direction, 1);
  EXPECT_EQ(s.ZeroSlash, 2);
  EXPECT_EQ(s.TextColour, 0x0000FFu);
  ASSERT_EQ(s.OwnTable.Rows().size(), 1u);
  EXPECT_EQ(s.OwnTable.Rows()[0].Text, "JA");
  auto& m = static_cast<DataMarkItem&>(group.Child(1));
  EXPECT_EQ(m.QsoPosition, 3);
  EXPECT_EQ(m.AbsentText, "");
  auto& b = static_cast<TextBoxItem&>(group.Child(2));
  EXPECT_EQ(b.Format, TextBoxItem::kCentre | TextBoxItem::kWordBreak);
  EXPECT_EQ(b.Text, "line1\r\nline2");
  auto& f = static_cast<JarlFrameItem&>(group.Child(3));
  EXPECT_EQ(f.CharacterCount, 0x106);
  EXPECT_EQ(f.SlashInset, 40);
  auto& c = static_cast<CheckBoxItem&>(group.Child(4));
  EXPECT_EQ(c.CheckCondition, "BAND=\"7MHz\"");
  EXPECT_EQ(c.TickStyle, 1);
  ASSERT_EQ(group.Child(5).Type(), ItemGroupType);
  auto& g = static_cast<ItemGroup&>(group.Child(5));
  ASSERT_EQ(g.Count(), 3u);
  EXPECT_EQ(g.Child(0).Condition, "NOT IsJA");
  EXPECT_EQ(g.Child(0).Pen.colour, 0x00FF00u);
  EXPECT_EQ(g.Child(1).Type(), ItemFill);
  EXPECT_EQ(static_cast<OleLinkItem&>(g.Child(2)).ObjectIndex, 4);
}

// Older layouts lack the fields added later; what they lack keeps its default.
TEST(ItemArchive, OlderVersionsReadWithoutLaterFields) {
  ArchiveWriter out;
  CheckBoxItem check;
  check.CardItem::Save(out);  // a version 2 check box: no frame or tick fields
  out.Str("TRUE");
  ArchiveReader in(out.Data());
  std::unique_ptr<CardItem> read;
  ASSERT_EQ(ReadItem(in, 2, read), ItemReadStatus::Ok);
  EXPECT_EQ(static_cast<CheckBoxItem&>(*read).DrawFrame, 1);
  EXPECT_EQ(in.Remaining(), 0u);

  ArchiveWriter v1;
  TextBoxItem box;
  box.CardItem::Save(v1);
  WriteFont(v1, FontRecord{});
  v1.Str("old box");
  v1.Int(0);
  v1.Dword(0x123456);
  ArchiveReader in1(v1.Data());
  ASSERT_EQ(ReadItem(in1, 1, read), ItemReadStatus::Ok);
  auto& b = static_cast<TextBoxItem&>(*read);
  EXPECT_EQ(b.Text, "old box");
  EXPECT_EQ(b.Format, TextBoxItem::kExpandTabs | TextBoxItem::kNoPrefix);
  EXPECT_EQ(in1.Remaining(), 0u);
}

TEST(ItemArchive, BadRecordsFailCleanly) {
  std::unique_ptr<CardItem> read;
  {
    const std::string bytes(1, '\x63');
    ArchiveReader in(bytes);
    EXPECT_EQ(ReadItem(in, kLayoutVersion, read), ItemReadStatus::UnknownType);
  }
  StringItem text;
  text.Text = "cut short";
  ArchiveWriter out;
  text.Save(out);
  for (std::size_t cut = 0; cut < out.Data().size(); ++cut) {
    ArchiveReader in(std::string_view(out.Data()).substr(0, cut));
    EXPECT_EQ(ReadItem(in, kLayoutVersion, read), ItemReadStatus::Truncated) << cut;
    EXPECT_FALSE(read);
  }
  // A group claiming two billion children is refused before any is read.
  ItemGroup group;
  ArchiveWriter huge;
  group.Save(huge);
  std::string bytes = huge.Data();
  bytes.replace(bytes.size() - 4, 4, "\xFF\xFF\xFF\x7F", 4);
  ArchiveReader in(bytes);
  EXPECT_EQ(ReadItem(in, kLayoutVersion, read), ItemReadStatus::Truncated);
}

TEST(ItemArchive, NestingIsBounded) {
  auto build = [](int depth) {
    std::unique_ptr<CardItem> item = std::make_unique<ShapeItem>(ItemBox);
    for (int i = 0; i < depth; ++i) {
      auto group = std::make_unique<ItemGroup>();
      group->Add(std::move(item));
      item = std::move(group);
    }
    ArchiveWriter out;
    item->Save(out);
    return out.Data();
  };
  std::unique_ptr<CardItem> read;
  const std::string ok = build(64);
  ArchiveReader okIn(ok);
  EXPECT_EQ(ReadItem(okIn, kLayoutVersion, read), ItemReadStatus::Ok);
  const std::string deep = build(200);
  ArchiveReader deepIn(deep);
  EXPECT_EQ(ReadItem(deepIn, kLayoutVersion, read), ItemReadStatus::TooDeep);
  EXPECT_FALSE(read);
}

}  // namespace
}  // namespace tevra
