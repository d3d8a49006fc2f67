// Writes the binary example logs into the folder given as argument.
#include <cstdio>
#include <fstream>

#include "import/example_logs.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_examples DIRECTORY\n");
    return 2;
  }
  for (const auto& [name, bytes] : tevra::test::ExampleLogs()) {
    std::ofstream out(std::string(argv[1]) + "/" + name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) return 1;
  }
  return 0;
}
