#include "platform/ui/ShellApi.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/InputState.h"
#include "platform/ui/ToolkitFileDialog.h"
#include "platform/ui/Wnd.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <cstdlib>
#include <cstring>

namespace {
std::function<bool(const std::string&)>& ShellHook() {
    static std::function<bool(const std::string&)> hook;
    return hook;
}
std::function<std::string(const std::string&)>& PickerHook() {
    static std::function<std::string(const std::string&)> hook;
    return hook;
}
} // namespace

HINSTANCE ShellExecute(HWND, LPCTSTR operation, LPCTSTR file, LPCTSTR, LPCTSTR directory, int) {
    if (!file || !*file)
        return reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(SE_ERR_FNF));
    if (operation && *operation && std::strcmp(operation, "open") != 0)
        return reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(SE_ERR_NOASSOC));
    std::string target = file;
    bool ok = false;
    if (ShellHook()) {
        ok = ShellHook()(target);
    } else {
        QString text = QString::fromUtf8(file);
        QUrl url = QUrl::fromUserInput(text, directory ? QString::fromUtf8(directory) : QDir::currentPath(),
                                       QUrl::AssumeLocalFile);
        ok = url.isValid() && QDesktopServices::openUrl(url);
    }
    // The system's answer is an instance handle above 32 on success.
    return reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(ok ? 42 : SE_ERR_NOASSOC));
}

void SetShellExecuteHook(std::function<bool(const std::string&)> hook) {
    ShellHook() = std::move(hook);
}

void SetFolderPickerHook(std::function<std::string(const std::string&)> hook) {
    PickerHook() = std::move(hook);
}

LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO info) {
    if (!info)
        return nullptr;
    // A hidden window stands for the picker while the callback sets its starting folder.
    class Picker : public CWnd {
    public:
        std::string start;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == BFFM_SETSELECTIONA && wParam && lParam) {
                start = reinterpret_cast<const char*>(lParam);
                return 0;
            }
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } picker;
    picker.CreateEx(0, "", "", WS_POPUP, CRect(0, 0, 1, 1), CWnd::FromHandle(info->hwndOwner), 0);
    if (info->lpfn)
        info->lpfn(picker.m_hWnd, BFFM_INITIALIZED, 0, info->lParam);
    std::string chosen;
    const CInputState::ModalLoop pointerTaken;
    if (PickerHook()) {
        chosen = PickerHook()(picker.start);
    } else {
        CWnd* owner = CDialog::ModalOwnerFor(CWnd::FromHandle(info->hwndOwner));
        CToolkitFileDialog dialog(owner ? owner->Widget() : nullptr,
                                  QString::fromUtf8(info->lpszTitle ? info->lpszTitle : ""),
                                  QString::fromStdString(picker.start), QString());
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().constFirst().toStdString();
    }
    picker.DestroyWindow();
    if (chosen.empty() || chosen.size() >= sizeof(ITEMIDLIST::path))
        return nullptr;
    auto* list = static_cast<LPITEMIDLIST>(std::calloc(1, sizeof(ITEMIDLIST)));
    std::memcpy(list->path, chosen.c_str(), chosen.size() + 1);
    if (info->pszDisplayName) {
        const std::string name = QFileInfo(QString::fromStdString(chosen)).fileName().toStdString();
        const size_t n = std::min<size_t>(name.size(), 259);
        std::memcpy(info->pszDisplayName, name.data(), n);
        info->pszDisplayName[n] = '\0';
    }
    return list;
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST list, LPTSTR path) {
    if (!list || !path)
        return FALSE;
    std::memcpy(path, list->path, std::strlen(list->path) + 1);
    return TRUE;
}

HRESULT SHGetMalloc(LPMALLOC* malloc) {
    if (!malloc)
        return E_INVALIDARG;
    static IMalloc shell;
    shell.AddRef();
    *malloc = &shell;
    return S_OK;
}

void CoTaskMemFree(void* block) {
    std::free(block);
}
