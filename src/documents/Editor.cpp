#include "documents/Editor.h"

#include "documents/DocumentManager.h"
#include "documents/EditorText.h"
#include "ui/ImageList.h"
#include "ui/Twips.h"

#include <QCloseEvent>

namespace {
// The frame of a document window around its editor: title bar and borders.
constexpr int FrameHeightTwips = 400;
constexpr int FrameWidthTwips = 120;
} // namespace

Editor::Editor(DocumentManager& manager, QWidget* parent)
    : QMdiSubWindow(parent), m_manager(manager) {
    setObjectName(QStringLiteral("Editor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Welcome to Veldra Studio"));
    setWindowIcon(builtInImage(QStringLiteral("image04")));
    // The client holds the editor without a layout: Form_Resize places it.
    m_client = new QWidget(this);
    Text1 = new EditorText(m_client);
    Text1->move(0, 0);
    setWidget(m_client);
    setFocusProxy(Text1);
    m_client->setFocusProxy(Text1);
    resize(twipsToPixelsX(4680 + FrameWidthTwips), twipsToPixelsY(3270 + FrameHeightTwips));
    Text1->setWholeText(QStringLiteral("' Veldra Studio v1.00\r\n"));
    connect(Text1, &EditorText::textChanged, this, [this] { m_manager.Text1_Change(*this); });
}

QByteArray Editor::fileBytes(TextEncoding& encoding, LineEnding ending) const {
    // The buffer holds CR LF line ends; it is encoded as it is, without a round trip through
    // UTF-16, and other line ends are written in the encoded bytes.
    QByteArray bytes = Text1->encodedText(encoding);
    bytes += "\r\n";
    return ending == LineEnding::CrLf ? bytes : fromCrLf(bytes, ending);
}

bool Editor::closeFor(CloseReason reason) {
    m_closeReason = reason;
    const bool closed = close();
    m_closeReason = CloseReason::UserControls;
    return closed;
}

void Editor::closeEvent(QCloseEvent* event) {
    const CloseReason reason = m_closeReason;
    m_closeReason = CloseReason::UserControls;
    if (m_manager.Form_QueryUnload(*this, reason)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        m_manager.Form_Unload(*this);
}

void Editor::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    Form_Resize();
}

void Editor::Form_Resize() {
    if (isMinimized())
        return;
    const int height = qMax(0, this->height() - twipsToPixelsY(FrameHeightTwips));
    const int width = qMax(0, this->width() - twipsToPixelsX(FrameWidthTwips));
    Text1->resize(width, height);
}
