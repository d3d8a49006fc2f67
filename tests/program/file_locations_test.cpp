// Where the layout dialogs start, the name a new layout is offered under,
// the user's copy of a read-only entity file and the default PDF file.
#include "program/file_locations.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace tevra {
namespace {

namespace fs = std::filesystem;

TEST(FileLocations, DialogsStartWhereTheUserKeepsLayouts) {
  test::TempDir dir;
  const std::string docs = (dir.Path() / "Documents").string(), last = (dir.Path() / "layouts").string();
  fs::create_directories(docs);
  fs::create_directories(last);
  const std::string home = dir.Path().string(), gone = (dir.Path() / "gone").string();
  EXPECT_EQ(LayoutDialogFolder(last, docs, home), last);
  EXPECT_EQ(LayoutDialogFolder(gone, docs, home), docs);
  EXPECT_EQ(LayoutDialogFolder("", gone, home), home);

  struct Case {
    const char* path;
    const char* title;
    const char* expected;
  };
  const Case cases[] = {
      {"/x/old.tvd", "Title", "/x/old.tvd"},          {"", "My QSL 2024", "/d/My QSL 2024.tvd"},
      {"", "JA1/P card: 1*2?", "/d/JA1-P card- 1-2-.tvd"}, {"", "", "/d/untitled.tvd"},
      {"", " .. ", "/d/untitled.tvd"},                 {"", "カード", "/d/カード.tvd"},
  };
  for (const Case& c : cases) EXPECT_EQ(ProposedLayoutPath(c.path, c.title, "/d"), c.expected) << c.title;
  EXPECT_EQ(FolderOf("/d/e/f.tvd"), "/d/e");
  EXPECT_EQ(DefaultPrintFile("/x/last.pdf", "/docs"), "/x/last.pdf");
  EXPECT_EQ(DefaultPrintFile("", "/docs"), "/docs/TEVRA.pdf");
}

TEST(FileLocations, AReadOnlyEntityFileIsEditedInTheUsersCopy) {
  test::TempDir dir;
  const fs::path installed = dir.Path() / "share" / "ARRL.DX";
  fs::create_directories(installed.parent_path());
  std::ofstream(installed) << "JA,Japan\n";
  const std::string data = (dir.Path() / "data").string();
  std::string error;
  // Writable: edited where it is.
  EXPECT_EQ(EditableEntityFile(installed.string(), data, &error), installed.string());
  if (geteuid() != 0) {  // root may write anything
    chmod(installed.c_str(), 0444);
    const std::string copy = EditableEntityFile(installed.string(), data, &error);
    EXPECT_EQ(copy, UserEntityFile(data));
    std::ifstream in(copy);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "JA,Japan");
  }
  // Once the copy exists it is the file, also for a writable original.
  fs::create_directories(fs::path(UserEntityFile(data)).parent_path());
  std::ofstream(UserEntityFile(data)) << "JA,Japan\n";
  chmod(installed.c_str(), 0644);
  EXPECT_EQ(EditableEntityFile(installed.string(), data, &error), UserEntityFile(data));
  // A copy that cannot be made says where.
  const fs::path blocked = dir.Path() / "blocked";
  std::ofstream(blocked) << "a file where the folder would be";
  EXPECT_EQ(EditableEntityFile((dir.Path() / "missing.dx").string(), blocked.string(), &error), "");
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace tevra
