// PresetReadResult: what a preset file reader gives back: the new value and the records the file
// set, or a refusal with the text the user is shown (nothing was changed).
#pragma once

#include "presets/PresetFileText.h"
#include "presets/PresetRecords.h"

struct PresetReadResult {
    bool ok = false;
    PresetRecords records; // the new value when ok
    unsigned parts = 0;    // PresetPart bits the file set (Commit writes these)
    // How much of each image the file carried: JSON files hold the first 112 bytes of each input
    // and no mic; the rest stays as the base had it.
    int inputBytes = static_cast<int>(sizeof(InputRecord));
    bool micSet = true;
    PresetFileText error; // why it was refused

    explicit operator bool() const { return ok; }
    static PresetReadResult Refused(const PresetFileText& text) {
        PresetReadResult r;
        r.error = text;
        return r;
    }
    // Commits the value when ok; returns ok.
    bool Commit() const {
        if (ok)
            records.Commit(parts);
        return ok;
    }
};
