#include "log/entity_table.h"

#include "core/file_io.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/text.h"

namespace tevra {
namespace {

constexpr std::size_t kLineMax = 511;
constexpr std::size_t kFieldMax = 512;

bool IsWildcard(char c) { return c == '*' || c == '?' || c == '\\'; }

}  // namespace

bool MatchCallPattern(std::string_view pattern, std::string_view call, bool prefixOnly) {
  // Iterative glob: on a mismatch, retry from the last "*" one character on.
  std::size_t p = 0, c = 0;
  std::size_t starP = std::string_view::npos, starC = 0;
  while (true) {
    if (p < pattern.size()) {
      const char pc = pattern[p];
      if (pc == '*') {
        starP = p++;
        starC = c;
        continue;
      }
      if (pc == '\\') {
        if (c == call.size()) {
          ++p;
          continue;
        }
      } else if (c < call.size() && (pc == '?' || pc == call[c])) {
        ++p;
        ++c;
        continue;
      }
    } else if (c == call.size() || prefixOnly) {
      return true;
    }
    if (starP == std::string_view::npos || starC >= call.size()) return false;
    p = starP + 1;
    c = ++starC;
  }
}

void EntityTable::Clear() {
  entries_.clear();
  patterns_.clear();
  for (auto& bucket : index_) bucket.clear();
  wildcardFirst_.clear();
}

bool EntityTable::Load(const std::string& path) {
  Clear();
  std::string text;
  if (ReadRegularFile(path, text, kDocumentFileMax) != FileReadResult::Ok) return false;
  LoadText(text);
  return true;
}

void EntityTable::LoadText(std::string_view text) {
  Clear();
  while (!text.empty() && entries_.size() < kEntityMax) {
    auto end = text.find('\n');
    std::string line(PrefixOfChars(text.substr(0, end), kLineMax));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    CutAtLineEnd(line);
    if (auto nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    if (line.starts_with('$')) break;
    AddLine(std::move(line));
  }
  BuildIndex();
}

void EntityTable::AddLine(std::string line) {
  RemoveChar(line, '\t');
  if (line.starts_with('!')) return;
  EntityEntry entry;
  std::string_view rest = line;
  for (auto& field : entry.fields) {
    if (rest.empty()) break;
    rest = CopyUntil(field, rest, ';');
    TrimRight(field);
    field = std::string(PrefixOfChars(field, kFieldMax));
  }
  entries_.push_back(std::move(entry));
  AddPatterns(entries_.size() - 1, entries_.back().fields[1]);
}

void EntityTable::AddPatterns(std::size_t entry, std::string_view list) {
  while (!list.empty()) {
    const std::string item(SkipBlanks(SplitComma(list)));
    if (item.empty()) continue;
    const auto dash = item.find('-');
    if (dash == std::string::npos) {
      patterns_.push_back({item, entry});
      continue;
    }
    // A range "from-to": at the first differing position, every character
    // from the one of `from` to the one of `to` (at most 26).
    const std::string from = item.substr(0, dash);
    const std::string to = item.substr(dash + 1);
    const char rangeFirst = !from.empty() && !to.empty() && from[0] == to[0] ? from[0] : 0;
    std::size_t k = 0;
    while (k < from.size() && k < to.size() && from[k] == to[k]) ++k;
    if (k >= from.size() || k >= to.size()) continue;  // equal ends, or one a prefix of the other
    const int span = std::min(static_cast<unsigned char>(to[k]) - static_cast<unsigned char>(from[k]) + 1, 26);
    for (int step = 0; step < span; ++step) {
      std::string pattern = from;
      pattern[k] = static_cast<char>(static_cast<unsigned char>(from[k]) + step);
      patterns_.push_back({std::move(pattern), entry, rangeFirst});
    }
  }
}

void EntityTable::BuildIndex() {
  for (auto& bucket : index_) bucket.clear();
  wildcardFirst_.clear();
  for (std::uint32_t i = 0; i < patterns_.size(); ++i) {
    const Pattern& p = patterns_[i];
    const char first = p.rangeFirst ? p.rangeFirst : p.text.empty() ? '\0' : p.text[0];
    if (p.text.empty() || (!p.rangeFirst && IsWildcard(first)))
      wildcardFirst_.push_back(i);
    else
      index_[static_cast<unsigned char>(first)].push_back(i);
  }
}

std::string EntityTable::EntityOf(std::string_view call) const {
  if (call.empty()) return std::string(kUnknownEntity);
  const auto& literal = index_[static_cast<unsigned char>(call[0])];
  for (bool prefixOnly : {false, true}) {
    // Both lists are in file order; walk them merged.
    std::size_t a = 0, b = 0;
    while (a < literal.size() || b < wildcardFirst_.size()) {
      const bool takeLiteral = b == wildcardFirst_.size() || (a < literal.size() && literal[a] < wildcardFirst_[b]);
      const Pattern& p = patterns_[takeLiteral ? literal[a++] : wildcardFirst_[b++]];
      if (MatchCallPattern(p.text, call, prefixOnly)) return entries_[p.entry].fields[0];
    }
  }
  return std::string(kUnknownEntity);
}

}  // namespace tevra
