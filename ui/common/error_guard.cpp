#include "ui/common/error_guard.h"

bool GuardedApplication::notify(QObject *receiver, QEvent *event) {
    bool result = false;
    guarded(activeWindow(), [&] { result = QApplication::notify(receiver, event); });
    return result;
}
