#pragma once

#include <QString>

class Main;

// The project commands, the project tree and its handlers.
class ProjectCommands {
public:
    explicit ProjectCommands(Main& main) : m_main(main) {}

    void nproject_Click() {}
    void lproject_Click() {}
    void sproject_Click() {}
    void saveasproj_Click() {}
    void cproject_Click() {}
    void addasm_Click() {}
    void addbas_Click() {}
    void delfile_Click() {}
    void poptions_Click() {}
    void TreeView1_NodeClick() {}
    void TreeView1_DblClick() {}

    // Writes the project file and saves every member: mode 0 asks for the file name, any other
    // mode writes to `path`. Returns true when the project file was written.
    bool SaveProject(int mode, QString& path) {
        (void)mode;
        (void)path;
        return false;
    }

    void EnableProjectCommands();
    void DisableProjectCommands();
    // Clears the tree and puts the single node shown while no project is open.
    void showPlaceholderNode();

private:
    void setProjectCommandsEnabled(bool enabled);
    Main& m_main;
};
