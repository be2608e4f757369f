// Whole presets and whole channels between the program and the device in batches: each batch is a
// run of packets with running progress indices, an end mark on its last packet and the progress
// display; most are bracketed by switching the master off and on. Also the output copy, the EQ
// resets and the default mixer levels of a speaker position. UI thread; the batches are queued
// under g_linkLock (taken here as well, it is recursive).
#pragma once

#include "link/BulkHost.h"
#include "platform/core/WinTypes.h"

class CBulkTransfer {
public:
    explicit CBulkTransfer(CBulkHost& host) : m_host(host) {}

    void SendAllPresets();
    void SendPreset(int preset, BOOL store);
    void SendInputChannel(int input);
    void SendOutputChannel(int output);
    BOOL ReadAllDevicePresets();
    void ReadDevicePreset(int preset);
    // Progress dialog bar range 0..batch count, position 0.
    void SetTransferRange();

    void CopyOutput(int from, int to);
    void PasteOutput(int from, int to);
    void ResetLinkedOutputEq();
    void DoResetLinkedOutputEq();
    void ResetOutputEq(int output);
    void ResetInputEq(int input);
    void SetOutputMixDefaults(int output, int code, BOOL requestRestore);

    // The 14 default mix levels of a speaker-position code for a device type; FALSE for a code
    // above 26 (the record is then left alone).
    static BOOL DefaultMixLevels(int code, int deviceType, BYTE levels[14]);
    // The tweeter rules of a pasted output: high-pass at least 1000 Hz (then a low-pass below
    // 1000 Hz becomes 20000 Hz), a switched-off high-pass slope becomes the first slope.
    static void ApplyTweeterRules(CKTV_OutData& output);
    static BOOL IsTweeterCode(int code);

private:
    // Appends with the next progress index and the batch mark.
    void AddBatch(std::unique_ptr<CSendData> packet);
    // The last packet of a read or send batch: the current index, not advanced past it.
    void AddBatchLast(std::unique_ptr<CSendData> packet, BOOL readEnd);
    void Add(std::unique_ptr<CSendData> packet);
    // Resets the output's bands to its default frequencies; with a link stores and queues it.
    void ResetOutputBands(int output);
    void QueueOutputRecord(int output);
    void QueueInputRecord(int input);

    CBulkHost& m_host;
};
