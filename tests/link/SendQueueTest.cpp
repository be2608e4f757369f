#include "link/SendDataQueue.h"
#include "wire/SendData.h"

#include "model/Globals.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A packet whose frame bytes are 1, 2, 3, ... (mod 256).
std::unique_ptr<CSendData> Packet(int size) {
    auto buf = std::make_unique<BYTE[]>(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i)
        buf[i] = static_cast<BYTE>(i + 1);
    auto p = std::make_unique<CSendData>();
    p->SetData(std::move(buf));
    p->SetSize(size);
    return p;
}

TEST(SendDataTest, CutsAFrameIntoHidReports) {
    auto p = Packet(312);
    const int expectedBytes[] = {64, 64, 64, 64, 56};
    int offset = 0;
    for (int r = 0; r < 5; ++r) {
        std::fill(std::begin(g_hidOutReport), std::end(g_hidOutReport), 0xEE);
        ASSERT_EQ(p->NextHidReport(), 1) << r;
        EXPECT_EQ(g_hidOutReport[0], 0) << "report id";
        for (int i = 0; i < 64; ++i) {
            const BYTE want = i < expectedBytes[r] ? static_cast<BYTE>(offset + i + 1) : 0;
            ASSERT_EQ(g_hidOutReport[1 + i], want) << "report " << r << " byte " << 1 + i;
        }
        offset += expectedBytes[r];
    }
    EXPECT_EQ(p->GetCursor(), 312);
    EXPECT_EQ(p->NextHidReport(), 0);

    auto small = Packet(24);
    ASSERT_EQ(small->NextHidReport(), 1);
    EXPECT_EQ(g_hidOutReport[24], 24);
    for (int i = 25; i < SEND_REPORT_SIZE; ++i)
        ASSERT_EQ(g_hidOutReport[i], 0) << i;
    EXPECT_EQ(small->NextHidReport(), 0);

    // Exactly 64 bytes: one report, then done.
    auto full = Packet(64);
    EXPECT_EQ(full->NextHidReport(), 1);
    EXPECT_EQ(g_hidOutReport[64], 64);
    EXPECT_EQ(full->NextHidReport(), 0);

    // An empty packet has nothing to hand over.
    CSendData empty;
    EXPECT_EQ(empty.NextHidReport(), 0);
}

TEST(SendDataTest, EndMarksWithoutALinkWaitForTheCursor) {
    auto p = Packet(100);
    p->SetReadEnd(1);
    p->SetSendEnd(1);
    EXPECT_EQ(p->IsReadEnd(true), 1);
    EXPECT_EQ(p->IsSendEnd(true), 1);
    EXPECT_EQ(p->IsReadEnd(false), 0);
    EXPECT_EQ(p->IsSendEnd(false), 0);
    while (p->NextHidReport()) {
    }
    EXPECT_EQ(p->IsReadEnd(false), 1);
    EXPECT_EQ(p->IsSendEnd(false), 1);
}

TEST(SendDataQueueTest, FifoWithHeadOperations) {
    CSendDataQueue q;
    EXPECT_EQ(q.GetHeadPacket(), nullptr);
    q.RemoveHead(); // empty: nothing happens
    q.RewindHead();
    q.MarkHeadResend();
    EXPECT_EQ(q.GetHeadStep(), 0);
    EXPECT_EQ(q.GetQueueCount(), 0);

    auto a = Packet(312);
    CSendData* pa = a.get();
    q.AddPacket(std::move(a));
    q.AddPacket(Packet(24));
    q.AddPacket(nullptr);
    EXPECT_EQ(q.GetQueueCount(), 2);
    ASSERT_EQ(q.GetHeadPacket(), pa);

    pa->NextHidReport();
    pa->NextHidReport();
    q.RewindHead();
    EXPECT_EQ(pa->GetCursor(), 0);
    ASSERT_EQ(pa->NextHidReport(), 1);
    EXPECT_EQ(g_hidOutReport[1], 1) << "starts again at frame byte 0";

    q.MarkHeadResend();
    EXPECT_EQ(pa->IsResend(), 1);
    q.RemoveHead();
    ASSERT_NE(q.GetHeadPacket(), nullptr);
    EXPECT_EQ(q.GetHeadPacket()->GetSize(), 24);
    EXPECT_EQ(q.GetQueueCount(), 1);
}

TEST(SendDataQueueTest, ClearDeletesEveryPacket) {
    CSendDataQueue q;
    for (int i = 0; i < 40; ++i)
        q.AddPacket(Packet(24 + i));
    EXPECT_EQ(q.GetQueueCount(), 40);
    q.ClearQueue();
    EXPECT_EQ(q.GetQueueCount(), 0);
    EXPECT_EQ(q.GetHeadPacket(), nullptr);
}

TEST(SendDataQueueTest, FirmwareHeadQueries) {
    CSendDataQueue q;
    auto p = Packet(24);
    p->SetStepCode(0x36);
    p->SetRetryCount(1);
    CSendData* raw = p.get();
    q.AddPacket(std::move(p));
    EXPECT_EQ(q.GetHeadStep(), 0x36);
    EXPECT_TRUE(q.IsApplyRetry());
    raw->SetRetryCount(2);
    EXPECT_FALSE(q.IsApplyRetry());
}

} // namespace
