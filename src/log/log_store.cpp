#include "log/log_store.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numeric>

#include "core/encoding.h"
#include "core/messages.h"
#include "core/text.h"
#include "platform/ui.h"

namespace tevra {
namespace {

// Writes a byte value as "%02u" does (at least two digits) at out;
// returns the end.
char* PutTwoDigits(char* out, unsigned value) {
  if (value >= 100) *out++ = static_cast<char>('0' + value / 100);
  *out++ = static_cast<char>('0' + value / 10 % 10);
  *out++ = static_cast<char>('0' + value % 10);
  return out;
}

constexpr std::uint32_t kPositionMask = 0x7FFFFFFFu;

}  // namespace

LogEntry::LogEntry(const QsoRecord& r, std::int32_t position, TextArena& arena)
    : ref_(position < 0 ? 0 : static_cast<std::uint32_t>(position) & kPositionMask),
      env_(static_cast<std::uint16_t>(r.Env)),
      received_(r.QslRcvd),
      sent_(r.QslSent),
      hasPosition_(position >= 0) {
  // "%02u/%02u/%02u" and "%02u%02u", without the cost of printf.
  char dateText[12];
  char timeText[8];
  char* d = PutTwoDigits(dateText, r.Year);
  *d++ = '/';
  d = PutTwoDigits(d, r.Month);
  *d++ = '/';
  d = PutTwoDigits(d, r.Day);
  const char* t = PutTwoDigits(PutTwoDigits(timeText, r.Hour), r.Minute);
  const std::string_view date(dateText, static_cast<std::size_t>(d - dateText));
  const std::string_view time(timeText, static_cast<std::size_t>(t - timeText));
  const std::string_view texts[FieldCount] = {
      FieldText(r.Call), date,          time,          FieldText(r.RstSent), FieldText(r.Freq),
      FieldText(r.Mode), FieldText(r.Power), FieldText(r.Name), FieldText(r.Qth), FieldText(r.Remarks)};
  // The record's fields bound the total well below 64 KiB.
  std::size_t total = 0;
  for (auto t : texts) total += t.size() + 1;
  char* const base = arena.Allocate(total);
  char* p = base;
  for (int f = 0; f < FieldCount; ++f) {
    const std::string_view t = texts[f];
    if (!t.empty()) std::memcpy(p, t.data(), t.size());
    p += t.size();
    ends_[static_cast<std::size_t>(f)] = static_cast<std::uint16_t>(p - base);
    *p++ = '\0';
  }
  texts_ = base;
}

std::string_view LogEntry::Text(Field field) const {
  if (!texts_) return {};
  const std::size_t begin = field == 0 ? 0 : ends_[static_cast<std::size_t>(field) - 1] + 1u;
  return {texts_ + begin, ends_[static_cast<std::size_t>(field)] - begin};
}

std::array<std::string_view, LogEntry::FieldCount> LogEntry::Texts() const {
  std::array<std::string_view, FieldCount> texts{};
  if (!texts_) return texts;
  std::size_t begin = 0;
  for (std::size_t f = 0; f < FieldCount; ++f) {
    texts[f] = {texts_ + begin, ends_[f] - begin};
    begin = ends_[f] + 1u;
  }
  return texts;
}

std::string_view LogEntry::ViaEnt() const {
  if (!route_) return {};
  return {route_ + viaCallSize_ + 1, viaEntSize_};
}

void LogEntry::SetRoute(std::string_view viaCall, std::string_view viaEnt, TextArena& arena) {
  viaCall = viaCall.substr(0, 0xFFFF);
  viaEnt = viaEnt.substr(0, 0xFFFF);
  const std::size_t size = viaCall.size() + viaEnt.size() + 2;
  // A route computed again overwrites the old one where it fits.
  char* block = route_ && size <= std::size_t{viaCallSize_} + viaEntSize_ + 2u ? route_ : arena.Allocate(size);
  if (!viaCall.empty()) std::memcpy(block, viaCall.data(), viaCall.size());
  block[viaCall.size()] = '\0';
  if (!viaEnt.empty()) std::memcpy(block + viaCall.size() + 1, viaEnt.data(), viaEnt.size());
  block[viaCall.size() + 1 + viaEnt.size()] = '\0';
  route_ = block;
  viaCallSize_ = static_cast<std::uint16_t>(viaCall.size());
  viaEntSize_ = static_cast<std::uint16_t>(viaEnt.size());
}

std::int32_t SourceIndexOf(LogSourceType type, std::int32_t position) {
  switch (type) {
    case SrcKuvalText:
    case SrcCt:
    case SrcTrLog:
    case SrcCsv:
    case SrcClipboard:
    case SrcAdif:      // the first record is at position 1 (%q counts from 1)
    case SrcCabrillo:
      return position - 1;
    case SrcKuvalData:
      return (position - 256) / 256;
    case SrcLog200:
      return position / 200;
    case SrcHamlog:
      return static_cast<std::int32_t>((static_cast<std::uint32_t>(position) - 449u) / 58u);
    default:
      return position;
  }
}

void LogStore::Clear() {
  grouped_ = false;
  ui_.SetStatus(msg::kClearingLogData);
  std::vector<LogEntry>().swap(entries_);
  std::vector<std::size_t>().swap(cardStarts_);
  arena_.Clear();
  currentQso_ = 0;
  currentCard_ = 0;
  unknownEntities_ = 0;
  routeState_ = 0;
  sorted_ = false;
  currentCardQsos_ = 0;
  areaCounts_.fill(0);
  ui_.ClearStatus();
}

void LogStore::Add(const QsoRecord& record, std::int32_t position) {
  grouped_ = false;
  // Capacity grows to 1024 slots first, then doubles.
  if (entries_.size() == entries_.capacity())
    entries_.reserve(entries_.capacity() == 0 ? 1024 : entries_.capacity() * 2);
  entries_.emplace_back(record, position, arena_);
  routeState_ = 0;  // the new entry has no route yet
}

void LogStore::Replace(std::size_t index, const QsoRecord& record) {
  if (index >= entries_.size()) return;
  grouped_ = false;
  entries_[index] = LogEntry(record, -1, arena_);
  // Recompute every route on next use; the rewritten entry has none.
  routeState_ = 0;
}

bool LogStore::Read(std::size_t index, QsoRecord& r) const {
  if (index >= entries_.size()) return false;
  const LogEntry& e = entries_[index];
  const auto texts = e.Texts();
  r = QsoRecord{};
  SetField(r.Call, texts[LogEntry::Call]);
  SetField(r.RstSent, texts[LogEntry::Report]);
  SetField(r.Freq, texts[LogEntry::Freq]);
  SetField(r.Mode, texts[LogEntry::Mode]);
  SetField(r.Power, texts[LogEntry::Power]);
  SetField(r.Name, texts[LogEntry::Name]);
  SetField(r.Qth, texts[LogEntry::Qth]);
  SetField(r.Remarks, texts[LogEntry::Remarks]);
  // Date "YY/MM/DD": three numbers separated by "/".
  std::string_view d = texts[LogEntry::Date];
  std::uint8_t* dateParts[3] = {&r.Year, &r.Month, &r.Day};
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      if (!d.starts_with('/')) break;
      d.remove_prefix(1);
    }
    unsigned value = 0;
    if (!ScanUnsigned(d, value)) break;
    *dateParts[i] = static_cast<std::uint8_t>(value);
  }
  std::string_view t = texts[LogEntry::Time];
  unsigned hhmm = 0;
  if (ScanUnsigned(t, hhmm)) {
    r.Hour = static_cast<std::uint8_t>(hhmm / 100);
    r.Minute = static_cast<std::uint8_t>(hhmm % 100);
  }
  r.Env = e.Env();
  r.QslSent = e.Sent();
  r.QslRcvd = e.Received();
  r.SourceIndex = SourceIndexOf(sourceType_, e.Position());
  return true;
}

