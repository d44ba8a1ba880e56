#pragma once
// Disk faults that must happen to root as well, who ignores permission bits: a
// read-only bind mount and a tiny tmpfs. They live in a mount namespace of the
// test's own thread, so nothing outside the test sees them. Where the system
// does not allow that, skipReason() says why and the test skips.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
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
            std::filesystem::permissions(folder_, std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_exec);
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
        if (byPermissions_) std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
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

}  // namespace ampora::testutil
