#include "platform/ui/OleDropTarget.h"

#include "platform/ui/Wnd.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QObject>
#include <QWidget>

namespace {

DWORD KeyStateOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
    DWORD state = 0;
    if (mods & Qt::ControlModifier)
        state |= MK_CONTROL;
    if (mods & Qt::ShiftModifier)
        state |= MK_SHIFT;
    if (buttons & Qt::LeftButton)
        state |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        state |= MK_RBUTTON;
    return state;
}

Qt::DropAction ActionOf(DROPEFFECT effect) {
    if (effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (effect & DROPEFFECT_COPY)
        return Qt::CopyAction;
    if (effect & DROPEFFECT_LINK)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

DROPEFFECT EffectOf(Qt::DropAction action) {
    switch (action) {
    case Qt::MoveAction:
        return DROPEFFECT_MOVE;
    case Qt::CopyAction:
        return DROPEFFECT_COPY;
    case Qt::LinkAction:
        return DROPEFFECT_LINK;
    default:
        return DROPEFFECT_NONE;
    }
}

} // namespace

class COleDropTarget::Filter : public QObject {
public:
    explicit Filter(COleDropTarget& target) : m_target(target) {}

    bool eventFilter(QObject*, QEvent* event) override {
        CWnd* wnd = m_target.m_wnd;
        if (!wnd)
            return false;
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* e = static_cast<QDragMoveEvent*>(event);
            const CString text = TextOf(e->mimeData());
            const CPoint point(e->position().toPoint().x(), e->position().toPoint().y());
            const DWORD keys = KeyStateOf(e->modifiers(), e->buttons());
            const bool hasText = e->mimeData() && e->mimeData()->hasText();
            const DROPEFFECT effect = event->type() == QEvent::DragEnter
                                          ? m_target.OnDragEnter(wnd, hasText ? &text : nullptr, keys, point)
                                          : m_target.OnDragOver(wnd, hasText ? &text : nullptr, keys, point);
            Answer(e, effect);
            return true;
        }
        case QEvent::DragLeave:
            m_target.OnDragLeave(wnd);
            return true;
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(event);
            const CString text = TextOf(e->mimeData());
            const bool hasText = e->mimeData() && e->mimeData()->hasText();
            const CPoint point(e->position().toPoint().x(), e->position().toPoint().y());
            const DROPEFFECT effect = EffectOf(e->dropAction());
            if (m_target.OnDrop(wnd, hasText ? &text : nullptr, effect, point)) {
                e->setDropAction(ActionOf(effect));
                e->accept();
            } else {
                e->ignore();
            }
            return true;
        }
        default:
            return false;
        }
    }

private:
    static CString TextOf(const QMimeData* data) {
        return data && data->hasText() ? CString(data->text().toUtf8().toStdString()) : CString();
    }
    static void Answer(QDragMoveEvent* e, DROPEFFECT effect) {
        const Qt::DropAction action = ActionOf(effect);
        if (action == Qt::IgnoreAction || !(e->possibleActions() & action)) {
            e->ignore();
            return;
        }
        e->setDropAction(action);
        e->accept();
    }

    COleDropTarget& m_target;
};

COleDropTarget::COleDropTarget() = default;

COleDropTarget::~COleDropTarget() {
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* wnd) {
    if (!wnd || !wnd->Widget())
        return FALSE;
    Revoke();
    m_wnd = wnd;
    m_filter = std::make_unique<Filter>(*this);
    wnd->Widget()->installEventFilter(m_filter.get());
    wnd->Widget()->setAcceptDrops(true);
    return TRUE;
}

void COleDropTarget::Revoke() {
    if (m_wnd && m_wnd->Widget()) {
        m_wnd->Widget()->removeEventFilter(m_filter.get());
        m_wnd->Widget()->setAcceptDrops(false);
    }
    m_filter.reset();
    m_wnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, const CString*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}
DROPEFFECT COleDropTarget::OnDragOver(CWnd*, const CString*, DWORD, CPoint) {
    return DROPEFFECT_NONE;
}
BOOL COleDropTarget::OnDrop(CWnd*, const CString*, DROPEFFECT, CPoint) {
    return FALSE;
}
void COleDropTarget::OnDragLeave(CWnd*) {}

DROPEFFECT DoDragDrop(CWnd* source, const CString& text, DROPEFFECT allowed) {
    if (!source || !source->Widget())
        return DROPEFFECT_NONE;
    auto* drag = new QDrag(source->Widget());
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8(text.GetString(), text.GetLength()));
    drag->setMimeData(data);
    Qt::DropActions actions;
    if (allowed & DROPEFFECT_COPY)
        actions |= Qt::CopyAction;
    if (allowed & DROPEFFECT_MOVE)
        actions |= Qt::MoveAction;
    return EffectOf(drag->exec(actions, Qt::MoveAction));
}
