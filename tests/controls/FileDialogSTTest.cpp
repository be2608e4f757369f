// The file dialog wrapper: the record it hands over, paths of single and multiple choices,
// path parts, a cancel, and the folder picker opening at the given folder.
#include "ControlFixture.h"

#include "controls/FileDialogST.h"
#include "platform/ui/ShellApi.h"

using namespace ctltest;

namespace {

// Answers the next file dialog with these paths (empty: cancel) and keeps its record.
struct DialogAnswer {
    std::vector<std::string> paths;
    OPENFILENAME seen{};
    bool open = false;
    explicit DialogAnswer(std::vector<std::string> p) : paths(std::move(p)) {
        SetFileDialogHook([this](bool isOpen, const OPENFILENAME& ofn, std::vector<std::string>& chosen) {
            open = isOpen;
            seen = ofn;
            chosen = paths;
            return paths.empty() ? FALSE : TRUE;
        });
    }
    ~DialogAnswer() { SetFileDialogHook(nullptr); }
};

std::vector<CString> AllPaths(const CFileDialogST& dlg) {
    std::vector<CString> out;
    CFileDialogST::Position pos = dlg.GetStartPosition();
    while (pos && out.size() < 10)
        out.push_back(dlg.GetNextPathName(pos));
    return out;
}

TEST(FileDialogSTTest, SingleChoiceAndItsParts) {
    DialogAnswer answer({"/home/tuner/presets/car one.jtsh"});
    CFileDialogST dlg(TRUE, "jtsh", nullptr, OFN_FILEMUSTEXIST, "Data File (*.jtsh)\0*.jtsh\0\0", nullptr);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(answer.open);
    EXPECT_EQ(answer.seen.lStructSize, 88u);
    EXPECT_TRUE(answer.seen.Flags & OFN_EXPLORER);
    EXPECT_TRUE(answer.seen.Flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(answer.seen.nMaxFile, 260u);
    EXPECT_EQ(dlg.GetPathName(), CString("/home/tuner/presets/car one.jtsh"));
    EXPECT_EQ(dlg.GetFileName(), CString("car one.jtsh"));
    EXPECT_EQ(dlg.GetFileTitle(), CString("car one"));
    EXPECT_EQ(dlg.GetFileExt(), CString(".jtsh"));
    EXPECT_EQ(dlg.GetFileDir(), CString("/home/tuner/presets/"));
    EXPECT_EQ(dlg.GetFileDrive(), CString(""));
    EXPECT_EQ(AllPaths(dlg), std::vector<CString>{CString("/home/tuner/presets/car one.jtsh")});
}

TEST(FileDialogSTTest, MultipleChoicesComeOneByOne) {
    {
        // One file chosen in a multiple-selection dialog: exactly one path.
        DialogAnswer answer({"/data/a.txt"});
        CFileDialogST dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, nullptr, nullptr);
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(AllPaths(dlg), std::vector<CString>{CString("/data/a.txt")});
    }
    {
        DialogAnswer answer({"/data/a.txt", "/data/b.txt"});
        CFileDialogST dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, nullptr, nullptr);
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(AllPaths(dlg), (std::vector<CString>{CString("/data/a.txt"), CString("/data/b.txt")}));
    }
}

TEST(FileDialogSTTest, OldStyleListsAreSeparatedBySpaces) {
    CFileDialogST dlg;
    char text[] = "/data/ a.txt b.txt";
    dlg.m_ofn.lpstrFile = text;
    dlg.m_ofn.Flags = OFN_ALLOWMULTISELECT;
    EXPECT_EQ(AllPaths(dlg), (std::vector<CString>{CString("/data/a.txt"), CString("/data/b.txt")}));
    char noSlash[] = "/data x.bin";
    dlg.m_ofn.lpstrFile = noSlash;
    EXPECT_EQ(AllPaths(dlg), std::vector<CString>{CString("/data/x.bin")});
}

TEST(FileDialogSTTest, CancelKeepsTheBuffersAndASaveDialogStartsFromTheGivenName) {
    DialogAnswer answer({});
    const char shortName[] = "Preset.jtsh"; // no 260-character buffer behind it
    CFileDialogST dlg(FALSE, "jtsh", shortName, OFN_OVERWRITEPROMPT, nullptr, nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(answer.open);
    EXPECT_EQ(dlg.GetPathName(), CString("Preset.jtsh"));
    EXPECT_EQ(dlg.GetFileName(), CString(""));
    EXPECT_NE(dlg.m_ofn.lpstrFile, shortName); // the object's own buffer
}

TEST(FileDialogSTTest, FolderPickerOpensAtTheInitialFolder) {
    std::string start;
    SetFolderPickerHook([&](const std::string& from) {
        start = from;
        return std::string("/home/tuner/firmware");
    });
    CFileDialogST dlg;
    static const char initial[] = "/home/tuner";
    EXPECT_EQ(dlg.BrowseForFolder("Folder", reinterpret_cast<LPARAM>(initial), BIF_RETURNONLYFSDIRS, nullptr),
              IDOK);
    EXPECT_EQ(start, "/home/tuner");
    EXPECT_EQ(dlg.GetSelectedFolder(), CString("/home/tuner/firmware"));
    SetFolderPickerHook([](const std::string&) { return std::string(); });
    CFileDialogST cancelled;
    EXPECT_EQ(cancelled.BrowseForFolder("Folder", 0, 0, nullptr), IDCANCEL);
    SetFolderPickerHook(nullptr);
}

} // namespace
