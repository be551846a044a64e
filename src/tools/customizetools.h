#pragma once

#include "ui/StandInDialog.h"

#include <QHash>

class HostWindow;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class ToolCommands;

// The tools dialog: choose a slot with the scroll bar or its number, edit its name, program
// location and parameters, "Apply" them to the slot, "Close" to bring the Tools menu in line.
// It stands for a modal dialog: the main window takes no input while it is up.
class customizetools : public StandInDialog {
    Q_OBJECT
public:
    customizetools(HostWindow& host, ToolCommands& commands);

    QLineEdit* Text1 = nullptr; // slot number
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text4 = nullptr; // ProgramName
    QLabel* Label1 = nullptr;
    QLineEdit* Text2 = nullptr; // ProgramLocation
    QLabel* Label2 = nullptr;
    QLineEdit* Text3 = nullptr;      // Parameters
    QPushButton* Command2 = nullptr; // Apply
    QPushButton* Command1 = nullptr; // Close

    // Puts slot n's three values into the fields.
    void ShowToolSlot(int n);

    void HScroll1_Change();
    void Text1_Change();
    void Command2_Click();
    void Command1_Click();

private:
    // A value too long to lay out at once is shown cut short; while its field still shows that,
    // "Apply" keeps the whole value.
    void showValue(QLineEdit* field, const QString& value);
    QString valueOf(const QLineEdit* field) const;

    ToolCommands& m_commands;
    QHash<const QLineEdit*, QString> m_wholeValues;
};
