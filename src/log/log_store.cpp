#include "log/log_store.h"

#include <algorithm>
#include <cstring>

#include "core/messages.h"
#include "core/text.h"
#include "platform/ui.h"

namespace tevra {
namespace {

// Appends a byte value as "%02u" does: at least two digits.
void AppendTwoDigits(std::string& out, unsigned value) {
  if (value >= 100) out.push_back(static_cast<char>('0' + value / 100));
  out.push_back(static_cast<char>('0' + value / 10 % 10));
  out.push_back(static_cast<char>('0' + value % 10));
}

constexpr std::uint32_t kPositionMask = 0x7FFFFFFFu;

}  // namespace

LogEntry::LogEntry(const QsoRecord& r, std::int32_t position)
    : ref_(position < 0 ? 0 : static_cast<std::uint32_t>(position) & kPositionMask),
      env_(static_cast<std::uint16_t>(r.Env)),
      received_(r.QslRcvd),
      sent_(r.QslSent),
      hasPosition_(position >= 0) {
  // "%02u/%02u/%02u" and "%02u%02u", without the cost of printf.
  std::string date;
  std::string time;
  date.reserve(11);
  AppendTwoDigits(date, r.Year);
  date.push_back('/');
  AppendTwoDigits(date, r.Month);
  date.push_back('/');
  AppendTwoDigits(date, r.Day);
  AppendTwoDigits(time, r.Hour);
  AppendTwoDigits(time, r.Minute);
  const std::string_view texts[FieldCount] = {
      FieldText(r.Call), date,          time,          FieldText(r.RstSent), FieldText(r.Freq),
      FieldText(r.Mode), FieldText(r.Power), FieldText(r.Name), FieldText(r.Qth), FieldText(r.Remarks)};
  std::size_t total = 0;
  for (auto t : texts) total += t.size() + 1;
  texts_ = std::make_unique_for_overwrite<char[]>(total);
  char* p = texts_.get();
  for (auto t : texts) {
    if (!t.empty()) std::memcpy(p, t.data(), t.size());
    p += t.size();
    *p++ = '\0';
  }
  textBytes_ = static_cast<std::uint32_t>(total);
}

std::string_view LogEntry::Text(Field field) const {
  if (!texts_) return {};
  const char* p = texts_.get();
  for (int i = 0; i < field; ++i) p += std::strlen(p) + 1;
  return p;
}

std::string_view LogEntry::ViaCall() const { return route_ ? std::string_view(route_.get()) : std::string_view(); }

std::string_view LogEntry::ViaEnt() const {
  if (!route_) return {};
  const char* p = route_.get();
  return p + std::strlen(p) + 1;
}

void LogEntry::SetRoute(std::string_view viaCall, std::string_view viaEnt) {
  auto block = std::make_unique_for_overwrite<char[]>(viaCall.size() + viaEnt.size() + 2);
  if (!viaCall.empty()) std::memcpy(block.get(), viaCall.data(), viaCall.size());
  block[viaCall.size()] = '\0';
  if (!viaEnt.empty()) std::memcpy(block.get() + viaCall.size() + 1, viaEnt.data(), viaEnt.size());
  block[viaCall.size() + 1 + viaEnt.size()] = '\0';
  route_ = std::move(block);
}

std::size_t LogEntry::HeapBytes() const {
  std::size_t bytes = textBytes_;
  if (route_) bytes += ViaCall().size() + ViaEnt().size() + 2;
  return bytes;
}

std::int32_t SourceIndexOf(LogSourceType type, std::int32_t position) {
  switch (type) {
    case SrcKuvalText:
    case SrcCt:
    case SrcTrLog:
    case SrcCsv:
    case SrcClipboard:
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
  ui_.SetStatus(msg::kClearingLogData);
  std::vector<LogEntry>().swap(entries_);
  std::vector<std::size_t>().swap(cardStarts_);
  currentQso_ = 0;
  currentCard_ = 0;
  unknownEntities_ = 0;
  routeState_ = 0;
  currentCardQsos_ = 0;
  areaCounts_.fill(0);
  ui_.ClearStatus();
}

void LogStore::Add(const QsoRecord& record, std::int32_t position) {
  // Capacity grows to 1024 slots first, then doubles.
  if (entries_.size() == entries_.capacity())
    entries_.reserve(entries_.capacity() == 0 ? 1024 : entries_.capacity() * 2);
  entries_.emplace_back(record, position);
  routeState_ = 0;  // the new entry has no route yet
}

void LogStore::Replace(std::size_t index, const QsoRecord& record) {
  if (index >= entries_.size()) return;
  entries_[index] = LogEntry(record, -1);
  // Recompute every route on next use; the rewritten entry has none.
  routeState_ = 0;
}

bool LogStore::Read(std::size_t index, QsoRecord& r) const {
  if (index >= entries_.size()) return false;
  const LogEntry& e = entries_[index];
  r = QsoRecord{};
  SetField(r.Call, e.Text(LogEntry::Call));
  SetField(r.RstSent, e.Text(LogEntry::Report));
  SetField(r.Freq, e.Text(LogEntry::Freq));
  SetField(r.Mode, e.Text(LogEntry::Mode));
  SetField(r.Power, e.Text(LogEntry::Power));
  SetField(r.Name, e.Text(LogEntry::Name));
  SetField(r.Qth, e.Text(LogEntry::Qth));
  SetField(r.Remarks, e.Text(LogEntry::Remarks));
  // Date "YY/MM/DD": three numbers separated by "/".
  std::string_view d = e.Text(LogEntry::Date);
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
  std::string_view t = e.Text(LogEntry::Time);
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

void LogStore::Regroup() {
  // Every QSO is its own card until grouping by station is configured.
  cardStarts_.resize(entries_.size());
  for (std::size_t i = 0; i < cardStarts_.size(); ++i) cardStarts_[i] = i;
  areaCounts_.fill(0);
}

void LogStore::ComputeRoutes(bool sortByEntity, const EntityLookup& entities) {
  if (routeState_ == 3 || (routeState_ == 1 && !sortByEntity)) return;
  unknownEntities_ = 0;
  for (auto& e : entries_) {
    std::string via;
    if (routeState_ == 0 || !e.HasRoute()) {
      std::string manager = ManagerCall(e.Text(LogEntry::Remarks));
      via = HomeCall(manager.empty() || manager == "NULL" ? std::string(e.Text(LogEntry::Call)) : manager);
    } else {
      via = std::string(e.ViaCall());
    }
    std::string entity;
    if (sortByEntity) {
      entity = IsJaPrefix(via) ? std::string("JA") : entities.EntityOf(via);
      if (entity.starts_with('_')) ++unknownEntities_;
    }
    e.SetRoute(via, entity);
  }
  routeState_ = sortByEntity ? 3 : 1;
}

std::size_t LogStore::HeapBytes() const {
  std::size_t bytes = entries_.capacity() * sizeof(LogEntry) + cardStarts_.capacity() * sizeof(std::size_t);
  for (const auto& e : entries_) bytes += e.HeapBytes();
  return bytes;
}

}  // namespace tevra
