// The order in which cards go to the QSL bureau: Japanese calls in the
// bureau's order (the older one or the JN.2003 one), then foreign calls,
// optionally by DX entity. Each QSO gets a byte key whose plain byte order
// is that order, so that sorting is a sort of keys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tevra {

struct BureauOrder {
  bool jn2003 = true;     // "SortWay"
  bool byEntity = false;  // "SortCountry", and an entity table that has entries
};

// The key of the station part of the order (everything but the QSO time).
std::string BureauKey(std::string_view viaCall, std::string_view viaEnt, std::string_view call, std::uint16_t env,
                      const BureauOrder& order);
// The same key appended to `key`.
void AppendBureauKey(std::string& key, std::string_view viaCall, std::string_view viaEnt, std::string_view call,
                     std::uint16_t env, const BureauOrder& order);

// The time part: later QSOs have larger keys; two-digit years below 50 are
// in the 2000s.
std::uint32_t TimeKey(unsigned year, unsigned month, unsigned day, unsigned hhmm);
// The same from the store's "YY/MM/DD" and "HHMM" texts.
std::uint32_t TimeKey(std::string_view date, std::string_view time);

// Card-counter area of a routing call: 0..9 the Japanese call areas, 10 DX,
// 11 unknown.
int CallArea(std::string_view viaCall);

}  // namespace tevra
