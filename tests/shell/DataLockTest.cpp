// The data lock's flows against a fake view: prompts answered by the test, every call recorded,
// and whether g_linkLock was held when the preset went out.
#include "link/LinkGlobals.h"
#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/LinkDocument.h"
#include "platform/core/Encoding.h"
#include "platform/ui/WinUser.h"
#include "shell/DataLock.h"
#include "shell/DataLockHost.h"
#include "support/ResetGlobals.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <deque>
#include <future>
#include <string>
#include <utility>
#include <vector>

namespace {

// TRUE when another thread cannot take g_linkLock now.
bool LinkLockHeld() {
    return !std::async(std::launch::async, [] {
                bool got = g_linkLock.try_lock();
                if (got)
                    g_linkLock.unlock();
                return got;
            }).get();
}

std::array<BYTE, NUM_OUTPUTS> ImagePositions() {
    std::array<BYTE, NUM_OUTPUTS> p{};
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        p[static_cast<size_t>(i)] = g_curImage.outputs[i].position;
    return p;
}

class FakeLockHost : public CDataLockHost {
public:
    BOOL IsLinkOpen() override { return linkOpen; }
    void SendPreset(int preset, BOOL store) override {
        log.push_back("SendPreset");
        sends.push_back({preset, store, LinkLockHeld(), ImagePositions()});
    }
    void SetOutputMixDefaults(int output, int code, BOOL requestRestore) override {
        log.push_back("Mix");
        mixes.push_back({output, code, requestRestore});
    }
    void ClearOutputLinks() override { log.push_back("ClearOutputLinks"); }
    void RefreshPages() override { log.push_back("RefreshPages"); }
    void SetLockButton(BOOL pressed) override {
        log.push_back("LockButton");
        lockButton = pressed;
    }
    BOOL IsLockButtonPressed() override { return lockButton; }
    void TrackSettingsPopup() override { ++popups; }
    void CloseProgram() override { ++closes; }
    void SetLockedLayout(BOOL locked) override {
        log.push_back("Layout");
        layout = locked;
    }
    void RestoreDefaultMap() override { log.push_back("RestoreDefaultMap"); }
    UnlockPromptResult RunUnlockPrompt(int mode, CString* entry) override {
        promptModes.push_back(mode);
        if (unlockAnswers.empty())
            return UnlockPromptResult::Cancel;
        auto [result, text] = unlockAnswers.front();
        unlockAnswers.pop_front();
        *entry = text.c_str();
        return result;
    }
    BOOL RunPasswordPrompt(CString* entry) override {
        ++passwordPrompts;
        if (passwordAnswers.empty())
            return FALSE;
        *entry = passwordAnswers.front().c_str();
        passwordAnswers.pop_front();
        return TRUE;
    }
    void ShowMessage(const char* text) override { messages.emplace_back(text); }
    int AskYesNo(const char* text) override {
        questions.emplace_back(text);
        return answer;
    }

    struct Send {
        int preset;
        BOOL store;
        bool lockHeld;
        std::array<BYTE, NUM_OUTPUTS> positions;
    };
    struct Mix {
        int output, code;
        BOOL restore;
    };
    BOOL linkOpen = TRUE;
    BOOL lockButton = FALSE;
    BOOL layout = -1;
    int popups = 0;
    int closes = 0;
    int passwordPrompts = 0;
    int answer = IDYES;
    std::vector<std::string> log;
    std::vector<Send> sends;
    std::vector<Mix> mixes;
    std::vector<int> promptModes;
    std::deque<std::pair<UnlockPromptResult, std::string>> unlockAnswers;
    std::deque<std::string> passwordAnswers;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
};

class DataLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        g_strUnlockEntry = "";
        m_doc = std::make_unique<CKTV_Data>();
        m_doc->InitLinkTable();
        SetLinkDocument(m_doc.get());
    }
    void TearDown() override {
        SetLinkDocument(nullptr);
        m_doc.reset();
        g_strUnlockEntry = "";
        r9test::ResetModelGlobals();
    }
    // Locked data as a lock leaves them, with the live outputs scribbled over.
    void MakeLocked(const char* password) {
        g_bDataLocked = 1;
        g_strLockPassword = password;
        m_host.lockButton = TRUE;
        for (OutputRecord& out : g_curImage.outputs)
            std::memset(&out, 0x77, sizeof out);
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            g_posState[POS_STATE_OUTPUTS + i] = static_cast<BYTE>(i + 1);
            g_speakerMap[static_cast<size_t>(i)] = static_cast<BYTE>(i + 1);
        }
    }
    size_t IndexOf(const std::string& call) const {
        for (size_t i = 0; i < m_host.log.size(); ++i)
            if (m_host.log[i] == call)
                return i;
        return m_host.log.size();
    }

    std::unique_ptr<CKTV_Data> m_doc;
    FakeLockHost m_host;
    CDataLock m_lock{m_host};
};

} // namespace

