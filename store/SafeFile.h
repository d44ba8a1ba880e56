#pragma once
// The one way a user's file is written and the one way it is read.
//
// Writing replaces the file as a whole or not at all: the bytes go into a
// temporary file beside the real one (unnamed where the file system allows,
// else an exclusive file of a random name), are flushed to the disk and then
// renamed over it. Reading opens without blocking and takes regular files
// only, up to a size limit. Both say what went wrong as a FileStatus, which
// FileStatusText turns into a sentence for the window or the command line.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ampora {

enum class FileFault : uint8_t {
    None,
    Missing,      // no such file or folder
    Denied,       // the system refused the access
    ReadOnly,     // the file has no write permission, so it is not replaced
    NotRegular,   // a folder, pipe, device or socket
    TooLarge,     // beyond the reader's limit
    DiskFull,     // no space or quota left
    SameAsInput,  // the output is the very file being read
    System,       // any other failure of the system: error holds errno
};

struct FileStatus {
    FileFault fault = FileFault::None;
    int error = 0;  // errno, where the system gave one
    bool ok() const { return fault == FileFault::None; }
};

// Why the file could not be read or written, as a sentence without a final
// stop, in language 0 Russian, 1 English, 2 Belarusian.
std::string FileStatusText(const FileStatus& status, int language);

struct SafeWriteOptions {
    // An unnamed temporary file (O_TMPFILE), named only for the final rename,
    // so a killed save leaves nothing; off, or where the file system lacks
    // it, a named one that the next save of the same file removes.
    bool unnamedTemporary = true;
    // Tests only: the temporary name of each attempt instead of a random one.
    std::function<std::string(int attempt)> temporaryName;
};

// Writes bytes to path: a symbolic link is followed and the file it leads to
// replaced in its own folder; anything there that is not a regular file, or a
// file without write permission (by its permission bits, so also for root),
// is refused; the new file keeps the old one's permissions (a new one gets
// 0644 less the umask). On any failure the old file is untouched and no
// temporary file is left.
FileStatus WriteFileSafely(const std::string& path, std::string_view bytes,
                           const SafeWriteOptions& options = {});

struct FileBytes {
    FileStatus status;
    std::string bytes;  // the whole file when status is ok
};

// Reads a file the user chose: never blocks (a pipe or device is refused
// without waiting for it), regular files only, at most maxBytes.
FileBytes ReadFileSafely(const std::string& path, std::size_t maxBytes);

// True when both paths lead to the same existing file (after links, hard
// links included).
bool IsSameFile(const std::string& a, const std::string& b);

// Where a write to path really lands: the end of its chain of symbolic links
// (a link into a synced folder must keep feeding that folder).
std::string FinalTarget(const std::string& path);
// An existing file without write permission: no owner write bit, or the
// system's refusal.
bool IsReadOnlyFile(const std::string& path);
// A process of that number that no longer runs: its temporary files are
// leftovers.
bool ProcessIsGone(long pid);

}  // namespace ampora
