#include "example_layouts.h"

#include <memory>

namespace tevra::examples {
namespace {

FontRecord Font(std::int32_t height, std::int32_t weight = 400) {
  FontRecord f;
  f.height = height;
  f.weight = weight;
  return f;
}

void Text(LayoutItemList& items, std::int32_t x, std::int32_t y, const char* text, std::int32_t height,
          std::int32_t weight = 400) {
  auto s = std::make_unique<StringItem>();
  s->Rect = {x, y, x, y};
  s->Text = text;
  s->Font = Font(height, weight);
  s->Flags = 2;  // transparent
  items.Add(std::move(s));
}

void Mark(LayoutItemList& items, std::int32_t x, std::int32_t y, const char* field, int position, std::int32_t height) {
  auto d = std::make_unique<DataMarkItem>();
  d->Rect = {x, y, x, y};
  d->Text = field;
  d->QsoPosition = position;
  d->Font = Font(height);
  d->Flags = 2;
  items.Add(std::move(d));
}

void Rule(LayoutItemList& items, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t width) {
  auto line = std::make_unique<ShapeItem>(ItemLine);
  line->Rect = {x1, y1, x2, y2};
  line->Pen.widthX = line->Pen.widthY = width;
  items.Add(std::move(line));
}

}  // namespace

void BuildPostcard(LayoutItemList& items, DocumentSettings& settings, DocumentTables& tables) {
  items.Clear();
  settings = DocumentSettings{};
  settings.QsosPerCard = 3;
  settings.GridMode = 0;
  tables = DocumentTables{};

  // The border.
  auto border = std::make_unique<ShapeItem>(ItemRoundBox);
  border->Rect = {150, -150, 3650, -5400};
  border->Pen.widthX = border->Pen.widthY = 12;
  border->Pen.colour = 0x804000;
  items.Add(std::move(border));

  // The transfer frame and the station it goes to.
  auto frame = std::make_unique<JarlFrameItem>();
  frame->Rect = {350, -350, 350, -350};
  frame->ZeroSlash = 2;
  frame->CharacterCount = 7 | 0x100;
  frame->UpdateRect();
  items.Add(std::move(frame));
  Text(items, 350, -980, "To Radio", 14);
  Mark(items, 1150, -900, "ToCall", 1, 24);

  // The station.
  auto station = std::make_unique<TextBoxItem>();
  station->Rect = {350, -1500, 3450, -2400};
  station->Text = "JA1ZZZ\r\n\x93\x8C\x8B\x9E\x93\x73\x8D\x60\x8B\xE6  (Minato, Tokyo)\r\nJCC 100103  Zone 25 / ITU 45";
  station->Font = Font(12);
  station->Format = TextBoxItem::kCentre | TextBoxItem::kExpandTabs | TextBoxItem::kNoPrefix;
  items.Add(std::move(station));

  // The QSO table: one row per QSO of the card.
  const std::int32_t columns[] = {350, 1200, 2000, 2550, 3050};
  const char* headings[] = {"Date", "Time(%{JST/UTC})", "MHz", "Mode", "RST"};
  const char* fields[] = {"YY/MM/DD", "HH:mm", "Band", "Mode", "RST"};
  Rule(items, 300, -2650, 3500, -2650, 8);
  for (int c = 0; c < 5; ++c) Text(items, columns[c], -2720, headings[c], 11, 700);
  Rule(items, 300, -2950, 3500, -2950, 4);
  for (int row = 0; row < 3; ++row)
    for (int c = 0; c < 5; ++c) Mark(items, columns[c], -3080 - row * 300, fields[c], row + 1, 12);
  Rule(items, 300, -4050, 3500, -4050, 8);

  // Thanks or please, and a tick when the other station's card arrived.
  Text(items, 350, -4300, "%{PSE/TNX}  73!", 18, 700);
  auto tick = std::make_unique<CheckBoxItem>();
  tick->Rect = {2350, -4280, 2550, -4480};
  tick->CheckCondition = "IsRECV";
  tick->TickStyle = 1;
  items.Add(std::move(tick));
  Text(items, 2620, -4300, "Received", 11);
  Text(items, 350, -4800, "Via %{ViaCall}", 11);
}

void BuildLandscapeRepeat(LayoutItemList& items, DocumentSettings& settings, DocumentTables& tables) {
  items.Clear();
  settings = DocumentSettings{};
  settings.CardFormCode = FormLandscape;
  settings.PaperOrientation = 2;
  settings.QsosPerCard = 4;
  settings.GridMode = 0;
  tables = DocumentTables{};
  // Table 1: please or thanks, by whether the other station's card came.
  tables.Common[0].SetRow("IsRECV", "TNX");
  tables.Common[0].SetRow("TRUE", "PSE");

  auto border = std::make_unique<ShapeItem>(ItemBox);
  border->Rect = {150, -150, 5650, -3750};
  border->Pen.widthX = border->Pen.widthY = 10;
  items.Add(std::move(border));
  Text(items, 350, -300, "JA1ZZZ", 40, 700);
  auto to = std::make_unique<TextBoxItem>();
  to->Rect = {3000, -350, 5450, -750};
  to->Text = "To Radio %{ToCall}";
  to->Font = Font(16, 700);
  to->Format = TextBoxItem::kRight | TextBoxItem::kExpandTabs | TextBoxItem::kNoPrefix;
  items.Add(std::move(to));

  const std::int32_t columns[] = {350, 1400, 2400, 3200, 3900, 4600};
  const char* headings[] = {"Date", "UTC", "MHz", "Mode", "RST", "QSL"};
  const char* fields[] = {"YY/MM/DD", "HH:mm", "Band", "Mode", "RST", "Table(1)"};
  Rule(items, 300, -1000, 5500, -1000, 8);
  for (int c = 0; c < 6; ++c) Text(items, columns[c], -1070, headings[c], 12, 700);
  Rule(items, 300, -1300, 5500, -1300, 4);
  for (int row = 0; row < 4; ++row)
    for (int c = 0; c < 6; ++c) {
      Mark(items, columns[c], -1400 - row * 320, fields[c], row + 1, 13);
      auto& mark = static_cast<DataMarkItem&>(items.At(items.Count() - 1));
      mark.AbsentText = "";  // rows beyond the card's QSOs stay empty
    }
  Rule(items, 300, -2750, 5500, -2750, 8);
  auto remarks = std::make_unique<TextBoxItem>();
  remarks->Rect = {350, -2900, 5450, -3600};
  remarks->Text = "@if IsREP\r\nTnx for the QSOs!\r\n@else\r\nTnx for the QSO!\r\n@endif\r\n73 de JA1ZZZ";
  remarks->Font = Font(14);
  items.Add(std::move(remarks));
}

void BuildTackSeal(LayoutItemList& items, DocumentSettings& settings, DocumentTables& tables) {
  items.Clear();
  settings = DocumentSettings{};
  settings.CardFormCode = FormTackSeal;
  settings.PaperSize = 9;  // A4
  settings.PaperOrientation = 1;
  settings.TackColumns = 2;
  settings.TackRows = 6;
  settings.TackColumnPitch = 88.9;
  settings.TackRowPitch = 42.3;
  settings.CardWidth = 86;
  settings.CardHeight = 40;
  settings.QsosPerCard = 1;
  settings.GridMode = 0;
  tables = DocumentTables{};

  Text(items, 150, -150, "QSL via Bureau", 11);
  Mark(items, 150, -500, "ToCall", 1, 36);
  Text(items, 150, -1150, "%{YY/MM/DD} %{Band}MHz %{Mode}", 11);
  auto outline = std::make_unique<ShapeItem>(ItemRoundBox);
  outline->Rect = {50, -50, 3300, -1500};
  outline->Pen.widthX = outline->Pen.widthY = 4;
  items.Add(std::move(outline));
}

}  // namespace tevra::examples
