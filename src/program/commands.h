// Every command of the desktop program: its number, menu text, status-bar
// and tool-tip text and keys, the menus that show it and the tool bars'
// buttons. The frame builds its menus and tool bars from these tables and
// dispatches by number.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace tevra {

namespace cmd {
// The framework's own numbers.
inline constexpr int kFileNew = 57600, kFileOpen = 57601, kFileSave = 57603, kFileSaveAs = 57604;
inline constexpr int kPrintSetup = 57606, kPrint = 57607, kPrintDirect = 57608, kPrintPreview = 57609;
inline constexpr int kRecentLayout1 = 57616;  // to 57619
inline constexpr int kEditClear = 57632, kEditCopy = 57634, kEditCut = 57635, kEditFind = 57636, kEditPaste = 57637;
inline constexpr int kEditRedo = 57644, kEditUndo = 57643, kAppAbout = 57664, kAppExit = 57665, kHelpIndex = 57667, kContextHelp = 57669;
inline constexpr int kHelp = 57670, kInsertObject = 57856, kViewToolBar = 59392, kViewStatusBar = 59393;
// The window has one pane and embeds no objects for editing in place, so
// it has no next/previous pane (F6, Shift+F6) and no end-of-editing (Esc)
// command: keys that would do nothing are not offered.
// The program's numbers.
inline constexpr int kToolLine = 32771, kToolBox = 32772, kToolString = 32773;
inline constexpr int kToolSelect = 32776, kDelete = 32777, kEditItem = 32778, kCancelMenu = 32781;
inline constexpr int kColour = 32784, kGridToggle = 32785, kToolJarl = 32787, kToolCheckBox = 32788;
inline constexpr int kToolDataMark = 32789, kLineStyle = 32790, kLogOpen = 32791, kMergeToggle = 32792;
inline constexpr int kRigAnt = 32793, kQslForm = 32794, kQsoData = 32795, kToolEllipse = 32796, kToolObject = 32797;
inline constexpr int kToolTextBox = 32798, kToolRoundBox = 32799, kToolFill = 32800, kGridSpacing = 32801;
inline constexpr int kCondition = 32802, kOptions = 32803, kPrevQso = 32804, kNextQso = 32805, kMacros = 32807;
inline constexpr int kTestPrint = 32809, kSelectAll = 32813, kViewDrawBar = 32814, kFont = 32815;
inline constexpr int kPrinterMask = 32816, kZoom = 32819, kFindNext = 32822, kFindPrev = 32823;
inline constexpr int kNextOverlap = 32854, kPrevOverlap = 32855, kLogList = 32857, kPrintNumber = 32860;
inline constexpr int kPrintMessages = 32862, kRecentLog1 = 32863;  // to 32866
inline constexpr int kDownloadWeb = 32879, kHomePage = 32881, kEditEntities = 32884, kReloadEntities = 32885;
inline constexpr int kContinuous = 32900, kGroup = 32902, kUngroup = 32903;
inline constexpr int kDocumentInfo = 33100, kModeTable = 33101, kOdbc = 33102, kPlugin = 33103, kCommonTable1 = 33110;  // to 33119
inline constexpr int kCentreH = 33130, kCentreV = 33131, kJarlPosition = 33132, kAlignTop = 33133;
inline constexpr int kAlignMiddle = 33134, kAlignBottom = 33135, kAlignLeft = 33136, kAlignCentre = 33137;
inline constexpr int kAlignRight = 33138, kSpreadH = 33139, kSpreadV = 33140, kScale50 = 33141, kScale66 = 33142;
inline constexpr int kScale75 = 33143, kScale133 = 33144, kScale150 = 33145, kScale200 = 33146, kScaleAny = 33147;
inline constexpr int kMoveBy = 33148, kToHead = 33149, kToEnd = 33150, kToString = 33151, kToTextBox = 33152;
inline constexpr int kToDataMark = 33153, kToBox = 33154, kToRoundBox = 33155, kToEllipse = 33156;
inline constexpr int kNaturalSize = 33157;
}  // namespace cmd

struct CommandInfo {
  int id;
  std::string_view text;  // menu text, "&" before the mnemonic, "\t" before the keys shown
  std::string_view tip;   // status bar text; a tool tip follows "\n"
  std::string_view keys;  // shortcuts as Qt writes them, ";" between two
  bool checkable = false;
};

// A menu: its title and its entries, 0 for a separator and -(n + 1) for
// the submenu Submenus()[n].
struct MenuInfo {
  std::string_view title;
  std::vector<int> entries;
};

std::span<const CommandInfo> Commands();
const CommandInfo* FindCommand(int id);
std::span<const MenuInfo> MainMenus();
std::span<const MenuInfo> Submenus();
// The tool bars' buttons in order, 0 for a separator.
std::span<const int> MainToolBar();
std::span<const int> DrawingToolBar();
// The drawing tool a tool command chooses (0 select … 11 fill), or -1.
int ToolOfCommand(int id);
// The arrangement commands (centring to conversions, group and ungroup).
bool IsArrangeCommand(int id);
int CommandOfTool(int tool);

}  // namespace tevra
