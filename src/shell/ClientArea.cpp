#include "shell/ClientArea.h"

#include "ui/Twips.h"

#include <QHeaderView>
#include <QMdiArea>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int TreePaneWidthTwips = 1695;
constexpr int TreeWidthTwips = 1590;

// Picture2: holds the tree, whose width follows the pane's; its height is set on resize.
class TreePane : public QWidget {
public:
    TreePane(QWidget* tree, int gap, QWidget* parent) : QWidget(parent), m_tree(tree), m_gap(gap) {
        tree->setParent(this);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        m_tree->resize(qMax(0, width() - m_gap), m_tree->height());
    }

private:
    QWidget* m_tree;
    int m_gap;
};

} // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedHeight(twipsToPixelsY(420));
    column->addWidget(Picture1);

    // The user widens the tree pane by dragging its edge; it starts at the design width, and
    // the tree keeps the design gap to that edge.
    auto* row = new QSplitter(Qt::Horizontal, this);
    row->setObjectName(QStringLiteral("TreeSplitter"));
    row->setChildrenCollapsible(false);
    column->addWidget(row, 1);

    TreeView1 = new QTreeWidget();
    auto* pane = new TreePane(TreeView1, twipsToPixelsX(TreePaneWidthTwips - TreeWidthTwips), row);
    pane->setObjectName(QStringLiteral("Picture2"));
    pane->setMinimumWidth(twipsToPixelsX(TreePaneWidthTwips) / 2);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setAccessibleName(QStringLiteral("Project"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setRootIsDecorated(true);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->setGeometry(0, 0, twipsToPixelsX(TreeWidthTwips), twipsToPixelsY(3975));
    // Long file names scroll sideways instead of being cut short.
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    TreeView1->setTextElideMode(Qt::ElideNone);
    row->addWidget(pane);

    mdiArea = new QMdiArea(row);
    mdiArea->setObjectName(QStringLiteral("MDIClient"));
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    row->addWidget(mdiArea);
    row->setStretchFactor(1, 1);
    row->setSizes({twipsToPixelsX(TreePaneWidthTwips), twipsToPixelsX(7380)});
}