TEST(DataLockRules, PasswordIsSixGbkBytesAndTheUnlockForgivesBlanksAtTheEnds) {
    struct Length {
        const char* text;
        BOOL ok;
    } lengths[] = {
        {"123456", TRUE},   {"      ", TRUE}, {"ab中文", TRUE}, {"中文字", TRUE},        {"12345", FALSE},
        {"1234567", FALSE}, {"", FALSE},      {"中文", FALSE},  {"锁定数据密码", FALSE}, // six CJK: 12 bytes
    };
    for (const Length& c : lengths)
        EXPECT_EQ(CDataLock::IsPasswordLength(c.text), c.ok) << c.text;

    struct Match {
        const char* entry;
        const char* stored;
        BOOL opens;
    } matches[] = {
        {"123456", "123456", TRUE}, {"654321", "123456", FALSE}, {"12345 ", "12345", TRUE},
        {" 1234 ", "1234", TRUE},   {"      ", "", TRUE},        {"12 345", "12345", FALSE},
        {"123456", "12345", FALSE}, {"ab中文", "ab中文", TRUE},
    };
    for (const Match& c : matches)
        EXPECT_EQ(CDataLock::MatchesPassword(c.entry, c.stored), c.opens) << "'" << c.entry << "'";
}

TEST_F(DataLockTest, NewPasswordLocksAndSendsUnderTheLinkLock) {
    m_host.unlockAnswers = {{UnlockPromptResult::Ok, "ab中文"}};
    m_lock.OnLockButton();
    EXPECT_EQ(g_bLockPromptFromButton.load(), 1);
    EXPECT_EQ(m_host.promptModes, std::vector<int>{UNLOCK_PROMPT_NEW});
    EXPECT_EQ(g_bDataLocked.load(), 1);
    EXPECT_EQ(g_bDataUnlocked.load(), 0);
    EXPECT_STREQ(g_strLockPassword, "ab中文");
    ASSERT_EQ(m_host.sends.size(), 1u);
    EXPECT_EQ(m_host.sends[0].preset, 0);
    EXPECT_TRUE(m_host.sends[0].store);
    EXPECT_TRUE(m_host.sends[0].lockHeld);
    EXPECT_EQ(m_host.layout, TRUE);
    EXPECT_TRUE(m_host.lockButton);
    EXPECT_FALSE(LinkLockHeld());
}

TEST_F(DataLockTest, CancelledOrResetNewPasswordPromptChangesNothing) {
    const PresetImage before = g_curImage;
    for (UnlockPromptResult r : {UnlockPromptResult::Cancel, UnlockPromptResult::Reset}) {
        m_host.unlockAnswers = {{r, ""}};
        m_lock.OnLockButton();
    }
    EXPECT_EQ(g_bDataLocked.load(), 0);
    EXPECT_TRUE(g_curImage == before);
    EXPECT_TRUE(m_host.sends.empty());
    EXPECT_TRUE(m_host.log.empty());
}

