#include "projects/Addfile.h"

#include "ui/ImageList.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

Addfile::Addfile(std::function<void()> add, QWidget* parent)
    : QDialog(parent), m_add(std::move(add)) {
    setObjectName(QStringLiteral("Addfile"));
    setWindowTitle(QStringLiteral("Add File"));
    setModal(false);

    ListView1 = new QListWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QStringLiteral("Kind of file"));
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(QSize(32, 32));
    ListView1->setMovement(QListView::Static);
    ListView1->setGridSize(QSize(96, 64));
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);

    Command2 = new QPushButton(QStringLiteral("Add"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setDefault(true);
    Command1 = new QPushButton(QStringLiteral("Cancel"), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(ListView1, 1);
    column->addLayout(buttons);
    resize(260, 170);

    connect(Command1, &QPushButton::clicked, this, &Addfile::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Addfile::Command2_Click);
    connect(ListView1, &QListWidget::itemDoubleClicked, this, &Addfile::ListView1_DblClick);

    ImageList2 = {builtInImage(QStringLiteral("addfile_new")),
                  builtInImage(QStringLiteral("addfile_open"))};
    Form_Load();
}

void Addfile::Form_Load() {
    const struct {
        const char* text;
        const char* key;
        int icon;
    } items[] = {{"New File", "New", 1}, {"Open File", "Exist", 2}};
    for (const auto& row : items) {
        auto* item =
            new QListWidgetItem(ImageList2[row.icon - 1], QString::fromLatin1(row.text), ListView1);
        item->setData(Qt::UserRole, QString::fromLatin1(row.key));
    }
    // The first item starts selected, so that "Add" works at once.
    ListView1->setCurrentRow(0);
}

QString Addfile::selectedKey() const {
    const QList<QListWidgetItem*> selected = ListView1->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(Qt::UserRole).toString();
}

void Addfile::Command1_Click() {
    hide();
}

void Addfile::Command2_Click() {
    m_add();
    hide();
}

void Addfile::ListView1_DblClick() {
    m_add();
    hide();
}

void Addfile::reject() {
    Command1_Click();
}

void Addfile::closeEvent(QCloseEvent* event) {
    event->accept();
    deleteLater();
}
