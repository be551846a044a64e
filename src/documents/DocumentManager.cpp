#include "documents/DocumentManager.h"

#include "core/FileIo.h"
#include "core/PathNames.h"
#include "core/TextCodec.h"
#include "documents/DocumentTable.h"
#include "documents/Editor.h"
#include "documents/EditorText.h"
#include "documents/ProjectStatus.h"
#include "platform/CommonDialog.h"
#include "platform/Messages.h"
#include "ui/HostCommands.h"

#include <QMdiArea>

const QString DocumentManager::DocumentFilter =
    QStringLiteral("All Files (*.*)|*.*|Veldra Files (*.bas)|*.bas|Text Files (*.txt)|*.txt");

DocumentManager::DocumentManager(HostCommands& commands, Platform platform, QMdiArea& area,
                                 DocumentTable& table, const ProjectStatus& project)
    : m_commands(commands), m_platform(platform), m_area(area), m_table(table), m_project(project) {
}

Editor* DocumentManager::activeEditor() const {
    auto* editor = qobject_cast<Editor*>(m_area.currentSubWindow());
    if (editor != nullptr && editor->isVisible())
        return editor;
    // The current window may have been hidden; fall back to the topmost visible one.
    const auto windows = m_area.subWindowList(QMdiArea::StackingOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        auto* candidate = qobject_cast<Editor*>(*it);
        if (candidate != nullptr && candidate->isVisible())
            return candidate;
    }
    return nullptr;
}

void DocumentManager::activate(Editor& window) {
    m_area.setActiveSubWindow(&window);
}

bool DocumentManager::AnyEditorOpen() const {
    return m_table.AnyEditorOpen();
}

bool DocumentManager::ensureFreeSlot() {
    if (m_table.FindFreeSlot() >= 0)
        return true;
    m_platform.messages.show(
        QStringLiteral("Too many windows"),
        QStringLiteral("All 26 document windows are in use.\r\nClose a window and try again."),
        MsgIcon::Exclamation, MsgButtons::Ok);
    return false;
}

int DocumentManager::NewEditorWindow() {
    if (!ensureFreeSlot())
        return -1;
    const int slot = m_table.FindFreeSlot();
    auto* window = new Editor(*this);
    m_table.Documents[slot] = window;
    window->setSlot(slot);
    window->setWindowTitle(QString::number(slot));
    window->Text1->setAppearance(m_table.Appearance[slot]);
    m_area.addSubWindow(window);
    if (!m_project.projectLoading()) {
        window->show();
        m_area.setActiveSubWindow(window);
    } else {
        window->hide();
    }
    m_table.DocInUse[slot] = 1;
    m_commands.EnableEditorCommands();
    return slot;
}

Editor* DocumentManager::editorInSlot(int slot) const {
    if (slot < 0 || slot >= DocumentTable::SlotCount || m_table.DocInUse[slot] != 1)
        return nullptr;
    return m_table.Documents[slot];
}

QList<Editor*> DocumentManager::openEditors() const {
    QList<Editor*> windows;
    for (int slot = 0; slot < DocumentTable::SlotCount; ++slot) {
        if (Editor* window = editorInSlot(slot))
            windows.append(window);
    }
    return windows;
}

Editor* DocumentManager::editorShowing(const QString& caption) const {
    for (Editor* window : openEditors()) {
        if (window->windowTitle() == caption)
            return window;
    }
    return nullptr;
}

Editor* DocumentManager::newUntitledWindow() {
    if (!ensureFreeSlot())
        return nullptr;
    m_table.UntitledCount += 1;
    const int slot = NewEditorWindow();
    Editor* window = m_table.Documents[slot];
    window->setWindowTitle(QStringLiteral("Untitled (%1)").arg(m_table.UntitledCount));
    // A new document counts as changed: closing it asks whether to save it.
    m_table.DocChanged[slot] = -1;
    return window;
}

void DocumentManager::New() {
    if (Editor* window = newUntitledWindow()) {
        // Typing starts below the heading line instead of being joined to it.
        window->Text1->setSelection(window->Text1->textLength(), 0);
        Form_Activate(*window);
    }
}

DocumentContents decodeDocument(const QByteArray& bytes) {
    return {decodeText(bytes), detectLineEnding(bytes)};
}

