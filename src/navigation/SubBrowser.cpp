#include "navigation/SubBrowser.h"

#include "navigation/NavigationCommands.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

SubBrowser::SubBrowser(QWidget* parent, NavigationCommands& commands)
    : QDialog(parent), m_commands(commands) {
    setObjectName(QStringLiteral("SubBrowser"));
    setWindowTitle(QStringLiteral("Subs Browser"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    Label1 = new QLabel(QStringLiteral("Choose a Sub or Function in the list"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListView1 = new QListWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(Label1->text());
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every entry is one line with one picture: no per-item measuring, even for long lists.
    ListView1->setUniformItemSizes(true);
    ListView1->setMinimumSize(280, 200);
    Label1->setBuddy(ListView1);
    Command1 = new QPushButton(QStringLiteral("Goto sub..."), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAccessibleName(Command1->text());
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Ok"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAccessibleName(Command2->text());
    Command2->setAutoDefault(false);

    auto* column = new QVBoxLayout(this);
    column->addWidget(Label1);
    column->addWidget(ListView1, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    column->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &SubBrowser::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SubBrowser::Command2_Click);
    connect(ListView1, &QListWidget::itemDoubleClicked, this, &SubBrowser::ListView1_DblClick);
}

void SubBrowser::Command1_Click() {
    m_commands.gotoSelectedProcedure();
}

void SubBrowser::ListView1_DblClick() {
    m_commands.gotoSelectedProcedure();
}

void SubBrowser::Command2_Click() {
    hide();
}

void SubBrowser::reject() {
    Command2_Click();
}

void SubBrowser::closeEvent(QCloseEvent* event) {
    event->accept();
}
