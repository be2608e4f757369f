// The level page's bindings to the model, without windows: the master volume and its on/off byte,
// the six input levels, the eight output levels with their on/off and phase, and the choice of the
// current input. Levels are compared by their effective value (0 while muted or at level zero), a
// level change switches a muted output on, and the output setter copies the level to the outputs
// linked with it. UI thread.
#pragma once

#include "platform/core/WinTypes.h"
#include "model/RecordRanges.h"

class CKTV_Data;
class CKTV_OutData;
class CMusic_InData;
class CLevelPageHost;

class CLevelBindings {
public:
    static constexpr int kMaxMaster = range::kMasterVolume.hi;
    static constexpr int kMaxLevel = range::kLevel.hi;
    static constexpr int kInputs = 6;
    static constexpr int kOutputs = 8;

    void Attach(CKTV_Data* data, CLevelPageHost* host) {
        m_pData = data;
        m_pHost = host;
    }

    // ---- Master volume (g_systemData bytes 0-1) and master on/off (byte 6)
    static int MasterVolume();
    static int MasterOn();
    struct MasterChange {
        BOOL stored = FALSE;     // the volume differed and was stored
        BOOL switchedOn = FALSE; // the master was off and is on again
    };
    // Stores v (clamped to 0..66) when it differs; moving the master switches it back on.
    MasterChange SetMasterVolume(int v);
    void SetMasterOn(int on);

    // ---- Levels; -1 for an input or output that does not exist
    int InputLevel(int n) const;
    // Input n takes v when its effective level differs. TRUE when it was set.
    BOOL SetInputLevel(int n, int v);
    int OutputLevel(int n) const;
    struct OutputChange {
        BOOL stored = FALSE;
        BOOL switchedOn = FALSE;
    };
    // Output n takes v when its effective level differs (its linked outputs follow in the model);
    // a muted output is switched on.
    OutputChange SetOutputLevel(int n, int v);
    // On/off and phase of output n only.
    void SetOutputEnabled(int n, int on);
    void SetOutputPolarity(int n, int polarity);
    // The other outputs with n's link-group number, in output order; returns their count.
    static int LinkedOutputs(int n, int (&out)[kOutputs]);

    // ---- The current input
    struct InputChoice {
        BOOL holdReleased = FALSE; // the input-hold byte was set, cleared and sent
        BOOL changed = FALSE;      // n became the current input and was sent
    };
    // Tells the input page the hold byte and input as they were, releases the hold, and makes n
    // current (source byte, source check, CMD_SOURCE_SET) when it is not already.
    InputChoice SelectInput(int n);
    // Clears a set input-hold byte and sends the system record; TRUE when it was set.
    BOOL ReleaseInputHold();

    CMusic_InData* Input(int n) const;
    CKTV_OutData* Output(int n) const;

private:
    CKTV_Data* m_pData = nullptr;
    CLevelPageHost* m_pHost = nullptr;
};