TEST_F(DataLockTest, UnlockNeedsThePasswordOrItsTrimmedForm) {
    struct Case {
        const char* stored;
        const char* entry;
        bool opens;
    } cases[] = {
        {"123456", "654321", false},
        {"123456", "123456", true},
        {"12345", "12345 ", true}, // a code read back from the device lost its blank
        {"12345", " 12345", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        m_host = FakeLockHost();
        g_bDataLocked = 1;
        g_bDataUnlocked = 0;
        g_strLockPassword = c.stored;
        m_host.lockButton = TRUE;
        m_host.unlockAnswers = {{UnlockPromptResult::Ok, c.entry}};
        m_lock.OnLockButton();
        EXPECT_EQ(m_host.promptModes, std::vector<int>{UNLOCK_PROMPT_UNLOCK});
        EXPECT_STREQ(g_strUnlockEntry, c.entry);
        if (!c.opens) {
            EXPECT_EQ(m_host.messages,
                      std::vector<std::string>{
                          "Password and enter the password to encrypt the file does not match!"});
            EXPECT_EQ(g_bDataLocked.load(), 1);
            EXPECT_TRUE(m_host.sends.empty());
            EXPECT_TRUE(m_host.lockButton);
            continue;
        }
        EXPECT_TRUE(m_host.messages.empty());
        EXPECT_EQ(g_bDataLocked.load(), 0);
        EXPECT_EQ(g_bDataUnlocked.load(), 1);
        ASSERT_EQ(m_host.sends.size(), 1u);
        EXPECT_TRUE(m_host.sends[0].lockHeld);
        EXPECT_EQ(m_host.layout, FALSE);
        EXPECT_FALSE(m_host.lockButton);
    }
}

TEST_F(DataLockTest, WrongUnlockMessageFollowsTheLanguage) {
    g_bChinese = 1;
    MakeLocked("123456");
    m_host.unlockAnswers = {{UnlockPromptResult::Ok, "000000"}};
    m_lock.LockOrUnlock(FALSE);
    EXPECT_EQ(m_host.messages, std::vector<std::string>{"输入密码与加密文件密码不匹配!"});
}

TEST_F(DataLockTest, ResetOfLockedDataRestoresRecordsMapCrossoversAndMixes) {
    struct Case {
        int deviceType;
        std::array<BYTE, NUM_OUTPUTS> codes;
        std::array<int, NUM_OUTPUTS> recordOf; // default record of each output
    } cases[] = {
        {2, {6, 12, 15, 18, 0, 0, 22, 23}, {0, 1, 2, 3, 4, 5, 6, 7}},
        {3, {6, 12, 15, 18, 22, 23, 0, 0}, {0, 1, 2, 3, 4, 5, 8, 9}},
        {4, {6, 12, 15, 18, 0, 0, 22, 23}, {0, 1, 2, 3, 4, 5, 8, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deviceType);
        m_host = FakeLockHost();
        g_nDeviceType = c.deviceType;
        MakeLocked("123456");
        g_bLockPromptFromButton = 1;
        m_host.unlockAnswers = {{UnlockPromptResult::Reset, ""}};
        m_lock.LockOrUnlock(FALSE);

        EXPECT_EQ(g_bDataLocked.load(), 0);
        EXPECT_EQ(g_bDataUnlocked.load(), 0);
        bool defaultsDisagree = false;
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            SCOPED_TRACE(i);
            const BYTE code = c.codes[static_cast<size_t>(i)];
            EXPECT_EQ(g_posState[POS_STATE_OUTPUTS + i], code);
            EXPECT_EQ(g_speakerMap[static_cast<size_t>(i)], code);
            // The record is the default one, except that its position byte is the map's code.
            OutputRecord expected = g_defOutRecords[c.recordOf[static_cast<size_t>(i)]];
            defaultsDisagree |= expected.position != code;
            expected.position = code;
            EXPECT_TRUE(g_curImage.outputs[i] == expected);
            EXPECT_EQ(g_pOutData[i]->GetPositionCode(), code);
        }
        EXPECT_TRUE(defaultsDisagree); // otherwise the case would not show the position fix

        ASSERT_EQ(m_host.sends.size(), 1u);
        EXPECT_TRUE(m_host.sends[0].lockHeld);
        EXPECT_EQ(m_host.sends[0].positions, c.codes); // the batch carries the map's codes
        ASSERT_EQ(m_host.mixes.size(), static_cast<size_t>(NUM_OUTPUTS));
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            EXPECT_EQ(m_host.mixes[static_cast<size_t>(i)].output, i);
            EXPECT_EQ(m_host.mixes[static_cast<size_t>(i)].code, c.codes[static_cast<size_t>(i)]);
            EXPECT_FALSE(m_host.mixes[static_cast<size_t>(i)].restore);
        }
        EXPECT_LT(IndexOf("ClearOutputLinks"), IndexOf("SendPreset"));
        EXPECT_LT(IndexOf("SendPreset"), IndexOf("RestoreDefaultMap"));
        EXPECT_LT(IndexOf("RestoreDefaultMap"), IndexOf("Mix"));
        EXPECT_LT(IndexOf("Mix"), IndexOf("RefreshPages"));
        EXPECT_EQ(m_host.layout, FALSE);
        EXPECT_FALSE(m_host.lockButton);
    }
}