void DocumentManager::OpenDocument() {
    if (m_project.projectOpen()) {
        m_platform.messages.show(QStringLiteral("Oops!"),
                                 QStringLiteral("Use Add file when working with projects"),
                                 MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    if (!ensureFreeSlot())
        return;
    const QString path = m_platform.dialog.askOpenFile(DocumentFilter);
    if (path.isEmpty())
        return;

    if (Editor* window = openFile(path, QStringLiteral("Open")))
        Form_Activate(*window);
}

Editor* DocumentManager::openFile(const QString& path, const QString& title) {
    QFile file(path);
    QString error;
    // A file that cannot be opened gets no window.
    if (openForReading(file, &error)) {
        const int slot = NewEditorWindow();
        if (slot < 0)
            return nullptr;
        Editor* window = m_table.Documents[slot];
        window->setWindowTitle(path);
        EditorText& text = *window->Text1;
        StreamedDocument streamed;
        const bool read = streamDocument(
            file, [&text](qsizetype expected) { text.beginText(expected); },
            [&text](QByteArrayView utf8) { text.appendUtf8(utf8); }, &streamed, &error);
        text.endText();
        // Filling the text marked it changed; a document just read is not.
        m_table.DocChanged[slot] = 0;
        if (read) {
            window->setEncoding(streamed.encoding);
            window->setLineEnding(streamed.lineEnds.convention());
            return window;
        }
        window->closeFor(CloseReason::Code);
    }
    reportFileFailure(m_platform.messages, title, QStringLiteral("The file could not be opened:"),
                      path, error);
    return nullptr;
}

Editor* DocumentManager::openInNewWindow(const QString& path, const DocumentContents& contents) {
    const int slot = NewEditorWindow();
    if (slot < 0)
        return nullptr;
    Editor* window = m_table.Documents[slot];
    window->setWindowTitle(path);
    window->setEncoding(contents.decoded.encoding);
    window->setLineEnding(contents.lineEnding);
    window->Text1->setWholeText(contents.decoded.text);
    // Filling the text marked it changed; a document just read is not.
    m_table.DocChanged[slot] = 0;
    return window;
}

bool DocumentManager::writeDocument(Editor& window, const QString& path) {
    TextEncoding encoding = window.encoding();
    const QByteArray bytes = window.fileBytes(encoding, window.lineEnding());
    QString error;
    if (!writeFileAtomically(path, bytes, &error)) {
        reportFileFailure(m_platform.messages, QStringLiteral("Save"),
                          QStringLiteral("The file could not be saved:"), path, error);
        return false;
    }
    window.setEncoding(encoding);
    return true;
}

bool DocumentManager::SaveDocument(Editor& window) {
    if (!writeDocument(window, window.windowTitle()))
        return false;
    m_table.DocChanged[window.slot()] = 0;
    return true;
}

bool DocumentManager::SaveDocumentAs(Editor& window) {
    const QString path = m_platform.dialog.askSaveFile(DocumentFilter);
    return !path.isEmpty() && saveDocumentTo(window, path);
}

bool DocumentManager::saveDocumentTo(Editor& window, const QString& path) {
    if (!writeDocument(window, path))
        return false;
    window.setWindowTitle(path);
    m_table.DocChanged[window.slot()] = 0;
    if (activeEditor() == &window)
        Form_Activate(window);
    return true;
}

bool DocumentManager::saveQuestion(Editor& window) {
    if (m_table.DocChanged[window.slot()] != -1)
        return true;
    const MsgAnswer answer = m_platform.messages.show(
        window.windowTitle(), QStringLiteral("File has not been saved\r\nSave changes ?"),
        MsgIcon::Exclamation, MsgButtons::YesNoCancel);
    switch (answer) {
    case MsgAnswer::Yes:
        // A save that is cancelled or fails keeps the window and its text.
        return IsUntitled(window.windowTitle()) ? SaveDocumentAs(window) : SaveDocument(window);
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}

bool DocumentManager::queryCloseAll() {
    for (Editor* window : openEditors()) {
        if (Form_QueryUnload(*window, CloseReason::MainWindow))
            return false;
    }
    return true;
}

void DocumentManager::unloadAll() {
    m_closeConfirmed = true;
    for (Editor* window : openEditors())
        window->closeFor(CloseReason::MainWindow);
    m_closeConfirmed = false;
}

void DocumentManager::Text1_Change(Editor& window) {
    m_table.DocChanged[window.slot()] = -1;
}

void DocumentManager::Form_Activate(Editor& window) {
    m_commands.action(QStringLiteral("save"))->setEnabled(!IsUntitled(window.windowTitle()));
}

bool DocumentManager::Form_QueryUnload(Editor& window, CloseReason reason) {
    if (m_closeConfirmed)
        return false;
    if (m_project.projectOpen() && reason == CloseReason::UserControls) {
        // While a project is open the close box only hides: the tree brings the window back.
        window.hide();
        return true;
    }
    return !saveQuestion(window);
}

void DocumentManager::Form_Unload(Editor& window) {
    const int slot = window.slot();
    if (slot >= 0 && slot < DocumentTable::SlotCount) {
        m_table.DocInUse[slot] = 0;
        m_table.Documents[slot] = nullptr;
        // The next document in this slot gets a fresh window with the default look.
        m_table.Appearance[slot] = defaultAppearance();
    }
    if (!m_table.AnyEditorOpen())
        m_commands.DisableEditorCommands();
}
