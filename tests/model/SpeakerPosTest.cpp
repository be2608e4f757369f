#include "model/Globals.h"
#include "model/SpeakerPos.h"
#include "support/ResetGlobals.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// States of codes 0..26 as digits: 1 blocked, 2 taken, 3 free.
std::string States() {
    std::string s;
    for (int c = 0; c < NUM_SPEAKER_CODES; ++c)
        s += static_cast<char>('0' + g_posState[c]);
    return s;
}

void SetCodes(std::initializer_list<int> codes) {
    int k = 0;
    for (int c : codes)
        g_posState[POS_STATE_OUTPUTS + k++] = static_cast<BYTE>(c);
}

class SpeakerPosTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetModelGlobals();
        ResetSpeakerStates();
        SetCodes({0, 0, 0, 0, 0, 0, 0, 0});
    }
};

//                         0 1-6    7-12   13-18  19-21 22-26
const std::string kAllFree = "3"
                             "333333"
                             "333333"
                             "333333"
                             "333"
                             "33333";

} // namespace

TEST(SpeakerPosStartUp, StatesAndGroups) {
    InitData();
    EXPECT_EQ(States(), "2"
                        "111112"
                        "111112"
                        "112112"
                        "333"
                        "22133");
    EXPECT_EQ(std::string(g_posStateInit, g_posStateInit + 27), std::string(27, '\3'));
    EXPECT_EQ(g_spkGroups.subwoofer.linkFlag, 0);
    EXPECT_EQ(g_spkGroups.subwoofer.members[6], 6);
    EXPECT_EQ(g_spkGroups.frontLeft.linkFlag, -1);
}

// Each step is (select or release, code, output); the states after each step are checked.
TEST_F(SpeakerPosTest, RuleSequences) {
    struct Step {
        bool select;
        int code;
        const char* after;
    };
    struct Sequence {
        const char* name;
        std::vector<Step> steps;
    };
    const Sequence sequences[] = {
        {"front tweeter then midrange, released again",
         {{true, 1,
           "3"
           "233131"
           "333131"
           "333333"
           "333"
           "33333"},
          {true, 2,
           "3"
           "223111"
           "333111"
           "333333"
           "333"
           "33333"},
          {false, 2,
           "3"
           "233131"
           "333131"
           "333333"
           "333"
           "33333"},
          {false, 1, kAllFree.c_str()}}},
        {"front woofer then tweeter",
         {{true, 3,
           "3"
           "332311"
           "333311"
           "333333"
           "333"
           "33333"},
          {true, 1,
           "3"
           "232111"
           "333111"
           "333333"
           "333"
           "33333"}}},
        {"tweeter replaced by midrange-tweeter",
         {{true, 1,
           "3"
           "233131"
           "333131"
           "333333"
           "333"
           "33333"},
          {false, 1, kAllFree.c_str()},
          {true, 4,
           "3"
           "113211"
           "113311"
           "333333"
           "333"
           "33333"}}},
        {"both full ranges, then the left one released",
         {{true, 6,
           "3"
           "111112"
           "111113"
           "333333"
           "333"
           "33333"},
          {true, 12,
           "3"
           "111112"
           "111112"
           "333333"
           "333"
           "33333"},
          {false, 6,
           "3"
           "111113"
           "111112"
           "333333"
           "333"
           "33333"},
          {false, 12, kAllFree.c_str()}}},
        {"rear tweeters",
         {{true, 13,
           "3"
           "333333"
           "333333"
           "231331"
           "333"
           "33333"},
          {true, 16,
           "3"
           "333333"
           "333333"
           "231231"
           "333"
           "33333"},
          {false, 13,
           "3"
           "333333"
           "333333"
           "331231"
           "333"
           "33333"},
          {false, 16, kAllFree.c_str()}}},
        {"rear full ranges",
         {{true, 15,
           "3"
           "333333"
           "333333"
           "112113"
           "333"
           "33333"},
          {true, 18,
           "3"
           "333333"
           "333333"
           "112112"
           "333"
           "33333"},
          {false, 15,
           "3"
           "333333"
           "333333"
           "113112"
           "333"
           "33333"},
          {false, 18, kAllFree.c_str()}}},
        {"centre",
         {{true, 19,
           "3"
           "333333"
           "333333"
           "333333"
           "231"
           "33333"},
          {true, 20,
           "3"
           "333333"
           "333333"
           "333333"
           "221"
           "33333"},
          {false, 19,
           "3"
           "333333"
           "333333"
           "333333"
           "321"
           "33333"},
          {false, 20, kAllFree.c_str()},
          {true, 21,
           "3"
           "333333"
           "333333"
           "333333"
           "112"
           "33333"},
          {false, 21, kAllFree.c_str()}}},
        {"subwoofers",
         {{true, 22,
           "3"
           "333333"
           "333333"
           "333333"
           "333"
           "23133"},
          {true, 23,
           "3"
           "333333"
           "333333"
           "333333"
           "333"
           "22133"},
          {false, 22,
           "3"
           "333333"
           "333333"
           "333333"
           "333"
           "32133"},
          {false, 23, kAllFree.c_str()},
          {true, 24,
           "3"
           "333333"
           "333333"
           "333333"
           "333"
           "11233"},
          {false, 24, kAllFree.c_str()},
          {true, 25,
           "3"
           "333333"
           "333333"
           "333333"
           "333"
           "33323"},
          {true, 26,
           "3"
           "333333"
           "333333"
           "333333"
           "333"
           "33322"},
          {false, 25,
           "3"
           "333333"
           "333333"
           "333333"
           "333"
           "33332"}}},
        {"codes above 26 change nothing",
         {{true, 27, kAllFree.c_str()}, {false, 200, kAllFree.c_str()}, {true, -1, kAllFree.c_str()}}},
    };
    for (const Sequence& seq : sequences) {
        SetUp();
        int n = 0;
        for (const Step& s : seq.steps) {
            if (s.select)
                SelectSpeakerPos(s.code, 0);
            else
                ReleaseSpeakerPos(s.code, 0);
            EXPECT_EQ(States(), s.after) << seq.name << ", step " << n;
            ++n;
        }
    }
}

