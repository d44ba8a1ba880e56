#include "store/SafeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "i18n/Messages.h"

namespace ampora {

namespace {

namespace fs = std::filesystem;

FileStatus FromErrno(int error) {
    switch (error) {
        case 0: return {FileFault::System, EIO};
        case ENOENT:
        case ENOTDIR: return {FileFault::Missing, error};
        case EACCES:
        case EPERM: return {FileFault::Denied, error};
        case ENOSPC:
        case EDQUOT: return {FileFault::DiskFull, error};
        case EISDIR: return {FileFault::NotRegular, error};
        case EFBIG: return {FileFault::TooLarge, error};
        default: return {FileFault::System, error};
    }
}

// Closes on every way out of a function.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and says whether the system took everything: a write-back
    // of a network file system may fail only here.
    int close() {
        const int fd = fd_;
        fd_ = -1;
        return fd >= 0 && ::close(fd) != 0 ? errno : 0;
    }

private:
    int fd_;
};

int WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        done += size_t(n);
    }
    return 0;
}

constexpr std::string_view TempMark = ".tmp-";

// "<file>.tmp-<pid>-<random>": the process number lets a later save tell a
// leftover of a killed one from a save in progress; the random part keeps
// anybody from placing something at the name beforehand.
std::string TempName(const std::string& target, const SafeWriteOptions& options, int attempt) {
    if (options.temporaryName) return options.temporaryName(attempt);
    uint64_t r = 0;
    if (::getrandom(&r, sizeof r, GRND_NONBLOCK) != ssize_t(sizeof r)) {
        std::random_device rd;
        r = (uint64_t(rd()) << 32) ^ rd();
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(r));
    return target + std::string(TempMark) + std::to_string(::getpid()) + "-" + hex;
}

// Temporary files of target that a killed save left: "<file>.tmp-<pid>" or
// "<file>.tmp-<pid>-<hex>" of a process that no longer runs.
void RemoveStaleTemporaries(int dirfd, const std::string& target) {
    const int copy = ::dup(dirfd);
    if (copy < 0) return;
    DIR* dir = ::fdopendir(copy);
    if (!dir) {
        ::close(copy);
        return;
    }
    const std::string prefix = target + std::string(TempMark);
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
        const std::string_view rest = name.substr(prefix.size());
        long pid = 0;
        const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (ec != std::errc()) continue;
        std::string_view tail(end, size_t(rest.data() + rest.size() - end));
        if (!tail.empty()) {
            if (tail[0] != '-' || tail.size() == 1 ||
                tail.substr(1).find_first_not_of("0123456789abcdef") != std::string_view::npos)
                continue;
        }
        if (!ProcessIsGone(pid)) continue;
        struct stat st {};
        if (::fstatat(dirfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            ::unlinkat(dirfd, e->d_name, 0);
    }
    ::closedir(dir);
}

struct Target {
    int dirfd;
    std::string name;  // in dirfd
    bool exists;
    mode_t mode;  // the old file's permissions
    uid_t owner;
    gid_t group;
};

// Flushes the written file (unless it was already), closes it and renames it
// over the target. fd is closed in every case; name is removed on failure.
FileStatus Finish(const Target& t, Fd& fd, const std::string& name, bool flushed) {
    int error = 0;
    if (!flushed && ::fsync(fd.get()) != 0) error = errno;
    const int closeError = fd.close();
    if (!error) error = closeError;
    if (!error && ::renameat(t.dirfd, name.c_str(), t.dirfd, t.name.c_str()) != 0) error = errno;
    if (error) {
        ::unlinkat(t.dirfd, name.c_str(), 0);
        return FromErrno(error);
    }
    // The rename itself reaches the disk with the folder; a file system
    // that cannot flush folders still has the file whole.
    ::fsync(t.dirfd);
    return {};
}

void KeepMode(const Target& t, int fd) {
    if (!t.exists) return;
    // Best effort: only root may give a file away (a user's file saved by
    // root stays the user's), and a file system without permissions (FAT)
    // refuses both. The owner first, as a change of owner clears set-id bits.
    [[maybe_unused]] const int owned = ::fchown(fd, t.owner, t.group);
    ::fchmod(fd, t.mode);
}

constexpr int NameAttempts = 100;

// An unnamed file in the target's folder, linked to a temporary name only
// once it is complete. Returns false with nothing done when the system or
// the file system offers no such files.
bool WriteUnnamed(const Target& t, std::string_view bytes, const SafeWriteOptions& options,
                  FileStatus& status) {
    Fd fd(::openat(t.dirfd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644));
    if (fd.get() < 0) return false;
    KeepMode(t, fd.get());
    // Flushed before it has a name (flushing after the link would wait for
    // the link too): a kill can leave it named only between the link and the
    // rename.
    int error = WriteAll(fd.get(), bytes);
    if (!error && ::fsync(fd.get()) != 0) error = errno;
    if (error) {
        status = FromErrno(error);
        return true;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd.get());
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const std::string name = TempName(t.name, options, attempt);
        // linkat never follows a link at the new name: it fails instead.
        int linked = ::linkat(AT_FDCWD, self.c_str(), t.dirfd, name.c_str(), AT_SYMLINK_FOLLOW);
        if (linked != 0 && errno == ENOENT)  // no /proc: by the descriptor (needs a capability)
            linked = ::linkat(fd.get(), "", t.dirfd, name.c_str(), AT_EMPTY_PATH);
        if (linked == 0) {
            status = Finish(t, fd, name, true);
            return true;
        }
        if (errno == EEXIST) continue;
        // Without /proc and without the right to link by descriptor the
        // file cannot be named: the named way does it all again.
        if (errno == ENOENT || errno == EPERM) return false;
        status = FromErrno(errno);
        return true;
    }
    status = FromErrno(EEXIST);
    return true;
}

