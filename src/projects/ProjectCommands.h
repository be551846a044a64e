#pragma once

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

    void EnableProjectCommands();
    void DisableProjectCommands();
    // Clears the tree and puts the single node shown while no project is open.
    void showPlaceholderNode();

private:
    void setProjectCommandsEnabled(bool enabled);
    Main& m_main;
};
