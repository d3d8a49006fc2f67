#include "program/help_contents.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "program/commands.h"

namespace tevra {

namespace {

// The section that tells about a command, by its title in the manual.
struct CommandSection {
  std::string_view title;
  std::vector<int> commands;
};

const std::vector<CommandSection>& CommandSections() {
  using namespace cmd;
  static const std::vector<CommandSection> table = {
      {"Getting started", {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kAppExit, kAppAbout, kRecentLayout1,
                           kRecentLayout1 + 1, kRecentLayout1 + 2, kRecentLayout1 + 3}},
      {"Designing a card",
       {kEditUndo, kEditRedo, kEditCut, kEditCopy, kEditPaste, kDelete, kSelectAll, kEditItem, kCondition, kColour,
        kLineStyle, kFont, kInsertObject, kToolSelect, kToolLine, kToolBox, kToolRoundBox, kToolEllipse, kToolFill,
        kToolString, kToolTextBox, kToolCheckBox, kToolJarl, kToolDataMark, kToolObject, kViewToolBar, kViewDrawBar,
        kViewStatusBar, kZoom, kGridToggle, kGridSpacing, kPrinterMask, kMergeToggle, kPrevQso, kNextQso,
        kContinuous, kMoveBy, kToHead, kToEnd, kNextOverlap, kPrevOverlap, kGroup, kUngroup, kNaturalSize,
        kCentreH, kCentreV, kJarlPosition, kAlignTop, kAlignMiddle, kAlignBottom, kAlignLeft, kAlignCentre,
        kAlignRight, kSpreadH, kSpreadV, kScale50, kScale66, kScale75, kScale133, kScale150, kScale200, kScaleAny,
        kToString, kToTextBox, kToDataMark, kToBox, kToRoundBox, kToEllipse}},
      {"Card form and document", {kQslForm, kDocumentInfo, kRigAnt}},
      {"Conditions", {}},
      {"Blocks, prompts and messages", {kPrintMessages}},
      {"Tables and macros", {kModeTable, kMacros, kCommonTable1, kCommonTable1 + 1, kCommonTable1 + 2,
                             kCommonTable1 + 3, kCommonTable1 + 4, kCommonTable1 + 5, kCommonTable1 + 6,
                             kCommonTable1 + 7, kCommonTable1 + 8, kCommonTable1 + 9}},
      {"Loading logs", {kLogOpen, kPlugin, kOdbc, kRecentLog1, kRecentLog1 + 1, kRecentLog1 + 2, kRecentLog1 + 3}},
      {"The log list", {kLogList, kQsoData, kEditFind, kFindNext, kFindPrev}},
      {"Printing", {kPrint, kTestPrint, kPrintDirect, kPrintPreview, kPrintSetup, kPrintNumber}},
      {"Options", {kOptions}},
      {"Files and settings", {kEditEntities, kReloadEntities}},
      {"TEVRA user's manual", {kHelpIndex, kHelp, kContextHelp, kHomePage, kDownloadWeb}},
  };
  return table;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

HelpContents::HelpContents(std::string markdown) : text_(std::move(markdown)) {
  // Headings are lines of "#"s and a blank; lines inside ``` fences are not.
  bool fenced = false;
  for (std::size_t at = 0; at < text_.size();) {
    std::size_t next = text_.find('\n', at);
    if (next == std::string::npos) next = text_.size();
    const std::string_view line(text_.data() + at, next - at);
    if (line.starts_with("```")) {
      fenced = !fenced;
    } else if (!fenced && line.starts_with('#')) {
      const std::size_t hashes = line.find_first_not_of('#');
      if (hashes != std::string_view::npos && hashes <= 6 && line[hashes] == ' ') {
        if (!sections_.empty()) sections_.back().end = at;
        std::string_view title = line.substr(hashes + 1);
        while (!title.empty() && (title.back() == '\r' || title.back() == ' ')) title.remove_suffix(1);
        sections_.push_back({static_cast<int>(hashes), std::string(title), at, text_.size()});
      }
    }
    at = next + 1;
  }
}

std::vector<std::size_t> HelpContents::Find(std::string_view query) const {
  std::vector<std::string> words;
  const std::string lowered = Lower(query);
  for (std::size_t at = 0; at < lowered.size();) {
    const std::size_t start = lowered.find_first_not_of(" \t", at);
    if (start == std::string::npos) break;
    const std::size_t stop = std::min(lowered.find_first_of(" \t", start), lowered.size());
    words.push_back(lowered.substr(start, stop - start));
    at = stop;
  }
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const std::string body = Lower(std::string_view(text_).substr(sections_[i].begin, sections_[i].end - sections_[i].begin));
    if (std::all_of(words.begin(), words.end(), [&](const std::string& w) { return body.find(w) != std::string::npos; }))
      found.push_back(i);
  }
  return found;
}

std::size_t HelpContents::SectionTitled(std::string_view title) const {
  for (std::size_t i = 0; i < sections_.size(); ++i)
    if (sections_[i].title == title) return i;
  return sections_.size();
}

std::string_view HelpContents::TitleForCommand(int command) {
  for (const CommandSection& s : CommandSections())
    if (std::find(s.commands.begin(), s.commands.end(), command) != s.commands.end()) return s.title;
  return {};
}

std::size_t HelpContents::SectionForCommand(int command) const {
  const std::size_t section = SectionTitled(TitleForCommand(command));
  return section < sections_.size() ? section : 0;
}

}  // namespace tevra
