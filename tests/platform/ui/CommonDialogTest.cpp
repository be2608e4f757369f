// File and folder dialogs in the system's shapes, path split, shell open.
#include "platform/ui/CommDlg.h"
#include "platform/ui/ShellApi.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

struct HookReset {
    ~HookReset() {
        SetFileDialogHook(nullptr);
        SetFolderPickerHook(nullptr);
        SetShellExecuteHook(nullptr);
    }
};

TEST(CommonDialogTest, MultiSelectionComesBackAsFolderAndNames) {
    HookReset reset;
    char file[MAX_PATH] = {};
    char title[MAX_PATH] = {};
    OPENFILENAME ofn{};
    ofn.lStructSize = 88;
    ofn.lpstrFilter = "Data File (*.jtsh)\0*.jtsh\0All\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = MAX_PATH;
    ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT;
    SetFileDialogHook([](bool open, const OPENFILENAME&, std::vector<std::string>& chosen) {
        EXPECT_TRUE(open);
        chosen = {"/data/a.txt", "/data/b.txt"};
        return TRUE;
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_STREQ(file, "/data");
    EXPECT_STREQ(file + 6, "a.txt");
    EXPECT_STREQ(file + 12, "b.txt");
    EXPECT_EQ(file[17], '\0');
    EXPECT_EQ(ofn.nFileOffset, 6);

    // One file of a multiple selection: its full path.
    SetFileDialogHook([](bool, const OPENFILENAME&, std::vector<std::string>& chosen) {
        chosen = {"/data/only.bin"};
        return TRUE;
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_STREQ(file, "/data/only.bin");
    EXPECT_EQ(file[std::strlen(file) + 1], '\0');
    EXPECT_STREQ(title, "only.bin");
    EXPECT_EQ(ofn.nFileOffset, 6);
    EXPECT_EQ(ofn.nFileExtension, 11);

    // Cancel leaves the buffers; a short buffer fails with the size error.
    SetFileDialogHook([](bool, const OPENFILENAME&, std::vector<std::string>&) { return FALSE; });
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_STREQ(file, "/data/only.bin");
    SetFileDialogHook([](bool, const OPENFILENAME&, std::vector<std::string>& chosen) {
        chosen = {"/a/very/long/name.bin"};
        return TRUE;
    });
    char small[8] = {};
    ofn.lpstrFile = small;
    ofn.nMaxFile = sizeof(small);
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
}

TEST(CommonDialogTest, FiltersAndPathSplit) {
    EXPECT_EQ(FileDialogFilters("Data File (*.jtsh)|*.jtsh||", false),
              std::vector<std::string>{"Data File (*.jtsh)"});
    EXPECT_EQ(FileDialogFilters("Firmware\0*.bin;*.hex\0", true),
              std::vector<std::string>{"Firmware (*.bin *.hex)"});
    char drive[4], dir[64], name[64], ext[16];
    _splitpath("/home/u/presets/car.jtsh", drive, dir, name, ext);
    EXPECT_STREQ(drive, "");
    EXPECT_STREQ(dir, "/home/u/presets/");
    EXPECT_STREQ(name, "car");
    EXPECT_STREQ(ext, ".jtsh");
    _splitpath("noext", drive, dir, name, ext);
    EXPECT_STREQ(dir, "");
    EXPECT_STREQ(name, "noext");
    EXPECT_STREQ(ext, "");
}

int CALLBACK_Start(HWND hwnd, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data)
        SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

TEST(CommonDialogTest, FolderPickerStartsAtTheCallbacksFolder) {
    HookReset reset;
    std::string seen;
    SetFolderPickerHook([&](const std::string& start) {
        seen = start;
        return std::string("/tmp/fw");
    });
    char display[MAX_PATH] = {};
    const char* initial = "/home/u";
    BROWSEINFO bi{nullptr, nullptr, display, "Folder", 0, &CALLBACK_Start, reinterpret_cast<LPARAM>(initial),
                  0};
    LPITEMIDLIST list = SHBrowseForFolder(&bi);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(seen, "/home/u");
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetPathFromIDList(list, path));
    EXPECT_STREQ(path, "/tmp/fw");
    EXPECT_STREQ(display, "fw");
    LPMALLOC malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    malloc->Free(list);
    malloc->Release();

    SetFolderPickerHook([](const std::string&) { return std::string(); });
    EXPECT_EQ(SHBrowseForFolder(&bi), nullptr);
}

TEST(CommonDialogTest, ShellExecuteOpensThroughTheDesktop) {
    HookReset reset;
    std::string opened;
    SetShellExecuteHook([&](const std::string& t) {
        opened = t;
        return true;
    });
    EXPECT_GT(reinterpret_cast<UINT_PTR>(
                  ShellExecute(nullptr, "open", "http://example.invalid", nullptr, nullptr, 2)),
              32u);
    EXPECT_EQ(opened, "http://example.invalid");
    EXPECT_LE(reinterpret_cast<UINT_PTR>(ShellExecute(nullptr, "open", "", nullptr, nullptr, 2)), 32u);
}

} // namespace
