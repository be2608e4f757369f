#include "link/FirmwareImage.h"

#include "link/LinkGlobals.h"
#include "model/Globals.h"
#include "wire/LinkFrame.h"

#include <algorithm>
#include <cstring>
#include <fstream>

std::atomic<int> g_nUpdateRange{0};

namespace {

constexpr BYTE kDspMagic[4] = {'W', 'D', 'S', 'P'};
constexpr BYTE kMcuMagic[4] = {'W', 'M', 'C', 'U'};

} // namespace

bool CFirmwareImage::IsDspImage(const BYTE* data, size_t size) {
    return data && size >= 4 && std::memcmp(data, kDspMagic, 4) == 0;
}

bool CFirmwareImage::IsMcuImage(const BYTE* data, size_t size) {
    return data && size >= 4 && std::memcmp(data, kMcuMagic, 4) == 0;
}

void CFirmwareImage::Clear() {
    m_mcu.clear();
    m_dsp.clear();
    m_mcuPos = m_dspPos = 0;
    m_checksum = CHECKSUM_SEED;
    m_bMcuPart = m_bDspPart = false;
    m_bHandshakePending = true;
    m_nMcuStep = m_nDspStep = 0;
    m_nMcuAddress = 0;
    m_nFrameEstimate = 0;
    m_nProgress = 0;
    g_bDspImageLoaded = 0;
    g_bMcuPartPresent = 0;
    g_nUpdateRange = 0;
}

CFirmwareImage::LoadResult CFirmwareImage::Load(const std::string& path) {
    Clear();
    std::ifstream in(path, std::ios::binary);
    if (path.empty() || !in)
        return LoadResult::CannotOpen;
    // Read in pieces up to one byte past the limit: a device file or a huge file ends here.
    std::vector<BYTE> file;
    char buf[64 * 1024];
    while (file.size() <= MAX_FILE_SIZE && in.read(buf, sizeof buf).gcount() > 0)
        file.insert(file.end(), buf, buf + in.gcount());
    if (in.bad())
        return LoadResult::CannotOpen;
    return LoadBytes(file);
}

CFirmwareImage::LoadResult CFirmwareImage::LoadBytes(const std::vector<BYTE>& file) {
    Clear();
    if (file.size() > MAX_FILE_SIZE)
        return LoadResult::BadFile;
    size_t size = file.size();
    const BYTE* data = file.data();
    auto takeDsp = [&](size_t from) {
        m_dsp.assign(file.begin() + static_cast<std::ptrdiff_t>(from), file.end());
        m_checksum = CHECKSUM_SEED;
        for (size_t i = START_BYTES; i < m_dsp.size(); ++i)
            m_checksum ^= m_dsp[i];
        m_bDspPart = true;
    };
    if (size < MCU_FILE_SIZE) {
        if (!IsDspImage(data, size))
            return LoadResult::BadFile;
        takeDsp(4);
    } else {
        if (IsMcuImage(data, size)) {
            m_mcu.assign(file.begin() + 4, file.begin() + 4 + MCU_IMAGE_SIZE);
            m_nDspStep = 1; // the MCU sequence sends HEXApply
            m_bMcuPart = true;
        }
        if (IsDspImage(data + DSP_MAGIC_OFFSET, size - DSP_MAGIC_OFFSET))
            takeDsp(DSP_MAGIC_OFFSET + 4);
        if (!m_bMcuPart && !m_bDspPart)
            return LoadResult::BadFile;
        size -= 5;
    }
    // HEXStart needs four bytes and HEXData at least one more; a shorter image cannot be sent.
    if (m_bDspPart && m_dsp.size() < MIN_DSP_IMAGE) {
        Clear();
        return LoadResult::BadFile;
    }
    g_bDspImageLoaded = m_bDspPart ? 1 : 0;
    g_bMcuPartPresent = m_bMcuPart ? 1 : 0;
    if (m_bMcuPart)
        m_nFrameEstimate = static_cast<int>((size - MCU_IMAGE_SIZE) / DSP_FRAME_BYTES + 5957);
    else
        m_nFrameEstimate = static_cast<int>(size / DSP_FRAME_BYTES);
    g_nUpdateRange = GetUpdateRange();
    return LoadResult::Ok;
}

