#pragma once

#include <QList>
#include <QPointer>

#include <functional>
#include <utility>

class QAction;
class QActionGroup;
class QWidget;

// The one place that decides whether a command may run now: no command while a build runs or
// while a dialog that stands for a modal one is up, whatever triggered it (menu, shortcut,
// toolbar, assistive technology, the tree). Both states nest freely with each other.
class InputGate {
public:
    // `window` is the main window, whose dialogs a build holds.
    explicit InputGate(QWidget& window);

    // The panes that take no input while commands are blocked. Not the main window itself:
    // disabling it would disable every dialog it parents and any pane that must keep taking
    // input during a build.
    void setBlockedWidgets(QList<QWidget*> widgets);
    // Connects `action` to `command` through the gate and puts it under the gate's blocked layer.
    void route(QAction* action, std::function<void()> command);

    void setInputEnabled(bool enabled);
    bool inputEnabled() const { return m_inputEnabled; }
    void enterBusy();
    void leaveBusy();
    bool busy() const { return m_busyDepth > 0; }
    bool commandsAllowed() const { return m_inputEnabled && m_busyDepth == 0; }

private:
    void apply();

    QWidget& m_window;
    QList<QWidget*> m_blocked;
    bool m_inputEnabled = true;
    int m_busyDepth = 0;
    // Every command action. Disabling the group blocks them all while each keeps its own
    // availability, which comes back when the group is enabled again.
    QActionGroup* m_commandActions;
    // The dialogs that were up and enabled when the driver started, disabled until it ends,
    // each with the widget that had its focus.
    QList<std::pair<QPointer<QWidget>, QPointer<QWidget>>> m_dialogsHeldByBuild;
};
