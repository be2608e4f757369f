#include "platform/ui/Menu.h"

#include "platform/ui/InputState.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/Wnd.h"
#include "res/ResourceTable.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <algorithm>
#include <utility>
#include <memory>
#include <vector>

// The menu behind a handle.
struct HMENU__ {
    struct Item {
        UINT flags = 0;
        UINT id = 0;
        CString text;
        HMENU popup = nullptr; // owned
    };
    std::vector<Item> items;
    bool popup = false;
    std::unique_ptr<CMenu> wrapper; // handed out by FromHandle
    ~HMENU__() {
        for (Item& i : items)
            delete i.popup;
        if (wrapper)
            wrapper->m_hMenu = nullptr;
    }
};

namespace {
std::function<UINT(CMenu&, int, int)>& TrackHook() {
    static std::function<UINT(CMenu&, int, int)> hook;
    return hook;
}

// The item addressed by command id (searching popups) or by position.
HMENU__::Item* FindItem(HMENU menu, UINT item, UINT flags, HMENU* owner = nullptr, size_t* index = nullptr) {
    if (!menu)
        return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= menu->items.size())
            return nullptr;
        if (owner)
            *owner = menu;
        if (index)
            *index = item;
        return &menu->items[item];
    }
    for (size_t i = 0; i < menu->items.size(); ++i) {
        HMENU__::Item& it = menu->items[i];
        if (!it.popup && !(it.flags & MF_SEPARATOR) && it.id == item) {
            if (owner)
                *owner = menu;
            if (index)
                *index = i;
            return &it;
        }
        if (it.popup)
            if (HMENU__::Item* found = FindItem(it.popup, item, flags, owner, index))
                return found;
    }
    return nullptr;
}

HMENU__::Item MakeItem(UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
    HMENU__::Item it;
    it.flags = flags & ~MF_BYPOSITION;
    if (flags & MF_POPUP)
        it.popup = reinterpret_cast<HMENU>(idOrPopup);
    else
        it.id = static_cast<UINT>(idOrPopup);
    it.text = text ? text : "";
    return it;
}

const char* const kPopupStyle =
    "QMenu { background: #23262d; color: #e0e3ea; border: 1px solid #3d434f; padding: 3px 0; }"
    "QMenu::item { padding: 5px 22px 5px 22px; }"
    "QMenu::item:selected { background: #1f6fb2; color: #ffffff; }"
    "QMenu::item:disabled { color: #6b7080; }"
    "QMenu::separator { height: 1px; background: #3d434f; margin: 3px 8px; }";

void Fill(QMenu* menu, HMENU data, QList<QAction*>& actions) {
    for (const HMENU__::Item& it : data->items) {
        if (it.flags & MF_SEPARATOR) {
            menu->addSeparator();
            continue;
        }
        if (it.popup) {
            QMenu* sub = menu->addMenu(QString::fromUtf8(it.text.GetString()));
            sub->setEnabled(!(it.flags & (MF_GRAYED | MF_DISABLED)));
            Fill(sub, it.popup, actions);
            continue;
        }
        QAction* a = menu->addAction(QString::fromUtf8(it.text.GetString()));
        a->setData(it.id);
        a->setEnabled(!(it.flags & (MF_GRAYED | MF_DISABLED)));
        if (it.flags & MF_CHECKED) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        actions << a;
    }
}
} // namespace

CMenu::~CMenu() {
    // A menu owned through this object dies with it; a wrapper from FromHandle never owns.
    if (m_hMenu && m_hMenu->wrapper.get() != this)
        DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu) {
    if (!menu)
        return nullptr;
    if (!menu->wrapper) {
        menu->wrapper = std::make_unique<CMenu>();
        menu->wrapper->m_hMenu = menu;
    }
    return menu->wrapper.get();
}

BOOL CMenu::CreateMenu() {
    if (m_hMenu)
        return FALSE;
    m_hMenu = new HMENU__;
    return TRUE;
}

BOOL CMenu::CreatePopupMenu() {
    if (m_hMenu)
        return FALSE;
    m_hMenu = new HMENU__;
    m_hMenu->popup = true;
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT resourceId) {
    const auto rows = res::FindMenu(resourceId);
    if (rows.empty() || m_hMenu)
        return FALSE;
    m_hMenu = new HMENU__;
    // Rows are flat with depths: each popup row opens a level for the deeper rows below it.
    std::vector<HMENU> stack{m_hMenu};
    for (const res::MenuItemSpec& row : rows) {
        const size_t depth = static_cast<size_t>(std::max(0, row.depth));
        while (stack.size() > depth + 1)
            stack.pop_back();
        HMENU into = stack.back();
        HMENU__::Item it;
        it.flags = row.flags & ~MF_POPUP;
        it.id = row.command;
        it.text = ResourceLoader::Pick(row.en, row.zh);
        if (row.flags & MF_POPUP) {
            it.popup = new HMENU__;
            it.popup->popup = true;
            it.flags |= MF_POPUP;
        }
        into->items.push_back(it);
        if (it.popup)
            stack.push_back(it.popup);
    }
    return TRUE;
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu)
        return FALSE;
    HMENU h = Detach();
    if (h->wrapper.get() == this)
        h->wrapper.release();
    delete h;
    return TRUE;
}

