#include "shell/InputGate.h"

#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QWidget>

InputGate::InputGate(QWidget& window)
    : m_window(window), m_commandActions(new QActionGroup(&window)) {
    m_commandActions->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
}

void InputGate::setBlockedWidgets(QList<QWidget*> widgets) {
    m_blocked = std::move(widgets);
}

void InputGate::route(QAction* action, std::function<void()> command) {
    m_commandActions->addAction(action);
    // QAction::trigger() fires even on a disabled action, so the gate is asked again here.
    QObject::connect(action, &QAction::triggered, &m_window, [this, command = std::move(command)] {
        if (commandsAllowed())
            command();
    });
}

void InputGate::setInputEnabled(bool enabled) {
    m_inputEnabled = enabled;
    apply();
}

void InputGate::enterBusy() {
    if (m_busyDepth++ == 0) {
        // The dialogs that are up take nothing either, assistive technology included; they
        // can still be closed.
        for (QDialog* dialog : m_window.findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
            if (dialog->isVisible() && dialog->isEnabled()) {
                m_dialogsHeldByBuild.append({dialog, dialog->focusWidget()});
                dialog->setEnabled(false);
            }
        }
    }
    apply();
}

void InputGate::leaveBusy() {
    if (m_busyDepth > 0 && --m_busyDepth == 0) {
        for (const auto& [dialog, focus] : std::as_const(m_dialogsHeldByBuild)) {
            if (dialog != nullptr)
                dialog->setEnabled(true);
            if (focus != nullptr)
                focus->setFocus();
        }
        m_dialogsHeldByBuild.clear();
    }
    apply();
}

void InputGate::apply() {
    const bool on = commandsAllowed();
    for (QWidget* widget : std::as_const(m_blocked))
        widget->setEnabled(on);
    m_commandActions->setEnabled(on);
}
