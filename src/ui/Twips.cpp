#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
int convert(int twips, qreal dpi) {
    return qRound(twips * dpi / 1440.0);
}

qreal dpiOf(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return 96.0;
    return horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
}
} // namespace

int twipsToPixelsX(int twips) {
    return convert(twips, dpiOf(true));
}

int twipsToPixelsY(int twips) {
    return convert(twips, dpiOf(false));
}
