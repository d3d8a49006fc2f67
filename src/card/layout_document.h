// The layout document file (.tvd): settings, tables, an optional copy of the
// program options, the card items and the embedded images, in one archive.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "card/document_settings.h"
#include "card/layout_item_list.h"
#include "merge/table_dialogs.h"
#include "merge/tables.h"

namespace tevra {

class ArchiveReader;
class ArchiveWriter;
class Ui;

// The first 44 bytes of every layout file, NUL-padded; the version follows.
inline constexpr std::string_view kLayoutSignature = "TEVRA card layout document";
inline constexpr std::size_t kLayoutSignatureBytes = 44;

// The program options a document may carry, under their settings-file keys.
struct IncludedOptions {
  int SkipSendMark = 0;
  std::string LoadCond;
  std::string SendMark;
  std::array<std::string, 32> CsvItems;  // "CsvItem1".."CsvItem32"
  int CsvDlm = 0;
  int CsvUTC = 0;
  std::string CurLogDir;
  int CurLogType = 0;
  std::string CurLogName;
  std::string Log200SafDir;
  int TimeType = 0, MakeContItem = 0, RepEnvPack = 0, RepCallPack = 0, Backup = 0, ClipCheck = 0, SortWay = 0,
      DisLogNewTime = 0, DispPrinterRect = 0;
  int PrintNoAuto = 0;
  std::string PartMark;
  int InvRotFont = 0;
  int IncludeDoc = 0;
  bool operator==(const IncludedOptions&) const = default;
};

struct LayoutDocument {
  DocumentSettings Settings;
  int PrinterOffsetX = 0;  // 1/1000 inch, the printer's unprintable margins at saving
  int PrinterOffsetY = 0;
  DocumentTables Tables;
  // Saved only while its IncludeDoc is not 0; set by loading when the file
  // carries a copy (the caller then makes it the program's options).
  std::optional<IncludedOptions> Options;
  LayoutItemList Items;
  std::vector<EmbeddedObject> Objects;
  // The format version of the file last read (kLayoutVersion for a new one).
  int ReadVersion = kLayoutVersion;
};

void SaveDocument(LayoutDocument& doc, ArchiveWriter& out);
// Reads a whole file into doc, showing the messages of a bad or foreign file.
// loadRigAnt false reads the rig and antenna texts but keeps the current
// ones. False when reading stopped; items read so far stay in the list.
bool LoadDocument(LayoutDocument& doc, ArchiveReader& in, Ui& ui, bool loadRigAnt = true);

// Whether path holds a layout that LoadDocument reads whole (no message).
bool LayoutFileReadable(const std::string& path);

// Keeps OleLinkItems (also inside groups) and their objects together:
// Refresh sets each index from the bound object (-1 when unbound), Bind looks
// each object up by index; an index beyond the list leaves the item unbound.
void RefreshObjectIndexes(LayoutDocument& doc);
void BindObjects(LayoutDocument& doc);

// The clipboard form ("TEVRA"): an item count, then the item records of the
// current item or of the multi-selection in selection order. Each image
// item's record is followed by its image; a group's record is followed by
// the images of the image items inside it, depth first.
std::string CopySelection(LayoutDocument& doc);
// Appends the items of a clipboard block on top at their stored positions
// (read as the newest version) and selects them: one alone, several as the
// multi-selection. False, with nothing added, when the block is damaged.
bool PasteNative(LayoutDocument& doc, std::string_view block);

// The rig/antenna pairs and the user macros of another layout file, for the
// "参照" buttons. Messages 104 and 107 on failure.
std::optional<std::array<std::pair<std::string, std::string>, kRigSlotCount>> ReadRigAntFrom(const std::string& path,
                                                                                              Ui& ui);
std::optional<std::vector<std::pair<std::string, std::string>>> ReadMacrosFrom(const std::string& path, Ui& ui);
// The same as the seams of the two dialogs: the rig/antenna reader lets the
// user choose the file (starting in the program's folder); the macro dialog
// chooses its file and shows the messages itself.
RigAntDialog::PairReader LayoutRigAntReader(Ui& ui);
MacroFileResult ReadMacroFile(const std::string& path);

}  // namespace tevra
