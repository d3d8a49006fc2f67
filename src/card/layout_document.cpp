#include "card/layout_document.h"

#include "core/file_io.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>

#include "card/archive_records.h"
#include "core/archive.h"
#include "core/messages.h"
#include "core/paths.h"
#include "merge/table_dialogs.h"
#include "platform/ui.h"
#include "core/translatable.h"

namespace tevra {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// What a partial reader skips to reach the rig and antenna texts: the
// version, form, card size, margins and QSOs per card.
constexpr int kFieldsBeforeRigAnt = 7;

void WriteHeader(ArchiveWriter& out) {
  std::string signature(kLayoutSignature);
  signature.resize(kLayoutSignatureBytes, '\0');
  out.Bytes(signature);
  out.Int(kLayoutVersion);
}

// The signature compared as NUL-terminated text.
bool SignatureMatches(ArchiveReader& in) {
  std::string_view field;
  return in.Bytes(kLayoutSignatureBytes, field) && field.substr(0, field.find('\0')) == kLayoutSignature;
}

// False with message 107.
bool ReadSignature(ArchiveReader& in, Ui& ui) {
  if (!SignatureMatches(in)) {
    ui.ShowMessage(msg::kUnexpectedFormat107);
    return false;
  }
  return true;
}

void WriteOptions(ArchiveWriter& out, const IncludedOptions& o) {
  out.Int(o.SkipSendMark);
  out.Str(o.LoadCond);
  out.Str(o.SendMark);
  for (const auto& item : o.CsvItems) out.Str(item);
  out.Int(o.CsvDlm);
  out.Int(o.CsvUTC);
  out.Str(o.CurLogDir);
  out.Int(o.CurLogType);
  out.Str(o.CurLogName);
  out.Str(o.Log200SafDir);
  for (int v : {o.TimeType, o.MakeContItem, o.RepEnvPack, o.RepCallPack, o.Backup, o.ClipCheck, o.SortWay,
                o.DisLogNewTime, o.DispPrinterRect, o.PrintNoAuto})
    out.Int(v);
  out.Str(o.PartMark);
  out.Int(o.InvRotFont);
  out.Int(o.IncludeDoc);
}

bool ReadOptions(ArchiveReader& in, IncludedOptions& o) {
  if (!in.Int(o.SkipSendMark) || !in.Str(o.LoadCond) || !in.Str(o.SendMark)) return false;
  for (auto& item : o.CsvItems)
    if (!in.Str(item)) return false;
  if (!in.Int(o.CsvDlm) || !in.Int(o.CsvUTC) || !in.Str(o.CurLogDir) || !in.Int(o.CurLogType) ||
      !in.Str(o.CurLogName) || !in.Str(o.Log200SafDir))
    return false;
  for (int* v : {&o.TimeType, &o.MakeContItem, &o.RepEnvPack, &o.RepCallPack, &o.Backup, &o.ClipCheck, &o.SortWay,
                 &o.DisLogNewTime, &o.DispPrinterRect, &o.PrintNoAuto})
    if (!in.Int(*v)) return false;
  return in.Str(o.PartMark) && in.Int(o.InvRotFont) && in.Int(o.IncludeDoc);
}

void WriteObject(ArchiveWriter& out, const EmbeddedObject& object) {
  out.Str(object.Format);
  out.Str(object.SourceName);
  out.Str(object.Bytes);
  WriteRect(out, object.Rect);
}

bool ReadObject(ArchiveReader& in, EmbeddedObject& object) {
  return in.Str(object.Format) && in.Str(object.SourceName) && in.Str(object.Bytes) && ReadRect(in, object.Rect);
}

void ForEachItem(CardItem& item, const std::function<void(CardItem&)>& visit) {
  visit(item);
  if (item.Type() == ItemGroupType) {
    auto& group = static_cast<ItemGroup&>(item);
    for (std::size_t i = 0; i < group.Count(); ++i) ForEachItem(group.Child(i), visit);
  }
}

void ForEachOleLink(LayoutDocument& doc, const std::function<void(OleLinkItem&)>& visit) {
  for (std::size_t i = 0; i < doc.Items.Count(); ++i)
    ForEachItem(doc.Items.At(i), [&](CardItem& item) {
      if (item.Type() == ItemOleLink) visit(static_cast<OleLinkItem&>(item));
    });
}

// Saturates: a damaged file's margin must not overflow.
int MillimetresToHundredths(int mm) {
  const std::int64_t v = std::int64_t{mm} * 100;
  return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string bytes;
  if (ReadRegularFile(path, bytes, kDocumentFileMax) != FileReadResult::Ok) return std::nullopt;
  return bytes;
}

enum class PartialRead { Ok, CannotOpen, WrongFormat, Broken };

// Reads another layout file up to its rig and antenna texts and, with
// macros given, its user macros.
PartialRead ReadPartially(const std::string& path, Pairs& rigAnt, Pairs* macros) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return PartialRead::CannotOpen;
  ArchiveReader in(*bytes);
  if (!SignatureMatches(in)) return PartialRead::WrongFormat;
  std::int32_t skipped = 0;
  for (int i = 0; i < kFieldsBeforeRigAnt; ++i) in.Int(skipped);
  rigAnt.assign(kRigSlotCount, {});
  for (auto& [rig, ant] : rigAnt)
    if (!in.Str(rig) || !in.Str(ant)) break;
  if (macros) in.Pairs(*macros);
  return in.Failed() ? PartialRead::Broken : PartialRead::Ok;
}

