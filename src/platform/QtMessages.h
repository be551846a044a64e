#pragma once

#include "platform/Messages.h"

class QWidget;

// Message boxes on QMessageBox, the beep on QApplication::beep.
class QtMessages : public Messages {
public:
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    MsgAnswer show(const QString& title, const QString& text, MsgIcon icon,
                   MsgButtons buttons) override;
    void beep() override;

private:
    QWidget* m_parent = nullptr;
};
