// Another program's window on the test's X server (the r9-foreign-window helper): made by the
// constructor once the server has it, gone with the object.
#pragma once

#include <QProcess>
#include <QStringList>

#include <cstdint>

namespace r9test {

class ForeignWindow {
public:
    // Runs the helper with args ("cover X Y W H", "frame WINDOW"); Id() is 0 when that failed.
    explicit ForeignWindow(const QStringList& args);
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    // The X window the helper made.
    uint32_t Id() const { return m_id; }

private:
    QProcess m_process;
    uint32_t m_id = 0;
};

} // namespace r9test
