#pragma once

#include "ui/StandInDialog.h"

class BuildCommands;
class CommonDialog;
class QLabel;
class QLineEdit;
class QPushButton;

// The Create Exe dialog: the name of the executable to build. Shown without being modal while
// the main window takes no input; every way out gives the input back. Cancel and a successful
// build only hide it, so the name is kept; closing it through its frame discards it.
class Compile : public StandInDialog {
    Q_OBJECT
public:
    Compile(HostWindow& host, BuildCommands& commands, CommonDialog& dialog);

    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    // Escape acts as Cancel.
    void cancel() override;
    // The dialog that started the driver stays until the driver ends: it goes on afterwards.
    bool mayClose() const override;

private:
    void takeBackActivation();

    BuildCommands& m_commands;
    CommonDialog& m_dialog;
};
