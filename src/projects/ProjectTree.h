#pragma once

#include "projects/ProjectState.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class ImageList;
class QTreeWidget;
class QTreeWidgetItem;

// One kind of member: its table, its key prefix, its group node and its number for
// SaveMemberAs (1 BASIC, 2 assembly).
struct MemberKind {
    std::array<int, ProjectState::EntryCount>& entries;
    QString prefix;
    QString groupKey;
    int number;

    QStringList& pathsIn(ProjectFile& file) const {
        return number == 1 ? file.BasPaths : file.AsmPaths;
    }
    // The key of the member node of `entry` ("Bas3").
    QString keyOf(int entry) const { return prefix + QString::number(entry); }
};

MemberKind basicKind(ProjectState& project);
MemberKind assemblyKind(ProjectState& project);
// BASIC first, then assembly: the order of the project file and of the tree.
std::array<MemberKind, 2> memberKinds(ProjectState& project);

// A member node's place: its kind and entry.
struct MemberNode {
    QTreeWidgetItem* node;
    MemberKind kind;
    int entry;
};

// TreeView1: the group node of each kind with a node per member under it, or the single node
// shown while no project is open. Each node carries its key ("qBasfiles", "Bas3", "disabled").
class ProjectTree {
public:
    ProjectTree(QTreeWidget& tree, const ImageList& images);

    QTreeWidget& widget() const { return m_tree; }
    // Clears the tree and puts the single node shown while no project is open.
    void showPlaceholder();
    // Clears the tree and puts the two group nodes.
    void showGroups();
    // A member node labelled `text` under its kind's group.
    void addMember(const MemberKind& kind, int entry, const QString& text);
    // Gives the member's node a new label, when it has a node.
    void relabelMember(const MemberKind& kind, int entry, const QString& text);
    // True when the current node is a member's node.
    bool currentIsMember() const;
    // The member whose node is current, if the current node is a member's with a valid entry.
    std::optional<MemberNode> currentMember(ProjectState& project) const;

private:
    QTreeWidgetItem* addNode(const QString& parentKey, const QString& key, const QString& text,
                             int image);
    QTreeWidgetItem* findNode(const QString& key) const;

    QTreeWidget& m_tree;
    const ImageList& m_images;
};
