// The manual's sections, its search, and the section every command of the
// window opens with Shift+F1.
#include "program/help_contents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "program/commands.h"

namespace tevra {
namespace {

TEST(HelpContents, SectionsAndSearch) {
  const HelpContents help(
      "# Manual\nintro\n## Printing\nPrint on label sheets.\n```\n# not a heading\n```\n"
      "### Label sheets\nTack seals, LABEL pitch.\n#no heading\n## Options\nSend mark.\n");
  ASSERT_EQ(help.Sections().size(), 4u);
  EXPECT_EQ(help.Sections()[2].title, "Label sheets");
  EXPECT_EQ(help.Sections()[2].level, 3);
  EXPECT_EQ(help.Text().substr(help.Sections()[1].begin, help.Sections()[1].end - help.Sections()[1].begin),
            "## Printing\nPrint on label sheets.\n```\n# not a heading\n```\n");
  struct Case {
    const char* query;
    std::vector<std::size_t> sections;
  };
  for (const Case& c : {Case{"label", {1, 2}}, Case{"  label  PITCH ", {2}}, Case{"send mark", {3}},
                        Case{"nowhere", {}}, Case{"", {0, 1, 2, 3}}}) {
    EXPECT_EQ(help.Find(c.query), c.sections) << c.query;
  }
  EXPECT_EQ(help.SectionTitled("Options"), 3u);
  EXPECT_EQ(help.SectionTitled("Missing"), 4u);
}

TEST(HelpContents, EveryCommandHasItsSectionInTheManual) {
  std::ifstream in(std::filesystem::path(TEVRA_EXAMPLES) / ".." / "docs" / "manual.md");
  std::stringstream text;
  text << in.rdbuf();
  const HelpContents manual(text.str());
  ASSERT_GT(manual.Sections().size(), 10u);
  for (const CommandInfo& c : Commands()) {
    const std::string_view title = HelpContents::TitleForCommand(c.id);
    EXPECT_FALSE(title.empty()) << c.id << " " << c.text;
    EXPECT_LT(manual.SectionTitled(title), manual.Sections().size()) << title;
  }
  EXPECT_EQ(manual.Sections()[manual.SectionForCommand(cmd::kPrint)].title, "Printing");
}

}  // namespace
}  // namespace tevra
