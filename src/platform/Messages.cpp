#include "platform/Messages.h"

#include "core/FileIo.h"

void reportFileFailure(Messages& messages, const QString& title, const QString& what,
                       const QString& path, const QString& reason, MsgIcon icon) {
    messages.show(title, fileFailureText(what, path, reason), icon, MsgButtons::Ok);
}
