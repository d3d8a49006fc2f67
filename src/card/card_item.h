// The items a card layout is made of: shapes, strings, text boxes, data
// marks, JARL transfer frames, check boxes, embedded-object links, fills and
// groups. Geometry is in 1/1000 inch with y pointing up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "merge/tables.h"
#include "platform/drawing_types.h"

namespace tevra {

class ArchiveReader;
class ArchiveWriter;
class MacroExpander;
class Surface;
struct RenderContext;
class Ui;

enum ItemType : std::uint8_t {
  ItemSelection = 0,  // the multi-selection list; never stored
  ItemLine = 1,
  ItemBox = 2,
  ItemString = 3,
  ItemJarlFrame = 4,
  ItemCheckBox = 5,
  ItemDataMark = 6,
  ItemEllipse = 7,
  ItemOleLink = 8,
  ItemTextBox = 9,
  ItemRoundBox = 10,
  ItemFill = 11,
  ItemGroupType = 12,
};


enum class ItemReadStatus { Ok, Truncated, UnknownType, TooDeep };

class CardItem {
 public:
  explicit CardItem(ItemType type) : type_(type) {}
  virtual ~CardItem() = default;
  CardItem(const CardItem&) = delete;
  CardItem& operator=(const CardItem&) = delete;

  ItemType Type() const { return type_; }

  LogicalRect Rect;
  PenRecord Pen;
  std::string Condition = "TRUE";  // print condition

  // The operations of every item, in their fixed order.
  // Paints the item when its print condition holds.
  virtual void Draw(Surface& /*surface*/, RenderContext& /*context*/) {}
  virtual void DrawSelection(Surface& /*surface*/) {}
  // Whether any of the item's corners (a line: either end) lies in rect.
  virtual bool TouchesRect(const LogicalRect& rect) const;
  virtual int HitTest(LogicalPoint /*point*/) const { return 0; }
  virtual int HitTestSelected(LogicalPoint /*point*/) const { return 0; }
  virtual bool EditCondition(Ui& /*ui*/) { return false; }
  // Whether the print condition holds for the card being drawn.
  virtual bool IsVisible(MacroExpander& expander) const;
  // The item record: type byte, rect, pen, condition, then the class part.
  virtual void Save(ArchiveWriter& out) const;
  // Reads what follows the type byte; version: the format version of the
  // data (fields newer than it keep their defaults). False when the data
  // ends early or holds something this program cannot read.
  virtual bool Load(ArchiveReader& in, int version);
  virtual bool EditProperties(Ui& /*ui*/) { return false; }
  virtual bool GetFont(FontRecord& /*font*/, Colour& /*colour*/) const { return false; }
  virtual bool SetFont(const FontRecord& /*font*/, Colour /*colour*/) { return false; }
  virtual void ApplyMove() {}
  virtual void ApplyResize() {}
  virtual void DeleteChildren() {}
  virtual Colour GetColour() const { return Pen.colour; }
  virtual void SetColour(Colour colour) { Pen.colour = colour; }
  virtual void GetPen(std::int32_t& width, std::int32_t& style) const;
  virtual void SetPen(std::int32_t width, std::int32_t style);
  virtual bool IsScalable() const { return true; }
  // Scales width and height by num/den (truncating toward zero) about the
  // left-top corner. False when the item does not scale.
  virtual bool Scale(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY, bool moveChildren);
  // Shifts the item (a group: with its children).
  virtual void MoveBy(std::int32_t dx, std::int32_t dy);

 protected:
  bool ScaleRect(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY);

 private:
  ItemType type_;
};

// Lines, boxes, round boxes and ellipses: nothing beyond the base fields.
class ShapeItem : public CardItem {
 public:
  int HitTest(LogicalPoint point) const override;
  int HitTestSelected(LogicalPoint point) const override;
  void DrawSelection(Surface& surface) override;
  explicit ShapeItem(ItemType type) : CardItem(type) {}
  void Draw(Surface& surface, RenderContext& context) override;
  bool TouchesRect(const LogicalRect& rect) const override;
};

class FillItem : public CardItem {
 public:
  int HitTest(LogicalPoint point) const override;
  int HitTestSelected(LogicalPoint point) const override;
  void DrawSelection(Surface& surface) override;
  FillItem() : CardItem(ItemFill) {}
  void Draw(Surface& surface, RenderContext& context) override;
  bool IsScalable() const override { return false; }
};

class StringItem : public CardItem {
 public:
  int HitTest(LogicalPoint point) const override;
  int HitTestSelected(LogicalPoint point) const override;
  void DrawSelection(Surface& surface) override;
  StringItem() : StringItem(ItemString) {}
  std::int32_t Flags = 0;  // bit 0 frame, bit 1 transparent
  Colour TextColour = 0;
  std::int32_t Direction = 0;  // bit 0 vertical, bit 1 inverted
  std::int32_t ZeroSlash = 0;  // 0 none, 1 line, 2 overlay "/", 3 slashed-zero glyph
  std::string Text;
  FontRecord Font;
  ConditionTable OwnTable;

