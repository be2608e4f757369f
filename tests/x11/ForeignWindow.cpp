#include "ForeignWindow.h"

#include "support/TimeScale.h"

namespace r9test {

namespace {
constexpr int kGuardMs = 30000;
}

ForeignWindow::ForeignWindow(const QStringList& args) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(R9_FOREIGN_WINDOW), args);
    if (!m_process.waitForStarted(Ms(kGuardMs)))
        return;
    // The helper prints the id once the server made the window: a state, the time is a guard only.
    while (!m_process.canReadLine())
        if (!m_process.waitForReadyRead(Ms(kGuardMs)))
            return;
    bool ok = false;
    const uint id = QString::fromLatin1(m_process.readLine()).trimmed().toUInt(&ok);
    m_id = ok ? id : 0;
}

ForeignWindow::~ForeignWindow() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(Ms(kGuardMs))) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

} // namespace r9test
