#include "core/file_rewrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/file_io.h"
#include "core/profile.h"

namespace tevra {
namespace {

constexpr std::string_view kJournalMagic = "TEVRA rewrite journal 1\n";
// How much of the file's head and of the end of what was read must still
// be the same bytes.
constexpr std::size_t kCheckedBytes = 64 * 1024;

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  bool Close() {
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

std::optional<std::uint64_t> SizeOf(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

void SyncFolderOf(const std::string& path) {
  const std::filesystem::path dir = std::filesystem::path(path).parent_path();
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string Reason(const char* what) { return std::string(what) + ": " + std::strerror(errno ? errno : EIO); }

// Appends `tail` with an O_APPEND descriptor, so that nothing another
// writer appends at the same time is overwritten. Where a foreign write
// came between our pieces, the region from `from` on is laid out again as
// our tail followed by the foreign bytes in their order.
bool AppendTail(const std::string& path, int fd, std::uint64_t from, std::string_view tail, bool& wrote,
                std::string* error) {
  wrote = false;
  if (tail.empty()) return true;
  Fd append(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK));
  struct stat a {}, b {};
  if (append.get() < 0 || ::fstat(append.get(), &a) != 0 || ::fstat(fd, &b) != 0 || a.st_ino != b.st_ino ||
      a.st_dev != b.st_dev) {
    if (error) *error = "the log was replaced while it was written";
    return false;
  }
  std::vector<std::pair<std::uint64_t, std::size_t>> pieces;  // where each piece of ours landed
  std::size_t done = 0;
  while (done < tail.size()) {
    const ssize_t n = ::write(append.get(), tail.data() + done, tail.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (error) *error = Reason("cannot append to the log");
      return false;
    }
    const off_t end = ::lseek(append.get(), 0, SEEK_CUR);
    if (end < n) {
      if (error) *error = Reason("cannot append to the log");
      return false;
    }
    pieces.emplace_back(static_cast<std::uint64_t>(end) - static_cast<std::uint64_t>(n), static_cast<std::size_t>(n));
    wrote = true;
    done += static_cast<std::size_t>(n);
  }
  const std::uint64_t end = pieces.back().first + pieces.back().second;
  if (end - from == tail.size()) return true;  // nobody wrote in between
  std::string region;
  if (!ReadAt(fd, from, static_cast<std::size_t>(end - from), region)) {
    if (error) *error = Reason("cannot read the log back");
    return false;
  }
  std::string foreign;
  std::uint64_t at = from;
  for (const auto& [start, length] : pieces) {
    foreign.append(region, static_cast<std::size_t>(at - from), static_cast<std::size_t>(start - at));
    at = start + length;
  }
  foreign.append(region, static_cast<std::size_t>(at - from), std::string::npos);
  // The same length as the region: a later append lands after it.
  if (!WriteAt(fd, from, std::string(tail) + foreign)) {
    if (error) *error = Reason("cannot write the log");
    return false;
  }
  return true;
}

// Takes our tail out of what follows the old end of the log: whole, or cut
// short by the stop (then the foreign bytes may follow it, or it is a
// short piece at the very end).
void RemoveOurTail(std::string& region, std::string_view tail) {
  if (tail.empty()) return;
  if (const std::size_t at = region.find(tail); at != std::string::npos) {
    region.erase(at, tail.size());
    return;
  }
  const std::string_view probe = tail.substr(0, std::min<std::size_t>(tail.size(), 64));
  if (const std::size_t at = region.find(probe); at != std::string::npos) {
    std::size_t k = 0;
    while (at + k < region.size() && k < tail.size() && region[at + k] == tail[k]) ++k;
    region.erase(at, k);
    return;
  }
  for (std::size_t n = std::min(probe.size(), region.size()); n > 0; --n) {
    if (std::string_view(region).substr(region.size() - n) == tail.substr(0, n)) {
      region.erase(region.size() - n);
      return;
    }
  }
}

}  // namespace

std::string RewriteJournalPath(const std::string& path) {
  const std::filesystem::path p(path);
  return (p.parent_path() / ("." + p.filename().string() + ".tevra-journal")).string();
}

RewriteResult RewriteInPlace(const std::string& path, std::string_view read, std::string_view content, char pad,
                             std::string* error, std::string* written) {
  const auto fail = [error](std::string why) {
    if (error) *error = std::move(why);
    return RewriteResult::Failed;
  };
  Fd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return fail(Reason("cannot open the log"));
  const auto size = SizeOf(fd.get());
  if (!size) return fail("the log is not a regular file");
  // Still what was read: at least as long, the same head and the same end.
  if (*size < read.size()) return RewriteResult::Changed;
  const std::size_t head = std::min(read.size(), kCheckedBytes);
  const std::size_t end = std::min(read.size() - head, kCheckedBytes);
  std::string check;
  if (!ReadAt(fd.get(), 0, head, check)) return fail(Reason("cannot read the log"));
  if (check != read.substr(0, head)) return RewriteResult::Changed;
  if (!ReadAt(fd.get(), read.size() - end, end, check)) return fail(Reason("cannot read the log"));
  if (check != read.substr(read.size() - end)) return RewriteResult::Changed;
  // What the other program appended since.
  std::string appended;
  if (!ReadAt(fd.get(), read.size(), static_cast<std::size_t>(*size - read.size()), appended))
    return fail(Reason("cannot read the log"));
  std::string full(content);
  if (full.size() < read.size()) full.append(read.size() - full.size(), pad);
  full += appended;
  const std::uint64_t before = *size;

  // The space for the growth is taken first (without growing the file), so
  // that the disk cannot fill up halfway; then the journal, then the log.
  if (full.size() > before &&
      ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, static_cast<off_t>(before), static_cast<off_t>(full.size() - before)) !=
          0 &&
      (errno == ENOSPC || errno == EDQUOT))
    return fail(Reason("no room for the marked log"));
  std::string journal(kJournalMagic);
  for (int i = 0; i < 8; ++i) journal += static_cast<char>((before >> (8 * i)) & 0xFF);
  journal += full;
  const std::string journalPath = RewriteJournalPath(path);
  if (!ReplaceFileAtomically(journalPath, journal)) {
    ::unlink(journalPath.c_str());
    return fail(Reason("cannot write the journal beside the log"));
  }
  // The head within the file's present size, the rest appended.
  const std::string_view all(full);
  bool appendedSome = false;
  if (!WriteAt(fd.get(), 0, all.substr(0, static_cast<std::size_t>(before))) ||
      !AppendTail(path, fd.get(), before, all.substr(static_cast<std::size_t>(before)), appendedSome, error)) {
    if (error && error->empty()) *error = Reason("cannot write the log");
    // Nothing grew yet: the log goes back as it was, and the journal with
    // it. Otherwise the journal stays, and the next load finishes the job.
    const std::string original = std::string(read) + appended;
    if (!appendedSome && WriteAt(fd.get(), 0, original) && ::fsync(fd.get()) == 0) ::unlink(journalPath.c_str());
    return RewriteResult::Failed;
  }
  if (::fsync(fd.get()) != 0 || !fd.Close()) return fail(Reason("cannot write the log to the disk"));
  ::unlink(journalPath.c_str());
  SyncFolderOf(path);
  if (written) *written = std::move(full);
  return RewriteResult::Done;
}

JournalRecovery FinishInterruptedRewrite(const std::string& path) {
  const std::string journalPath = RewriteJournalPath(path);
  std::string journal;
  const FileReadResult read = ReadRegularFile(journalPath, journal, std::uint64_t{4} << 30);
  if (read == FileReadResult::CannotOpen) return JournalRecovery::None;
  if (read != FileReadResult::Ok || !journal.starts_with(kJournalMagic) || journal.size() < kJournalMagic.size() + 8)
    return JournalRecovery::Failed;
  std::uint64_t before = 0;
  for (int i = 0; i < 8; ++i)
    before |= std::uint64_t{static_cast<unsigned char>(journal[kJournalMagic.size() + i])} << (8 * i);
  const std::string_view full = std::string_view(journal).substr(kJournalMagic.size() + 8);
  if (before > full.size()) return JournalRecovery::Failed;
  std::string current;
  if (ReadRegularFile(path, current, std::uint64_t{4} << 30) != FileReadResult::Ok || current.size() < before)
    return JournalRecovery::Failed;
  // Beyond the old end: our tail (whole, cut short, or not yet written)
  // and what others appended.
  const std::string_view tail = full.substr(static_cast<std::size_t>(before));
  std::string foreign = current.substr(static_cast<std::size_t>(before));
  RemoveOurTail(foreign, tail);
  const std::string content = std::string(full) + foreign;
  if (RewriteInPlace(path, current, content, ' ') != RewriteResult::Done) return JournalRecovery::Failed;
  return JournalRecovery::Finished;
}

}  // namespace tevra
