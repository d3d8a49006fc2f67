#include "import/external_libraries.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"

namespace tevra {
namespace {

std::string Variant(const char* name) { return std::string(TEVRA_FAKE_LIBS) + name + "/"; }

TEST(ExtSrcLibrary, RequiredAndOptionalExports) {
  test::ScriptedUi ui;
  ExtSrcLibrary plugin;
  ASSERT_TRUE(plugin.Load(Variant("full"), ui));
  EXPECT_TRUE(plugin.CanCreate());
  EXPECT_EQ(plugin.MenuName(), "Fake source");
  EXPECT_EQ(plugin.Api().GetLogType(), 1);
  EXPECT_STREQ(plugin.Api().GetFieldText(0), "CALL");
  EXPECT_EQ(ui.StatusHistory(), (std::vector<std::string>{"EXTSRCを照会中...", ""}));

  ASSERT_TRUE(plugin.Load(Variant("underscore"), ui));  // found under "_Name"
  EXPECT_STREQ(plugin.Api().GetText(0), "JA1ABC");

  ASSERT_TRUE(plugin.Load(Variant("no_cclose"), ui));  // three of four optional: none used
  EXPECT_FALSE(plugin.CanCreate());
  EXPECT_EQ(plugin.Api().Create, nullptr);

  EXPECT_FALSE(plugin.Load(Variant("no_update"), ui));
  EXPECT_FALSE(plugin.Available());
  EXPECT_FALSE(plugin.Load(Variant("nowhere"), ui));
  EXPECT_TRUE(ui.Messages().empty());
}

TEST(DbBridgeLibrary, VersionAndCompleteness) {
  test::ScriptedUi ui;
  DbBridgeLibrary bridge;
  ASSERT_TRUE(bridge.Load(Variant("full"), ui));
  EXPECT_EQ(bridge.Api().GetVersion(), 112);
  EXPECT_STREQ(bridge.Api().GetDirName(), "fake");

  EXPECT_FALSE(bridge.Load(Variant("old"), ui));
  EXPECT_FALSE(bridge.Available());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_TRUE(ui.Messages()[0].text.starts_with("DBBRDG.DLLのバージョンが不適切です."));
  EXPECT_FALSE(bridge.Load(Variant("no_seek"), ui));
  EXPECT_EQ(ui.Messages().size(), 2u);
  // No library at all is no error: the database commands are just absent.
  EXPECT_FALSE(bridge.Load(Variant("nowhere"), ui));
  EXPECT_EQ(ui.Messages().size(), 2u);
}

}  // namespace
}  // namespace tevra
