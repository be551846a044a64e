#include "ui/StandInDialog.h"

#include "ui/HostWindow.h"

#include <QCloseEvent>

StandInDialog::StandInDialog(HostWindow& host, bool discardOnClose)
    : QDialog(host.hostWidget()), m_host(host), m_discardOnClose(discardOnClose) {
    setModal(false);
    if (discardOnClose)
        setAttribute(Qt::WA_DeleteOnClose);
}

void StandInDialog::enter() {
    m_host.setInputEnabled(false);
    showOrRaise(*this);
}

void StandInDialog::leave() {
    giveInputBack();
    hide();
}

void StandInDialog::giveInputBack() {
    m_host.setInputEnabled(true);
}

void StandInDialog::cancel() {
    leave();
}

void StandInDialog::reject() {
    cancel();
}

void StandInDialog::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    if (!m_discardOnClose) {
        // Runs reject(), that is Cancel, and accepts once the dialog is hidden.
        QDialog::closeEvent(event);
        return;
    }
    giveInputBack();
    event->accept();
}

void showOrRaise(QWidget& window) {
    if (window.isVisible())
        window.raise();
    else
        window.show();
    window.activateWindow();
}
