#include "ScriptedCommonDialog.h"

bool ScriptedCommonDialog::next(const QString& kind, Answer* answer) {
    calls.append({kind, FileName, Filter, FilterIndex, Flags});
    if (answers.isEmpty()) {
        unexpected.append(QStringLiteral("unanswered %1 dialog (filter \"%2\")").arg(kind, Filter));
        return false;
    }
    *answer = answers.takeFirst();
    if (answer->during)
        answer->during();
    return answer->accept;
}

void ScriptedCommonDialog::showFile(const QString& kind) {
    Answer answer;
    const bool accepted = next(kind, &answer);
    FileName = accepted ? answer.fileName : QString();
}

bool ScriptedCommonDialog::ShowFont() {
    Answer answer;
    if (!next(QStringLiteral("font"), &answer))
        return false;
    Font = answer.font;
    return true;
}

bool ScriptedCommonDialog::ShowColor() {
    Answer answer;
    if (!next(QStringLiteral("color"), &answer))
        return false;
    Color = answer.color;
    return true;
}
