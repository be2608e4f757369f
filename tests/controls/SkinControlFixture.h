// Shared set-up of the skinned-button and fader tests: a logging parent window, template
// controls replaced by the control under test the way pages subclass them, and generated art
// rows under ids of their own.
#pragma once

#include "platform/ui/Bitmap.h"
#include "platform/ui/Button.h"
#include "platform/ui/Rgn.h"
#include "platform/ui/Static.h"
#include "res/ResourceTable.h"
#include "support/LogWnd.h"
#include "support/RenderToPng.h"
#include "support/UiEvents.h"

#include <QImage>
#include <gtest/gtest.h>

namespace skintest {

// Art of these tests: buttons of different sizes per state, a fader channel and thumbs.
enum ArtId : UINT {
    kBtnNormal = 47001,
    kBtnHover,
    kBtnPressed,
    kBtnChecked,
    kBtnCheckedHover,
    kBtnCheckedPressed,
    kBtnDisabled,
    kBtnDisabledChecked,
    kBtnHot,
    kBtnBig,           // 100 x 40, for the resize rule
    kChannelV = 47020, // 24 x 160
    kChannelActiveV,
    kThumbV, // 22 x 12
    kThumbActiveV,
    kThumbDisabledV,
    kChannelH,        // 160 x 24
    kThumbH,          // 12 x 22
    kMissing = 47099, // never registered
};

inline void RegisterArt() {
    static bool done = false;
    if (done)
        return;
    done = true;
    const res::ArtSpec rows[] = {
        {kBtnNormal, false, 80, 28, "button", 0, nullptr, 0},
        {kBtnHover, false, 80, 28, "button", 1, nullptr, 0},
        {kBtnPressed, false, 80, 28, "button", 2, nullptr, 0},
        {kBtnChecked, false, 80, 28, "button", 3, nullptr, 0},
        {kBtnCheckedHover, false, 80, 28, "button", 4, nullptr, 0},
        {kBtnCheckedPressed, false, 80, 28, "button", 5, nullptr, 0},
        {kBtnDisabled, false, 80, 28, "button", 6, nullptr, 0},
        {kBtnDisabledChecked, false, 80, 28, "button", 7, nullptr, 0},
        {kBtnHot, false, 80, 28, "button", 1, "HOT", 0x0000A5FF},
        {kBtnBig, false, 100, 40, "button", 0, "BIG", 0},
        {kChannelV, false, 24, 160, "track-v", 0, nullptr, 0},
        {kChannelActiveV, false, 24, 160, "track-v", 3, nullptr, 0x0000A5FF},
        {kThumbV, false, 22, 12, "thumb-v", 0, nullptr, 0},
        {kThumbActiveV, false, 22, 12, "thumb-v", 1, nullptr, 0x0000A5FF},
        {kThumbDisabledV, false, 22, 12, "thumb-v", 6, nullptr, 0},
        {kChannelH, false, 160, 24, "track-h", 0, nullptr, 0},
        {kThumbH, false, 12, 22, "thumb-h", 0, nullptr, 0},
    };
    for (const auto& r : rows)
        res::AddArt(r);
}

class SkinControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterArt();
        ASSERT_TRUE(parent.CreateTop(420, 320));
    }
    void TearDown() override { parent.DestroyWindow(); }

    // A template button of the layout, then replaced by `control`.
    template <class T> void AttachButton(T& control, int id, DWORD type, const CRect& rc, LPCTSTR text = "") {
        CButton* tmpl = new CButton;
        ASSERT_TRUE(tmpl->Create(text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type, rc, &parent, id));
        ASSERT_TRUE(control.SubclassDlgItem(id, &parent));
        delete tmpl;
    }
    template <class T> void AttachStatic(T& control, int id, const CRect& rc, DWORD style = 0) {
        CStatic* tmpl = new CStatic;
        ASSERT_TRUE(tmpl->Create("", WS_CHILD | WS_VISIBLE | style, rc, &parent, id));
        ASSERT_TRUE(control.SubclassDlgItem(id, &parent));
        delete tmpl;
    }
    static QImage Render(CWnd& w, const char* name) {
        return r9test::RenderToPng(w.Widget(), QString("controls-") + name);
    }
    static CRect ClientRect(CWnd& w) {
        CRect rc;
        w.GetClientRect(&rc);
        return rc;
    }

    r9test::LogWnd parent;
};

inline QRgb Rgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace skintest