  bool GetFont(FontRecord& font, Colour& colour) const override;
  bool SetFont(const FontRecord& font, Colour colour) override;
  bool Scale(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY, bool moveChildren) override;
  void Draw(Surface& surface, RenderContext& context) override;
  void Save(ArchiveWriter& out) const override;
  bool Load(ArchiveReader& in, int version) override;

 protected:
  explicit StringItem(ItemType type) : CardItem(type) {}
  // The text to print, and the colours to print it in.
  virtual std::string Source(RenderContext& context) const;
  virtual void SetColours(Surface& surface, RenderContext& context) const;
};

class DataMarkItem : public StringItem {
 public:
  DataMarkItem() : StringItem(ItemDataMark) {}
  std::int32_t QsoPosition = 1;  // 1-based position on the card
  std::string AbsentText = "---";

  // A data mark draws in its pen colour.
  bool GetFont(FontRecord& font, Colour& colour) const override;
  bool SetFont(const FontRecord& font, Colour colour) override;
  void Save(ArchiveWriter& out) const override;
  bool Load(ArchiveReader& in, int version) override;

 protected:
  std::string Source(RenderContext& context) const override;
  void SetColours(Surface& surface, RenderContext& context) const override;
};

class TextBoxItem : public CardItem {
 public:
  int HitTest(LogicalPoint point) const override;
  int HitTestSelected(LogicalPoint point) const override;
  void DrawSelection(Surface& surface) override;
  TextBoxItem() : CardItem(ItemTextBox) {}
  static constexpr std::int32_t kCentre = 0x01, kRight = 0x02, kVerticalCentre = 0x04, kWordBreak = 0x10,
                                kSingleLine = 0x20, kExpandTabs = 0x40, kNoPrefix = 0x800;
  std::int32_t Flags = 0;
  std::int32_t Format = kExpandTabs | kNoPrefix;  // 0x840
  Colour TextColour = 0;
  std::int32_t ZeroSlash = 0;
  std::string Text;
  FontRecord Font;
  ConditionTable OwnTable;

  bool GetFont(FontRecord& font, Colour& colour) const override;
  bool SetFont(const FontRecord& font, Colour colour) override;
  bool Scale(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY, bool moveChildren) override;
  void Draw(Surface& surface, RenderContext& context) override;
  void Save(ArchiveWriter& out) const override;
  bool Load(ArchiveReader& in, int version) override;
};

class JarlFrameItem : public CardItem {
 public:
  int HitTest(LogicalPoint point) const override;
  int HitTestSelected(LogicalPoint point) const override;
  void DrawSelection(Surface& surface) override;
  JarlFrameItem();
  std::int32_t BoxWidth = 276;
  std::int32_t BoxHeight = 374;
  std::int32_t BoxPitch = 354;
  std::int32_t Direction = 0;
  FontRecord Font;
  std::int32_t ShowFrame = 1;
  Colour TextColour = 0;
  std::int32_t CharacterCount = 7;  // low byte 6 or 7; 0x100 clip
  std::int32_t HorizontalOffset = 0;
  std::int32_t VerticalOffset = 0;
  std::int32_t ZeroSlash = 1;
  std::int32_t SlashInset = 50;

  // The rectangle of the six boxes from the anchor (left, top).
  void UpdateRect();
  void Draw(Surface& surface, RenderContext& context) override;
  void Save(ArchiveWriter& out) const override;
  bool Load(ArchiveReader& in, int version) override;
  bool GetFont(FontRecord& font, Colour& colour) const override;
  bool SetFont(const FontRecord& font, Colour colour) override;
  bool IsScalable() const override { return false; }
  bool Scale(std::int32_t, std::int32_t, std::int32_t, std::int32_t, bool) override { return false; }
};

class CheckBoxItem : public CardItem {
 public:
  int HitTest(LogicalPoint point) const override;
  int HitTestSelected(LogicalPoint point) const override;
  void DrawSelection(Surface& surface) override;
  CheckBoxItem() : CardItem(ItemCheckBox) {}
  std::string CheckCondition = "TRUE";
  std::int32_t DrawFrame = 1;
  std::int32_t TickStyle = 0;  // 0 an X, 1 a tick
  void Draw(Surface& surface, RenderContext& context) override;
  void Save(ArchiveWriter& out) const override;
  bool Load(ArchiveReader& in, int version) override;
};

// An image the user placed on the card; OleLinkItems refer to it by index.
struct EmbeddedObject {
  std::string Format;      // "PNG", "JPEG" or "SVG"
  std::string SourceName;  // the file it was inserted from
  std::string Bytes;       // the image file's bytes
  LogicalRect Rect;
  bool operator==(const EmbeddedObject&) const = default;
};

class OleLinkItem : public CardItem {
 public:
  int HitTest(LogicalPoint point) const override;
  int HitTestSelected(LogicalPoint point) const override;
  void DrawSelection(Surface& surface) override;
  OleLinkItem() : CardItem(ItemOleLink) {}
  std::int32_t ObjectIndex = 0;
  const EmbeddedObject* Object = nullptr;  // the document's image; never owned
  void Draw(Surface& surface, RenderContext& context) override;
  void Save(ArchiveWriter& out) const override;
  bool Load(ArchiveReader& in, int version) override;
};

// What groups and the multi-selection list share: bounds over children and
// relaying pen, colour and font to them.
class ItemCollection : public CardItem {
 public:
  using CardItem::CardItem;
  virtual std::size_t Count() const = 0;
  virtual CardItem& Child(std::size_t i) const = 0;

