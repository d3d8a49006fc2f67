// Call-sign analysis: home calls, Japanese stations, QSL routes.
#pragma once

#include <string>
#include <string_view>

#include "core/qso_record.h"

namespace tevra {

inline constexpr std::size_t kCallMax = 24;
// Entity prefix of an unknown or empty call.
inline constexpr std::string_view kUnknownEntity = "_?_";

// Looks up the DX entity of a call (the entity table implements it).
class EntityLookup {
 public:
  virtual ~EntityLookup() = default;
  // The entity prefix, or "_?_" for an empty call or one that matches nothing.
  virtual std::string EntityOf(std::string_view call) const = 0;
};

bool IsCallChars(std::string_view text);
bool IsCallLike(std::string_view text);
// IsCallLike with at least one letter and one digit, as every call has:
// tells a call from a word, a grid square aside ("LoTW", "bureau", "0001").
bool HasCallShape(std::string_view text);
std::string HomeCall(std::string_view call);
bool IsJaPrefix(std::string_view call);
bool IsJapaneseStation(std::string_view call);
bool IsClubStation(std::string_view call);
bool IsPortable(std::string_view call);
std::string ManagerCall(std::string_view remarks);
std::string ViaCall(const QsoRecord& record);
std::string ViaEntity(const QsoRecord& record, const EntityLookup& entities);
int AreaDigit(std::string_view text);

}  // namespace tevra
