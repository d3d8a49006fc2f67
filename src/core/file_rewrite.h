// Rewriting a log in place while the program that keeps it may have it open
// for appending. The file keeps its inode, so whatever the other program
// writes later reaches the live log and not an unlinked copy; bytes it
// appended since the log was read are kept after the new content; and a
// journal beside the log holds the new content until the rewrite is on the
// disk, so that a stop at any moment can be finished at the next load.
#pragma once

#include <string>
#include <string_view>

namespace tevra {

enum class RewriteResult {
  Done,     // the file holds the new content, then whatever was appended
  Changed,  // the file is no longer what was read: nothing was written
  Failed,   // it could not be read or written; the file is as it was
};

// Replaces `read`, the first bytes of the file at path as read earlier, by
// `content`. The file must still begin with `read` (checked at its head and
// its end); bytes beyond it are kept after the new content. A content
// shorter than `read` is padded with `pad` bytes (whitespace the format
// allows between records), so that the file never shrinks under a writer.
// error: why it failed, in English; written: what the file holds now (the
// new content, its padding and what was appended), after Done.
RewriteResult RewriteInPlace(const std::string& path, std::string_view read, std::string_view content, char pad,
                             std::string* error = nullptr, std::string* written = nullptr);

// The journal of a rewrite of path that has not finished: a hidden file in
// the same folder.
std::string RewriteJournalPath(const std::string& path);

enum class JournalRecovery {
  None,      // no unfinished rewrite
  Finished,  // the log now holds the journal's content and what others appended
  Failed,    // the journal stays; the log is left alone
};

// Finishes a rewrite that was stopped midway (a kill, a crash, a power cut).
JournalRecovery FinishInterruptedRewrite(const std::string& path);

}  // namespace tevra
