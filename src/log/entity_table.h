// The DX entity table: which entity prefix a foreign call belongs to, read
// from the user's entity definition file.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/call_sign.h"

namespace tevra {

inline constexpr const char* kEntityFileName = "ARRL.DX";
inline constexpr std::size_t kEntityMax = 512;

struct EntityEntry {
  // Field 1 is the entity prefix, field 2 the list of call patterns; the
  // others are kept as they are.
  std::array<std::string, 5> fields;
};

class EntityTable : public EntityLookup {
 public:
  // Reads the file; a missing or unreadable file leaves the table empty and
  // returns false.
  bool Load(const std::string& path);
  // Reads the definitions from the bytes of a file.
  void LoadText(std::string_view text);
  void Clear();

  std::string EntityOf(std::string_view call) const override;
  std::size_t Size() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  const EntityEntry& Entry(std::size_t i) const { return entries_.at(i); }

 private:
  struct Pattern {
    std::string text;
    std::size_t entry;
    // For the patterns of a range whose ends start with the same character:
    // a call starting with another character passes the whole range over.
    char rangeFirst = 0;
  };

  void AddLine(std::string line);
  void AddPatterns(std::size_t entry, std::string_view list);
  void BuildIndex();

  std::vector<EntityEntry> entries_;
  std::vector<Pattern> patterns_;  // in file and list order
  // Per first character: the patterns that begin with it, in order; the
  // patterns that begin with a wildcard can match any call.
  std::array<std::vector<std::uint32_t>, 256> index_;
  std::vector<std::uint32_t> wildcardFirst_;
};

// Whether pattern matches the whole call ("*" any run, "?" any one character,
// "\\" only at the end of the call), or with prefixOnly its beginning.
bool MatchCallPattern(std::string_view pattern, std::string_view call, bool prefixOnly);

}  // namespace tevra
