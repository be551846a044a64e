#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class ProjectState;

// The project options dialog. It stands for a modal dialog: whoever shows it disables the main
// window, and every way of leaving it ("Set", "Cancel", Escape, the frame) calls `leave` to
// enable it again. The fields keep what was typed last; they are never filled from the options.
class ProjectOptions : public QDialog {
    Q_OBJECT
public:
    ProjectOptions(ProjectState& project, std::function<void()> leave, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr; // Temp String Size
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;      // Max Objects
    QPushButton* Command1 = nullptr; // Set
    QPushButton* Command2 = nullptr; // Cancel

    void Command1_Click();
    void Command2_Click();

protected:
    // Escape and the frame's close box: the same as Cancel.
    void reject() override;

private:
    ProjectState& m_project;
    std::function<void()> m_leave;
};
