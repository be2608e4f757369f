#include "platform/ui/CommDlg.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/InputState.h"
#include "platform/ui/ToolkitFileDialog.h"
#include "platform/ui/Wnd.h"

#include <QFileInfo>
#include <cstring>

namespace {
DWORD g_lastError = 0;

FileDialogHook& Hook() {
    static FileDialogHook hook;
    return hook;
}

QString Q(const char* s) {
    return QString::fromUtf8(s ? s : "");
}

BOOL Run(LPOPENFILENAME ofn, bool open) {
    g_lastError = 0;
    if (!ofn || !ofn->lpstrFile || ofn->nMaxFile == 0)
        return FALSE;
    std::vector<std::string> chosen;
    const bool multi = open && (ofn->Flags & OFN_ALLOWMULTISELECT);
    const CInputState::ModalLoop pointerTaken;
    if (Hook()) {
        if (!Hook()(open, *ofn, chosen) || chosen.empty())
            return FALSE;
    } else {
        // Over the dialog that holds the input, never over a window it disabled.
        CWnd* owner = CDialog::ModalOwnerFor(CWnd::FromHandle(ofn->hwndOwner));
        QWidget* parent = owner ? owner->Widget() : nullptr;
        const std::vector<std::string> filters = FileDialogFilters(ofn->lpstrFilter, true);
        QStringList list;
        for (const std::string& f : filters)
            list << QString::fromStdString(f);
        QString selected = ofn->nFilterIndex > 0 && ofn->nFilterIndex <= static_cast<DWORD>(list.size())
                               ? list[static_cast<int>(ofn->nFilterIndex) - 1]
                               : QString();
        QString start = Q(ofn->lpstrInitialDir);
        if (ofn->lpstrFile[0])
            start = start.isEmpty() ? Q(ofn->lpstrFile) : start + "/" + Q(ofn->lpstrFile);
        CToolkitFileDialog dialog(parent, Q(ofn->lpstrTitle), start, list.join(";;"));
        if (!selected.isEmpty())
            dialog.selectNameFilter(selected);
        if (open) {
            dialog.setFileMode(multi ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            if (!(ofn->Flags & OFN_OVERWRITEPROMPT))
                dialog.setOption(QFileDialog::DontConfirmOverwrite);
        }
        if (dialog.exec() == QDialog::Accepted) {
            selected = dialog.selectedNameFilter();
            for (QString p : dialog.selectedFiles()) {
                if (!open && ofn->lpstrDefExt && *ofn->lpstrDefExt && QFileInfo(p).suffix().isEmpty())
                    p += "." + Q(ofn->lpstrDefExt);
                if (!p.isEmpty())
                    chosen.push_back(p.toStdString());
                if (!multi)
                    break;
            }
        }
        if (chosen.empty())
            return FALSE;
        ofn->nFilterIndex = static_cast<DWORD>(list.indexOf(selected) + 1);
    }
    // The result text: one full path, or the folder and the names NUL-separated.
    std::string result;
    if (chosen.size() == 1 || !multi) {
        result = chosen.front();
        result.push_back('\0');
    } else {
        const std::string dir =
            QFileInfo(QString::fromStdString(chosen.front())).absolutePath().toStdString();
        result = dir;
        result.push_back('\0');
        for (const std::string& p : chosen) {
            result += QFileInfo(QString::fromStdString(p)).fileName().toStdString();
            result.push_back('\0');
        }
    }
    result.push_back('\0');
    if (result.size() > ofn->nMaxFile) {
        g_lastError = FNERR_BUFFERTOOSMALL;
        if (ofn->nMaxFile >= 2) {
            const auto need = static_cast<WORD>(std::min<size_t>(result.size(), 0xFFFF));
            std::memcpy(ofn->lpstrFile, &need, 2);
        }
        return FALSE;
    }
    std::memcpy(ofn->lpstrFile, result.data(), result.size());
    const std::string& first = chosen.front();
    const size_t slash = first.rfind('/');
    const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = first.rfind('.');
    ofn->nFileOffset = static_cast<WORD>(chosen.size() > 1 && multi ? result.find('\0') + 1 : nameAt);
    ofn->nFileExtension = static_cast<WORD>(dot != std::string::npos && dot > nameAt ? dot + 1 : 0);
    if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
        const std::string title = first.substr(nameAt);
        const size_t n = std::min<size_t>(title.size(), ofn->nMaxFileTitle - 1);
        std::memcpy(ofn->lpstrFileTitle, title.data(), n);
        ofn->lpstrFileTitle[n] = '\0';
    }
    return TRUE;
}
} // namespace

BOOL GetOpenFileName(LPOPENFILENAME ofn) {
    return Run(ofn, true);
}

BOOL GetSaveFileName(LPOPENFILENAME ofn) {
    return Run(ofn, false);
}

DWORD CommDlgExtendedError() {
    return g_lastError;
}

void SetFileDialogHook(FileDialogHook hook) {
    Hook() = std::move(hook);
}

std::vector<std::string> FileDialogFilters(LPCTSTR filter, bool nulSeparated) {
    std::vector<std::string> parts;
    if (!filter)
        return {};
    if (nulSeparated) {
        for (const char* p = filter; *p; p += std::strlen(p) + 1)
            parts.emplace_back(p);
    } else {
        std::string s = filter, cur;
        for (char c : s) {
            if (c == '|') {
                parts.push_back(cur);
                cur.clear();
            } else {
                cur.push_back(c);
            }
        }
        if (!cur.empty())
            parts.push_back(cur);
        while (!parts.empty() && parts.back().empty())
            parts.pop_back();
    }
    std::vector<std::string> out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns = parts[i + 1];
        for (char& c : patterns)
            if (c == ';')
                c = ' ';
        const std::string& name = parts[i];
        // A description that already shows its patterns keeps them once.
        if (name.find('(') != std::string::npos)
            out.push_back(name.substr(0, name.find('(')) + "(" + patterns + ")");
        else
            out.push_back(name + " (" + patterns + ")");
    }
    return out;
}

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
    const std::string p = path ? path : "";
    const size_t slash = p.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : p.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? p : p.substr(slash + 1);
    const size_t dot = file.rfind('.');
    const std::string name = dot == std::string::npos ? file : file.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : file.substr(dot);
    auto put = [](char* out, const std::string& s) {
        if (out)
            std::memcpy(out, s.c_str(), s.size() + 1);
    };
    put(drive, "");
    put(dir, folder);
    put(fname, name);
    put(ext, extension);
}
