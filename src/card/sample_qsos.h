// The 16 QSOs a fresh document holds, so that merged items show plausible
// text before a log is loaded.
#pragma once

#include <array>

#include "core/qso_record.h"
#include "merge/merge_context.h"

namespace tevra {

std::array<QsoRecord, kMaxQsosPerCard> SampleQsos();

}  // namespace tevra