FileStatus WriteNamed(const Target& t, std::string_view bytes, const SafeWriteOptions& options) {
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const std::string name = TempName(t.name, options, attempt);
        // O_EXCL: a file or link already at the name is never opened.
        Fd fd(::openat(t.dirfd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                       0644));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
            return FromErrno(errno);
        }
        KeepMode(t, fd.get());
        if (const int error = WriteAll(fd.get(), bytes)) {
            fd.close();
            ::unlinkat(t.dirfd, name.c_str(), 0);
            return FromErrno(error);
        }
        return Finish(t, fd, name, false);
    }
    return FromErrno(EEXIST);
}

}  // namespace

std::string FinalTarget(const std::string& path) {
    fs::path p = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
        const fs::path target = fs::read_symlink(p, ec);
        if (ec) break;
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    return p.string();
}

bool IsReadOnlyFile(const std::string& path) {
    std::error_code ec;
    const auto st = fs::status(path, ec);
    if (ec || !fs::exists(st)) return false;
    if ((st.permissions() & fs::perms::owner_write) == fs::perms::none) return true;
    return ::access(path.c_str(), W_OK) != 0;
}

bool ProcessIsGone(long pid) {
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

FileStatus WriteFileSafely(const std::string& path, std::string_view bytes,
                           const SafeWriteOptions& options) {
    if (path.empty()) return {FileFault::Missing, ENOENT};
    const fs::path target = FinalTarget(path);
    Target t{-1, target.filename().string(), false, 0, 0, 0};
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) return FromErrno(ELOOP);  // a chain too long or a loop
        if (!S_ISREG(st.st_mode)) return {FileFault::NotRegular, 0};
        if (IsReadOnlyFile(target.string())) return {FileFault::ReadOnly, 0};
        t.exists = true;
        t.mode = st.st_mode & 07777;
        t.owner = st.st_uid;
        t.group = st.st_gid;
    } else if (errno != ENOENT) {
        return FromErrno(errno);
    }
    if (t.name.empty()) return {FileFault::NotRegular, EISDIR};
    const std::string dir = target.has_parent_path() ? target.parent_path().string() : ".";
    Fd dirfd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirfd.get() < 0) return FromErrno(errno);
    t.dirfd = dirfd.get();
    RemoveStaleTemporaries(t.dirfd, t.name);
    FileStatus status;
    if (options.unnamedTemporary && WriteUnnamed(t, bytes, options, status)) return status;
    return WriteNamed(t, bytes, options);
}

FileBytes ReadFileSafely(const std::string& path, std::size_t maxBytes) {
    FileBytes r;
    // O_NONBLOCK: opening a pipe without a writer, or a device, never waits.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        r.status = FromErrno(errno);
        return r;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        r.status = FromErrno(errno);
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.status = {FileFault::NotRegular, 0};
        return r;
    }
    if (st.st_size < 0 || uintmax_t(st.st_size) > maxBytes) {
        r.status = {FileFault::TooLarge, 0};
        return r;
    }
    // One byte beyond the size tells a file that grew meanwhile.
    std::string& text = r.bytes;
    text.resize(size_t(st.st_size) + 1);
    size_t done = 0;
    for (;;) {
        if (done == text.size()) {
            if (text.size() > maxBytes) {
                r.status = {FileFault::TooLarge, 0};
                text.clear();
                return r;
            }
            text.resize(std::min(text.size() * 2, maxBytes + 1));
        }
        const ssize_t n = ::read(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            r.status = FromErrno(errno);
            text.clear();
            return r;
        }
        if (n == 0) break;
        done += size_t(n);
    }
    text.resize(done);
    return r;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

std::string FileStatusText(const FileStatus& s, int language) {
    const size_t l = language >= 0 && language <= 2 ? size_t(language) : 0;
    switch (s.fault) {
        case FileFault::None: return {};
        case FileFault::Missing: return MsgFileMissing[l];
        case FileFault::Denied: return MsgFileDenied[l];
        case FileFault::ReadOnly: return MsgFileReadOnly[l];
        case FileFault::NotRegular: return MsgFileNotRegular[l];
        case FileFault::TooLarge: return MsgFileTooLarge[l];
        case FileFault::DiskFull: return MsgFileDiskFull[l];
        case FileFault::SameAsInput: return MsgFileSameAsInput[l];
        case FileFault::System: break;
    }
    return std::string(MsgFileSystemError[l]) + std::strerror(s.error ? s.error : EIO);
}

}  // namespace ampora
