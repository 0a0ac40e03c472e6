#pragma once
// The file-system steps that saves are made of, each checked, and one place
// where a test makes any of them fail (a full disk after N bytes, a failed
// sync, a crash that stops every step from a given one on).
#include <QString>
#include <cstddef>
#include <cstdint>

namespace fileops {

// Creates path for writing, new and empty; whatever stands there (an old
// temporary file, a link) is removed first and never followed. -1 on failure.
int createNew(const QString &path);
// Writes every byte at the file position (or at offset for writeAt); false
// when any write failed or stopped short.
bool writeAll(int fd, const char *data, std::size_t size);
bool writeAt(int fd, std::int64_t offset, const char *data, std::size_t size);
// Waits until the file's data is on the disk.
bool sync(int fd);
// Closes fd in any case; false when the close reported an error.
bool close(int fd);
// Replaces to by from; a link at to is replaced, not followed.
bool rename(const QString &from, const QString &to);
// Removes the file or link at path; true when nothing is there afterwards.
// A folder is not removed.
bool remove(const QString &path);
// Syncs the folder that holds path, so that renames and removals in it last.
bool syncFolder(const QString &path);

// True when path is a symbolic link whose target is not a file inside the
// folder that holds the link (or one below it); a link that leads nowhere
// counts as leading outside.
bool linksOutsideItsFolder(const QString &path);

// Test hook: every step above counts as one, from 1 after clear() and after
// failStep().
namespace faults {
// The step-th step from now fails with error and does nothing; with allLater, every
// step after it fails too (the process as good as died there).
void failStep(int step, int error, bool allLater = false);
// The writes stop after bytes more bytes: the write that reaches the limit
// writes up to it and then fails with error.
void failAfterBytes(std::int64_t bytes, int error);
void clear();
int steps();   // steps taken since clear()
} // namespace faults

} // namespace fileops