std::unique_ptr<CSendData> CFirmwareImage::BuildFrame(int step, const BYTE* payload, int length) {
    int total = length + LinkFrame::OVERHEAD;
    auto buf = std::make_unique<BYTE[]>(static_cast<size_t>(total));
    std::memset(buf.get(), 0, static_cast<size_t>(total));
    buf[0] = buf[1] = buf[2] = FRAME_SYNC;
    buf[3] = FRAME_START;
    buf[LinkFrame::OFS_TYPE] = FRAME_WRITE;
    buf[LinkFrame::OFS_ADDR] = 1;
    buf[LinkFrame::OFS_GROUP] = GROUP_SYSTEM;
    buf[LinkFrame::OFS_INDEX] = static_cast<BYTE>(step);
    buf[LinkFrame::OFS_LENGTH] = static_cast<BYTE>(length & 0xFF);
    buf[LinkFrame::OFS_LENGTH + 1] = static_cast<BYTE>(length >> 8);
    if (length > 0)
        std::memcpy(buf.get() + LinkFrame::OFS_PAYLOAD, payload, static_cast<size_t>(length));
    buf[total - 2] = LinkFrame::Checksum(buf.get(), total);
    buf[total - 1] = FRAME_END;
    auto packet = std::make_unique<CSendData>();
    packet->SetData(std::move(buf));
    packet->SetSize(total);
    packet->SetStepCode(step);
    return packet;
}

void CFirmwareImage::Queue(CSendDataQueue& queue, int step, const BYTE* payload, int length) {
    auto packet = BuildFrame(step, payload, length);
    // Every update frame is tracked, so the final answer always finishes the update.
    packet->SetProgress(++m_nProgress);
    queue.AddPacket(std::move(packet));
}

void CFirmwareImage::QueueNextFrames(CSendDataQueue& queue) {
    if (m_bHandshakePending) {
        QueueHandshake(queue);
        m_bHandshakePending = false;
    } else if (McuBytesLeft() > 0) {
        QueueMcuUpdate(queue);
    } else if (DspBytesLeft() > 0) {
        QueueDspUpdate(queue);
    }
}

void CFirmwareImage::QueueHandshake(CSendDataQueue& queue) {
    // The handshake's frame is never sent; the worker sends its C/0x11 reports instead.
    auto packet = BuildFrame(FW_STEP_HANDSHAKE, nullptr, 0);
    queue.AddPacket(std::move(packet));
}

void CFirmwareImage::QueueMcuUpdate(CSendDataQueue& queue) {
    static const BYTE zeros[16] = {};
    if (m_nMcuStep == 0) {
        Queue(queue, FW_STEP_APPLY, zeros, 16);
        Queue(queue, FW_STEP_REQUEST_INFO, zeros, 16);
        m_nMcuStep = 1;
        return;
    }
    if (m_nMcuStep == 1) {
        BYTE payload[4 + MCU_FRAME_BYTES] = {};
        payload[0] = static_cast<BYTE>(m_nMcuAddress);
        payload[1] = static_cast<BYTE>(m_nMcuAddress >> 8);
        payload[2] = static_cast<BYTE>(m_nMcuAddress >> 16);
        payload[3] = static_cast<BYTE>(m_nMcuAddress >> 24);
        size_t left = McuBytesLeft();
        size_t take = std::min<size_t>(left, MCU_FRAME_BYTES);
        std::memcpy(payload + 4, m_mcu.data() + m_mcuPos, take);
        m_mcuPos += take;
        Queue(queue, FW_STEP_MCU_DATA, payload, sizeof payload);
        m_nMcuAddress += MCU_FRAME_BYTES;
        if (left > MCU_FRAME_BYTES)
            return;
        m_nMcuStep = DspBytesLeft() > 0 ? 3 : 2;
    }
    if (m_nMcuStep == 2) {
        Queue(queue, FW_STEP_END, &m_checksum, 1);
        m_nMcuStep = 4;
    }
}

void CFirmwareImage::QueueDspUpdate(CSendDataQueue& queue) {
    static const BYTE zeros[16] = {};
    if (m_nDspStep == 0) {
        Queue(queue, FW_STEP_APPLY, zeros, 16);
        m_nDspStep = 1;
    }
    if (m_nDspStep == 1) {
        Queue(queue, FW_STEP_START, m_dsp.data() + m_dspPos, START_BYTES);
        m_dspPos += START_BYTES;
        m_nDspStep = 2;
    }
    if (m_nDspStep == 2) {
        BYTE payload[DSP_FRAME_BYTES];
        std::memset(payload, 0xFF, sizeof payload);
        size_t left = DspBytesLeft();
        size_t take = std::min<size_t>(left, DSP_FRAME_BYTES);
        std::memcpy(payload, m_dsp.data() + m_dspPos, take);
        m_dspPos += take;
        Queue(queue, FW_STEP_DATA, payload, DSP_FRAME_BYTES);
        if (left > DSP_FRAME_BYTES)
            return;
        m_nDspStep = 3;
    }
    if (m_nDspStep == 3) {
        Queue(queue, FW_STEP_END, &m_checksum, 1);
        m_nDspStep = 4;
    }
}
