#pragma once
// Disk faults that must happen to root as well, who ignores permission bits: a
// read-only bind mount and a tiny tmpfs. They live in a mount namespace of the
// test's own thread, so nothing outside the test sees them. Where the system
// does not allow that, skipReason() says why and the test skips.

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#ifdef __linux__
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ampora::testutil {

// "" once this thread has mount points of its own, else the reason why not.
inline std::string PrivateMounts() {
#ifdef __linux__
    static const std::string reason = []() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0)
            return std::string("cannot get a mount namespace of its own: ") + std::strerror(errno);
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return std::string("cannot make the mounts private: ") + std::strerror(errno);
        return {};
    }();
    return reason;
#else
    return "mount namespaces are Linux only";
#endif
}

// The folder cannot be written to while this lives: by its permission bits for
// an ordinary user, by a read-only bind mount for root.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
#ifdef __linux__
        if (::geteuid() != 0) {
            std::filesystem::permissions(
                folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
            byPermissions_ = true;
            return;
        }
        reason_ = PrivateMounts();
        if (!reason_.empty()) return;
        const char* f = folder_.c_str();
        if (::mount(f, f, nullptr, MS_BIND, nullptr) != 0) {
            reason_ = std::string("cannot bind-mount the folder: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
        if (::mount(nullptr, f, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            reason_ = std::string("cannot make the mount read-only: ") + std::strerror(errno);
#else
        reason_ = "no read-only mounts here";
#endif
    }
    ~ReadOnlyFolder() { release(); }
    void release() {
#ifdef __linux__
        if (byPermissions_)
            std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
#endif
        byPermissions_ = mounted_ = false;
    }
    const std::string& skipReason() const { return reason_; }

private:
    std::filesystem::path folder_;
    std::string reason_;
    bool byPermissions_ = false, mounted_ = false;
};

// A file system of the given size mounted on an empty folder.
class SmallFileSystem {
public:
    SmallFileSystem(std::filesystem::path folder, size_t bytes) : folder_(std::move(folder)) {
#ifdef __linux__
        reason_ = PrivateMounts();
        if (!reason_.empty()) return;
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            reason_ = std::string("cannot mount a small tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
#else
        (void)bytes;
        reason_ = "no tmpfs here";
#endif
    }
    ~SmallFileSystem() {
#ifdef __linux__
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
#endif
    }
    const std::string& skipReason() const { return reason_; }

private:
    std::filesystem::path folder_;
    std::string reason_;
    bool mounted_ = false;
};

// A named pipe nobody writes to. Code that opens it the blocking way would
// wait forever; after `patience` this one opens the other end and goes again,
// so such code ends (with an empty file) instead of hanging the test, and the
// time it took shows that it waited.
class NamedPipe {
public:
    static constexpr std::chrono::seconds patience{5};

    explicit NamedPipe(std::string path) : path_(std::move(path)) {
#ifdef __linux__
        made_ = ::mkfifo(path_.c_str(), 0644) == 0;
        std::signal(SIGPIPE, SIG_IGN);  // a writer freed here must not end the test
        rescuer_ = std::thread([this] {
            const auto until = std::chrono::steady_clock::now() + patience;
            while (!stop_) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (std::chrono::steady_clock::now() < until) continue;
                const int w = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);  // frees a reader
                if (w >= 0) ::close(w);
                const int r = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);  // frees a writer
                if (r >= 0) ::close(r);
            }
        });
#endif
    }
    ~NamedPipe() {
        stop_ = true;
        if (rescuer_.joinable()) rescuer_.join();
    }
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;
    bool made() const { return made_; }
    const std::string& path() const { return path_; }
    // Whether something waited for the pipe since this was made.
    bool waited() const { return std::chrono::steady_clock::now() - made_at_ >= patience; }

private:
    std::string path_;
    bool made_ = false;
    std::atomic<bool> stop_{false};
    std::chrono::steady_clock::time_point made_at_ = std::chrono::steady_clock::now();
    std::thread rescuer_;
};

}  // namespace ampora::testutil
