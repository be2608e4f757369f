// Which of our top-level windows the user sees at a screen point. The window rectangles do not say:
// another program's window may lie over ours. On X11 the X server is asked for the stacking order;
// elsewhere the toolkit's own knowledge is the answer (the platform's window at the point, else the
// active window or the newest one holding it).
#pragma once

#include <QPoint>

class QWindow;

class CTopLevelAt {
public:
    // Our visible top-level window that is topmost at the global point, or null when another
    // program's window, a window manager's frame or the desktop is there.
    static QWindow* Find(QPoint global);
};
