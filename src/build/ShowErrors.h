#pragma once

#include <QDialog>

class BuildCommands;
class QColor;
class QLabel;
class ProjectState;
class QPushButton;

// The contrast of two colours by their relative luminance, from 1 (equal) to 21 (black and
// white).
double contrastRatio(const QColor& a, const QColor& b);

// The compiler's error: file, line number and message, with Goto Line. Not modal; its buttons
// only hide it, so the values stay until the next report.
class ShowErrors : public QDialog {
    Q_OBJECT
public:
    ShowErrors(QWidget* parent, BuildCommands& commands, const ProjectState& project);

    // The values: line number, message and file name. Plain text.
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    // Shows a report's values. A value too long to lay out at once is cut short for display;
    // Goto Line still gets the whole line number and file name.
    void setValues(const QString& lineNumber, const QString& message, const QString& fileName);

    void Command1_Click();
    void Command2_Click();

private:
    BuildCommands& m_commands;
    const ProjectState& m_project;
    double m_lineNumber = 0;
    QString m_fileName;
};