std::size_t LogStore::CardSize(std::size_t card) const {
  if (card >= cardStarts_.size()) return 0;
  std::size_t end = card + 1 < cardStarts_.size() ? cardStarts_[card + 1] : entries_.size();
  return std::min<std::size_t>(end - cardStarts_[card], static_cast<std::size_t>(qsosPerCard_));
}

std::size_t LogStore::CardOf(std::size_t qso) const {
  const auto after = std::upper_bound(cardStarts_.begin(), cardStarts_.end(), qso);
  return after == cardStarts_.begin() ? 0 : static_cast<std::size_t>(after - cardStarts_.begin() - 1);
}

long FindCall(const LogStore& store, Ui& ui, std::string_view text, long card, bool backward) {
  const std::string wanted = ToUpperAscii(PrefixOfChars(text, 24));
  ui.SetStatus(msg::kSearchingCall);
  const std::size_t n = store.QsoCount();
  long found = -1;
  auto matches = [&](std::size_t i) { return store.Entry(i).Text(LogEntry::Call).find(wanted) != std::string_view::npos; };
  if (!backward) {
    std::size_t from = 0;
    if (card >= 0) from = static_cast<std::size_t>(card) + 1 < store.CardCount() ? store.CardStart(static_cast<std::size_t>(card) + 1) : n;
    for (std::size_t i = from; i < n && found < 0; ++i)
      if (matches(i)) found = static_cast<long>(store.CardOf(i));
  } else if (card >= 0 && static_cast<std::size_t>(card) < store.CardCount()) {
    for (std::size_t i = store.CardStart(static_cast<std::size_t>(card)); i-- > 0 && found < 0;)
      if (matches(i)) found = static_cast<long>(store.CardOf(i));
  }
  ui.ClearStatus();
  if (found < 0) {
    char message[256];
    std::snprintf(message, sizeof message, ui.Translate(msg::kCallNotFound).c_str(), ToUnicode(wanted).c_str());
    ui.ShowMessage(message, MessageIcon::Information);
  }
  return found;
}

