// What tevra-batch does, one function a kind of run; each gives the exit
// code, listings on out and messages on err.
#pragma once

#include <cstdio>

#include "batch/batch_options.h"

namespace tevra {

// --save-layout: a layout (or a built-in one) written as a layout file.
int SaveLayout(const BatchOptions& batch, std::FILE* err);
// --png, --pdf: a layout's first card as a picture.
int RenderLayout(const BatchOptions& batch, std::FILE* err);
// --list, --expand, --count, --areas, --export-dbf: a log read and shown.
int ListLog(BatchOptions batch, std::FILE* out, std::FILE* err);
// -o, --printer: the merge print, and the write-back after it.
int PrintCards(const BatchOptions& batch, std::FILE* out, std::FILE* err);

}  // namespace tevra