bool ShowPartialReadFailure(PartialRead result, Ui& ui) {
  switch (result) {
    case PartialRead::Ok: return false;
    case PartialRead::CannotOpen: ui.ShowMessage(msg::kCannotReadFile104); break;
    case PartialRead::WrongFormat: ui.ShowMessage(msg::kUnexpectedFormat107); break;
    case PartialRead::Broken: ui.ShowMessage(msg::kBrokenLayoutFile); break;
  }
  return true;
}

}  // namespace

bool LayoutFileReadable(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return false;
  LayoutDocument scratch;
  ArchiveReader in(*bytes);
  SilentUi silent;
  return LoadDocument(scratch, in, silent);
}

void RefreshObjectIndexes(LayoutDocument& doc) {
  ForEachOleLink(doc, [&](OleLinkItem& item) {
    item.ObjectIndex = -1;  // an unbound item must not catch a later object
    for (std::size_t i = 0; i < doc.Objects.size(); ++i)
      if (item.Object == &doc.Objects[i]) item.ObjectIndex = static_cast<std::int32_t>(i);
  });
}

void BindObjects(LayoutDocument& doc) {
  ForEachOleLink(doc, [&](OleLinkItem& item) {
    const auto index = item.ObjectIndex;
    item.Object = index >= 0 && static_cast<std::size_t>(index) < doc.Objects.size() ? &doc.Objects[index] : nullptr;
  });
}

void SaveDocument(LayoutDocument& doc, ArchiveWriter& out) {
  // Only the images that items still show are written (a deleted picture
  // must not travel on in the file), numbered in their order.
  RefreshObjectIndexes(doc);
  std::vector<std::int32_t> savedIndex(doc.Objects.size(), -1);
  ForEachOleLink(doc, [&](OleLinkItem& item) {
    if (item.ObjectIndex >= 0) savedIndex[static_cast<std::size_t>(item.ObjectIndex)] = 0;
  });
  std::int32_t savedObjects = 0;
  for (auto& index : savedIndex)
    if (index == 0) index = savedObjects++;
  ForEachOleLink(doc, [&](OleLinkItem& item) {
    if (item.ObjectIndex >= 0) item.ObjectIndex = savedIndex[static_cast<std::size_t>(item.ObjectIndex)];
  });
  const DocumentSettings& s = doc.Settings;
  WriteHeader(out);
  for (int v : {s.CardFormCode, s.CardWidth, s.CardHeight, s.LeftMargin, s.TopMargin, s.QsosPerCard}) out.Int(v);
  for (int i = 0; i < kRigSlotCount; ++i) {
    out.Str(s.RigTexts[i]);
    out.Str(s.AntTexts[i]);
  }
  out.Pairs(doc.Tables.Macros.Macros());
  for (int v : {s.GridMode, s.GridNormalStep, s.GridStepX, s.GridStepY}) out.Int(v);
  out.Str(s.Title);
  out.Str(s.Memo);
  out.Int(s.EditLock);
  out.Int(s.TackColumns);
  out.Int(s.TackRows);
  out.Double(s.TackColumnPitch);
  out.Double(s.TackRowPitch);
  for (int v : {s.PaperOrientation, s.PaperSize, s.PaperLength, s.PaperWidth}) out.Word(static_cast<std::uint16_t>(v));
  out.Int(doc.PrinterOffsetX);
  out.Int(doc.PrinterOffsetY);
  for (const auto& table : doc.Tables.Common) WriteTable(out, table);
  Pairs modes;
  for (const auto& row : doc.Tables.Modes.Rows()) modes.emplace_back(row.Mode, row.Text);
  out.Pairs(modes);
  const int includeDoc = doc.Options ? doc.Options->IncludeDoc : 0;
  out.Int(includeDoc);
  if (includeDoc != 0) WriteOptions(out, *doc.Options);
  out.Int(static_cast<std::int32_t>(doc.Items.Count()));
  for (std::size_t i = 0; i < doc.Items.Count(); ++i) doc.Items.At(i).Save(out);
  out.Int(savedObjects);
  for (std::size_t i = 0; i < doc.Objects.size(); ++i)
    if (savedIndex[i] >= 0) WriteObject(out, doc.Objects[i]);
  RefreshObjectIndexes(doc);
}

