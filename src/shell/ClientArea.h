#pragma once

#include <QWidget>

class QMdiArea;
class QTreeWidget;

// The main window's client: Picture1 (the toolbar's place) above, the tree pane Picture2 with
// TreeView1 and the document windows' area side by side below.
class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget* parent);

    QWidget* Picture1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QMdiArea* mdiArea = nullptr;
};
