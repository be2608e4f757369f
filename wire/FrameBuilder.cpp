#include "wire/FrameBuilder.h"

#include <cstring>

std::unique_ptr<CSendData> BuildFrame(const FrameHeader& head, const BYTE* payload, int length) {
    if (length < 0 || length > LinkFrame::MAX_PAYLOAD)
        return nullptr;
    const int total = length + LinkFrame::OVERHEAD;
    auto buffer = std::make_unique<BYTE[]>(static_cast<size_t>(total)); // value-initialised: zeros
    BYTE* f = buffer.get();
    f[0] = f[1] = f[2] = FRAME_SYNC;
    f[3] = FRAME_START;
    f[LinkFrame::OFS_TYPE] = head.type;
    f[LinkFrame::OFS_ADDR] = static_cast<BYTE>(head.addr);
    f[LinkFrame::OFS_PRESET] = static_cast<BYTE>(head.preset);
    f[LinkFrame::OFS_GROUP] = static_cast<BYTE>(head.group);
    f[LinkFrame::OFS_INDEX] = static_cast<BYTE>(head.index);
    f[LinkFrame::OFS_CHUNK] = static_cast<BYTE>(head.chunk);
    f[LinkFrame::OFS_LINKFLAG] = static_cast<BYTE>(head.linkFlag);
    f[LinkFrame::OFS_LENGTH] = static_cast<BYTE>(length & 0xFF);
    f[LinkFrame::OFS_LENGTH + 1] = static_cast<BYTE>((length >> 8) & 0xFF);
    if (payload && length > 0)
        std::memcpy(f + LinkFrame::OFS_PAYLOAD, payload, static_cast<size_t>(length));
    f[total - 2] = LinkFrame::Checksum(f, total);
    f[total - 1] = FRAME_END;
    auto packet = std::make_unique<CSendData>();
    packet->SetData(std::move(buffer));
    packet->SetSize(total);
    return packet;
}
