// The register of device paths that running instances hold open. Each held path is an advisory
// lock (flock) on a small file under the user's runtime directory: the kernel drops it when the
// holder ends, so an instance that crashed never leaves a path marked as held.
#pragma once

#include "platform/core/WinTypes.h"

#include <map>
#include <mutex>
#include <string>

class CDeviceLockRegister {
public:
    // dir empty: DefaultDir().
    explicit CDeviceLockRegister(std::string dir = std::string());
    ~CDeviceLockRegister();
    CDeviceLockRegister(const CDeviceLockRegister&) = delete;
    CDeviceLockRegister& operator=(const CDeviceLockRegister&) = delete;

    // TRUE when no instance (this one included) holds the path. A register that cannot be kept
    // (no directory) counts every path as free.
    BOOL IsPathFree(const std::string& path) const;
    // Marks the path as held by this instance; TRUE, also when the mark cannot be made.
    BOOL Remember(const std::string& path);
    // Drops this instance's mark of the path; TRUE.
    BOOL Forget(const std::string& path);
    // Drops every mark of this instance.
    void ForgetAll();
    // TRUE when this instance holds the path.
    BOOL IsHeldHere(const std::string& path) const;

    const std::string& Dir() const { return m_dir; }
    // $XDG_RUNTIME_DIR/r9vq-tn/usb, or a per-user folder under /tmp without it.
    static std::string DefaultDir();
    // The lock file name of a path: every byte outside [A-Za-z0-9._-] as %XX.
    static std::string FileNameOf(const std::string& path);

private:
    bool EnsureDir() const;
    std::string FileOf(const std::string& path) const;

    std::string m_dir;
    mutable std::mutex m_lock;
    std::map<std::string, int> m_held; // path -> locked descriptor
};
