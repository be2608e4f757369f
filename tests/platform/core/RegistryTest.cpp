#include "platform/core/Registry.h"

#include "platform/core/DiskFaults.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kProgram = "Software\\VT-R9VQ-2020_GB2312.exe";

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/r9-registry-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        m_dir = dir;
        r9::reg::SetStorePath(m_dir + "/sub/registry.ini");
    }
    void TearDown() override {
        r9::reg::SetStorePath("");
        std::system(("rm -rf '" + m_dir + "'").c_str());
    }

    static HKEY Create(const std::string& sub) {
        HKEY k = nullptr;
        EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        return k;
    }
    static void SetString(HKEY k, const char* name, const std::string& text) {
        ASSERT_EQ(RegSetValueEx(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1)),
                  ERROR_SUCCESS);
    }
    static std::string GetString(HKEY k, const char* name) {
        char buf[300] = {};
        DWORD size = sizeof buf;
        DWORD type = 0;
        if (RegQueryValueEx(k, name, nullptr, &type, reinterpret_cast<LPBYTE>(buf), &size) != ERROR_SUCCESS)
            return "<missing>";
        EXPECT_EQ(type, REG_SZ);
        return buf;
    }

    std::string File() const { return m_dir + "/sub/registry.ini"; }
    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void Spit(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string m_dir;
};

TEST_F(Registry, ValuesSurviveInTheFileWithAwkwardTexts) {
    const std::string path = std::string(kProgram) + "\\PC_File";
    HKEY k = Create(path);
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"File_Path", "/home/user/presets"}, {"Hex_Name", "固件 v2.bin"},
        {"a=b", "line1\nline2\\x=y"},        {"empty", ""},
        {"[odd]", "[not a section]"},
    };
    for (const auto& c : cases)
        SetString(k, c.name, c.text);
    const DWORD dw = 0xDEADBEEF;
    ASSERT_EQ(RegSetValueEx(k, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dw), 4), ERROR_SUCCESS);
    RegCloseKey(k);

    // A fresh open reads everything back from the file, names case-insensitively.
    HKEY again = nullptr;
    ASSERT_EQ(
        RegOpenKeyEx(HKEY_CURRENT_USER, "software\\vt-r9vq-2020_gb2312.EXE\\pc_file", 0, KEY_READ, &again),
        ERROR_SUCCESS);
    for (const auto& c : cases)
        EXPECT_EQ(GetString(again, c.name), c.text) << c.name;
    EXPECT_EQ(GetString(again, "file_path"), "/home/user/presets");
    DWORD got = 0, size = 4, type = 0;
    ASSERT_EQ(RegQueryValueEx(again, "Count", nullptr, &type, reinterpret_cast<LPBYTE>(&got), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(got, dw);
    RegCloseKey(again);
}

TEST_F(Registry, SizesMissingKeysAndErrors) {
    HKEY k = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, kProgram, 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
    DWORD disposition = 0;
    ASSERT_EQ(
        RegCreateKeyEx(HKEY_CURRENT_USER, kProgram, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, &disposition),
        ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    HKEY same = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, kProgram, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &same,
                             &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(same);

    SetString(k, "Language", "Chinese");
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(k, "Language", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 8u); // with its NUL
    char small[4];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(k, "Language", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(GetString(k, "Nothing"), "<missing>");
    EXPECT_EQ(RegDeleteValue(k, "Nothing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValue(k, "language"), ERROR_SUCCESS);
    EXPECT_EQ(GetString(k, "Language"), "<missing>");
    EXPECT_EQ(RegSetValueEx(k, "Bad", 0, REG_DWORD, reinterpret_cast<const BYTE*>("ab"), 2),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(k);
}

TEST_F(Registry, DeleteKeyTakesItsValuesAndSubKeysAndEnumKeepsOrder) {
    const std::string usb = std::string(kProgram) + "\\USB";
    HKEY k = Create(usb);
    HKEY below = Create(usb + "\\Deeper");
    HKEY sibling = Create(std::string(kProgram) + "\\USB2");
    for (const char* p : {"/dev/hidraw3", "/dev/hidraw0", "/dev/hidraw7"})
        SetString(k, p, "1");
    char name[64];
    std::string order;
    for (DWORD i = 0;; ++i) {
        DWORD cch = sizeof name;
        const LONG r = RegEnumValue(k, i, name, &cch, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(r, ERROR_SUCCESS);
        EXPECT_EQ(cch, std::strlen(name));
        order += std::string(name) + ";";
    }
    EXPECT_EQ(order, "/dev/hidraw3;/dev/hidraw0;/dev/hidraw7;");

    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, usb.c_str()), ERROR_SUCCESS);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, usb.c_str(), 0, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, (usb + "\\Deeper").c_str(), 0, KEY_READ, &gone),
              ERROR_FILE_NOT_FOUND);
    // A stale handle of a deleted key cannot write into nowhere.
    EXPECT_EQ(RegSetValueEx(k, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2), ERROR_FILE_NOT_FOUND);
    HKEY kept = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, (std::string(kProgram) + "\\USB2").c_str(), 0, KEY_READ, &kept),
              ERROR_SUCCESS);
    for (HKEY h : {k, below, sibling, kept})
        RegCloseKey(h);
}

TEST_F(Registry, TwoProcessesWritingAtOnceLoseNothing) {
    const std::string usb = std::string(kProgram) + "\\USB";
    RegCloseKey(Create(usb));
    constexpr int kEach = 40;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            HKEY k = nullptr;
            if (RegOpenKeyEx(HKEY_CURRENT_USER, usb.c_str(), 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS)
                _exit(2);
            for (int i = 0; i < kEach; ++i) {
                const std::string name = "p" + std::to_string(c) + "-" + std::to_string(i);
                if (RegSetValueEx(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2) !=
                    ERROR_SUCCESS)
                    _exit(3);
            }
            _exit(0);
        }
    }
    for (pid_t p : children) {
        int status = 0;
        ASSERT_EQ(waitpid(p, &status, 0), p);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, usb.c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kEach; ++i)
            EXPECT_EQ(GetString(k, ("p" + std::to_string(c) + "-" + std::to_string(i)).c_str()), "1");
    RegCloseKey(k);
    // Nothing half-written stays behind.
    EXPECT_EQ(disktest::Names(m_dir + "/sub"),
              (std::vector<std::string>{"registry.ini", "registry.ini.lock"}));
}

