// The user's choices that outlive a run: the option values, the registered
// print messages, the recent lists and the window placements, kept in the
// settings file "TEVRA.INI".
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/profile.h"
#include "core/recent_list.h"
#include "import/log_loader.h"
#include "log/log_store.h"
#include "card/layout_document.h"
#include "merge/prompt_dialog.h"
#include "print/print_job.h"

namespace tevra {

// The largest print number: far beyond any card count, and room to add to it.

inline constexpr int kMessageSlots = 64;

struct WindowPlacement {
  int cx = 0;
  int cy = 0;
  int x = 0;
  int y = 0;
};

// The program-wide option values ("Option" section) and the registered
// messages ("Message" section).
struct ProgramSettings {
  // SkipSendMark, LoadCond, the CSV keys, CurLogDir/Type/Name, TH5Fields,
  // the recent log list and the Cabrillo choices.
  LoadOptions load;
  std::string sendMark = "-";
  int timeType = 0;  // 0 automatic, 1 always JST, 2 always UTC
  std::string log200SafDir;
  bool makeContItem = true;
  bool repEnvPack = false;
  bool repCallPack = false;
  bool backup = true;
  bool clipCheck = false;
  bool sortWay = true;  // the JN.2003 bureau order
  bool disLogNewTime = false;
  bool dispPrinterRect = false;
  int printNo = 1;  // 0..kPrintNoMax
  int printNoStart = 1;  // "PrintNo" as read, for the print-number dialog
  bool printNoAuto = true;
  std::string partMark;  // CP932
  bool invRotFont = false;
  bool sortCountry = false;
  bool includeDoc = false;
  // The interface's language: "ja", "en", or empty for the locale's
  // ("Language", read at start).
  std::string language;
  // The folder the layout dialogs last used ("LayoutDir", UTF-8).
  std::string layoutDirectory;
  // The PDF file the last print without a printer went to ("PrintFile",
  // UTF-8).
  std::string printFile;
  // The card view's zoom in % ("ViewZoom"); 0: the card fitted into the
  // window at start.
  int viewZoom = 0;
  // File › Export card images: the folder, format, resolution and name
  // pattern used last ("ImageDir", "ImageFormat", "ImageDpi", "ImageName",
  // UTF-8; empty or 0 for the defaults).
  std::string imageFolder;
  std::string imageFormat;
  int imageDpi = 0;
  std::string imageName;
  PromptHistory messages;  // the registered print messages, newest first
  // Placement of the log list window, written with the options.
  std::optional<WindowPlacement> logWindow;

  // The layout files of the file menu and the framework's preview setting.
  RecentList recentLayouts{4};
  int previewPages = 0;
  // The condition table dialog's placement and column widths ("TableWin").
  std::optional<WindowPlacement> tableWindow;
  int tableColumn1 = 100;
  int tableColumn2 = 400;
};

// Reads every "Option" and "Message" key (missing keys take their
// defaults; "SortCountry" keeps its current value when missing).
void ReadSettings(const Profile& file, ProgramSettings& settings);
void WriteSettings(Profile& file, const ProgramSettings& settings);

// "Recent LogFile" and "Recent File List": "File1" .. "File4", newest first.
void ReadRecentList(const Profile& file, std::string_view section, RecentList& list);
void WriteRecentList(Profile& file, std::string_view section, const RecentList& list);

// A window's "CX", "CY", "X", "Y"; nothing when the section lacks them.
std::optional<WindowPlacement> ReadPlacement(const Profile& file, std::string_view section);
void WritePlacement(Profile& file, std::string_view section, const WindowPlacement& placement);

// The main window ("Window"): maximised, the screen size when saved, and
// its rectangle.
struct MainWindowState {
  bool zoomed = false;
  int screenWidth = 0;
  int screenHeight = 0;
  std::optional<WindowPlacement> rect;
};
MainWindowState ReadMainWindow(const Profile& file);
void WriteMainWindow(Profile& file, const MainWindowState& state);

// The condition table dialog ("TableWin"): placement and column widths.
struct TableWindowState {
  std::optional<WindowPlacement> rect;
  int column1 = 100;
  int column2 = 400;
};
TableWindowState ReadTableWindow(const Profile& file);
void WriteTableWindow(Profile& file, const TableWindowState& state);

// The copy of the options a layout document may carry.
IncludedOptions ToIncludedOptions(const ProgramSettings& settings);
void ApplyIncludedOptions(const IncludedOptions& options, ProgramSettings& settings);

// "TH5Fields": positions 9..15 of the HAMLOG version 5 width table.
void ReadTh5Fields(std::string_view text, Th5Widths& widths);
std::string Th5FieldsText(const Th5Widths& widths);

}  // namespace tevra
