// The document's QSOs in their current order, with source positions, printed
// marks, the division into cards and the derived routing call and entity.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/call_sign.h"
#include "log/bureau_order.h"
#include "log/log_source_type.h"
#include "log/text_arena.h"
#include "core/qso_record.h"

namespace tevra {

class Ui;

// One stored QSO. The ten texts live back to back in the store's arena,
// each NUL-terminated, in the order of Field; the entry keeps where each
// one ends.
class LogEntry {
 public:
  enum Field { Call, Date, Time, Report, Freq, Mode, Power, Name, Qth, Remarks, FieldCount };

  LogEntry() = default;
  // position < 0: the entry has no source position.
  LogEntry(const QsoRecord& record, std::int32_t position, TextArena& arena);

  std::string_view Text(Field field) const;
  // All ten texts at once, for loops that need several of them.
  std::array<std::string_view, FieldCount> Texts() const;
  std::uint16_t Env() const { return env_; }
  char Received() const { return received_; }
  char Sent() const { return sent_; }
  // Bit 31 the printed mark, bits 0..30 the source position (0 for an
  // entry that has none).
  std::uint32_t Ref() const { return ref_; }
  // False for an entry written by Replace. Kept apart from the position so
  // that a record at position 0 (the first LOG200 record) is still found.
  bool HasPosition() const { return hasPosition_; }
  bool Printed() const { return (ref_ & kPrintedBit) != 0; }
  std::int32_t Position() const { return static_cast<std::int32_t>(ref_ & ~kPrintedBit); }
  void SetPrinted(bool printed) { ref_ = printed ? (ref_ | kPrintedBit) : (ref_ & ~kPrintedBit); }
  void SetSent(char mark) { sent_ = mark; }

  bool HasRoute() const { return route_ != nullptr; }
  std::string_view ViaCall() const { return {route_, viaCallSize_}; }
  std::string_view ViaEnt() const;  // empty when not computed
  void SetRoute(std::string_view viaCall, std::string_view viaEnt, TextArena& arena);

  static constexpr std::uint32_t kPrintedBit = 0x80000000u;

 private:
  const char* texts_ = nullptr;
  char* route_ = nullptr;  // ViaCall NUL ViaENT NUL
  // Where each text ends (at its NUL), from texts_.
  std::array<std::uint16_t, FieldCount> ends_{};
  std::uint16_t viaCallSize_ = 0;
  std::uint16_t viaEntSize_ = 0;
  std::uint32_t ref_ = 0;
  std::uint16_t env_ = 0;
  char received_ = 0;
  char sent_ = 0;
  bool hasPosition_ = false;
};

// Which neighbouring QSOs may share a card.
struct GroupingRules {
  bool byHomeCall = false;  // "RepCallPack": compare home calls, not whole calls
  bool mixEnv = false;      // "RepEnvPack": QSOs of different Env may share a card
  // The expansion of "PartMark" for a QSO; empty when no part mark is set.
  std::function<std::string(const QsoRecord&)> partMark;
};

class LogStore {
 public:
  explicit LogStore(Ui& ui) : ui_(ui) {}

  void Clear();
  void Add(const QsoRecord& record, std::int32_t position);
  void Replace(std::size_t index, const QsoRecord& record);
  bool Read(std::size_t index, QsoRecord& record) const;
  // Reads card `card` into buffer (at most QsosPerCard records, and at most
  // buffer.size()).
  bool ReadCard(std::size_t card, std::span<QsoRecord> buffer);
  void MarkCardPrinted(std::size_t card);
  // One QSO: its printed mark, its QSL-sent mark (nothing beyond N).
  void MarkPrinted(std::size_t index);
  void SetSent(std::size_t index, char mark);
  // Removes the entries for which remove holds, keeping the order of the
  // others; regrouping is the caller's.
  void RemoveIf(const std::function<bool(const LogEntry&)>& remove);
  // index -1 clears every mark.
  void ClearPrinted(long index);
  std::int32_t PrintedPosition(std::size_t index) const;
  void DeletePrinted();
  // Divides the QSOs into cards by the grouping rules and counts the cards
  // of every call area.
  void Regroup();
  // Regroup when the QSOs, their order or the rules changed since the last
  // one (a sort has just regrouped, a load need not do it again).
  void RegroupIfStale() {
    if (!grouped_) Regroup();
  }
  // How many times the store has regrouped (for tests and benchmarks).
  std::size_t RegroupCount() const { return regroups_; }
  void SetGrouping(GroupingRules rules) {
    grouping_ = std::move(rules);
    grouped_ = false;
  }
  // ViaCall and ViaENT of every entry; entities only when sortByEntity.
  void ComputeRoutes(bool sortByEntity, const EntityLookup& entities);