bool LogStore::ReadCard(std::size_t card, std::span<QsoRecord> buffer) {
  if (card >= cardStarts_.size()) return false;
  currentCard_ = card;
  std::size_t slots = std::min<std::size_t>(buffer.size(), static_cast<std::size_t>(qsosPerCard_));
  std::fill_n(buffer.begin(), slots, QsoRecord{});
  const std::size_t start = cardStarts_[card];
  currentQso_ = start;
  std::size_t count = std::min(CardSize(card), slots);
  for (std::size_t i = 0; i < count; ++i) Read(start + i, buffer[i]);
  currentCardQsos_ = static_cast<int>(count);
  return true;
}

void LogStore::MarkCardPrinted(std::size_t card) {
  if (card >= cardStarts_.size()) return;
  std::size_t start = cardStarts_[card];
  for (std::size_t i = 0, n = CardSize(card); i < n; ++i) entries_[start + i].SetPrinted(true);
}

void LogStore::MarkPrinted(std::size_t index) {
  if (index < entries_.size()) entries_[index].SetPrinted(true);
}

void LogStore::SetSent(std::size_t index, char mark) {
  if (index < entries_.size()) entries_[index].SetSent(mark);
}

void LogStore::RemoveIf(const std::function<bool(const LogEntry&)>& remove) {
  std::erase_if(entries_, remove);
  grouped_ = false;
  if (currentQso_ >= entries_.size()) currentQso_ = 0;
  currentCard_ = 0;
}

void LogStore::ClearPrinted(long index) {
  if (index == -1) {
    for (auto& e : entries_) e.SetPrinted(false);
  } else if (index >= 0 && static_cast<std::size_t>(index) < entries_.size()) {
    entries_[static_cast<std::size_t>(index)].SetPrinted(false);
  }
}

std::int32_t LogStore::PrintedPosition(std::size_t index) const {
  if (index >= entries_.size()) return -1;
  const LogEntry& e = entries_[index];
  return e.Printed() && e.HasPosition() ? e.Position() : -1;
}

void LogStore::DeletePrinted() {
  ui_.SetStatus(msg::kClearingPrintedData);
  std::erase_if(entries_, [](const LogEntry& e) { return e.Printed(); });
  Regroup();
  currentCard_ = 0;
  if (currentQso_ >= entries_.size()) currentQso_ = 0;
  ui_.ClearStatus();
}

namespace {
// Where a card goes: its manager, else the station's home call.
std::string RouteCall(std::string_view call, const std::string& manager) {
  return HomeCall(manager.empty() || manager == "NULL" ? call : std::string_view(manager));
}
}  // namespace

std::string LogStore::RouteCallOf(const LogEntry& e) const {
  if (e.HasRoute()) return std::string(e.ViaCall());
  return RouteCall(e.Text(LogEntry::Call), ManagerCall(e.Text(LogEntry::Remarks)));
}

void LogStore::RestoreEntries(EntriesState state) {
  entries_ = std::move(state.entries);
  sorted_ = state.sorted;
  routeState_ = state.routeState;
  if (currentQso_ >= entries_.size()) currentQso_ = 0;
  Regroup();
  currentCard_ = entries_.empty() ? 0 : CardOf(currentQso_);
}

