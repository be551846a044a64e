#include "build/ShowErrors.h"

#include "build/BuildCommands.h"
#include "core/DisplayText.h"
#include "core/ListField.h"
#include "projects/ProjectState.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text = QString()) {
    auto* result = new QLabel(text, parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setTextFormat(Qt::PlainText);
    return result;
}

double luminance(const QColor& color) {
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

// The colour, darkened (or, on a dark background, lightened) in small steps until text in it
// reads well: a contrast of at least 4.5 to 1. The hue stays, so each caption keeps its role.
QColor readable(const QColor& color, const QColor& background) {
    constexpr double Enough = 4.5;
    const QColor target =
        contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background) ? Qt::black
                                                                                     : Qt::white;
    QColor result = color;
    for (int step = 1; step <= 20 && contrastRatio(result, background) < Enough; ++step) {
        const double keep = 1.0 - step / 20.0;
        result = QColor::fromRgbF(float(color.redF() * keep + target.redF() * (1.0 - keep)),
                                  float(color.greenF() * keep + target.greenF() * (1.0 - keep)),
                                  float(color.blueF() * keep + target.blueF() * (1.0 - keep)));
    }
    return result;
}

void setTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, readable(color, palette.color(QPalette::Window)));
    label->setPalette(palette);
}

// A value from the log: plain text, selectable so that it can be copied, and wrapped.
QLabel* valueLabel(QWidget* parent, const char* name) {
    QLabel* result = label(parent, name);
    result->setWordWrap(true);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    result->setMinimumWidth(parent->fontMetrics().averageCharWidth() * 44);
    return result;
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

ShowErrors::ShowErrors(QWidget* parent, BuildCommands& commands, const ProjectState& project)
    : QDialog(parent), m_commands(commands), m_project(project) {
    setObjectName(QStringLiteral("ShowErrors"));
    setWindowTitle(QStringLiteral("Error in Program"));

    QLabel* heading = label(this, "Label1", QStringLiteral("An Error was found in the Program:"));
    QLabel* fileCaption = label(this, "Label2", QStringLiteral("File Name:"));
    setTextColor(fileCaption, QColor(0, 0, 255));
    QLabel* lineCaption = label(this, "Label3", QStringLiteral("Line Number:"));
    setTextColor(lineCaption, palette().color(QPalette::Highlight));
    QLabel* errorCaption = label(this, "Label6", QStringLiteral("Error:"));
    setTextColor(errorCaption, QColor(0, 128, 0));
    QLabel* hint = label(this, "Label7",
                         QStringLiteral("Remember that some errors can be because there aren't "
                                        "spaces between '=', always use spaces"));
    hint->setWordWrap(true);
    setTextColor(hint, QColor(64, 64, 64));

    Label8 = valueLabel(this, "Label8");
    Label4 = valueLabel(this, "Label4");
    Label5 = valueLabel(this, "Label5");

    Command1 = new QPushButton(QStringLiteral("Goto Line"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Ok"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(fontMetrics().averageCharWidth() * 2);
    grid->addWidget(heading, 0, 0, 1, 2);
    grid->addWidget(fileCaption, 1, 0, Qt::AlignTop);
    grid->addWidget(Label8, 1, 1);
    grid->addWidget(lineCaption, 2, 0, Qt::AlignTop);
    grid->addWidget(Label4, 2, 1);
    grid->addWidget(errorCaption, 3, 0, Qt::AlignTop);
    grid->addWidget(Label5, 3, 1);
    grid->addWidget(hint, 4, 0, 1, 2);
    auto* buttons = new QVBoxLayout();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch(1);
    grid->addLayout(buttons, 3, 2, 2, 1);
    grid->setColumnStretch(1, 1);

    connect(Command1, &QPushButton::clicked, this, &ShowErrors::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ShowErrors::Command2_Click);
}

void ShowErrors::setValues(const QString& lineNumber, const QString& message,
                           const QString& fileName) {
    Label4->setText(displayedText(lineNumber));
    Label5->setText(displayedText(message));
    Label8->setText(displayedText(fileName));
    m_lineNumber = leadingNumber(lineNumber);
    m_fileName = fileName;
}

void ShowErrors::Command1_Click() {
    m_commands.GotoErrorLine(m_lineNumber, m_fileName, m_project.ProjectOpen);
    hide();
}

void ShowErrors::Command2_Click() {
    hide();
}
