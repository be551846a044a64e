#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// The accessibility interface of the console's TerminalView, for QAccessible::installFactory:
// the screen and the scroll-back as text, with the caret at the terminal's cursor and every
// offset clamped to the text.
QAccessibleInterface* terminalAccessibleFactory(const QString& className, QObject* object);