void LogStore::Regroup() {
  grouped_ = true;
  ++regroups_;
  currentCard_ = 0;
  cardStarts_.clear();
  areaCounts_.fill(0);
  if (entries_.empty()) return;
  if (qsosPerCard_ <= 1) {
    cardStarts_.resize(entries_.size());
    std::iota(cardStarts_.begin(), cardStarts_.end(), std::size_t{0});
    return;
  }
  ui_.SetStatus(msg::kAdjustingRepeat);
  // What decides whether a QSO may join the card of another.
  struct Station {
    std::string call;
    std::string manager;
    std::string myQth;
    std::string part;
    std::uint16_t env = 0;
    // The texts the above came from: equal texts give an equal station.
    std::string_view rawCall;
    std::string_view rawRemarks;
  };
  QsoRecord record;
  // Fills s in place, so that its strings keep their buffers from QSO to QSO.
  auto stationOf = [&](const LogEntry& e, Station& s) {
    const auto texts = e.Texts();
    const std::string_view call = texts[LogEntry::Call];
    if (grouping_.byHomeCall) s.call = HomeCall(call);
    else s.call.assign(call);
    const std::string_view remarks = texts[LogEntry::Remarks];
    s.rawCall = call;
    s.rawRemarks = remarks;
    s.manager = ManagerCall(remarks);
    if (auto qth = FindTaggedItem(remarks, "MyQTH")) s.myQth = std::move(*qth);
    else s.myQth.clear();
    s.env = e.Env();
  };
  auto partOf = [&](std::size_t i) {
    Read(i, record);
    return grouping_.partMark(record);
  };
  const bool byPart = static_cast<bool>(grouping_.partMark);
  Station reference;
  Station here;
  std::size_t inCard = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const LogEntry& e = entries_[i];
    bool starts = i == 0 || inCard >= static_cast<std::size_t>(qsosPerCard_);
    bool known = false;
    if (!starts) {
      // After a sort most neighbours carry the same call and remarks.
      if (e.Text(LogEntry::Call) == reference.rawCall && e.Text(LogEntry::Remarks) == reference.rawRemarks) {
        starts = !grouping_.mixEnv && e.Env() != reference.env;
      } else {
        stationOf(e, here);
        known = true;
        starts = here.call != reference.call || here.manager != reference.manager ||
                 (!grouping_.mixEnv && here.env != reference.env) || here.myQth != reference.myQth;
      }
      if (!starts && byPart) starts = partOf(i) != reference.part;
    }
    if (starts) {
      if (known) std::swap(reference, here);
      else stationOf(e, reference);
      if (byPart) reference.part = partOf(i);
      cardStarts_.push_back(i);
      const std::string via = e.HasRoute() ? std::string(e.ViaCall()) : RouteCall(e.Text(LogEntry::Call), reference.manager);
      ++areaCounts_[static_cast<std::size_t>(CallArea(via))];
      inCard = 0;
    }
    ++inCard;
  }
  ui_.ClearStatus();
}

void LogStore::ComputeRoutes(bool sortByEntity, const EntityLookup& entities) {
  if (routeState_ == 3 || (routeState_ == 1 && !sortByEntity)) return;
  unknownEntities_ = 0;
  for (auto& e : entries_) {
    std::string via;
    if (routeState_ == 0 || !e.HasRoute()) {
      const auto texts = e.Texts();
      via = RouteCall(texts[LogEntry::Call], ManagerCall(texts[LogEntry::Remarks]));
    } else {
      via = std::string(e.ViaCall());
    }
    std::string entity;
    if (sortByEntity) {
      entity = IsJaPrefix(via) ? std::string("JA") : entities.EntityOf(via);
      if (entity.starts_with('_')) ++unknownEntities_;
    }
    e.SetRoute(via, entity, arena_);
  }
  routeState_ = sortByEntity ? 3 : 1;
}

