#include "link/UpData_Thread.h"
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

class UpDataThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_thread = new CUpData_Thread;
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
        m_thread->Quit();
        ::WaitForSingleObject(m_thread->m_hThread, INFINITE);
        delete m_thread;
    }
    std::vector<BOOL> Calls() {
        std::lock_guard lock(m_lock);
        return m_calls;
    }
    Dialog m_dialog;
    CUpData_Thread* m_thread = nullptr;
    std::mutex m_lock;
    std::vector<BOOL> m_calls;
    int m_succeedAt = 0;
};

} // namespace

TEST_F(UpDataThreadTest, FiftyQuietTriesThenALastOneWithMessagesReportsFailure) {
    m_thread->StartTimer(2);
    ASSERT_TRUE(m_dialog.PumpUntil([&] { return !m_dialog.results.empty(); }));
    // Nothing more arrives once the result is in.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
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
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    r9::msg::DeliverPending();
    EXPECT_EQ(m_dialog.results, std::vector<int>{1});
    EXPECT_EQ(Calls(), (std::vector<BOOL>{TRUE, TRUE, TRUE}));
    EXPECT_EQ(m_thread->GetLastResult(), 1);
}

TEST_F(UpDataThreadTest, StoppedPollTriesNoMore) {
    m_thread->StartTimer(2);
    ASSERT_TRUE(m_dialog.PumpUntil([&] { return Calls().size() >= 2; }));
    m_thread->StopTimer();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    size_t n = Calls().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(Calls().size(), n);
    r9::msg::DeliverPending();
    EXPECT_TRUE(m_dialog.results.empty());
}
