#include "ScriptedMessages.h"

MsgAnswer ScriptedMessages::show(const QString& title, const QString& text, MsgIcon icon,
                                 MsgButtons buttons) {
    calls.append({title, text, icon, buttons});
    if (buttons == MsgButtons::Ok) {
        if (!answers.isEmpty() && answers.first() == MsgAnswer::Ok)
            answers.removeFirst();
        return MsgAnswer::Ok;
    }
    if (answers.isEmpty()) {
        unexpected.append(QStringLiteral("unanswered question \"%1\": %2").arg(title, text));
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }
    return answers.takeFirst();
}
