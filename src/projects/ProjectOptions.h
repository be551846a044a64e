#pragma once

#include "ui/StandInDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class ProjectState;
class HostWindow;

// The project options dialog. It stands for a modal dialog: the main window takes no input while
// it is up, and every way of leaving it ("Set", "Cancel", Escape, the frame) gives the input back.
// The fields keep what was typed last; they are never filled from the options.
class ProjectOptions : public StandInDialog {
    Q_OBJECT
public:
    ProjectOptions(HostWindow& host, ProjectState& project);

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr; // Temp String Size
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;      // Max Objects
    QPushButton* Command1 = nullptr; // Set
    QPushButton* Command2 = nullptr; // Cancel

    void Command1_Click();
    void Command2_Click();

private:
    ProjectState& m_project;
};