TEST_F(SpeakerPosTest, NoPositionCode) {
    SelectSpeakerPos(0, 3);
    EXPECT_EQ(g_posState[0], POS_TAKEN);
    // Other outputs still have no position: "none" stays taken.
    ReleaseSpeakerPos(0, 3);
    EXPECT_EQ(g_posState[0], POS_TAKEN);
    SetCodes({0, 1, 2, 3, 7, 8, 9, 22});
    ReleaseSpeakerPos(0, 0);
    EXPECT_EQ(g_posState[0], POS_FREE);
    // An output index outside 0..7 is ignored.
    g_posState[0] = POS_TAKEN;
    ReleaseSpeakerPos(0, 8);
    ReleaseSpeakerPos(0, -1);
    EXPECT_EQ(g_posState[0], POS_TAKEN);
}

TEST_F(SpeakerPosTest, RemoveDuplicates) {
    SetCodes({1, 1, 7, 0, 0, 0, 0, 1});
    EXPECT_EQ(RemoveDuplicatePositions(), 1);
    EXPECT_EQ(std::string(g_posState + 28, g_posState + 36), std::string("\1\0\7\0\0\0\0\0", 8));
    EXPECT_EQ(RemoveDuplicatePositions(), 0);
    EXPECT_EQ(IsAnyOutputMapped(), 1);
    SetCodes({0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(IsAnyOutputMapped(), 0);

    SetCodes({1, 5, 6, 13, 14, 22, 23, 0});
    EXPECT_EQ(IsSameSpeakerGroup(0, 1), 1);
    EXPECT_EQ(IsSameSpeakerGroup(0, 2), 0); // full range is in no group
    EXPECT_EQ(IsSameSpeakerGroup(3, 4), 1);
    EXPECT_EQ(IsSameSpeakerGroup(5, 6), 0); // subwoofers are not compared
    EXPECT_EQ(IsSameSpeakerGroup(0, 8), 0);
}

TEST_F(SpeakerPosTest, GroupRebuild) {
    struct Case {
        std::vector<int> codes;
        int flLink, flKind, fl0, fl1, fl2;
    };
    const Case cases[] = {
        {{1, 3, 0, 0, 0, 0, 0, 0}, 0, 2, 1, 3, -1},  {{2, 1, 0, 0, 0, 0, 0, 0}, 0, 1, 2, 1, -1},
        {{2, 3, 0, 0, 0, 0, 0, 0}, 0, 3, 2, 3, -1},  {{1, 2, 3, 0, 0, 0, 0, 0}, 0, 4, 1, 2, 3},
        {{1, 2, 3, 4, 0, 0, 0, 0}, -1, -1, 1, 2, 3}, {{1, 6, 0, 0, 0, 0, 0, 0}, -1, -1, 1, -1, -1},
    };
    for (const Case& c : cases) {
        for (int k = 0; k < 8; ++k)
            g_posState[POS_STATE_OUTPUTS + k] = static_cast<BYTE>(c.codes[k]);
        g_spkGroups.Rebuild();
        const FrontSpeakerGroup& fl = g_spkGroups.frontLeft;
        EXPECT_EQ(fl.linkFlag, c.flLink) << c.codes[0] << c.codes[1];
        EXPECT_EQ(fl.kind, c.flKind) << c.codes[0] << c.codes[1];
        EXPECT_EQ(fl.codes[0], c.fl0);
        EXPECT_EQ(fl.codes[1], c.fl1);
        EXPECT_EQ(fl.codes[2], c.fl2);
    }

    SetCodes({1, 3, 7, 9, 19, 20, 13, 23});
    bool hidden = false;
    g_spkGroups.Rebuild([&] { hidden = true; });
    EXPECT_TRUE(hidden);
    const FrontSpeakerGroup& fl = g_spkGroups.frontLeft;
    const FrontSpeakerGroup& fr = g_spkGroups.frontRight;
    EXPECT_EQ(std::vector<int>(fl.members, fl.members + 8), (std::vector<int>{0, 1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(std::vector<int>(fr.members, fr.members + 8), (std::vector<int>{-1, -1, 2, 3, -1, -1, -1, -1}));
    EXPECT_EQ(fr.kind, 2);
    EXPECT_EQ(fr.linkFlag, 0);
    EXPECT_EQ(g_spkGroups.centre.linkFlag, 0);
    EXPECT_EQ(g_spkGroups.rearLeft.linkFlag, -1);
    EXPECT_EQ(g_spkGroups.rearLeft.members[6], 6);
    EXPECT_EQ(g_spkGroups.subwoofer.linkFlag, -1);
}

TEST_F(SpeakerPosTest, LeftRightPairs) {
    auto pairs = [](const LRPair* p) {
        std::vector<std::pair<int, int>> v;
        for (int n = 0; n < 4; ++n)
            if (p[n].used)
                v.emplace_back(p[n].first, p[n].second);
        return v;
    };
    using V = std::vector<std::pair<int, int>>;

    SetCodes({7, 1, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(FindLRPairs(), 1);
    EXPECT_EQ(pairs(g_lrPairCand), (V{{0, 1}}));
    EXPECT_EQ(BuildLRLinkPairs(), 1);
    EXPECT_EQ(pairs(g_lrPairs), (V{{1, 0}}));

    // Front subwoofers pair only for the link, left first as well.
    SetCodes({26, 25, 23, 0, 22, 0, 0, 0});
    EXPECT_EQ(FindLRPairs(), 1);
    EXPECT_EQ(pairs(g_lrPairCand), (V{{2, 4}}));
    EXPECT_EQ(BuildLRLinkPairs(), 1);
    EXPECT_EQ(pairs(g_lrPairs), (V{{1, 0}, {4, 2}}));

    // Duplicates from a file chain outputs; a fifth pair is dropped.
    SetCodes({1, 7, 1, 7, 1, 7, 1, 7});
    EXPECT_EQ(FindLRPairs(), 1);
    EXPECT_EQ(pairs(g_lrPairCand), (V{{0, 1}, {1, 2}, {2, 3}, {3, 4}}));
    BuildLRLinkPairs();
    EXPECT_EQ(pairs(g_lrPairs), (V{{0, 1}, {2, 1}, {2, 3}, {4, 3}}));

    SetCodes({1, 2, 3, 6, 19, 21, 24, 0});
    EXPECT_EQ(FindLRPairs(), 0);
    EXPECT_EQ(BuildLRLinkPairs(), 0);
    EXPECT_TRUE(pairs(g_lrPairs).empty());
}

TEST(SpeakerTables, InputOptionsAndCopyBuffer) {
    InputOptionTable t{};
    t.Init();
    EXPECT_EQ(t.choice, 6);
    EXPECT_EQ(std::vector<int>(t.activeRow, t.activeRow + 7), (std::vector<int>{0, 1, 1, 1, 1, 1, 1}));
    ASSERT_NE(t.GetRow(2, 3), nullptr);
    EXPECT_EQ(std::vector<int>(t.GetRow(2, 3), t.GetRow(2, 3) + 7), (std::vector<int>{1, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(t.GetRow(1, 5), nullptr);
    EXPECT_EQ(t.GetRow(2, 4), nullptr);
    EXPECT_EQ(t.GetRow(3, 0), nullptr);

    t.choice = 2; // Phone, offered by group 0 row 1
    t.SelectRow(0, 1);
    EXPECT_EQ(t.choice, 2);
    t.SelectRow(0, 2); // Phone not offered there
    EXPECT_EQ(t.choice, 6);
    t.choice = 1;
    t.SelectRow(1, 5); // missing row: only OFF
    EXPECT_EQ(std::vector<int>(t.activeRow, t.activeRow + 7), (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(t.choice, 6);

    OutCopyBuffer b{3, {0, 0, 0, 1, 0, 0, 0, 0}};
    b.Reset();
    EXPECT_EQ(b.source, -1);
    for (int f : b.flags)
        EXPECT_EQ(f, 0);
}

TEST(SpeakerNames, BothLanguages) {
    EXPECT_STREQ(GetSpeakerPosName(0, false), "NULL");
    EXPECT_STREQ(GetSpeakerPosName(4, false), "FL-M && T");
    EXPECT_STREQ(GetSpeakerPosName(26, false), "FR-Subwoofer");
    EXPECT_STREQ(GetSpeakerPosName(24, true), "超低频");
    EXPECT_EQ(GetSpeakerPosName(27, false), nullptr);
}
