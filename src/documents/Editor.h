#pragma once

#include "core/LineBreaks.h"
#include "core/TextCodec.h"

#include <QMdiSubWindow>

class DocumentManager;
class EditorText;

// Why a document window is asked to close. Qt's close event carries no reason, so it is
// recorded before close() is called.
enum class CloseReason {
    UserControls = 0, // the window's own close box, window menu or shortcut
    Code = 1,         // program code
    MainWindow = 4,   // the main window is closing
};

// A document window: one document in one slot, its file path in its caption.
class Editor : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit Editor(DocumentManager& manager, QWidget* parent = nullptr);

    EditorText* Text1 = nullptr;

    int slot() const { return m_slot; }
    void setSlot(int slot) { m_slot = slot; }
    TextEncoding encoding() const { return m_encoding; }
    void setEncoding(TextEncoding encoding) { m_encoding = encoding; }
    // The line ends of the document's file; the editor itself always holds CR LF.
    LineEnding lineEnding() const { return m_lineEnding; }
    void setLineEnding(LineEnding ending) { m_lineEnding = ending; }

    // The document as a file: its text and one line end, with line ends written as `ending`, in
    // `encoding` (set to UTF-8 when the code page cannot hold the text faithfully).
    QByteArray fileBytes(TextEncoding& encoding, LineEnding ending) const;

    // Closes the window for `reason`. Returns true when it closed, false when the close was
    // cancelled (a declined save question, or the hide rule of an open project).
    bool closeFor(CloseReason reason);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Sizes Text1 to the window less its frame, never below zero.
    void Form_Resize();

    DocumentManager& m_manager;
    QWidget* m_client = nullptr;
    int m_slot = 26;
    TextEncoding m_encoding = TextEncoding::Utf8;
    LineEnding m_lineEnding = LineEnding::CrLf;
    CloseReason m_closeReason = CloseReason::UserControls;
};
