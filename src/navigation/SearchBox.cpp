#include "navigation/SearchBox.h"

#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "navigation/NavigationCommands.h"
#include "shell/Main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

SearchBox::SearchBox(Main& main, NavigationCommands& commands)
    : QDialog(&main), m_main(main), m_commands(commands) {
    setObjectName(QStringLiteral("SearchBox"));
    setWindowTitle(QStringLiteral("Search..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    Label1 = new QLabel(QStringLiteral("Search For:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(Label1->text());
    // A selection taken over from the editor may be long; the field must hold all of it.
    Text1->setMaxLength(std::numeric_limits<int>::max());
    Text1->setMinimumWidth(240);
    Label1->setBuddy(Text1);
    Check1 = new QCheckBox(QStringLiteral("Case Sensitive"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setAccessibleName(Check1->text());
    Command1 = new QPushButton(QStringLiteral("Search"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAccessibleName(Command1->text());
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAccessibleName(Command2->text());
    Command2->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(Command1, 0, 2);
    grid->addWidget(Check1, 1, 0, 1, 2);
    grid->addWidget(Command2, 1, 2);
    grid->setColumnStretch(1, 1);
    setTabOrder(Text1, Check1);
    setTabOrder(Check1, Command1);
    setTabOrder(Command1, Command2);

    connect(Command1, &QPushButton::clicked, this, &SearchBox::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SearchBox::Command2_Click);
    Form_Load();
}

void SearchBox::Form_Load() {
    if (Editor* editor = m_main.activeEditor()) {
        const QString selected = editor->Text1->selectedWholeText();
        if (!selected.isEmpty())
            Text1->setText(selected);
    }
    m_main.setInputEnabled(false);
}

void SearchBox::Command1_Click() {
    const QString text = Text1->text();
    if (text.isEmpty())
        return;
    m_commands.startSearch(text, Check1->isChecked() ? 1 : 0);
}

void SearchBox::Command2_Click() {
    hide();
    returnToEditor();
}

void SearchBox::reject() {
    Command2_Click();
}

void SearchBox::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void SearchBox::Form_Unload() {
    returnToEditor();
}

void SearchBox::returnToEditor() {
    m_main.setInputEnabled(true);
    m_main.activateWindow();
    // While the main window was disabled its focus moved on to some other pane.
    if (Editor* editor = m_main.activeEditor())
        editor->Text1->setFocus();
}
