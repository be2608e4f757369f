// The main view offscreen with the output page shown, online against the emulator over TCP, and
// the check every change through the page ends with: the device holds exactly the program's bytes
// where the change reaches, and nothing else moved.
#pragma once

#include "ViewLinkFixture.h"

#include "pages/level/Level_Delay_Dlg.h"
#include "pages/output/OutputDlg.h"
#include "support/UiEvents.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstddef>
#include <cstring>
#include <initializer_list>

// A byte range of the preset image.
struct ImageSpan {
    size_t at;
    size_t size;
};

// The span of one field of output `o`'s record.
#define R9_OUTPUT_SPAN(o, field)                                                                             \
    ImageSpan {                                                                                              \
        offsetof(PresetImage, outputs) + static_cast<size_t>(o) * sizeof(OutputRecord) +                     \
            offsetof(OutputRecord, field),                                                                   \
            sizeof(OutputRecord::field)                                                                      \
    }

class OnlineOutputPageTest : public ViewLinkTest {
protected:
    void SetUp() override {
        ViewLinkTest::SetUp();
        m_backend->SetPresent(false);
        m_view->OnInitialUpdate();
        m_view->ShowWindow(SW_SHOW);
        m_page = dynamic_cast<COutputDlg*>(m_view->PageWindow(PAGE_OUTPUT));
        ASSERT_NE(m_page, nullptr) << "the view's output slot holds the page";
        m_reachable = true;
        m_view->m_net.m_bReachable = 1;
        m_view->ConnectNet();
        ASSERT_TRUE(WaitOnline());
        // The progress display hides on its own timer after the first read and gives the view back.
        ASSERT_TRUE(Pump([&] { return m_view->IsWindowEnabled() != 0; }));
    }

    // Runs the window system's events as well (timers, activation), as the program's loop does.
    template <class Pred> static bool Pump(Pred pred, int timeoutMs = 10000) {
        return ViewLinkTest::Pump(
            [&] {
                QCoreApplication::processEvents();
                return pred();
            },
            timeoutMs);
    }

    void PumpToolkit() override { QCoreApplication::processEvents(); }

    // A click at the window's centre, handled as the program's loop would.
    static void Click(CWnd& w) {
        r9test::Click(w.Widget(), w.Widget()->rect().center());
        r9test::Pump();
    }

    // The program's main window while it lives, standing in for the frame: it counts the closes
    // asked of it (the No answer to "File Data Error!" closes the program).
    struct StandInMainWnd : CWnd {
        CWnd* previous = AfxGetMainWnd();
        bool created = false;
        int closes = 0;
        StandInMainWnd() {
            created = CreateEx(0, "", "main", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0) != FALSE;
            AfxSetMainWnd(this);
        }
        ~StandInMainWnd() override { AfxSetMainWnd(previous); }
        void OnClose() override { ++closes; }
    };

    // Shows a page in the main window, which is in front and active, as it is for a user at work;
    // then lets the events and the link run until the link is idle.
    void ShowPageInFront(int page) {
        m_view->ShowSubPage(page, TRUE);
        QWidget* top = m_view->Widget()->window();
        top->activateWindow();
        QApplication::setActiveWindow(top);
        EXPECT_TRUE(WaitLinkIdle());
    }

    // Shows the level page in the active main window; the page.
    CLevel_Delay_Dlg* ShowLevelPage() {
        ShowPageInFront(PAGE_LEVEL);
        return dynamic_cast<CLevel_Delay_Dlg*>(m_view->PageWindow(PAGE_LEVEL));
    }

    static const BYTE* Bytes(const PresetImage& image) { return reinterpret_cast<const BYTE*>(&image); }
    static bool Inside(size_t i, std::initializer_list<ImageSpan> spans) {
        for (const ImageSpan& s : spans)
            if (i >= s.at && i < s.at + s.size)
                return true;
        return false;
    }
    static bool Differs(const PresetImage& a, const PresetImage& b, std::initializer_list<ImageSpan> spans) {
        for (const ImageSpan& s : spans)
            if (std::memcmp(Bytes(a) + s.at, Bytes(b) + s.at, s.size) != 0)
                return true;
        return false;
    }
    static PresetImage ProgramImage() {
        std::lock_guard lock(g_linkLock);
        return g_curImage;
    }

    static constexpr ImageSpan kNameSpan{offsetof(PresetImage, system) + offsetof(SystemBlock, name),
                                         sizeof(SystemBlock::name)};

    // Waits until the device's live image differs from `before` inside `spans`, lets the queue
    // drain, then checks that inside the spans the device holds what the program packed and that
    // outside them only the preset's name changed (a live change renames it "Custom").
    void ExpectDeviceChangedOnly(const PresetImage& before, std::initializer_list<ImageSpan> spans) {
        ASSERT_TRUE(Pump([&] { return Differs(m_dev.GetState().live, before, spans); }))
            << "the change never reached the device";
        ExpectDeviceMatchesOnly(before, spans);
    }
    // The same without waiting for a difference: for changes that must send nothing, or that
    // return to where they started.
    void ExpectDeviceMatchesOnly(const PresetImage& before, std::initializer_list<ImageSpan> spans) {
        ASSERT_TRUE(WaitLinkIdle());
        const PresetImage after = m_dev.GetState().live;
        const PresetImage mine = ProgramImage();
        for (size_t i = 0; i < sizeof(PresetImage); ++i) {
            if (Inside(i, {kNameSpan}))
                continue;
            if (Inside(i, spans)) {
                ASSERT_EQ(Bytes(after)[i], Bytes(mine)[i]) << "byte " << i << " differs from the program's";
            } else {
                ASSERT_EQ(Bytes(after)[i], Bytes(before)[i]) << "byte " << i << " outside the change moved";
            }
        }
    }

    COutputDlg* m_page = nullptr;
};
