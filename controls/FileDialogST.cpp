#include "controls/FileDialogST.h"

#include "platform/ui/ShellApi.h"
#include "platform/ui/WinBase.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <cstring>

namespace {
int CALLBACK_BrowseInit(HWND hwnd, UINT message, LPARAM, LPARAM data) {
    // Open the picker at the folder the caller gave.
    if (message == BFFM_INITIALIZED && data)
        ::SendMessage(hwnd, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}
} // namespace

CFileDialogST::CFileDialogST() : m_ofn{} {
    std::memset(m_szFile, 0, sizeof(m_szFile));
    std::memset(m_szFileTitle, 0, sizeof(m_szFileTitle));
    std::memset(m_szSelectedFolder, 0, sizeof(m_szSelectedFolder));
}

CFileDialogST::CFileDialogST(BOOL openDialog, LPCTSTR defaultExt, LPCTSTR fileName, DWORD flags,
                             LPCTSTR filter, CWnd* parent)
    : CFileDialogST() {
    m_bOpenDialog = openDialog;
    // A given file name is copied into the object's own buffer: the dialog writes its result
    // there, whatever the caller's storage was.
    if (fileName) {
        const std::size_t n = std::min<std::size_t>(std::strlen(fileName), MAX_PATH - 2);
        std::memcpy(m_szFile, fileName, n);
    }
    m_ofn.lpstrFile = m_szFile;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrFilter = filter;
    m_ofn.lpstrDefExt = defaultExt;
    if (parent)
        m_ofn.hwndOwner = parent->GetSafeHwnd();
}

CFileDialogST::~CFileDialogST() = default;

int CFileDialogST::DoModal() {
    m_ofn.lStructSize = LOBYTE(LOWORD(GetVersion())) < 5 ? 76 : 88;
    if (!m_ofn.lpstrFile) {
        m_ofn.lpstrFile = m_szFile;
        m_ofn.nMaxFile = MAX_PATH;
    }
    const BOOL chosen = m_bOpenDialog ? GetOpenFileName(&m_ofn) : GetSaveFileName(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialogST::GetPathName() const {
    return CString(m_ofn.lpstrFile ? m_ofn.lpstrFile : "");
}

CString CFileDialogST::GetFileName() const {
    return CString(m_szFileTitle);
}

void CFileDialogST::SplitPath(CString* drive, CString* dir, CString* name, CString* ext) const {
    char d[MAX_PATH] = {}, f[MAX_PATH] = {}, n[MAX_PATH] = {}, e[MAX_PATH] = {};
    _splitpath(m_ofn.lpstrFile ? m_ofn.lpstrFile : "", d, f, n, e);
    if (drive)
        *drive = d;
    if (dir)
        *dir = f;
    if (name)
        *name = n;
    if (ext)
        *ext = e;
}

CString CFileDialogST::GetFileTitle() const {
    CString name;
    SplitPath(nullptr, nullptr, &name, nullptr);
    return name;
}

CString CFileDialogST::GetFileExt() const {
    CString ext;
    SplitPath(nullptr, nullptr, nullptr, &ext);
    return ext;
}

CString CFileDialogST::GetFileDir() const {
    CString drive, dir;
    SplitPath(&drive, &dir, nullptr, nullptr);
    return drive + dir;
}

CString CFileDialogST::GetFileDrive() const {
    CString drive;
    SplitPath(&drive, nullptr, nullptr, nullptr);
    return drive;
}

CFileDialogST::Position CFileDialogST::GetStartPosition() const {
    return m_ofn.lpstrFile;
}

CString CFileDialogST::GetNextPathName(Position& pos) const {
    const char* file = m_ofn.lpstrFile;
    if (!pos || !file)
        return CString();
    const bool explorer = (m_ofn.Flags & OFN_EXPLORER) != 0;
    const char sep = explorer ? '\0' : ' ';
    const char* p = pos;
    if (p == file) {
        if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT)) {
            pos = nullptr;
            return CString(file);
        }
        const char* q = file;
        while (*q && *q != sep)
            ++q;
        if (*q == '\0' && (!explorer || q[1] == '\0')) {
            pos = nullptr; // a single file: the whole text
            return CString(file);
        }
        p = q + 1;
    }
    CString folder;
    if (explorer) {
        folder = file;
    } else {
        const char* space = std::strchr(file, ' ');
        folder = space ? CString(std::string(file, static_cast<size_t>(space - file))) : CString(file);
    }
    const char* e = p;
    while (*e && *e != sep)
        ++e;
    const CString name(std::string(p, static_cast<size_t>(e - p)));
    if (explorer)
        pos = e[1] == '\0' ? nullptr : e + 1;
    else
        pos = *e == '\0' ? nullptr : e + 1;
    const int last = folder.GetLength() - 1;
    const bool endsInSeparator = last >= 0 && (folder[last] == '/' || folder[last] == '\\');
    return endsInSeparator ? folder + name : folder + "/" + name;
}

int CFileDialogST::BrowseForFolder(LPCTSTR title, LPARAM initialFolder, UINT flags, CWnd* parent) {
    LPMALLOC allocator = nullptr;
    if (SHGetMalloc(&allocator) != S_OK || !allocator)
        return IDCANCEL;
    BROWSEINFO info{};
    info.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = m_szSelectedFolder;
    info.lpszTitle = title;
    info.ulFlags = flags;
    info.lpfn = &CALLBACK_BrowseInit;
    info.lParam = initialFolder;
    int result = IDCANCEL;
    if (LPITEMIDLIST list = SHBrowseForFolder(&info)) {
        if (SHGetPathFromIDList(list, m_szSelectedFolder))
            result = IDOK;
        allocator->Free(list);
    }
    allocator->Release();
    return result;
}

CString CFileDialogST::GetSelectedFolder() const {
    return CString(m_szSelectedFolder);
}
