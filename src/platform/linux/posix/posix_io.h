#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace clipnest::linux_backend {

// Small POSIX file helpers shared by the settings store and the save files.

// The folder part of a path ("." when it has none).
std::string FolderOf(const std::string& path);
// Writes all the bytes, retrying after interruptions; false (errno set) on failure.
bool WriteAll(int fd, std::string_view bytes);
// The whole content of a regular file of at most `limit` bytes; false (errno set) when it cannot
// be opened or read, is larger, or is not a regular file (a FIFO fails at once, without waiting
// for a writer).
bool ReadAll(const std::string& path, std::string& bytes, std::size_t limit);
// The mode a new file gets from the process's file creation mask.
unsigned NewFileMode();
// The path itself, or the file a symbolic link at that path points to.
std::string ResolvedTarget(const std::string& path);

// Writes the bytes to a temporary file in the target's folder with the given mode, flushes it
// to the disk and renames it over the target. Returns 0 or the errno of the failing step; the
// target is untouched on failure.
int ReplaceFileAtomically(const std::string& target, std::string_view bytes, unsigned mode);
// The same with the content in pieces: each call of `next` gives the next one, the empty piece
// ends them. A piece that throws removes the temporary and passes the exception on.
int ReplaceFileAtomically(const std::string& target, const std::function<std::string_view()>& next,
                          unsigned mode);
// Removes the temporaries in `folder` that a write cut short (its process killed) left behind.
void RemoveStaleTemporaries(const std::string& folder);

}  // namespace clipnest::linux_backend
