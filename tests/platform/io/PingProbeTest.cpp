#include "platform/io/PingProbe.h"

#include <gtest/gtest.h>

TEST(PingProbe, OutputOfBothForms) {
    struct Row {
        const char* text;
        bool answered;
    } rows[] = {
        {"Reply from 10.10.100.254: bytes=32 time<1ms TTL=255\r\n", true},
        {"64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.045 ms\n", true},
        {"Request timed out.\r\n", false},
        {"From 10.0.0.1 icmp_seq=1 Destination Host Unreachable\n", false},
        {"1 packets transmitted, 0 received, 100% packet loss\n", false},
        {"", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(PingOutputHasTtl(r.text), r.answered ? TRUE : FALSE) << r.text;
}

TEST(PingProbe, RefusesAnythingButADottedAddress) {
    std::string out = "stale";
    for (const char* bad : {"127.0.0.1; touch /tmp/x", "$(reboot)", "-f", "localhost", ""}) {
        EXPECT_FALSE(SystemPing(bad, &out)) << bad;
        EXPECT_TRUE(out.empty());
    }
    EXPECT_FALSE(SystemPing(nullptr, &out));
}

TEST(PingProbe, InstalledProbeReplacesTheSystemOne) {
    std::string seen;
    SetPingProbe([&](const char* ip, std::string* output) {
        seen = ip;
        if (output)
            *output = "TTL=64";
        return TRUE;
    });
    std::string out;
    EXPECT_TRUE(PingHost("10.1.2.3", &out));
    EXPECT_EQ(seen, "10.1.2.3");
    EXPECT_EQ(out, "TTL=64");
    SetPingProbe(nullptr);
    EXPECT_FALSE(PingHost("not an address"));
}

TEST(PingProbe, ChildOutputAndExitStatus) {
    std::string out;
    EXPECT_EQ(RunChildWithDeadline({"sh", "-c", "echo ttl=1; echo err >&2; exit 3"}, 5000, &out), 3);
    EXPECT_EQ(out, "ttl=1\nerr\n");
    // Arguments reach the child as they are, without a shell reading them.
    EXPECT_EQ(RunChildWithDeadline({"echo", "a;b", "$(x)"}, 5000, &out), 0);
    EXPECT_EQ(out, "a;b $(x)\n");
    EXPECT_EQ(RunChildWithDeadline({"no-such-program-r9"}, 1000, &out), -1);
}

TEST(PingProbe, ChildPastItsDeadlineIsKilled) {
    std::string out;
    EXPECT_EQ(RunChildWithDeadline({"sh", "-c", "echo started; exec sleep 30"}, 200, &out), -1);
    EXPECT_EQ(out, "started\n");
}

TEST(PingProbe, OutputIsBounded) {
    std::string out;
    EXPECT_EQ(RunChildWithDeadline({"sh", "-c", "head -c 100000 /dev/zero | tr '\\0' x"}, 5000, &out), 0);
    EXPECT_EQ(out.size(), 1023u);
}

TEST(PingProbe, LoopbackAnswersWhenPingIsAvailable) {
    std::string out;
    if (!SystemPing("127.0.0.1", &out))
        GTEST_SKIP() << "no ping or no ICMP here: " << out;
    EXPECT_TRUE(PingOutputHasTtl(out));
}
