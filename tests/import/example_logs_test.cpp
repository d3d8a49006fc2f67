#include "import/example_logs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace tevra {
namespace {

// The binary examples are what the writers make of the example QSOs; after
// a change, regenerate them with build/tests/make_examples examples/.
TEST(ExampleLogs, CommittedFilesMatchTheWriters) {
  for (const auto& [name, bytes] : test::ExampleLogs()) {
    std::ifstream in(std::string(TEVRA_EXAMPLES) + "/" + name, std::ios::binary);
    const std::string committed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(committed, bytes) << name;
  }
}

}  // namespace
}  // namespace tevra
