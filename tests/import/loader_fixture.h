// A log loader over a scripted Ui, a fresh store and a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <array>

#include "import/log_loader.h"
#include "log/log_store.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace tevra::test {

template <typename Hooks = LoadHooks>
class LoaderFixture : public ::testing::Test {
 protected:
  TempDir dir;
  ScriptedUi ui;
  LogStore store{ui};
  LoadOptions options;
  Hooks hooks;
  std::array<QsoRecord, 16> buffer{};
  LogLoader loader{ui, store, options, hooks, buffer};
};

}  // namespace tevra::test
