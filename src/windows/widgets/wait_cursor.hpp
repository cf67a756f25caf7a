#pragma once
// The busy pointer over the whole program while long work runs inside one handler (drawing a
// page, listing skins, extracting), restored however the work ends.
#include <QApplication>
#include <QCursor>

namespace fw {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace fw
