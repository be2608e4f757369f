// CAtomicFile: the one way the program replaces a file. The bytes go to a short unique temporary
// file beside the target (created exclusively, mode 0600, locked while it is written), which is
// synced, given the target's permission bits and renamed over it; the folder is synced after the
// rename. A failure at any step leaves the old file as it was. A symbolic link is written through
// to its target. Temporaries a killed save left beside the target are removed by the next save.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class CAtomicFile {
public:
    explicit CAtomicFile(std::string path);
    ~CAtomicFile(); // removes the temporary unless committed
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Makes the temporary file; false with Error() set when it cannot be made.
    bool Open();
    // Appends bytes to the temporary file (the first failure sticks).
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view text) { return Write(text.data(), text.size()); }
    // Syncs, renames over the target and syncs the folder; false when any step failed, the old
    // file being kept then.
    bool Commit();
    // Drops the temporary file.
    void Abort();

    // The temporary file, for a library that writes a file by name (valid between Open and Commit).
    const std::string& TempPath() const { return m_temp; }
    // The errno of the first failure (0 when none).
    int Error() const { return m_error; }

    // Open, Write and Commit in one; the errno of a failure in *error.
    static bool WriteWhole(const std::string& path, std::string_view bytes, int* error = nullptr);

    // Tests: called before each step; a non-zero errno returned makes the step fail with it.
    enum class Step { Create, Write, SyncFile, Rename, SyncFolder };
    using FaultHook = std::function<int(Step step)>;
    static void SetFaultHook(FaultHook hook);

private:
    bool Fail(int error);

    std::string m_path;   // as given
    std::string m_target; // the file the name leads to through symbolic links
    std::string m_temp;
    int m_fd = -1;
    int m_error = 0;
    unsigned m_mode = 0;
};
