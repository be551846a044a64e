#pragma once

// What the benchmarks on the real main window share: dialogs and messages that answer at once,
// and a watch for the first paint of a widget.

#include "documents/EditorText.h"
#include "platform/CommonDialog.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <functional>

// Answers every Open with the file it was given; the other dialogs are cancelled.
class BenchDialog : public CommonDialog {
public:
    QString next;
    void ShowOpen() override { FileName = next; }
    void ShowSave() override { FileName.clear(); }
    bool ShowFont() override { return false; }
    bool ShowColor() override { return false; }
};

class QuietMessages : public Messages {
public:
    int shown = 0;
    MsgAnswer show(const QString&, const QString&, MsgIcon, MsgButtons buttons) override {
        ++shown;
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    void beep() override {}
};

// Notes the first paint of a widget that `matches` accepts.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(std::function<bool(QObject*)> matches) : m_matches(std::move(matches)) {
        qApp->installEventFilter(this);
    }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;
    // Processes events until the paint has been delivered; false after `limitMs` without it.
    bool wait(qint64 limitMs = 30000) {
        QElapsedTimer limit;
        limit.start();
        while (!m_painted && limit.elapsed() < limitMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return m_painted;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_matches(watched))
            m_painted = true;
        return false;
    }

private:
    std::function<bool(QObject*)> m_matches;
    bool m_painted = false;
};

// The viewport of a document's editor.
inline bool isEditorView(QObject* object) {
    return object->parent() != nullptr && qobject_cast<EditorText*>(object->parent()) != nullptr;
}
