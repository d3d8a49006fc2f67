#include <cstdio>
#include <string>
#include <vector>

#include "program/allocator_tuning.h"
#include "batch/batch.h"

int main(int argc, char** argv) {
  tevra::TuneAllocator();
  std::vector<std::string> args(argv + 1, argv + argc);
  return tevra::RunBatch(args, stdout, stderr);
}
