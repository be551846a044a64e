#pragma once

#include <QDialog>

class Main;
class NavigationCommands;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The search dialog "Search...". Shown without being modal; it takes the main window's input
// away when it is created and gives it back on each way of leaving. Hidden by "Cancel" it keeps
// its fields; closed through its frame it is discarded.
class SearchBox : public QDialog {
    Q_OBJECT
public:
    SearchBox(Main& main, NavigationCommands& commands);

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape leaves the dialog as "Cancel" does.
    void reject() override;

private:
    void Form_Load();
    void Form_Unload();
    // Gives the input back to the main window and the keyboard to the editor the search was for.
    void returnToEditor();

    Main& m_main;
    NavigationCommands& m_commands;
};