bool LoadDocument(LayoutDocument& doc, ArchiveReader& in, Ui& ui, bool loadRigAnt) {
  if (!ReadSignature(in, ui)) return false;
  std::int32_t version = 0;
  if (!in.Int(version)) {
    ui.ShowMessage(msg::kBrokenLayoutFile);
    return false;
  }
  if (version > kLayoutVersion) {
    ui.ShowMessage(msg::kLayoutNewerVersion);
    return false;
  }
  if (version < kLayoutVersion) ui.ShowMessage(msg::kLayoutOlderVersion, MessageIcon::Information);
  doc.ReadVersion = version;

  const auto broken = [&] {
    ui.ShowMessage(msg::kBrokenLayoutFile);
    return false;
  };
  DocumentSettings& s = doc.Settings;
  for (int* v : {&s.CardFormCode, &s.CardWidth, &s.CardHeight, &s.LeftMargin, &s.TopMargin, &s.QsosPerCard})
    if (!in.Int(*v)) return broken();
  if (version < 4) {  // millimetres then
    s.LeftMargin = MillimetresToHundredths(s.LeftMargin);
    s.TopMargin = MillimetresToHundredths(s.TopMargin);
  }
  for (int i = 0; i < kRigSlotCount; ++i) {
    std::string rig, ant;
    if (!in.Str(rig) || !in.Str(ant)) return broken();
    if (loadRigAnt) {
      s.RigTexts[i] = std::move(rig);
      s.AntTexts[i] = std::move(ant);
    }
  }
  Pairs macros;
  if (!in.Pairs(macros)) return broken();
  doc.Tables.Macros.Clear();
  for (const auto& [name, text] : macros) doc.Tables.Macros.SetMacro(name, text);
  for (int* v : {&s.GridMode, &s.GridNormalStep, &s.GridStepX, &s.GridStepY})
    if (!in.Int(*v)) return broken();
  if (!in.Str(s.Title) || !in.Str(s.Memo)) return broken();
  if (version > 0 && !in.Int(s.EditLock)) return broken();
  if (version > 2 && !(in.Int(s.TackColumns) && in.Int(s.TackRows) && in.Double(s.TackColumnPitch) &&
                       in.Double(s.TackRowPitch)))
    return broken();
  // A damaged or hostile file cannot ask for more than the dialogs allow.
  s.ClampToLimits();
  if (version >= 5) {
    for (int* v : {&s.PaperOrientation, &s.PaperSize, &s.PaperLength, &s.PaperWidth}) {
      std::uint16_t word = 0;
      if (!in.Word(word)) return broken();
      *v = word;
    }
    if (!in.Int(doc.PrinterOffsetX) || !in.Int(doc.PrinterOffsetY)) return broken();
  } else {
    s.PaperOrientation = s.CardFormCode == FormLandscape ? 2 : 1;
    s.PaperSize = s.CardFormCode == FormTackSeal ? 9 : 257;
    s.PaperLength = 0;
    s.PaperWidth = 0;
  }
  if (version > 9)
    for (auto& table : doc.Tables.Common)
      if (!ReadTable(in, table)) return broken();
  if (version > 10) {
    Pairs modes;
    if (!in.Pairs(modes)) return broken();
    doc.Tables.Modes.Rows().clear();
    for (auto& [mode, text] : modes) doc.Tables.Modes.Rows().push_back({std::move(mode), std::move(text)});
  }
  doc.Options.reset();
  if (version > 8) {
    std::int32_t includeDoc = 0;
    if (!in.Int(includeDoc)) return broken();
    if (includeDoc != 0) {
      IncludedOptions options;
      if (!ReadOptions(in, options)) return broken();
      doc.Options = std::move(options);
    }
  }

  doc.Items.Clear();
  doc.Objects.clear();
  std::int32_t count = 0;
  if (!in.Int(count) || count < 0) return broken();
  for (std::int32_t i = 0; i < count; ++i) {
    std::unique_ptr<CardItem> item;
    switch (ReadItem(in, version, item)) {
      case ItemReadStatus::Ok: doc.Items.Add(std::move(item)); continue;
      case ItemReadStatus::UnknownType: ui.ShowMessage(msg::kUnsupportedNativeData); return false;
      case ItemReadStatus::Truncated:
      case ItemReadStatus::TooDeep: return broken();
    }
  }
  std::int32_t objects = 0;
  // Each object takes at least its three length bytes and its rectangle.
  if (!in.Int(objects) || objects < 0 || static_cast<std::size_t>(objects) > in.Remaining() / 19) return broken();
  doc.Objects.resize(static_cast<std::size_t>(objects));
  for (auto& object : doc.Objects)
    if (!ReadObject(in, object)) return broken();
  BindObjects(doc);
  doc.Items.SetCurrent(nullptr);
  doc.Items.Selection().Clear();
  return true;
}

