// How the C library's heap is set up for TEVRA's executables.
#pragma once

namespace tevra {

// Keeps freed memory in the process instead of giving it back to the
// kernel after every page: see allocator_tuning.cpp. Called once at the
// start of main.
void TuneAllocator();

}  // namespace tevra
