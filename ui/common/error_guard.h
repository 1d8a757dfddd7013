// One guard around every handler: an exception that escapes it is shown in the modal
// error box with its message, and the event loop goes on.
#pragma once

#include "ui/common/dialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QObject>

#include <exception>
#include <utility>

// Runs handler(); shows an escaped exception's message in the error box. Returns false
// when the handler ended with an exception.
template <class Handler>
bool guarded(QWidget *parent, Handler &&handler) noexcept {
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const std::exception &e) {
        try {
            dialogs().error(parent, QString::fromLocal8Bit(e.what()));
        } catch (...) {
        }
    } catch (...) {
        try {
            dialogs().error(parent, QStringLiteral("Something went wrong"));
        } catch (...) {
        }
    }
    return false;
}

// Connects a button's click to a member handler of a window, inside the guard.
template <class Window>
void onClick(QAbstractButton *button, Window *window, void (Window::*handler)()) {
    QObject::connect(button, &QAbstractButton::clicked, window, [window, handler] { guarded(window, [&] { (window->*handler)(); }); });
}

// Connects a menu action to a member handler of a window, inside the guard.
template <class Window>
void onTriggered(QAction *action, Window *window, void (Window::*handler)()) {
    QObject::connect(action, &QAction::triggered, window, [window, handler] { guarded(window, [&] { (window->*handler)(); }); });
}

// The application object: an exception that escapes any event handler is shown in the
// error box instead of ending the program.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};
