#include "wire/FrameBuilder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes FrameOf(const std::unique_ptr<CSendData>& p) {
    if (!p)
        return {};
    return Bytes(p->GetData(), p->GetData() + p->GetSize());
}

TEST(FrameBuilderTest, EveryHeaderFieldLandsInItsByte) {
    // Distinct values per field, so a swapped pair of offsets shows.
    const FrameHeader head{FRAME_READ, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    const BYTE payload[3] = {0xA0, 0xB0, 0xC0};
    const Bytes expected = {0x6B, 0x6B, 0x6B, 0xEE, 0xA2, 0x11, 0x22, 0x33, 0x44, 0x55,
                            0x66, 0x00, 0x03, 0x00, 0xA0, 0xB0, 0xC0, 0x06, 0xAA};
    const Bytes f = FrameOf(BuildFrame(head, payload, 3));
    EXPECT_EQ(f, expected);
    EXPECT_TRUE(LinkFrame::IsValid(f.data(), static_cast<int>(f.size())));
}

TEST(FrameBuilderTest, PayloadLengthBounds) {
    struct Case {
        int length;
        bool built;
    };
    for (Case c : {Case{-1, false}, Case{0, true}, Case{LinkFrame::CHUNK_SIZE, true},
                   Case{LinkFrame::MAX_PAYLOAD, true}, Case{LinkFrame::MAX_PAYLOAD + 1, false}}) {
        // A null payload goes out as zeros.
        const Bytes f = FrameOf(BuildFrame(FrameHeader{}, nullptr, c.length));
        ASSERT_EQ(!f.empty(), c.built) << c.length;
        if (!c.built)
            continue;
        ASSERT_EQ(f.size(), static_cast<size_t>(c.length + LinkFrame::OVERHEAD)) << c.length;
        EXPECT_EQ(LinkFrame::PayloadLength(f.data()), c.length);
        for (int i = 0; i < c.length; ++i)
            ASSERT_EQ(f[LinkFrame::OFS_PAYLOAD + i], 0) << c.length << " byte " << i;
        EXPECT_TRUE(LinkFrame::IsValid(f.data(), static_cast<int>(f.size()))) << c.length;
    }
}

} // namespace
