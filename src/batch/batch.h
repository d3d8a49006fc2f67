// tevra-batch: the headless front end.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tevra {

// Runs tevra-batch with the arguments after the program name. Listings go
// to out, messages to err. Returns the process exit code.
int RunBatch(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace tevra