TEST_F(DataLockTest, ResetCrossoverFollowsTheSpeakerCode) {
    struct Row {
        int output;
        int code;
        int hpFreq, hpFamily, hpSlope, lpFreq, lpFamily, lpSlope;
    };
    // Device type 3 puts the subwoofers on outputs 5 and 6 (indexes 4 and 5).
    g_nDeviceType = 3;
    MakeLocked("123456");
    g_bLockPromptFromButton = 1;
    m_host.unlockAnswers = {{UnlockPromptResult::Reset, ""}};
    m_lock.LockOrUnlock(FALSE);
    const Row type3[] = {
        {0, 6, 70, 1, 1, 20000, 1, 1},  {1, 12, 70, 1, 1, 20000, 1, 1}, {2, 15, 80, 1, 1, 20000, 1, 1},
        {3, 18, 80, 1, 1, 20000, 1, 1}, {4, 22, 27, 2, 3, 55, 2, 1},    {5, 23, 27, 2, 3, 55, 2, 1},
    };
    for (const Row& r : type3) {
        SCOPED_TRACE(r.output);
        CFilter* hp = g_pOutData[r.output]->GetHPF();
        CFilter* lp = g_pOutData[r.output]->GetLPF();
        EXPECT_EQ(hp->GetFreq(), r.hpFreq);
        EXPECT_EQ(hp->GetFamily(), r.hpFamily);
        EXPECT_EQ(hp->GetSlope(), r.hpSlope);
        EXPECT_EQ(lp->GetFreq(), r.lpFreq);
        EXPECT_EQ(lp->GetFamily(), r.lpFamily);
        EXPECT_EQ(lp->GetSlope(), r.lpSlope);
    }

    // Every other row of the table, through the codes of a restored map on a type-2 device: the
    // subwoofers on outputs 7 and 8 keep slope 1.
    g_nDeviceType = 2;
    const BYTE codes[NUM_OUTPUTS] = {1, 2, 3, 4, 5, 0, 24, 22};
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        g_posStateInit[POS_STATE_OUTPUTS + i] = codes[i];
    MakeLocked("123456");
    m_host.unlockAnswers = {{UnlockPromptResult::Reset, ""}};
    m_lock.LockOrUnlock(FALSE);
    const Row type2[] = {
        {0, 1, 3400, -1, 1, 20000, -1, 1}, {1, 2, 600, -1, 1, 1900, -1, 1}, {2, 3, 70, -1, 1, 320, -1, 1},
        {3, 4, 600, -1, 1, 20000, -1, 1},  {4, 5, 70, -1, 1, 1900, -1, 1},  {6, 24, 27, 2, 1, 55, 2, 1},
        {7, 22, 27, 2, 1, 55, 2, 1},
    };
    for (const Row& r : type2) {
        SCOPED_TRACE(r.output);
        CFilter* hp = g_pOutData[r.output]->GetHPF();
        CFilter* lp = g_pOutData[r.output]->GetLPF();
        EXPECT_EQ(g_pOutData[r.output]->GetPositionCode(), r.code);
        EXPECT_EQ(hp->GetFreq(), r.hpFreq);
        EXPECT_EQ(hp->GetSlope(), r.hpSlope);
        EXPECT_EQ(lp->GetFreq(), r.lpFreq);
        EXPECT_EQ(lp->GetSlope(), r.lpSlope);
        if (r.hpFamily >= 0) {
            EXPECT_EQ(hp->GetFamily(), r.hpFamily);
            EXPECT_EQ(lp->GetFamily(), r.lpFamily);
        }
    }
}

TEST_F(DataLockTest, ResetButtonWhileUnlockedDoesNothing) {
    // The lock button is up: its prompt asks for a new password, and a reset there clears nothing.
    for (OutputRecord& out : g_curImage.outputs)
        std::memset(&out, 0x77, sizeof out);
    const PresetImage before = g_curImage;
    m_host.unlockAnswers = {{UnlockPromptResult::Reset, ""}};
    m_lock.OnLockButton();
    EXPECT_TRUE(g_curImage == before);
    EXPECT_TRUE(m_host.sends.empty());
    EXPECT_TRUE(m_host.mixes.empty());
}

