// Where the program's own files are.
#pragma once

#include <string>

namespace tevra {

// Directory of the running executable, with a trailing "/"; "./" when it
// cannot be found.
std::string ProgramDirectory();

}  // namespace tevra