  // The union of the children's rectangles, normalised (top >= bottom).
  void RecomputeBounds();
  const LogicalRect& PreviousBounds() const { return previous_; }
  bool BoundsDirty() const { return dirty_; }

  bool TouchesRect(const LogicalRect& rect) const override;
  bool GetFont(FontRecord& font, Colour& colour) const override;
  bool SetFont(const FontRecord& font, Colour colour) override;
  void ApplyMove() override;
  void ApplyResize() override;
  Colour GetColour() const override;
  void SetColour(Colour colour) override;
  void GetPen(std::int32_t& width, std::int32_t& style) const override;
  void SetPen(std::int32_t width, std::int32_t style) override;
  bool IsScalable() const override;
  bool Scale(std::int32_t numX, std::int32_t denX, std::int32_t numY, std::int32_t denY, bool moveChildren) override;
  void MoveBy(std::int32_t dx, std::int32_t dy) override;

 protected:
  void AfterAdd();

 private:
  LogicalRect previous_;
  bool dirty_ = false;
};

// A group owns its children.
class ItemGroup : public ItemCollection {
 public:
  int HitTest(LogicalPoint point) const override;
  int HitTestSelected(LogicalPoint point) const override;
  void DrawSelection(Surface& surface) override;
  ItemGroup() : ItemCollection(ItemGroupType) {}
  std::size_t Count() const override { return children_.size(); }
  CardItem& Child(std::size_t i) const override { return *children_.at(i); }
  void Add(std::unique_ptr<CardItem> child);
  // Takes the children out (ungrouping).
  std::vector<std::unique_ptr<CardItem>> Release();
  void DeleteChildren() override { children_.clear(); }
  void Draw(Surface& surface, RenderContext& context) override;
  void Save(ArchiveWriter& out) const override;
  bool Load(ArchiveReader& in, int version) override;
  // Set by ReadItem around Load: how deep this group sits, and why reading
  // its children stopped.
  int LoadDepth = 0;
  ItemReadStatus ChildStatus() const { return childStatus_; }

 private:
  std::vector<std::unique_ptr<CardItem>> children_;
  ItemReadStatus childStatus_ = ItemReadStatus::Ok;
};

// The items of a multi-selection; it never owns them.
class SelectionList : public ItemCollection {
 public:
  int HitTest(LogicalPoint point) const override;
  int HitTestSelected(LogicalPoint point) const override;
  void DrawSelection(Surface& surface) override;
  SelectionList() : ItemCollection(ItemSelection) {}
  std::size_t Count() const override { return members_.size(); }
  CardItem& Child(std::size_t i) const override { return *members_.at(i); }
  void Add(CardItem& item);
  void Remove(const CardItem& item);
  bool Contains(const CardItem& item) const;
  void Clear() { members_.clear(); }

 private:
  std::vector<CardItem*> members_;
};

// The newest layout format version.
inline constexpr int kLayoutVersion = 11;

// Reads one item record (type byte first). Groups nest at most 64 deep.
ItemReadStatus ReadItem(ArchiveReader& in, int version, std::unique_ptr<CardItem>& item, int depth = 0);

// Hit codes: 0 miss, 1 and 2 a line's ends, 3..6 the corners from top-left
// clockwise, 7..10 the left, top, right and bottom edges, 11 the body.
// The line test for a segment A-B, with its ±30 unit tolerances.
int LineHitTest(LogicalPoint point, LogicalPoint a, LogicalPoint b);
// The four edges of a rectangle, top, right, bottom, left: corners and edges.
int EdgeHitTest(LogicalPoint point, const LogicalRect& rect);

// A new item as a drawing tool creates it: the document's pen, and for
// text items its font; JARL frames are vertical on the landscape form and
// slash their zeros with "/".
std::unique_ptr<CardItem> NewItem(ItemType type, const PenRecord& pen, const FontRecord& font, bool landscapeForm);

}  // namespace tevra