TEST_F(DataLockTest, LockStateAfterADeviceRead) {
    // The code as the device sends it: scrambled, padded with blanks.
    const char code[6] = {' ', '1', '2', '3', '4', ' '};
    struct Case {
        const char* name;
        BYTE marker;
        int oldFormat;
        bool locked;
    } cases[] = {
        {"blank marker", ' ', 0, false},
        {"old all-presets format", '!', 1, false},
        {"locked", '!', 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InitData();
        g_strLockPassword = "keep";
        g_bOldAllPresetsFile = c.oldFormat;
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            BYTE* bytes = reinterpret_cast<BYTE*>(&g_curImage.outputs[i]);
            for (int k = 0; k < 296; ++k)
                bytes[k] = static_cast<BYTE>(i * 31 + k);
        }
        LockMarkBlock mark{};
        mark.marker = c.marker;
        mark.lockOption = 1;
        for (int k = 0; k < 6; ++k)
            mark.code[k] = static_cast<char>(code[k] ^ LOCK_MASK);
        g_curImage.outputs[0].SetLockMark(mark);
        const PresetImage before = g_curImage;
        m_lock.LoadLockState(0);

        EXPECT_EQ(g_bDataLocked.load(), c.locked ? 1 : 0);
        if (!c.locked) {
            EXPECT_TRUE(g_curImage == before);
            EXPECT_STREQ(g_strLockPassword, "keep");
            continue;
        }
        EXPECT_STREQ(g_strLockPassword, "1234");
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            const BYTE* now = reinterpret_cast<const BYTE*>(&g_curImage.outputs[i]);
            const BYTE* was = reinterpret_cast<const BYTE*>(&before.outputs[i]);
            for (int k = 0; k < 288; ++k)
                ASSERT_EQ(now[k], was[k] ^ LOCK_MASK) << i << ":" << k;
            const int firstPlain = i == 0 ? 290 : 288; // output 1's code is unscrambled in place
            for (int k = 288; k < firstPlain; ++k)
                ASSERT_EQ(now[k], was[k]) << i << ":" << k;
            for (int k = firstPlain; k < 296; ++k)
                ASSERT_EQ(now[k], i == 0 ? static_cast<BYTE>(code[k - 290]) : was[k]) << i << ":" << k;
        }
    }
    g_bOldAllPresetsFile = 0;
}

TEST_F(DataLockTest, LockCodeInGbkComesBackAsText) {
    char gbk[8] = {};
    ASSERT_TRUE(WriteGbkField(gbk, 6, "ab中文", FieldOverflow::Refuse, 6));
    LockMarkBlock mark{};
    mark.marker = '!';
    for (int k = 0; k < 6; ++k)
        mark.code[k] = static_cast<char>(gbk[k] ^ LOCK_MASK);
    g_curImage.outputs[0].SetLockMark(mark);
    m_lock.LoadLockState(0);
    EXPECT_STREQ(g_strLockPassword, "ab中文");
    EXPECT_TRUE(CDataLock::MatchesPassword("ab中文", g_strLockPassword));
}

