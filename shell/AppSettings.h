// The program's settings under its registry key: the folders of the file dialogs, the firmware
// file and folder, the UI language and the show-all-curves option. The remembered USB device
// paths are the USB link's register (CUsbLink::ResetUsbKey), not kept here. Failures are silent:
// a folder that cannot be read or is gone becomes the documents folder.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// Folder kinds of the file dialogs.
constexpr int FOLDER_PRESET = 1;      // single-preset files
constexpr int FOLDER_ALL_PRESETS = 2; // all-presets files
constexpr int FOLDER_MAP = 3;         // output-map files
constexpr int FOLDER_HEX = 4;         // firmware files
constexpr int NUM_FOLDER_KINDS = 4;

class CAppSettings {
public:
    CAppSettings();

    // Start-up: the PC_File key created when missing, DspMcu and the language decision, Line_Set.
    void LoadAtStartUp();

    // nKind 1..4; other kinds read nothing (or, for a missing key, only create it). TRUE.
    BOOL LoadFileFolder(int nKind);
    BOOL SaveFileFolder(int nKind);
    // Name = g_strHexPath, Path = the firmware folder, Language = g_strLanguage. TRUE.
    BOOL LoadDspMcuSettings();
    // Writes the three from memory; the language written follows g_bChinese. TRUE.
    BOOL SaveDspMcuSettings();
    // "Line_Set" = "%d" of g_bShowAllCurves. TRUE.
    BOOL LoadLineSet();
    BOOL SaveLineSet();
    // After LoadDspMcuSettings: an empty language is set from g_bChinese and stored; a stored one
    // sets g_bChinese exactly when it is "Chinese".
    void ApplyStoredLanguage();

    // TRUE when the path does not exist or is not a folder.
    static BOOL IsFolderMissing(LPCTSTR pszPath);
    // $XDG_DOCUMENTS_DIR, else ~/Documents when it is a folder, else $HOME.
    static CString DocumentsFolder();

    // The folder of a kind 1..4 (kind 1 for any other).
    CString& Folder(int nKind);
    CString m_strFirmwareFolder;

private:
    // Creates PC_File with the documents folder in every kind.
    void CreateFileFolders();

    CString m_strFolders[NUM_FOLDER_KINDS];
};
