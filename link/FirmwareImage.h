// A firmware update file and the frame sequence built from it. The file holds an MCU part, a DSP
// part or both; the sequence is refilled one step at a time as the link worker empties the queue.
#pragma once

#include "link/SendDataQueue.h"
#include "platform/core/WinTypes.h"
#include "wire/SendData.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Firmware step codes (header byte 8 of an update frame and the packet's step code).
constexpr int FW_STEP_APPLY = 0x36;        // HEXApply
constexpr int FW_STEP_START = 0x37;        // HEXStart
constexpr int FW_STEP_DATA = 0x38;         // HEXData
constexpr int FW_STEP_END = 0x39;          // HEXEnd
constexpr int FW_STEP_REQUEST_INFO = 0x3A; // IAP_DSP_REQUEST_INFO
constexpr int FW_STEP_MCU_DATA = 0x3B;     // IAP_DSP_DATA
constexpr int FW_STEP_END_INF = 0x3C;      // IAP_DSP_END_INF, never sent
constexpr int FW_STEP_HANDSHAKE = 0xFF;    // HEXHandshake, never sent as a frame

// Shown when the update file cannot be read or is not an update file.
inline constexpr const char g_strUpdateFileError[] = "Update file error!";
inline constexpr const char g_strUpdateFileErrorCn[] = "升级文件错误!";

// Progress range of the update dialog's bar: the estimated frame count + 6.
extern std::atomic<int> g_nUpdateRange;

class CFirmwareImage {
public:
    static constexpr size_t MCU_FILE_SIZE = 0x40004; // files this large carry an MCU part
    static constexpr size_t MCU_IMAGE_SIZE = 0x3FFFF;
    static constexpr size_t DSP_MAGIC_OFFSET = 0x40004;
    static constexpr int MCU_FRAME_BYTES = 44;
    static constexpr int DSP_FRAME_BYTES = 48;
    static constexpr int START_BYTES = 4; // the DSP image's first bytes go in HEXStart
    static constexpr int MIN_DSP_IMAGE = START_BYTES + 1;
    static constexpr BYTE CHECKSUM_SEED = 0x12;
    // Update files are a few hundred KiB; anything larger is refused before it is read whole.
    static constexpr size_t MAX_FILE_SIZE = 16 * 1024 * 1024;

    enum class LoadResult { Ok, CannotOpen, BadFile };

    // Reads the file into the image state; on failure the state is empty. A file over
    // MAX_FILE_SIZE is a BadFile (read no further than that).
    LoadResult Load(const std::string& path);
    LoadResult LoadBytes(const std::vector<BYTE>& file);
    // Empties both images and every step position; the handshake is pending again.
    void Clear();

    // "WDSP" / "WMCU" at data.
    static bool IsDspImage(const BYTE* data, size_t size);
    static bool IsMcuImage(const BYTE* data, size_t size);

    // Called by the link worker when the queue is empty (g_linkLock held by the queue calls).
    void QueueNextFrames(CSendDataQueue& queue);
    void QueueHandshake(CSendDataQueue& queue);
    void QueueMcuUpdate(CSendDataQueue& queue);
    void QueueDspUpdate(CSendDataQueue& queue);

    // An update frame: FRAME_WRITE, address 1, preset 0, group 9, index = step, chunk 0.
    static std::unique_ptr<CSendData> BuildFrame(int step, const BYTE* payload, int length);

    bool HasMcuPart() const { return m_bMcuPart; }
    bool HasDspPart() const { return m_bDspPart; }
    // Bytes still to be framed.
    size_t McuBytesLeft() const { return m_mcu.size() - m_mcuPos; }
    size_t DspBytesLeft() const { return m_dsp.size() - m_dspPos; }
    BYTE GetDspChecksum() const { return m_checksum; }
    bool IsHandshakePending() const { return m_bHandshakePending; }
    // The estimated frame count n (the main view's bar range); the dialog's range is n + 6.
    int GetFrameEstimate() const { return m_nFrameEstimate; }
    int GetUpdateRange() const { return m_nFrameEstimate + 6; }
    // Progress index of the last packet queued.
    int GetLastProgress() const { return m_nProgress; }

private:
    void Queue(CSendDataQueue& queue, int step, const BYTE* payload, int length);

    std::vector<BYTE> m_mcu;
    size_t m_mcuPos = 0;
    std::vector<BYTE> m_dsp;
    size_t m_dspPos = 0;
    BYTE m_checksum = CHECKSUM_SEED;
    bool m_bMcuPart = false;
    bool m_bDspPart = false;
    bool m_bHandshakePending = true;
    int m_nMcuStep = 0;
    int m_nDspStep = 0;
    uint32_t m_nMcuAddress = 0;
    int m_nFrameEstimate = 0;
    int m_nProgress = 0;
};
