#include "shell/AppSettings.h"

#include "model/Globals.h"
#include "platform/core/Registry.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

const char* const kFolderValues[NUM_FOLDER_KINDS] = {"File_Path", "AllFile_Path", "Map_Path", "Hex"};
constexpr const char kValueName[] = "Name";
constexpr const char kValuePath[] = "Path";

std::string SubKey(const char* name) {
    return std::string(g_strRegKey) + "\\" + name;
}

// An open key, closed with the object.
class CKey {
public:
    CKey(const char* name, bool create) {
        const std::string path = SubKey(name);
        LSTATUS rc = create
                         ? RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
                                          REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &m_key, nullptr)
                         : RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &m_key);
        if (rc != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~CKey() {
        if (m_key)
            RegCloseKey(m_key);
    }
    CKey(const CKey&) = delete;
    CKey& operator=(const CKey&) = delete;

    bool IsOpen() const { return m_key != nullptr; }

    // Asks the size first on every read, so a value that grew during the run still reads whole.
    bool Read(const char* name, CString* out) const {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueEx(m_key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
            return false;
        std::vector<BYTE> data(size + 1, 0);
        if (RegQueryValueEx(m_key, name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            return false;
        *out = CString(reinterpret_cast<const char*>(data.data()));
        return true;
    }

    bool Write(const char* name, const CString& value) const {
        const char* text = value.GetString();
        return RegSetValueEx(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                             static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
    }

private:
    HKEY m_key = nullptr;
};

bool IsKind(int nKind) {
    return nKind >= 1 && nKind <= NUM_FOLDER_KINDS;
}

} // namespace

CAppSettings::CAppSettings() {
    m_strFirmwareFolder = DocumentsFolder();
}

CString& CAppSettings::Folder(int nKind) {
    return m_strFolders[IsKind(nKind) ? nKind - 1 : 0];
}

CString CAppSettings::DocumentsFolder() {
    const char* docs = std::getenv("XDG_DOCUMENTS_DIR");
    if (docs && *docs)
        return docs;
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return "/";
    const std::string documents = std::string(home) + "/Documents";
    if (!IsFolderMissing(documents.c_str()))
        return documents.c_str();
    return home;
}

BOOL CAppSettings::IsFolderMissing(LPCTSTR pszPath) {
    if (!pszPath || !*pszPath)
        return TRUE;
    std::error_code ec;
    return std::filesystem::is_directory(pszPath, ec) ? FALSE : TRUE;
}

void CAppSettings::LoadAtStartUp() {
    SaveFileFolder(0);
    LoadDspMcuSettings();
    ApplyStoredLanguage();
    LoadLineSet();
}

void CAppSettings::CreateFileFolders() {
    CKey key(g_strRegPcFile, true);
    const CString docs = DocumentsFolder();
    for (int k = 0; k < NUM_FOLDER_KINDS; ++k) {
        m_strFolders[k] = docs;
        if (key.IsOpen())
            key.Write(kFolderValues[k], docs);
    }
}

BOOL CAppSettings::LoadFileFolder(int nKind) {
    CKey key(g_strRegPcFile, false);
    if (!key.IsOpen()) {
        CreateFileFolders();
        return TRUE;
    }
    if (!IsKind(nKind))
        return TRUE;
    CString& folder = Folder(nKind);
    if (!key.Read(kFolderValues[nKind - 1], &folder) || IsFolderMissing(folder)) {
        folder = DocumentsFolder();
        key.Write(kFolderValues[nKind - 1], folder);
    }
    return TRUE;
}

BOOL CAppSettings::SaveFileFolder(int nKind) {
    CKey key(g_strRegPcFile, false);
    if (!key.IsOpen()) {
        CreateFileFolders();
        return TRUE;
    }
    if (!IsKind(nKind))
        return TRUE;
    CString& folder = Folder(nKind);
    if (!key.Write(kFolderValues[nKind - 1], folder)) {
        folder = DocumentsFolder();
        key.Write(kFolderValues[nKind - 1], folder);
    }
    return TRUE;
}

BOOL CAppSettings::LoadDspMcuSettings() {
    CKey key(g_strRegDspMcu, false);
    if (!key.IsOpen()) {
        CKey created(g_strRegDspMcu, true);
        if (created.IsOpen()) {
            created.Write(kValueName, g_strHexPath);
            created.Write(kValuePath, m_strFirmwareFolder);
            created.Write(g_strRegLanguage, g_strLanguage);
        }
        return TRUE;
    }
    CString text;
    if (key.Read(kValueName, &text))
        g_strHexPath = text;
    if (!key.Read(kValuePath, &text) || IsFolderMissing(text))
        text = DocumentsFolder();
    m_strFirmwareFolder = text;
    if (key.Read(g_strRegLanguage, &text))
        g_strLanguage = text;
    return TRUE;
}

BOOL CAppSettings::SaveDspMcuSettings() {
    // Created when missing: a firmware choice is never dropped because the key went away.
    CKey key(g_strRegDspMcu, true);
    g_strLanguage = g_bChinese.load() ? "Chinese" : "English";
    if (!key.IsOpen())
        return TRUE;
    key.Write(kValueName, g_strHexPath);
    key.Write(kValuePath, m_strFirmwareFolder);
    key.Write(g_strRegLanguage, g_strLanguage);
    return TRUE;
}

void CAppSettings::ApplyStoredLanguage() {
    if (g_strLanguage.IsEmpty()) {
        SaveDspMcuSettings();
        return;
    }
    g_bChinese = g_strLanguage == "Chinese" ? 1 : 0;
}

BOOL CAppSettings::LoadLineSet() {
    CKey key(g_strRegLineSet, false);
    if (!key.IsOpen()) {
        CKey created(g_strRegLineSet, true);
        if (created.IsOpen()) {
            CString text;
            text.Format("%d", g_bShowAllCurves.load());
            created.Write(g_strRegLineSet, text);
        }
        return TRUE;
    }
    CString text;
    if (key.Read(g_strRegLineSet, &text))
        g_bShowAllCurves = static_cast<int>(std::strtol(text.GetString(), nullptr, 10));
    return TRUE;
}

BOOL CAppSettings::SaveLineSet() {
    CKey key(g_strRegLineSet, false);
    if (!key.IsOpen())
        return TRUE;
    CString text;
    text.Format("%d", g_bShowAllCurves.load());
    key.Write(g_strRegLineSet, text);
    return TRUE;
}
