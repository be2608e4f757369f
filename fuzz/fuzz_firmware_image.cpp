// The firmware update file reader fed arbitrary files, and the whole frame sequence built from an
// accepted one. Files with an MCU part are over 256 KiB: with the first byte odd, the input is
// spread over a file of that size (its head at the start, its tail at the DSP part's offset).
#include "link/FirmwareImage.h"
#include "link/SendDataQueue.h"
#include "model/Globals.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    std::vector<BYTE> file;
    if (data[0] & 1) {
        // Bytes 1..2: how much of the rest goes at the start; the remainder follows the MCU part.
        const size_t head = std::min<size_t>(size - 3, data[1] | (data[2] << 8));
        const size_t tail = size - 3 - head;
        file.assign(CFirmwareImage::DSP_MAGIC_OFFSET + tail + (data[0] >> 1 & 7), 0);
        std::copy(data + 3, data + 3 + head, file.begin());
        std::copy(data + 3 + head, data + size, file.begin() + CFirmwareImage::DSP_MAGIC_OFFSET);
    } else {
        file.assign(data + 1, data + size);
    }

    CFirmwareImage image;
    if (image.LoadBytes(file) != CFirmwareImage::LoadResult::Ok)
        return 0;
    if (image.GetFrameEstimate() < 0 || image.GetUpdateRange() != g_nUpdateRange)
        std::abort();

    // Every byte of each part must be framed, and the sequence must end.
    CSendDataQueue queue;
    const size_t limit = file.size() / 4 + 16;
    size_t steps = 0;
    do {
        queue.ClearQueue();
        image.QueueNextFrames(queue);
        if (++steps > limit)
            std::abort();
    } while (queue.GetQueueCount() > 0);
    if (image.McuBytesLeft() != 0 || image.DspBytesLeft() != 0)
        std::abort();
    return 0;
}
