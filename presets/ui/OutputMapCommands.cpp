#include "presets/ui/OutputMapCommands.h"

#include "model/KTV_Data.h"
#include "presets/OutputMapFile.h"
#include "presets/PresetFileIo.h"
#include "presets/PresetRecords.h"
#include "presets/ui/PresetFileDialog.h"

COutputMapCommands::Outcome COutputMapCommands::Save(CWnd* owner, CString& folder, CKTV_Data* doc) {
    CString path;
    if (!CPresetFileDialog::Run(owner, FALSE, folder, kFilter, &path, nullptr))
        return MAP_CANCELLED;
    path = CPresetFileIo::WithExtension(path, "vtac");
    folder = CPresetFileIo::Folder(path);
    if (doc)
        doc->StoreCrossovers();
    return COutputMapFile::WriteFile(path, PresetRecords::FromGlobals()) ? MAP_DONE : MAP_FAILED;
}

COutputMapCommands::Outcome COutputMapCommands::Read(CWnd* owner, CString& folder) {
    CString path;
    if (!CPresetFileDialog::Run(owner, TRUE, folder, kFilter, &path, nullptr))
        return MAP_CANCELLED;
    folder = CPresetFileIo::Folder(path);
    return COutputMapFile::ReadFile(path, PresetRecords::FromGlobals()).Commit() ? MAP_DONE : MAP_FAILED;
}
