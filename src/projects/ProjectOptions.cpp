#include "projects/ProjectOptions.h"

#include "projects/ProjectState.h"
#include "ui/WidgetBuilders.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ProjectOptions::ProjectOptions(HostWindow& host, ProjectState& project)
    : StandInDialog(host, false), m_project(project) {
    setObjectName(QStringLiteral("ProjectOptions"));
    setWindowTitle(QStringLiteral("ProjectOptions"));

    const auto row = [this](const char* name, const char* caption, QLineEdit*& field,
                            const char* fieldName, const char* text) {
        QLabel* label = makeLabel(this, name, QString::fromLatin1(caption));
        field = makeField(this, fieldName, label);
        field->setText(QString::fromLatin1(text));
        return label;
    };
    Label1 = row("Label1", "Temp String Size", Text1, "Text1", "64000");
    Label2 = row("Label2", "Max Objects", Text2, "Text2", "100");

    Command1 = makeButton(this, "Command1", QStringLiteral("Set"));
    Command1->setDefault(true);
    Command2 = makeButton(this, "Command2", QStringLiteral("Cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Text2, 1, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    grid->addLayout(buttons, 2, 0, 1, 2);

    connect(Command1, &QPushButton::clicked, this, &ProjectOptions::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ProjectOptions::Command2_Click);
}

void ProjectOptions::Command1_Click() {
    m_project.TempStringSize = Text1->text();
    m_project.MaxObjects = Text2->text();
    leave();
}

void ProjectOptions::Command2_Click() {
    leave();
}
