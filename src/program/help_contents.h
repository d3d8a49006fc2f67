// The user's manual as the help window shows it: its sections (the
// Markdown headings), a search over them, and the section that tells about
// each command of the window.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tevra {

struct HelpSection {
  int level = 0;      // 1 for "#", 2 for "##", ...
  std::string title;  // the heading's text (UTF-8)
  // The section's text in the manual, heading included, up to the next
  // heading of any level.
  std::size_t begin = 0, end = 0;
};

class HelpContents {
 public:
  explicit HelpContents(std::string markdown);

  const std::string& Text() const { return text_; }
  const std::vector<HelpSection>& Sections() const { return sections_; }

  // The sections that hold every word of the query (letters compared
  // without case), in the manual's order; every section for an empty query.
  std::vector<std::size_t> Find(std::string_view query) const;
  // The section titled so; Sections().size() when there is none.
  std::size_t SectionTitled(std::string_view title) const;
  // The section about a command of the window (its menu entry or tool bar
  // button); the first section for a command the manual does not name.
  std::size_t SectionForCommand(int command) const;
  // The title the command table names for a command (empty: none), for a
  // test that every title it names is in the manual.
  static std::string_view TitleForCommand(int command);

 private:
  std::string text_;
  std::vector<HelpSection> sections_;
};

}  // namespace tevra
