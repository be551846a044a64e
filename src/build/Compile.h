#pragma once

#include <QDialog>

class BuildCommands;
class Main;
class QLabel;
class QLineEdit;
class QPushButton;

// The Create Exe dialog: the name of the executable to build. Shown without being modal while
// the main window takes no input; every way out gives the input back. Cancel and a successful
// build only hide it, so the name is kept; closing it through its frame discards it.
class Compile : public QDialog {
    Q_OBJECT
public:
    Compile(Main& main, BuildCommands& commands);

    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    // Escape acts as Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();
    void takeBackActivation();

    Main& m_main;
    BuildCommands& m_commands;
};
