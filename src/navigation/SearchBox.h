#pragma once

#include "ui/StandInDialog.h"

class DocumentManager;
class NavigationCommands;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The search dialog "Search...". Shown without being modal; it takes the main window's input
// away when it is created and gives it back on each way of leaving. Hidden by "Cancel" it keeps
// its fields; closed through its frame it is discarded.
class SearchBox : public StandInDialog {
    Q_OBJECT
public:
    SearchBox(HostWindow& host, NavigationCommands& commands, DocumentManager& documents);

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void Command1_Click();
    void Command2_Click();

protected:
    // Escape leaves the dialog as "Cancel" does.
    void cancel() override;
    // Gives the input back to the main window and the keyboard to the editor the search was for.
    void giveInputBack() override;

private:
    void Form_Load();

    NavigationCommands& m_commands;
    DocumentManager& m_documents;
};
