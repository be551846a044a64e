#include "build/ErrorLog.h"

#include "core/ListField.h"
#include "core/TextCodec.h"

#include <utility>

CompilerError readErrorLog(const QByteArray& bytes, ErrorForm form) {
    QString text = decodeText(bytes).text;
    // A byte order mark would hide the number at the start of line 1.
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    ListFieldReader reader(std::move(text));
    CompilerError error;
    error.lineNumber = reader.readField().value_or(QString());
    error.message = reader.readLine().value_or(QString());
    if (form == ErrorForm::Project)
        error.fileName = reader.readLine().value_or(QString());
    return error;
}