BOOL CMenu::Attach(HMENU menu) {
    if (m_hMenu || !menu)
        return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach() {
    return std::exchange(m_hMenu, nullptr);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
    if (!m_hMenu)
        return FALSE;
    m_hMenu->items.push_back(MakeItem(flags, idOrPopup, text));
    return TRUE;
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
    if (!m_hMenu)
        return FALSE;
    size_t at = m_hMenu->items.size();
    if (flags & MF_BYPOSITION) {
        if (position != 0xFFFFFFFF)
            at = std::min<size_t>(position, m_hMenu->items.size());
    } else {
        HMENU owner = nullptr;
        size_t index = 0;
        if (!FindItem(m_hMenu, position, MF_BYCOMMAND, &owner, &index))
            return FALSE;
        owner->items.insert(owner->items.begin() + static_cast<long>(index),
                            MakeItem(flags, idOrPopup, text));
        return TRUE;
    }
    m_hMenu->items.insert(m_hMenu->items.begin() + static_cast<long>(at), MakeItem(flags, idOrPopup, text));
    return TRUE;
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCTSTR text) {
    HMENU__::Item* it = FindItem(m_hMenu, position, flags);
    if (!it)
        return FALSE;
    HMENU keep = it->popup;
    *it = MakeItem(flags, idOrPopup, text);
    if (keep && it->popup != keep)
        delete keep;
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags) {
    HMENU owner = nullptr;
    size_t index = 0;
    if (!FindItem(m_hMenu, position, flags, &owner, &index))
        return FALSE;
    delete owner->items[index].popup;
    owner->items.erase(owner->items.begin() + static_cast<long>(index));
    return TRUE;
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags) {
    HMENU owner = nullptr;
    size_t index = 0;
    if (!FindItem(m_hMenu, position, flags, &owner, &index))
        return FALSE;
    owner->items.erase(owner->items.begin() + static_cast<long>(index)); // the popup stays alive
    return TRUE;
}

CMenu* CMenu::GetSubMenu(int position) const {
    if (!m_hMenu || position < 0 || static_cast<size_t>(position) >= m_hMenu->items.size())
        return nullptr;
    return FromHandle(m_hMenu->items[static_cast<size_t>(position)].popup);
}

int CMenu::GetMenuItemCount() const {
    return m_hMenu ? static_cast<int>(m_hMenu->items.size()) : -1;
}

UINT CMenu::GetMenuItemID(int position) const {
    if (!m_hMenu || position < 0 || static_cast<size_t>(position) >= m_hMenu->items.size())
        return 0;
    const HMENU__::Item& it = m_hMenu->items[static_cast<size_t>(position)];
    return it.popup ? 0xFFFFFFFF : it.id;
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    const HMENU__::Item* it = FindItem(m_hMenu, item, flags);
    text = it ? it->text : CString();
    return text.GetLength();
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
    const HMENU__::Item* it = FindItem(m_hMenu, item, flags);
    if (!it)
        return 0xFFFFFFFF;
    return it->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP);
}

UINT CMenu::CheckMenuItem(UINT item, UINT check) {
    HMENU__::Item* it = FindItem(m_hMenu, item, check);
    if (!it)
        return 0xFFFFFFFF;
    const UINT old = it->flags & MF_CHECKED;
    it->flags = (it->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
    HMENU__::Item* it = FindItem(m_hMenu, item, enable);
    if (!it)
        return 0xFFFFFFFF;
    const UINT old = it->flags & (MF_GRAYED | MF_DISABLED);
    it->flags = (it->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return old;
}

BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags) {
    bool found = false;
    for (UINT id = first; id <= last && id >= first; ++id) {
        const bool on = id == item;
        if (CheckMenuItem(id, (flags & MF_BYPOSITION) | (on ? MF_CHECKED : MF_UNCHECKED)) != 0xFFFFFFFF && on)
            found = true;
        if (id == last)
            break;
    }
    return found ? TRUE : FALSE;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT) {
    if (!m_hMenu)
        return FALSE;
    UINT chosen = 0;
    const CInputState::ModalLoop pointerTaken;
    if (TrackHook()) {
        chosen = TrackHook()(*this, x, y);
    } else {
        QMenu menu(owner ? owner->Widget() : nullptr);
        // Popups take the program's dark look, not the desktop's light one.
        menu.setStyleSheet(kPopupStyle);
        QList<QAction*> actions;
        Fill(&menu, m_hMenu, actions);
        QPoint at(x, y);
        const QSize size = menu.sizeHint();
        if (flags & TPM_RIGHTALIGN)
            at.rx() -= size.width();
        else if (flags & TPM_CENTERALIGN)
            at.rx() -= size.width() / 2;
        if (flags & TPM_BOTTOMALIGN)
            at.ry() -= size.height();
        else if (flags & TPM_VCENTERALIGN)
            at.ry() -= size.height() / 2;
        if (QAction* a = menu.exec(at))
            chosen = a->data().toUInt();
    }
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen && owner && !(flags & TPM_NONOTIFY))
        owner->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return chosen ? TRUE : FALSE;
}

void CMenu::SetTrackHook(std::function<UINT(CMenu&, int, int)> hook) {
    TrackHook() = std::move(hook);
}
