#include "link/UpData_Thread.h"
#include "platform/core/Event.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"
#include "platform/core/Wait.h"
#include "support/PumpMessages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <chrono>
#include <thread>
#include <vector>

namespace {

struct Dialog : CMessageTarget {
    Dialog() { RegisterTarget(); }
    ~Dialog() override { UnregisterTarget(); }
    LRESULT WindowProc(UINT message, WPARAM, LPARAM lParam) override {
        if (message == WM_UPDATE_POLL_RESULT)
            results.push_back(static_cast<int>(lParam));
        return 0;
    }
    bool PumpUntil(const std::function<bool()>& pred) { return r9test::PumpUntil(pred, 10000); }
    std::vector<int> results;
};

// The poll thread with a barrier: once Sync returns, the thread has handled every message queued
// before it, the stop of its timer included.
class SyncedPoll : public CUpData_Thread {
public:
    static constexpr UINT kSync = 0x8FF0;
    void Sync() {
        CEvent done(FALSE, TRUE);
        ASSERT_TRUE(PostThreadMessage(kSync, 0, reinterpret_cast<LPARAM>(static_cast<HANDLE>(done))));
        ASSERT_EQ(::WaitForSingleObject(done, INFINITE), WAIT_OBJECT_0);
    }
    // 0 once the timer is killed: no tick can come any more.
    UINT_PTR TimerId() const { return m_nTimerId.load(); }
    BOOL OnThreadMessage(MSG* pMsg) override {
        if (pMsg->message != kSync)
            return CUpData_Thread::OnThreadMessage(pMsg);
        ::SetEvent(reinterpret_cast<HANDLE>(pMsg->lParam));
        return TRUE;
    }
};

class UpDataThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_thread = new SyncedPoll;
        m_thread->m_bAutoDelete = FALSE;
        m_thread->SetOwner(m_dialog.GetTargetHandle());
        m_thread->SetReconnect([this](BOOL quiet) {
            std::lock_guard lock(m_lock);
            m_calls.push_back(quiet);
            return static_cast<BOOL>(m_succeedAt > 0 && static_cast<int>(m_calls.size()) >= m_succeedAt);
        });
        ASSERT_TRUE(m_thread->CreateThread());
    }
    void TearDown() override {
        m_thread->Stop([this] { m_thread->Quit(); });
        delete m_thread;
    }
    std::vector<BOOL> Calls() {
        std::lock_guard lock(m_lock);
        return m_calls;
    }
    Dialog m_dialog;
    SyncedPoll* m_thread = nullptr;
    std::mutex m_lock;
    std::vector<BOOL> m_calls;
    int m_succeedAt = 0;
};

} // namespace

TEST_F(UpDataThreadTest, FiftyQuietTriesThenALastOneWithMessagesReportsFailure) {
    m_thread->StartTimer(2);
    ASSERT_TRUE(m_dialog.PumpUntil([&] { return !m_dialog.results.empty(); }));
    // Nothing more arrives once the result is in: the timer is gone.
    m_thread->Sync();
    EXPECT_EQ(m_thread->TimerId(), 0u);
    r9::msg::DeliverPending();
    EXPECT_EQ(m_dialog.results, std::vector<int>{0});
    auto calls = Calls();
    ASSERT_EQ(calls.size(), 51u);
    for (size_t i = 0; i < 50; ++i)
        EXPECT_TRUE(calls[i]) << i;
    EXPECT_FALSE(calls[50]);
    EXPECT_FALSE(m_thread->IsTimerOn());
}

TEST_F(UpDataThreadTest, AQuietSuccessStopsThePollAndReportsIt) {
    m_succeedAt = 3;
    m_thread->StartTimer(2);
    ASSERT_TRUE(m_dialog.PumpUntil([&] { return !m_dialog.results.empty(); }));
    m_thread->Sync();
    EXPECT_EQ(m_thread->TimerId(), 0u);
    r9::msg::DeliverPending();
    EXPECT_EQ(m_dialog.results, std::vector<int>{1});
    EXPECT_EQ(Calls(), (std::vector<BOOL>{TRUE, TRUE, TRUE}));
    EXPECT_EQ(m_thread->GetLastResult(), 1);
}

TEST_F(UpDataThreadTest, StoppedPollTriesNoMore) {
    m_thread->StartTimer(2);
    ASSERT_TRUE(m_dialog.PumpUntil([&] { return Calls().size() >= 2; }));
    m_thread->StopTimer();
    size_t n = Calls().size();
    // A tick taken before the stop may still be running; after the barrier the timer is gone.
    m_thread->Sync();
    EXPECT_EQ(m_thread->TimerId(), 0u);
    EXPECT_LE(Calls().size(), n + 1);
    n = Calls().size();
    m_thread->Sync();
    EXPECT_EQ(Calls().size(), n);
    r9::msg::DeliverPending();
    EXPECT_TRUE(m_dialog.results.empty());
}
