// COutputMapCommands: saving and reading the output-map file with its dialogs (the kind-3
// folder, filter "Data File (*.vtac)|*.vtac||"). The caller keeps the folder in the settings and
// shows the error text; a refused file changes no table.
#pragma once

#include "presets/PresetFileText.h"

class CWnd;
class CKTV_Data;

class COutputMapCommands {
public:
    enum Outcome {
        MAP_CANCELLED, // nothing chosen, nothing changed, no message
        MAP_DONE,      // saved, or g_speakerMap and g_xoverTable hold the file's map
        MAP_FAILED,    // show Error(); the folder of the chosen file is still remembered
    };

    // Fills the crossover table from the outputs (doc may be null), then writes the map. A name
    // typed without ".vtac" gets it. folder: in, the start folder; out, the chosen file's folder.
    static Outcome Save(CWnd* owner, CString& folder, CKTV_Data* doc);
    static Outcome Read(CWnd* owner, CString& folder);

    static constexpr const char* kFilter = "Data File (*.vtac)|*.vtac||";
    static const PresetFileText& SaveError() { return kTextSaveMapError; }
    static const PresetFileText& ReadError() { return kTextReadMapError; }
};
