#pragma once

#include <QString>

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// Message boxes and the system beep.
class Messages {
public:
    virtual ~Messages() = default;
    // Lines of `text` are joined by CR LF. Returns the button pressed; closing a box without
    // pressing a button answers Cancel (Yes/No/Cancel), No (Yes/No) or Ok.
    virtual MsgAnswer show(const QString& title, const QString& text, MsgIcon icon,
                           MsgButtons buttons) = 0;
    virtual void beep() = 0;
};

// Tells the user, in a box with one OK button, which file or program failed and why: `what`,
// then the path and the reason on lines of their own.
void reportFileFailure(Messages& messages, const QString& title, const QString& what,
                       const QString& path, const QString& reason,
                       MsgIcon icon = MsgIcon::Critical);
