#pragma once

#include "navigation/ProcedureScan.h"
#include "navigation/SearchState.h"

#include <QPointer>

class DocumentManager;
class HostCommands;
class HostWindow;
class Messages;
class SearchBox;
class SubBrowser;

// Text search and the procedure browser.
class NavigationCommands {
public:
    NavigationCommands(HostWindow& host, HostCommands& commands, DocumentManager& documents,
                       SearchState& search, Messages& messages);
    ~NavigationCommands();
    NavigationCommands(const NavigationCommands&) = delete;
    NavigationCommands& operator=(const NavigationCommands&) = delete;

    void Search_Click();
    // Shows the search dialog without the open-document test (the toolbar's Search).
    void showSearchBox();
    void searchagain_Click();
    void sbrowser_Click();

    // The search dialog's "Search" with a non-empty text: makes "Search again" available,
    // remembers the text and case setting, and searches.
    void startSearch(const QString& text, int caseFlag);
    // Searches the active document forward from the character before the caret and selects the
    // occurrence, or says that it could not be found.
    void FindText(const QString& text, int caseFlag);

    // Scans the active document and fills the browser's list.
    void FillProcedureList();
    // The browser's "Goto sub..." and double click: puts the caret at the selected entry.
    void gotoSelectedProcedure();

private:
    void noWindowOpen();

    HostWindow& m_host;
    HostCommands& m_commands;
    DocumentManager& m_documents;
    Messages& m_messages;
    SearchState& m_search;
    ProcedureTable m_procedures;
    QPointer<SearchBox> m_searchBox;
    QPointer<SubBrowser> m_subBrowser;
};
