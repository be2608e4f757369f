// The frame packer: a header and its payload closed with the checksum and FRAME_END into a new
// packet. It knows the frame format only; what a frame carries is the caller's choice (the
// model's record frames, the firmware steps).
#pragma once

#include "wire/LinkFrame.h"
#include "wire/SendData.h"

#include <memory>

// Header bytes 4..10. Bytes 0..3 are always sync and start, 11 is 0 and 12..13 the payload length.
struct FrameHeader {
    BYTE type = FRAME_WRITE;
    int addr = 1;
    int preset = 0;
    int group = 0;
    int index = 0;
    int chunk = 0;
    int linkFlag = 0;
};

// A frame of head and length payload bytes in a new packet; a null payload sends zeros. nullptr
// when length is outside 0..MAX_PAYLOAD.
std::unique_ptr<CSendData> BuildFrame(const FrameHeader& head, const BYTE* payload, int length);