void LogStore::SortBureau(bool descending, BureauOrder order, const EntityLookup& entities, bool entityTableEmpty) {
  ui_.SetStatus(msg::kSurveyingRoutes);
  order.byEntity = order.byEntity && !entityTableEmpty;
  ComputeRoutes(order.byEntity, entities);
  ui_.SetStatus(msg::kSortingLog);

  // The sort compares the first 24 bytes of each QSO's key (most keys
  // whole: prefix, call, environment) as three numbers; the rare longer keys
  // are built again for a tie, so no block of keys is held beside the store.
  struct Item {
    std::uint64_t head;
    std::uint64_t next;   // bytes 8 to 15
    std::uint64_t third;  // bytes 16 to 23
    std::uint32_t time;
    std::uint32_t index;
    std::uint32_t size;
  };
  const std::size_t n = entries_.size();
  auto keyOf = [&](std::size_t i, std::string& key) {
    const LogEntry& e = entries_[i];
    key.clear();
    AppendBureauKey(key, e.ViaCall(), e.ViaEnt(), e.Text(LogEntry::Call), e.Env(), order);
  };
  std::vector<Item> items(n);
  std::string key;
  for (std::size_t i = 0; i < n; ++i) {
    keyOf(i, key);
    const std::size_t size = key.size();
    std::uint64_t head = 0, next = 0, third = 0;
    for (std::size_t k = 0; k < 8; ++k) {
      head = head << 8 | (k < size ? static_cast<unsigned char>(key[k]) : 0u);
      next = next << 8 | (k + 8 < size ? static_cast<unsigned char>(key[k + 8]) : 0u);
      third = third << 8 | (k + 16 < size ? static_cast<unsigned char>(key[k + 16]) : 0u);
    }
    const LogEntry& e = entries_[i];
    items[i] = {head, next, third, TimeKey(e.Text(LogEntry::Date), e.Text(LogEntry::Time)), static_cast<std::uint32_t>(i),
                static_cast<std::uint32_t>(std::min<std::size_t>(size, UINT32_MAX))};
  }
  std::string left, right;
  // Stations in key order (reversed when descending); one station's QSOs in
  // ascending time order either way, and equal ones as they were.
  std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
    if (a.head != b.head) return descending ? b.head < a.head : a.head < b.head;
    if (a.next != b.next) return descending ? b.next < a.next : a.next < b.next;
    if (a.third != b.third) return descending ? b.third < a.third : a.third < b.third;
    if (a.size != b.size || a.size > 24) {
      keyOf(a.index, left);
      keyOf(b.index, right);
      const int c = left.compare(right);
      if (c != 0) return descending ? c > 0 : c < 0;
    }
    return a.time != b.time ? a.time < b.time : a.index < b.index;
  });
  std::string().swap(left);
  std::string().swap(right);
  std::vector<std::uint32_t> newOrder(n);
  for (std::size_t k = 0; k < n; ++k) newOrder[k] = items[k].index;
  std::vector<Item>().swap(items);
  Reorder(newOrder);
  sorted_ = true;
  ui_.ClearStatus();
  if (order.byEntity && unknownEntities_ != 0) {
    char text[1024];
    std::snprintf(text, sizeof text, ui_.Translate(msg::kUnknownEntities).c_str(),
                  static_cast<unsigned>(unknownEntities_),
                  ui_.Translate(descending ? msg::kCardsAtStart : msg::kCardsAtEnd).c_str());
    ui_.ShowMessage(text, MessageIcon::Information, msg::kLogListTitle);
  }
}

void LogStore::SortByTime() {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> items(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i)
    items[i] = {TimeKey(entries_[i].Text(LogEntry::Date), entries_[i].Text(LogEntry::Time)),
                static_cast<std::uint32_t>(i)};
  std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::uint32_t> newOrder(items.size());
  for (std::size_t k = 0; k < items.size(); ++k) newOrder[k] = items[k].second;
  Reorder(newOrder);
  sorted_ = false;
}

void LogStore::Reorder(const std::vector<std::uint32_t>& newOrder) {
  // In place, one cycle of the permutation at a time; a moved slot is
  // marked in `done`, so no second copy of the entries is needed.
  std::vector<bool> done(newOrder.size());
  for (std::size_t start = 0; start < newOrder.size(); ++start) {
    if (done[start]) continue;
    LogEntry first = entries_[start];
    std::size_t k = start;
    while (newOrder[k] != start) {
      entries_[k] = entries_[newOrder[k]];
      done[k] = true;
      k = newOrder[k];
    }
    entries_[k] = first;
    done[k] = true;
  }
  if (onReordered) onReordered();
  Regroup();
}

std::string LogStore::AreaStatistics(BureauOrder order, const EntityLookup& entities, bool entityTableEmpty) {
  if (entries_.empty()) return {};
  if (!sorted_) SortBureau(false, order, entities, entityTableEmpty);
  if (qsosPerCard_ <= 1) {
    areaCounts_.fill(0);
    for (const auto& e : entries_) ++areaCounts_[static_cast<std::size_t>(CallArea(RouteCallOf(e)))];
  }
  std::string text = "エリア\t枚数\r\n";
  for (unsigned area = 0; area < 10; ++area)
    text += "JA" + std::to_string(area) + "\t" + std::to_string(areaCounts_[area]) + "\r\n";
  text += "DX\t" + std::to_string(areaCounts_[10]) + "\r\n";
  text += "Unknown\t" + std::to_string(areaCounts_[11]) + "\r\n";
  text += "\r\nこの集計はViaCallが対象です.";
  return text;
}

std::size_t LogStore::HeapBytes() const {
  std::size_t bytes = entries_.capacity() * sizeof(LogEntry) + cardStarts_.capacity() * sizeof(std::size_t);
  return bytes + arena_.Bytes();
}

}  // namespace tevra
