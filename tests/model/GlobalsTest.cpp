#include "model/Globals.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Globals, InitialValues) {
    const struct {
        const char* name;
        long long value, want;
    } numbers[] = {
        {"g_nDelayUnit", g_nDelayUnit, 1},         {"g_nUsbVid", g_nUsbVid, 0x0483},
        {"g_nUsbPid", g_nUsbPid, 0x5750},          {"g_nUsbVersion", g_nUsbVersion, 0x0200},
        {"g_nNetPort", g_nNetPort, 8899},          {"g_nViewMode", g_nViewMode, 1},
        {"g_bShowAllCurves", g_bShowAllCurves, 1}, {"g_nDeviceType", g_nDeviceType, 2},
        {"g_nDeviceAddr", g_nDeviceAddr, 1},       {"g_llPerfFreq", g_llPerfFreq, 1000000000LL},
    };
    for (const auto& n : numbers)
        EXPECT_EQ(n.value, n.want) << n.name;
    EXPECT_STREQ(g_strUnlockEntry, "318640");
    EXPECT_STREQ(g_strCustom, "Custom");
    EXPECT_EQ(g_clrEffectCurve, (ArgbColor{220, 255, 0, 0}));
    EXPECT_EQ(g_clrOutCurve[7].ToColorRef(), RGB(0, 0, 255));
    EXPECT_EQ(g_fontSpecArial16Heavy.weight, 1200);
}

TEST(Globals, NamedStateFlagsAreElements) {
    g_bDataLocked = 1;
    g_bSourceTypeMatch = 1;
    EXPECT_EQ(g_nStateFlags[30], 1);
    EXPECT_EQ(g_nStateFlags[38], 1);
    EXPECT_EQ(&g_bSystemDataDirty, &g_nStateFlags[24]);
    EXPECT_EQ(&g_bSourceSetDirty, &g_nStateFlags[25]);
    EXPECT_EQ(&g_bDataUnlocked, &g_nStateFlags[31]);
    EXPECT_EQ(&g_bOldAllPresetsFile, &g_nStateFlags[33]);
    EXPECT_EQ(&g_bNetEnabled, &g_linkStatus[3]);
    // The speaker map and the preset number are 16 bytes in a row.
    EXPECT_EQ(reinterpret_cast<BYTE*>(&g_curPresetNo), reinterpret_cast<BYTE*>(&g_speakerMap) + 8);
    g_bDataLocked = 0;
    g_bSourceTypeMatch = 0;
}

TEST(Globals, SmallFunctions) {
    EXPECT_STREQ(NumberToText(0x483, 16), "0483");
    EXPECT_STREQ(NumberToText(0xABCDE, 16), "ABCDE");
    EXPECT_STREQ(NumberToText(10, 10), "10");
    EXPECT_STREQ(FormatElapsedSeconds(1500000000LL), "延时(秒)=1.500000 ");
    EXPECT_STREQ(GetSwTag(2), "DOZI-DE1.11");
    EXPECT_STREQ(GetSwTag(3), "VORI-RA1.04 (K4plus)");
    EXPECT_STREQ(GetSwTag(4), "VURI-DO1.01 (R27VQ)");
    EXPECT_STREQ(GetSwTag(0), "ZUZI-RU1.13 (K3)");
    g_serialFlags[5] = 7;
    ResetSerialFlags();
    EXPECT_EQ(g_serialFlags[5], 0);
    g_bChinese = 1;
    EXPECT_STREQ(LangText(g_strPrompt, g_strPromptCn), "提示");
    g_bChinese = 0;
    EXPECT_STREQ(LangText(g_strPrompt, g_strPromptCn), "Prompting");
}

TEST(Globals, SourceTypeMatchRule) {
    // Rows: byte 4 of g_bootSource (0..5 and 255); columns: input type 0..5.
    const struct {
        int a;
        const char* row;
    } table[] = {
        {0, "101001"}, {1, "010100"}, {2, "101001"},   {3, "010100"},
        {4, "000010"}, {5, "101001"}, {255, "000000"},
    };
    for (const auto& r : table)
        for (int b = 0; b < 6; ++b)
            EXPECT_EQ(ComputeSourceTypeMatch(r.a, b), r.row[b] - '0') << r.a << "/" << b;

    g_bootSource.phoneMode = 2;
    g_pcSourceSet.inputType = 5;
    EXPECT_EQ(UpdateSourceTypeMatch(), 1);
    EXPECT_EQ(g_bSourceTypeMatch, 1);
    g_bootSource.phoneMode = 255;
    EXPECT_EQ(UpdateSourceTypeMatch(), 0);
    EXPECT_EQ(g_bSourceTypeMatch, 0);
}
