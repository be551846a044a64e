#include "navigation/SearchBox.h"

#include "documents/DocumentManager.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "navigation/NavigationCommands.h"
#include "ui/HostWindow.h"
#include "ui/WidgetBuilders.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

SearchBox::SearchBox(HostWindow& host, NavigationCommands& commands, DocumentManager& documents)
    : StandInDialog(host, true), m_commands(commands), m_documents(documents) {
    setObjectName(QStringLiteral("SearchBox"));
    setWindowTitle(QStringLiteral("Search..."));

    Label1 = makeLabel(this, "Label1", QStringLiteral("Search For:"));
    Text1 = makeField(this, "Text1", Label1);
    // A selection taken over from the editor may be long; the field must hold all of it.
    Text1->setMaxLength(std::numeric_limits<int>::max());
    Text1->setMinimumWidth(240);
    Check1 = new QCheckBox(QStringLiteral("Case Sensitive"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setAccessibleName(Check1->text());
    Command1 = makeButton(this, "Command1", QStringLiteral("Search"));
    Command1->setDefault(true);
    Command2 = makeButton(this, "Command2", QStringLiteral("Cancel"));
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
    if (Editor* editor = m_documents.activeEditor()) {
        const QString selected = editor->Text1->selectedWholeText();
        if (!selected.isEmpty())
            Text1->setText(selected);
    }
    m_host.setInputEnabled(false);
}

void SearchBox::Command1_Click() {
    const QString text = Text1->text();
    if (text.isEmpty())
        return;
    m_commands.startSearch(text, Check1->isChecked() ? 1 : 0);
}

void SearchBox::Command2_Click() {
    hide();
    giveInputBack();
}

void SearchBox::cancel() {
    Command2_Click();
}

void SearchBox::giveInputBack() {
    m_host.setInputEnabled(true);
    m_host.hostWidget()->activateWindow();
    // While the main window was disabled its focus moved on to some other pane.
    if (Editor* editor = m_documents.activeEditor())
        editor->Text1->setFocus();
}
