#pragma once

#include <QDialog>
#include <QHash>

class Main;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

// The tools dialog: choose a slot with the scroll bar or its number, edit its name, program
// location and parameters, "Apply" them to the slot, "Close" to bring the Tools menu in line.
// It stands for a modal dialog: the main window takes no input while it is up.
class customizetools : public QDialog {
    Q_OBJECT
public:
    explicit customizetools(Main& main);

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

protected:
    // Escape and the window frame's close: the main window takes input again.
    void reject() override;

private:
    // A value too long to lay out at once is shown cut short; while its field still shows that,
    // "Apply" keeps the whole value.
    void showValue(QLineEdit* field, const QString& value);
    QString valueOf(const QLineEdit* field) const;

    Main& m_main;
    QHash<const QLineEdit*, QString> m_wholeValues;
};
