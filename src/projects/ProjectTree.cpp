#include "projects/ProjectTree.h"

#include "ui/ImageList.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

// Images of ImageList1 used by the tree.
constexpr int MemberImage = 4;
constexpr int BasGroupImage = 8;
constexpr int AsmGroupImage = 9;
constexpr int PlaceholderImage = 10;

bool isMemberKey(const QString& key) {
    return key.startsWith(QLatin1String("Bas")) || key.startsWith(QLatin1String("Asm"));
}

// The entry index a member key names ("Bas12" -> 12), -1 when it names none.
int entryOfKey(const QString& key) {
    bool ok = false;
    const int entry = key.mid(3).toInt(&ok);
    return ok && entry >= 0 && entry < ProjectState::EntryCount ? entry : -1;
}

QString nodeKey(const QTreeWidgetItem& node) {
    return node.data(0, Qt::UserRole).toString();
}

} // namespace

MemberKind basicKind(ProjectState& project) {
    return {project.BasDoc, QStringLiteral("Bas"), QStringLiteral("qBasfiles"), 1};
}

MemberKind assemblyKind(ProjectState& project) {
    return {project.AsmDoc, QStringLiteral("Asm"), QStringLiteral("qAsmfiles"), 2};
}

std::array<MemberKind, 2> memberKinds(ProjectState& project) {
    return {basicKind(project), assemblyKind(project)};
}

ProjectTree::ProjectTree(QTreeWidget& tree, const ImageList& images)
    : m_tree(tree), m_images(images) {}

void ProjectTree::showPlaceholder() {
    m_tree.clear();
    addNode(QString(), QStringLiteral("disabled"), QStringLiteral("Only available in Projects"),
            PlaceholderImage);
}

void ProjectTree::showGroups() {
    m_tree.clear();
    addNode(QString(), QStringLiteral("qBasfiles"), QStringLiteral("Bas Files"), BasGroupImage);
    addNode(QString(), QStringLiteral("qAsmfiles"), QStringLiteral("Asm Files"), AsmGroupImage);
}

void ProjectTree::addMember(const MemberKind& kind, int entry, const QString& text) {
    addNode(kind.groupKey, kind.keyOf(entry), text, MemberImage);
}

void ProjectTree::relabelMember(const MemberKind& kind, int entry, const QString& text) {
    if (QTreeWidgetItem* node = findNode(kind.keyOf(entry)))
        node->setText(0, text);
}

bool ProjectTree::currentIsMember() const {
    const QTreeWidgetItem* node = m_tree.currentItem();
    return node != nullptr && isMemberKey(nodeKey(*node));
}

std::optional<MemberNode> ProjectTree::currentMember(ProjectState& project) const {
    QTreeWidgetItem* node = m_tree.currentItem();
    if (node == nullptr)
        return std::nullopt;
    const QString key = nodeKey(*node);
    const int entry = isMemberKey(key) ? entryOfKey(key) : -1;
    if (entry < 0)
        return std::nullopt;
    return MemberNode{
        node, key.startsWith(QLatin1String("Bas")) ? basicKind(project) : assemblyKind(project),
        entry};
}

QTreeWidgetItem* ProjectTree::addNode(const QString& parentKey, const QString& key,
                                      const QString& text, int image) {
    QTreeWidgetItem* parent = parentKey.isEmpty() ? nullptr : findNode(parentKey);
    auto* node = parent != nullptr ? new QTreeWidgetItem(parent, {text})
                                   : new QTreeWidgetItem(&m_tree, {text});
    node->setData(0, Qt::UserRole, key);
    node->setIcon(0, m_images.image(image));
    if (parent != nullptr)
        parent->setExpanded(true);
    return node;
}

QTreeWidgetItem* ProjectTree::findNode(const QString& key) const {
    for (QTreeWidgetItemIterator it(&m_tree); *it != nullptr; ++it) {
        if (nodeKey(**it) == key)
            return *it;
    }
    return nullptr;
}