  // Puts the QSOs in bureau order (QSOs of one station in time order) and
  // regroups. order.byEntity has effect only when the table has entries.
  void SortBureau(bool descending, BureauOrder order, const EntityLookup& entities, bool entityTableEmpty);
  void SortByTime();
  // Set by the bureau sort, cleared by the time sort and by Clear.
  bool Sorted() const { return sorted_; }
  // The automation client's say on it (its "SortFlag").
  void SetSorted(bool sorted) { sorted_ = sorted; }
  // The card counts per call area as text; an empty text for an empty
  // store. Sorts in ascending bureau order first when the store is not
  // sorted.
  std::string AreaStatistics(BureauOrder order, const EntityLookup& entities, bool entityTableEmpty);

  // Counts for the status bar and automation.
  std::size_t QsoCount() const { return entries_.size(); }
  std::size_t CardCount() const { return cardStarts_.size(); }
  std::size_t CurrentCard() const { return currentCard_; }
  std::size_t CurrentQso() const { return currentQso_; }
  std::size_t UnknownEntityCount() const { return unknownEntities_; }
  int RouteState() const { return routeState_; }
  std::size_t CardStart(std::size_t card) const { return cardStarts_.at(card); }
  // QSOs of a card: from its start up to the next card's start, at most
  // QsosPerCard.
  std::size_t CardSize(std::size_t card) const;
  // The card a QSO is on.
  std::size_t CardOf(std::size_t qso) const;
  const LogEntry& Entry(std::size_t index) const { return entries_.at(index); }
  // The entries as they stand, and back again (the log list's undo and
  // Cancel). Texts stay in the arena until Clear, so the entries are the
  // whole of every QSO, printed marks included.
  struct EntriesState {
    std::vector<LogEntry> entries;
    bool sorted = false;
    int routeState = 0;
  };
  EntriesState SaveEntries() const { return {entries_, sorted_, routeState_}; }
  void RestoreEntries(EntriesState state);
  // Cards per area: 0..9 the Japanese call areas, 10 DX, 11 unknown.
  const std::array<unsigned, 12>& AreaCounts() const { return areaCounts_; }

  void SetCurrentCard(std::size_t card) { currentCard_ = card; }
  void SetCurrentQso(std::size_t index) { currentQso_ = index; }

  // The document's QSOs-per-card count (1..16) and the QSO count of the
  // card read last.
  int QsosPerCard() const { return qsosPerCard_; }
  void SetQsosPerCard(int count) {
    const int per = count < 1 ? 1 : count;
    grouped_ = grouped_ && per == qsosPerCard_;
    qsosPerCard_ = per;
  }
  int CurrentCardQsoCount() const { return currentCardQsos_; }

  // The current log source decides how positions turn into SourceIndex.
  LogSourceType SourceType() const { return sourceType_; }
  void SetSourceType(LogSourceType type) { sourceType_ = type; }

  std::size_t HeapBytes() const;

  // Called after a sort has put the entries in a new order (the log list
  // refreshes its rows).
  std::function<void()> onReordered;

 private:
  // Puts entry newOrder[k] at position k and regroups.
  void Reorder(const std::vector<std::uint32_t>& newOrder);
  // ViaCall of an entry, computed on the spot when the routes are not.
  std::string RouteCallOf(const LogEntry& entry) const;

  Ui& ui_;
  std::vector<LogEntry> entries_;
  // The entries' texts and routes; given back only by Clear.
  TextArena arena_;
  std::vector<std::size_t> cardStarts_;
  bool grouped_ = false;  // cardStarts_ follow the entries and the rules
  std::size_t regroups_ = 0;
  std::array<unsigned, 12> areaCounts_{};
  std::size_t currentQso_ = 0;
  std::size_t currentCard_ = 0;
  std::size_t unknownEntities_ = 0;
  int routeState_ = 0;
  bool sorted_ = false;
  GroupingRules grouping_;
  int qsosPerCard_ = 1;
  int currentCardQsos_ = 0;
  LogSourceType sourceType_ = SrcKuvalText;
};

// The card holding the next (backward: previous) QSO whose call contains
// text (cut to 24 characters, upper-cased), searching from the card after
// `card` (from the first QSO when card is -1), or from the QSO before
// `card`'s first; -1 with a message when none does.
long FindCall(const LogStore& store, Ui& ui, std::string_view text, long card, bool backward);

// SourceIndex of a QSO stored with `position` by a reader of `type`.
std::int32_t SourceIndexOf(LogSourceType type, std::int32_t position);

}  // namespace tevra
