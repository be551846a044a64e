#pragma once

class Main;

// Text search and the procedure browser.
class NavigationCommands {
public:
    explicit NavigationCommands(Main& main) : m_main(main) {}

    void Search_Click() {}
    // Shows the search dialog without the open-document test (the toolbar's Search).
    void showSearchBox() {}
    void searchagain_Click() {}
    void sbrowser_Click() {}

private:
    [[maybe_unused]] Main& m_main;
};
