#include "core/DisplayText.h"

QString displayedText(const QString& text) {
    if (text.size() <= kDisplayedLength)
        return text;
    qsizetype shown = kDisplayedLength;
    if (text[shown - 1].isHighSurrogate())
        --shown;
    return text.left(shown) + QChar(0x2026);
}