TEST_F(DataLockTest, PresetFileLoadedTakesTheCodeAndClearsTheOption) {
    struct Case {
        int locked;
        BYTE option;
        BYTE optionAfter;
        const char* password;
    } cases[] = {{1, 2, 0, "abc"}, {1, 1, 1, "abc"}, {0, 7, 0, "old"}, {0, 0, 0, "old"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        m_host = FakeLockHost();
        g_strLockPassword = "old";
        g_bDataLocked = c.locked;
        LockMarkBlock mark{};
        mark.marker = c.locked ? '!' : ' ';
        mark.lockOption = c.option;
        std::memcpy(mark.code, " abc  ", 6);
        g_curImage.outputs[0].SetLockMark(mark);
        m_lock.OnPresetFileLoaded();
        EXPECT_STREQ(g_strLockPassword, c.password);
        EXPECT_EQ(g_curImage.outputs[0].GetLockMark().lockOption, c.optionAfter);
        EXPECT_EQ(m_host.layout, c.locked);
        EXPECT_EQ(m_host.lockButton, c.locked);
        EXPECT_NE(IndexOf("RefreshPages"), m_host.log.size());
    }
}

TEST_F(DataLockTest, DataRangeErrorResetsOnYesAndClosesOtherwise) {
    struct Case {
        int answer;
        BOOL linkOpen;
        bool reset;
        size_t sends;
    } cases[] = {
        {IDYES, TRUE, true, 1}, {IDYES, FALSE, true, 0}, {IDNO, TRUE, false, 0}, {IDCANCEL, TRUE, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer * 10 + c.linkOpen);
        InitData();
        m_host = FakeLockHost();
        m_host.answer = c.answer;
        m_host.linkOpen = c.linkOpen;
        g_nDeviceType = 3; // the first eight defaults whatever the type
        MakeLocked("123456");
        g_bLockLook = 1;
        const PresetImage before = g_curImage;
        std::array<BYTE, 36> posBefore{};
        std::memcpy(posBefore.data(), g_posState, sizeof g_posState);
        const SystemRecord mapBefore = g_speakerMap;
        m_lock.OnDataRangeError();

        EXPECT_EQ(m_host.questions,
                  std::vector<std::string>{"File Data Error!\n Click 'Yes', clear the current data. "
                                           "Click on 'No' to exit the program!"});
        EXPECT_EQ(m_host.sends.size(), c.sends);
        EXPECT_TRUE(g_speakerMap == mapBefore); // the map is never touched
        EXPECT_EQ(std::memcmp(posBefore.data(), g_posState, sizeof g_posState), 0);
        if (!c.reset) {
            EXPECT_EQ(m_host.closes, 1);
            EXPECT_TRUE(g_curImage == before);
            EXPECT_EQ(g_bDataLocked.load(), 1);
            continue;
        }
        EXPECT_EQ(m_host.closes, 0);
        EXPECT_EQ(g_bDataLocked.load(), 0);
        EXPECT_EQ(g_bLockLook.load(), 0);
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            OutputRecord expected = g_defOutRecords[i];
            expected.position = g_posState[POS_STATE_OUTPUTS + i];
            // Tweeter codes (1 here) get the tweeter fix of the crossover; compare the rest.
            expected.xover = g_curImage.outputs[i].xover;
            EXPECT_TRUE(g_curImage.outputs[i] == expected) << i;
            EXPECT_EQ(g_pOutData[i]->GetPositionCode(), g_posState[POS_STATE_OUTPUTS + i]) << i;
        }
        EXPECT_GE(g_curImage.outputs[0].xover.hpFreq, 1000); // output 1 holds code 1, a tweeter
        if (c.sends) {
            EXPECT_TRUE(m_host.sends[0].lockHeld);
            EXPECT_EQ(m_host.sends[0].positions, (std::array<BYTE, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
        }
        EXPECT_EQ(m_host.layout, FALSE);
        EXPECT_FALSE(m_host.lockButton);
    }
}

TEST_F(DataLockTest, AccessCodeOpensTheSettingsPopupUntilTheProgramEnds) {
    // Cancel: nothing. A wrong code: the message, no popup, asked again next time.
    m_lock.OnSettingsPopupButton();
    EXPECT_EQ(m_host.passwordPrompts, 1);
    EXPECT_TRUE(m_host.messages.empty());
    m_host.passwordAnswers = {"123456"};
    m_lock.OnSettingsPopupButton();
    EXPECT_EQ(m_host.messages, std::vector<std::string>{"Password error!"});
    EXPECT_EQ(m_host.popups, 0);
    EXPECT_EQ(g_bSettingsPopupUnlocked.load(), 0);

    m_host.passwordAnswers = {"472918"};
    m_lock.OnSettingsPopupButton();
    EXPECT_EQ(m_host.passwordPrompts, 3);
    EXPECT_EQ(m_host.popups, 1);
    EXPECT_EQ(g_bSettingsPopupUnlocked.load(), 1);
    m_lock.OnSettingsPopupButton();
    EXPECT_EQ(m_host.passwordPrompts, 3); // no further prompt
    EXPECT_EQ(m_host.popups, 2);

    g_bSettingsPopupUnlocked = 0;
    g_bChinese = 1;
    m_host.passwordAnswers = {"472919"};
    m_lock.OnSettingsPopupButton();
    EXPECT_EQ(m_host.messages.back(), "密码错误！");
}

TEST_F(DataLockTest, OldFileMarkServesOneDeviceReadOnly) {
    g_bOldAllPresetsFile = 1;
    LockMarkBlock mark = g_curImage.outputs[0].GetLockMark();
    mark.marker = '!';
    g_curImage.outputs[0].SetLockMark(mark);
    m_lock.LoadLockState(0);
    EXPECT_EQ(g_bDataLocked.load(), 0);
    EXPECT_EQ(g_bOldAllPresetsFile.load(), 0);
    g_curImage.outputs[0].SetLockMark(mark);
    m_lock.LoadLockState(0);
    EXPECT_EQ(g_bDataLocked.load(), 1) << "a later locked read is taken as locked";
}
