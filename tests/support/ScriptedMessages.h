#pragma once

#include "platform/Messages.h"

#include <QList>
#include <QStringList>

struct MessageCall {
    QString title;
    QString text;
    MsgIcon icon;
    MsgButtons buttons;
};

// Message boxes answered from a queue. Boxes with only an OK button answer OK by themselves;
// a question with no queued answer is recorded as unexpected and answered Cancel (or No).
class ScriptedMessages : public Messages {
public:
    MsgAnswer show(const QString& title, const QString& text, MsgIcon icon,
                   MsgButtons buttons) override;
    void beep() override { ++beeps; }

    void answer(MsgAnswer a) { answers.append(a); }

    QList<MessageCall> calls;
    QList<MsgAnswer> answers;
    QStringList unexpected;
    int beeps = 0;
};
