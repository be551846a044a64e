#pragma once

#include <QApplication>
#include <QWidget>

// The window a modal prompt belongs to: the window the user is in (a dialog over a disabled
// main window, for one), so that closing the prompt gives the keyboard back to that window;
// `fallback` when no window of the program is active.
inline QWidget* promptParent(QWidget* fallback) {
    QWidget* active = QApplication::activeWindow();
    return active != nullptr && active->isVisible() ? active : fallback;
}
