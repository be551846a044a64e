#include "projects/ProjectOptions.h"

#include "projects/ProjectState.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ProjectOptions::ProjectOptions(ProjectState& project, std::function<void()> leave, QWidget* parent)
    : QDialog(parent), m_project(project), m_leave(std::move(leave)) {
    setObjectName(QStringLiteral("ProjectOptions"));
    setWindowTitle(QStringLiteral("ProjectOptions"));
    setModal(false);

    const auto row = [this](const char* name, const char* caption, QLineEdit*& field,
                            const char* fieldName, const char* text) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setObjectName(QString::fromLatin1(name));
        field = new QLineEdit(QString::fromLatin1(text), this);
        field->setObjectName(QString::fromLatin1(fieldName));
        field->setAccessibleName(label->text());
        label->setBuddy(field);
        return label;
    };
    Label1 = row("Label1", "Temp String Size", Text1, "Text1", "64000");
    Label2 = row("Label2", "Max Objects", Text2, "Text2", "100");

    Command1 = new QPushButton(QStringLiteral("Set"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

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
    m_leave();
    hide();
}

void ProjectOptions::Command2_Click() {
    m_leave();
    hide();
}

void ProjectOptions::reject() {
    Command2_Click();
}
