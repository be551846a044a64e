#pragma once

#include "core/LineBreaks.h"
#include "core/TextCodec.h"
#include "platform/Platform.h"

#include <QList>
#include <QObject>

// A document file as read: its text, its encoding and its line-end convention.
struct DocumentContents {
    DecodedText decoded;
    LineEnding lineEnding = LineEnding::CrLf;
};
DocumentContents decodeDocument(const QByteArray& bytes);

class DocumentTable;
class Editor;
class HostCommands;
class ProjectStatus;
class QMdiArea;
enum class CloseReason;

// The document windows: creating them in their slots, the New, Open, Save and Save As commands,
// the modified flag, activation and the save question when a window closes.
class DocumentManager : public QObject {
    Q_OBJECT
public:
    // The document windows live in `area`; `commands` holds the commands that follow whether
    // any document is open.
    DocumentManager(HostCommands& commands, Platform platform, QMdiArea& area, DocumentTable& table,
                    const ProjectStatus& project);

    // The active document window, or nullptr when no document window is visible.
    Editor* activeEditor() const;
    // Makes `window` the active document window.
    void activate(Editor& window);
    // True when any slot holds a document, visible or hidden.
    bool AnyEditorOpen() const;

    // The filter of the document file dialogs.
    static const QString DocumentFilter;

    // The slot of a newly opened document window, shown unless a project is loading; -1 (after
    // telling the user) when all 26 slots are in use.
    int NewEditorWindow();
    // Tells the user and returns false when no slot is free.
    bool ensureFreeSlot();

    // A new window named "Untitled (n)" with the next number, counted as changed; nullptr
    // (after telling the user) when no slot is free.
    Editor* newUntitledWindow();
    // A new window in the lowest free slot showing a file's text, unchanged, with the path as its
    // caption; nullptr (after telling the user) when no slot is free.
    Editor* openInNewWindow(const QString& path, const DocumentContents& contents);

    // Opens a document file in a new window, its text streamed in as it is read. On failure
    // tells the user, under `title`, which file failed and why, and leaves no window.
    Editor* openFile(const QString& path, const QString& title);

    void New();
    void OpenDocument();
    // Both return true when the file was written; on failure the user has been told and the
    // caption and modified flag are unchanged.
    bool SaveDocument(Editor& window);
    bool SaveDocumentAs(Editor& window);
    // Saves the document under `path`, which becomes its caption.
    bool saveDocumentTo(Editor& window, const QString& path);

    // Writes the window's text and one line end to `path` in the document's encoding and line
    // ends, atomically.
    // On failure tells the user which file failed and why, and returns false.
    bool writeDocument(Editor& window, const QString& path);

    // Asks "Save changes ?" for a changed document. True when the close may go on.
    bool saveQuestion(Editor& window);

    // Shut-down: asks every document window, hidden ones included, in slot order. False as soon
    // as one cancels; the windows then all stay open.
    bool queryCloseAll();
    // Closes every document window without asking again.
    void unloadAll();

    Editor* editorInSlot(int slot) const;
    // Every open document window, hidden ones included, in slot order.
    QList<Editor*> openEditors() const;
    // The open window whose caption is `caption`, the lowest slot first; nullptr when none is.
    Editor* editorShowing(const QString& caption) const;

    // Window events.
    void Text1_Change(Editor& window);
    void Form_Activate(Editor& window);
    // Returns true to cancel the close.
    bool Form_QueryUnload(Editor& window, CloseReason reason);
    void Form_Unload(Editor& window);

private:
    HostCommands& m_commands;
    Platform m_platform;
    QMdiArea& m_area;
    DocumentTable& m_table;
    const ProjectStatus& m_project;
    bool m_closeConfirmed = false;
};
