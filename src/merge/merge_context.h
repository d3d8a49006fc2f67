// The per-card state of the merge language, and the small services it
// reaches into: the mode conversion table and the user macros.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/band.h"
#include "core/qso_record.h"

namespace tevra {

inline constexpr int kMaxQsosPerCard = 16;

// One text per band slot.
using BandTexts = std::array<std::string, kRigSlotCount>;

// The document's mode conversion table.
class ModeConverter {
 public:
  virtual ~ModeConverter() = default;
  virtual std::string ModeText(std::string_view mode) const = 0;
};

// The user macros.
class MacroLookup {
 public:
  virtual ~MacroLookup() = default;
  // The macro's text, or nullopt when there is none of that name.
  virtual std::optional<std::string> FindMacro(std::string_view name) const = 0;
};

struct MergeContext {
  // The card's QSOs in card order (room for 16); null while no log data is
  // merged.
  QsoRecord* CardQsos = nullptr;
  int RepeatCount = 1;
  int QsosOnCard = 0;
  int CardIndex = 0;
  int PrintNumberBase = 0;
  bool PromptsEnabled = false;
  bool MessageShown = false;
  bool Continue = true;
  // The layout's per-band rig and antenna texts, indexed by BandSlot - 1;
  // null while there are none.
  const BandTexts* RigTexts = nullptr;
  const BandTexts* AntTexts = nullptr;
  const MacroLookup* Macros = nullptr;
};

}  // namespace tevra
