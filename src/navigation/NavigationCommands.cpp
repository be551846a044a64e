#include "navigation/NavigationCommands.h"

#include "documents/DocumentManager.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "navigation/SearchBox.h"
#include "navigation/SubBrowser.h"
#include "navigation/TextSearch.h"
#include "platform/Messages.h"
#include "ui/HostCommands.h"
#include "ui/HostWindow.h"
#include "ui/ImageList.h"
#include "ui/StandInDialog.h"

#include <QAction>
#include <QListWidget>

NavigationCommands::NavigationCommands(HostWindow& host, HostCommands& commands,
                                       DocumentManager& documents, SearchState& search,
                                       Messages& messages)
    : m_host(host), m_commands(commands), m_documents(documents), m_messages(messages),
      m_search(search) {}

// The dialogs refer to this object: they go first.
NavigationCommands::~NavigationCommands() {
    delete m_searchBox;
    delete m_subBrowser;
}

void NavigationCommands::noWindowOpen() {
    m_messages.show(QStringLiteral("Error"), QStringLiteral("You must have a window already open"),
                    MsgIcon::Exclamation, MsgButtons::Ok);
}

void NavigationCommands::Search_Click() {
    if (!m_documents.AnyEditorOpen()) {
        noWindowOpen();
        return;
    }
    showSearchBox();
}

void NavigationCommands::showSearchBox() {
    if (m_searchBox == nullptr)
        m_searchBox = new SearchBox(m_host, *this, m_documents);
    showOrRaise(*m_searchBox);
}

void NavigationCommands::searchagain_Click() {
    if (!m_documents.AnyEditorOpen()) {
        noWindowOpen();
        return;
    }
    FindText(m_search.SearchText, m_search.SearchCaseFlag);
}

void NavigationCommands::startSearch(const QString& text, int caseFlag) {
    m_commands.action(QStringLiteral("searchagain"))->setEnabled(true);
    m_search.SearchText = text;
    m_search.SearchCaseFlag = static_cast<qint16>(caseFlag != 0 ? 1 : 0);
    FindText(text, caseFlag);
}

void NavigationCommands::FindText(const QString& text, int caseFlag) {
    // Documents may be open but all hidden (a project's members): there is nothing to search.
    Editor* editor = m_documents.activeEditor();
    if (editor == nullptr) {
        noWindowOpen();
        return;
    }
    EditorText& view = *editor->Text1;
    const qsizetype from = searchStartOffset(view.selStart());
    std::optional<qsizetype> found;
    // An exact search compares UTF-8 bytes where the pattern has a UTF-8 form: the same
    // matches as comparing UTF-16 units, found in the widget's buffer without decoding it.
    const QByteArray utf8 = text.toUtf8();
    if (text.isEmpty()) {
        found = from;
    } else if (caseFlag != 0 && QString::fromUtf8(utf8) == text) {
        const qsizetype at = view.findUtf8(from, utf8);
        if (at >= 0)
            found = at;
    } else {
        // The text is read a piece at a time, each piece repeating the end of the one before
        // so that a match across the seam is found; reading stops at the first match.
        view.visitText(from, qMax<qsizetype>(0, text.size() - 1), false,
                       [&](QStringView piece, qsizetype offset) {
                           const qsizetype start = qMax<qsizetype>(0, from - offset);
                           found = ::FindText(piece, start > 0 ? start + 1 : 0, text, caseFlag);
                           if (found)
                               *found += offset;
                           return found.has_value();
                       });
    }
    if (!found) {
        m_messages.show(QStringLiteral("Not found !!"), QStringLiteral("String couldn't be found"),
                        MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    view.setSelection(*found, text.size());
}

void NavigationCommands::sbrowser_Click() {
    // With documents open but none visible there is no file to browse.
    if (m_documents.activeEditor() == nullptr)
        return;
    if (m_subBrowser == nullptr)
        m_subBrowser = new SubBrowser(m_host.hostWidget(), *this);
    m_subBrowser->ListView1->clear();
    showOrRaise(*m_subBrowser);
    FillProcedureList();
}

void NavigationCommands::FillProcedureList() {
    Editor* editor = m_documents.activeEditor();
    if (editor == nullptr || m_subBrowser == nullptr)
        return;
    m_procedures = ScanProcedures(QStringView(), editor->windowTitle());
    // Pieces of whole lines: every header lies within one piece.
    editor->Text1->visitText(0, 0, true, [this](QStringView piece, qsizetype offset) {
        scanProcedureHeaders(piece, offset, m_procedures);
        return false;
    });
    QListWidget& list = *m_subBrowser->ListView1;
    const QIcon fileImage = m_host.ImageList1().image(4);
    const QIcon procedureImage = m_host.ImageList1().image(6);
    list.setUpdatesEnabled(false);
    for (qsizetype i = 0; i <= m_procedures.ProcedureCount; ++i) {
        auto* item = new QListWidgetItem(i == 0 ? fileImage : procedureImage,
                                         m_procedures.ProcedureNames[i]);
        list.addItem(item);
    }
    list.setUpdatesEnabled(true);
    list.setCurrentRow(0);
}

void NavigationCommands::gotoSelectedProcedure() {
    if (m_subBrowser == nullptr)
        return;
    const QList<QListWidgetItem*> selected = m_subBrowser->ListView1->selectedItems();
    Editor* editor = m_documents.activeEditor();
    if (selected.isEmpty() || editor == nullptr)
        return;
    const qsizetype offset =
        FindProcedurePosition(m_procedures, selected.first()->text()).value_or(0);
    editor->Text1->setSelection(offset, 0);
    m_subBrowser->hide();
    m_host.hostWidget()->activateWindow();
    editor->Text1->setFocus();
}
