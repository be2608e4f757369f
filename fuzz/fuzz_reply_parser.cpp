// The reply parser and dispatcher fed arbitrary bytes in arbitrary splits through every feeder,
// with a queue whose head packets carry progress, batch ends and firmware steps.
#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "model/DataDefine.h"
#include "model/Globals.h"
#include "model/RecordFrames.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

CKTVCommand& Command() {
    static CKTVCommand* command = [] {
        InitData();
        return new CKTVCommand;
    }();
    return *command;
}

void Refill(CKTVCommand& cmd, uint8_t selector) {
    while (cmd.GetQueueCount() < 2) {
        auto packet = BuildSystemReadFrame(CMD_DEVICE_STATE, 0);
        packet->SetProgress(selector & 0x0F);
        packet->SetReadEnd(selector & 0x10);
        packet->SetSendEnd(selector & 0x20);
        static const int steps[] = {0, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C};
        packet->SetStepCode(steps[(selector >> 5) & 7]);
        cmd.AddPacket(std::move(packet));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CKTVCommand& cmd = Command();
    cmd.ClearQueue();
    if (size < 2)
        return 0;
    g_bLinkCheckPending = data[0] & 1;
    g_nLinkState = (data[0] >> 1) & 3;
    g_bUpdateAborting = (data[0] >> 3) & 1;
    g_bDspImageLoaded = (data[0] >> 4) & 1;
    g_nUpdateBarMax = data[1];
    cmd.SetUsbOpen(TRUE);
    size_t pos = 2;
    while (pos + 1 < size) {
        const uint8_t mode = data[pos++];
        const size_t want = 1 + static_cast<size_t>(data[pos++]);
        const size_t n = std::min(want, size - pos);
        Refill(cmd, mode);
        const uint8_t* chunk = data + pos;
        switch (mode & 3) {
        case 0:
            cmd.FeedBytes(chunk, static_cast<int>(n));
            break;
        case 1:
            for (size_t at = 0; at < n; at += 64) {
                std::memset(g_hidInReport, 0, sizeof g_hidInReport);
                std::memcpy(g_hidInReport + 1, chunk + at, std::min<size_t>(64, n - at));
                cmd.FeedHidReport(HID_IN_REPORT_SIZE);
            }
            break;
        case 2:
            std::memcpy(g_netRecvBuf, chunk, std::min<size_t>(n, NET_RECV_SIZE));
            cmd.FeedNetData(static_cast<int>(std::min<size_t>(n, NET_RECV_SIZE)));
            break;
        default:
            for (size_t k = 0; k < n; ++k)
                cmd.FeedSerialByte(chunk[k]);
            break;
        }
        cmd.TakeViewWait();
        pos += n;
    }
    return 0;
}
