#include "build/Compile.h"

#include "build/BuildCommands.h"
#include "platform/CommonDialog.h"
#include "ui/HostWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString ExecutableFilter =
    QStringLiteral("All Files (*.*)|*.*|Executable Files (*.exe)|*.exe");

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setAutoDefault(false);
    return result;
}

} // namespace

Compile::Compile(HostWindow& host, BuildCommands& commands, CommonDialog& dialog)
    : StandInDialog(host, true), m_commands(commands), m_dialog(dialog) {
    setObjectName(QStringLiteral("Compile"));
    setWindowTitle(QStringLiteral("Compile"));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Name"));
    Text1->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    Label1 = new QLabel(QStringLiteral("Name"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(Text1);
    Command1 = button(this, "Command1", QStringLiteral("Browse"));
    Command2 = button(this, "Command2", QStringLiteral("Cancel"));
    Command3 = button(this, "Command3", QStringLiteral("Create Exe"));
    Command3->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Text1, 0, 0);
    grid->addWidget(Command1, 0, 1);
    grid->addWidget(Label1, 1, 0, Qt::AlignLeft | Qt::AlignTop);
    auto* bottom = new QHBoxLayout();
    bottom->addStretch(1);
    bottom->addWidget(Command2);
    bottom->addWidget(Command3);
    grid->setRowMinimumHeight(2, fontMetrics().height());
    grid->addLayout(bottom, 3, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &Compile::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Compile::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Compile::Command3_Click);
}

void Compile::Command1_Click() {
    const QString name = m_dialog.askSaveFile(ExecutableFilter);
    if (!name.isEmpty())
        Text1->setText(name);
    takeBackActivation();
}

void Compile::Command2_Click() {
    leave();
}

void Compile::Command3_Click() {
    if (!m_commands.CreateExe(Text1->text())) {
        takeBackActivation();
        return;
    }
    leave();
}

// A prompt over this dialog may leave the activation with the disabled main window as it goes
// (the window system hands it to the main window), where the keyboard does nothing: the user is
// still working here. An error report that came up instead keeps it.
void Compile::takeBackActivation() {
    const QWidget* active = QApplication::activeWindow();
    if (isVisible() && (active == nullptr || active == m_host.hostWidget()))
        activateWindow();
}

void Compile::cancel() {
    Command2_Click();
}

bool Compile::mayClose() const {
    return !m_host.busy();
}