// A store that exists but cannot be read whole is not replaced by a file of the one value written.
TEST_F(Registry, AStoreThatCannotBeReadIsNeverOverwritten) {
    const std::string settings = "[HKEY_CURRENT_USER\\\\Software\\\\R9]\nLanguage=sz:Chinese\n\n";
    const struct {
        const char* what;
        std::function<void(const std::string&)> make;
        LSTATUS writeFails;
    } cases[] = {
        {"write-only",
         [&](const std::string& f) {
             Spit(f, settings);
             chmod(f.c_str(), 0200);
         },
         ERROR_ACCESS_DENIED},
        {"folder", [](const std::string& f) { mkdir(f.c_str(), 0700); }, ERROR_CANTWRITE},
        {"fifo", [](const std::string& f) { mkfifo(f.c_str(), 0600); }, ERROR_CANTWRITE},
        {"over 1 MB", [&](const std::string& f) { Spit(f, settings + std::string(1u << 20, ';')); },
         ERROR_CANTWRITE},
    };
    for (const auto& c : cases) {
        if (std::string(c.what) == "write-only" && geteuid() == 0)
            continue; // the superuser reads any file
        std::filesystem::remove_all(m_dir + "/sub");
        std::filesystem::create_directories(m_dir + "/sub");
        c.make(File());
        struct stat before {};
        ASSERT_EQ(lstat(File().c_str(), &before), 0) << c.what;
        HKEY k = nullptr;
        EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\R9", 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND)
            << c.what;
        EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\R9", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                 &k, nullptr),
                  c.writeFails)
            << c.what;
        HKEY root = HKEY_CURRENT_USER;
        EXPECT_EQ(RegDeleteKey(root, "Software\\R9"), c.writeFails) << c.what;
        struct stat after {};
        ASSERT_EQ(lstat(File().c_str(), &after), 0) << c.what;
        EXPECT_EQ(after.st_ino, before.st_ino) << c.what;
        EXPECT_EQ(after.st_size, before.st_size) << c.what;
        EXPECT_EQ(after.st_mode, before.st_mode) << c.what;
    }
}

// A file edited by hand keeps its byte-order mark, its comments and the lines the store does not
// understand, in their places.
TEST_F(Registry, HandEditedTextSurvivesAWrite) {
    std::filesystem::create_directories(m_dir + "/sub");
    Spit(File(), "\xEF\xBB\xBF; written by hand\r\n"
                 "[HKEY_CURRENT_USER\\\\Software\\\\R9]\r\n"
                 "Language=sz:Chinese\r\n"
                 "; the next one is from a newer version\r\n"
                 "Colour=rgb:1,2,3\r\n"
                 "no equals sign\r\n"
                 "Count=dw:7\r\n"
                 "[broken section\r\n");
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\R9", 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
    EXPECT_EQ(GetString(k, "Language"), "Chinese");
    SetString(k, "Added", "1");
    ASSERT_EQ(RegDeleteValue(k, "Language"), ERROR_SUCCESS);
    RegCloseKey(k);
    EXPECT_EQ(Slurp(File()), "\xEF\xBB\xBF; written by hand\n\n"
                             "[HKEY_CURRENT_USER\\\\Software\\\\R9]\n"
                             "; the next one is from a newer version\n"
                             "Colour=rgb:1,2,3\n"
                             "no equals sign\n"
                             "Count=dw:7\n"
                             "[broken section\n"
                             "Added=sz:1\n\n");
}

TEST_F(Registry, WritesThroughALinkKeepTheModeAndLeaveNoTemporary) {
    std::filesystem::create_directories(m_dir + "/sub");
    std::filesystem::create_directories(m_dir + "/dotfiles");
    const std::string real = m_dir + "/dotfiles/registry.ini";
    Spit(real, "[HKEY_CURRENT_USER\\\\Software\\\\R9]\nLanguage=sz:English\n");
    ASSERT_EQ(chmod(real.c_str(), 0444), 0);
    ASSERT_EQ(symlink(real.c_str(), File().c_str()), 0);
    // Left by an earlier version's save that was killed an hour ago.
    const std::string old = File() + ".tmp.4242";
    Spit(old, "half");
    const timeval past[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
    ASSERT_EQ(utimes(old.c_str(), past), 0);

    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\R9", 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
    SetString(k, "Language", "Chinese");
    RegCloseKey(k);
    struct stat st {};
    ASSERT_EQ(lstat(File().c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_NE(Slurp(real).find("Language=sz:Chinese"), std::string::npos);
    EXPECT_EQ(disktest::Names(m_dir + "/sub"),
              (std::vector<std::string>{"registry.ini", "registry.ini.lock"}));
    EXPECT_EQ(disktest::Names(m_dir + "/dotfiles"), std::vector<std::string>{"registry.ini"});
}

} // namespace
