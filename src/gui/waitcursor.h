#pragma once
// CWaitCursor, the wait cursor shown over a long operation, and CNormalCursor, the arrow over
// a message shown in the middle of one.

#include <QApplication>

namespace norvak {

// Shows the wait cursor for as long as it lives.
class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// Shows the arrow for as long as it lives when a wait cursor is shown, and the wait cursor
// again after: a message box in the middle of a long operation is answered with the arrow.
class CNormalCursor {
public:
    CNormalCursor() : m_active(QApplication::overrideCursor() != nullptr) {
        if (m_active)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~CNormalCursor() {
        if (m_active)
            QApplication::restoreOverrideCursor();
    }
    CNormalCursor(const CNormalCursor&) = delete;
    CNormalCursor& operator=(const CNormalCursor&) = delete;

private:
    bool m_active;
};

} // namespace norvak
