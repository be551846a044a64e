#pragma once

#include <QDialog>

class BuildCommands;
class QColor;
class Main;
class QLabel;
class QPushButton;

// The contrast of two colours by their relative luminance, from 1 (equal) to 21 (black and
// white).
double contrastRatio(const QColor& a, const QColor& b);

// The compiler's error: file, line number and message, with Goto Line. Not modal; its buttons
// only hide it, so the values stay until the next report.
class ShowErrors : public QDialog {
    Q_OBJECT
public:
    ShowErrors(Main& main, BuildCommands& commands);

    // The values: line number, message and file name. Plain text.
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    // Shows a report's values. A value too long to lay out at once is cut short for display;
    // Goto Line still gets the whole file name.
    void setValues(const QString& lineNumber, const QString& message, const QString& fileName);

    void Command1_Click();
    void Command2_Click();

private:
    Main& m_main;
    BuildCommands& m_commands;
    QString m_fileName;
};