std::string CopySelection(LayoutDocument& doc) {
  std::vector<CardItem*> items;
  if (doc.Items.IsCurrentMulti()) {
    for (std::size_t i = 0; i < doc.Items.Selection().Count(); ++i) items.push_back(&doc.Items.Selection().Child(i));
  } else if (doc.Items.Current()) {
    items.push_back(doc.Items.Current());
  }
  ArchiveWriter out;
  out.Int(static_cast<std::int32_t>(items.size()));
  static const EmbeddedObject kNoImage;
  for (CardItem* item : items) {
    item->Save(out);
    ForEachItem(*item, [&](CardItem& inner) {
      if (inner.Type() != ItemOleLink) return;
      const EmbeddedObject* object = static_cast<OleLinkItem&>(inner).Object;
      WriteObject(out, object ? *object : kNoImage);
    });
  }
  return out.Data();
}

bool PasteNative(LayoutDocument& doc, std::string_view block) {
  ArchiveReader in(block);
  std::int32_t count = 0;
  if (!in.Int(count) || count < 0 || static_cast<std::size_t>(count) > in.Remaining() / 34) return false;
  std::vector<std::unique_ptr<CardItem>> items;
  std::vector<EmbeddedObject> images;
  for (std::int32_t i = 0; i < count; ++i) {
    std::unique_ptr<CardItem> item;
    if (ReadItem(in, kLayoutVersion, item) != ItemReadStatus::Ok) return false;
    bool ok = true;
    ForEachItem(*item, [&](CardItem& inner) {
      if (inner.Type() != ItemOleLink || !ok) return;
      EmbeddedObject image;
      ok = ReadObject(in, image);
      // Empty bytes: the image was missing when copied; the item stays unbound.
      static_cast<OleLinkItem&>(inner).ObjectIndex =
          image.Bytes.empty() ? -1 : static_cast<std::int32_t>(doc.Objects.size() + images.size());
      if (!image.Bytes.empty()) images.push_back(std::move(image));
    });
    if (!ok) return false;
    items.push_back(std::move(item));
  }
  // Appending may move the objects: rebind every image item by index.
  RefreshObjectIndexes(doc);
  for (auto& image : images) doc.Objects.push_back(std::move(image));
  doc.Items.Selection().Clear();
  std::vector<CardItem*> pasted;
  for (auto& item : items) pasted.push_back(&doc.Items.Add(std::move(item)));
  BindObjects(doc);
  if (pasted.size() > 1) {
    for (CardItem* item : pasted) doc.Items.Selection().Add(*item);
    doc.Items.SetCurrent(&doc.Items.Selection());
  }
  return true;
}

std::optional<std::array<std::pair<std::string, std::string>, kRigSlotCount>> ReadRigAntFrom(const std::string& path,
                                                                                              Ui& ui) {
  Pairs pairs;
  if (ShowPartialReadFailure(ReadPartially(path, pairs, nullptr), ui)) return std::nullopt;
  std::array<std::pair<std::string, std::string>, kRigSlotCount> result;
  for (int i = 0; i < kRigSlotCount; ++i) result[i] = std::move(pairs[i]);
  return result;
}

std::optional<std::vector<std::pair<std::string, std::string>>> ReadMacrosFrom(const std::string& path, Ui& ui) {
  Pairs rigAnt, macros;
  if (ShowPartialReadFailure(ReadPartially(path, rigAnt, &macros), ui)) return std::nullopt;
  return macros;
}

RigAntDialog::PairReader LayoutRigAntReader(Ui& ui) {
  return [&ui]() -> std::optional<std::array<std::pair<std::string, std::string>, kRigSlotCount>> {
    const OpenFileRequest request{"", "tvd", "", ProgramDirectory(), QT_TRANSLATE_NOOP("Tevra", "TEVRAデータファイル(*.tvd)|*.tvd||")};
    const auto choice = ui.ChooseFileToOpen(request);
    if (!choice) return std::nullopt;
    return ReadRigAntFrom(choice->path, ui);
  };
}

MacroFileResult ReadMacroFile(const std::string& path) {
  MacroFileResult result;
  Pairs rigAnt;
  switch (ReadPartially(path, rigAnt, &result.macros)) {
    case PartialRead::Ok: break;
    case PartialRead::CannotOpen: result.status = MacroFileResult::Status::CannotOpen; break;
    case PartialRead::WrongFormat:
    case PartialRead::Broken: result.status = MacroFileResult::Status::WrongFormat; break;
  }
  return result;
}

}  // namespace tevra
