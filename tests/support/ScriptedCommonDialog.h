#pragma once

#include "platform/CommonDialog.h"

#include <QList>
#include <QStringList>

#include <functional>

struct DialogCall {
    QString kind; // "open", "save", "font", "color"
    QString fileName;
    QString filter;
    int filterIndex;
    int flags;
};

// The common dialog answered from a queue: a file name (empty = cancel), a font or a colour.
// A dialog shown with no queued answer is recorded as unexpected and cancelled.
class ScriptedCommonDialog : public CommonDialog {
public:
    struct Answer {
        bool accept = true;
        QString fileName;
        FontChoice font;
        QColor color;
        // Runs while the dialog is "up", before it returns.
        std::function<void()> during;
    };

    void ShowOpen() override { showFile(QStringLiteral("open")); }
    void ShowSave() override { showFile(QStringLiteral("save")); }
    bool ShowFont() override;
    bool ShowColor() override;

    void answerFile(const QString& fileName) { answers.append({true, fileName, {}, {}, {}}); }
    void cancel() { answers.append({false, QString(), {}, {}, {}}); }
    void answerFont(const FontChoice& font) { answers.append({true, QString(), font, {}, {}}); }
    void answerColor(const QColor& color) { answers.append({true, QString(), {}, color, {}}); }

    QList<DialogCall> calls;
    QList<Answer> answers;
    QStringList unexpected;

private:
    void showFile(const QString& kind);
    bool next(const QString& kind, Answer* answer);
};
