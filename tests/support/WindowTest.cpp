#include "WindowTest.h"

#include "build/Compile.h"
#include "build/ConsolePane.h"
#include "build/ShowErrors.h"
#include "documents/Editor.h"
#include "navigation/SearchBox.h"
#include "navigation/SubBrowser.h"
#include "projects/Addfile.h"
#include "shell/Main.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

QString box(const QString& title, const QString& text, MsgIcon icon, MsgButtons buttons) {
    return QStringLiteral("%1|%2|%3|%4").arg(title, text).arg(int(icon)).arg(int(buttons));
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void WindowTest::init() {
    restart();
}

void WindowTest::cleanup() {
    const QStringList problems = m_fixture->problems();
    m_fixture.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1String("; "))));
}

void WindowTest::restart(const QString& appFolderName) {
    m_fixture.reset();
    m_fixture = std::make_unique<MainFixture>(appFolderName);
}

Main& WindowTest::main() {
    return m_fixture->running() ? m_fixture->main() : m_fixture->start();
}

void WindowTest::trigger(const char* name) {
    QAction* action = main().action(QString::fromLatin1(name));
    QVERIFY2(action != nullptr, name);
    QVERIFY2(action->isEnabled(), name);
    action->trigger();
}

Editor* WindowTest::open(const QString& path) {
    fx().dialog.answerFile(path);
    trigger("open");
    return active();
}

Editor* WindowTest::newDocument() {
    trigger("new");
    return active();
}

void WindowTest::loadProject(const QString& path) {
    if (documents().AnyEditorOpen())
        fx().messages.answer(MsgAnswer::Yes);
    fx().dialog.answerFile(path);
    trigger("lproject");
}

DocumentTable& WindowTest::documents() {
    main();
    return fx().state.documents;
}
ProjectState& WindowTest::project() {
    main();
    return fx().state.project;
}
ToolSlots& WindowTest::toolSlots() {
    main();
    return fx().state.tools;
}
Editor* WindowTest::active() {
    return main().activeEditor();
}
Editor* WindowTest::editor(int slot) {
    return documents().DocInUse[slot] == 1 ? documents().Documents[slot] : nullptr;
}
QMdiArea* WindowTest::documentArea() {
    return main().findChild<QMdiArea*>(QStringLiteral("MDIClient"));
}
EditorText* WindowTest::text() {
    return active() != nullptr ? active()->Text1 : nullptr;
}
// The dialogs, each found by its object name, which is its class name.
#define DIALOG_ACCESSOR(Type, accessor)                                                            \
    Type* WindowTest::accessor() {                                                                 \
        return main().findChild<Type*>(QStringLiteral(#Type));                                     \
    }
DIALOG_ACCESSOR(Compile, compileDialog)
DIALOG_ACCESSOR(ShowErrors, errorDialog)
DIALOG_ACCESSOR(Addfile, addfileDialog)
DIALOG_ACCESSOR(SearchBox, searchDialog)
DIALOG_ACCESSOR(SubBrowser, browserDialog)
#undef DIALOG_ACCESSOR
ConsolePane* WindowTest::console() {
    return main().findChild<ConsolePane*>(QStringLiteral("Console"));
}

QStringList WindowTest::boxes() const {
    QStringList lines;
    for (const MessageCall& call : m_fixture->messages.calls)
        lines << box(call.title, call.text, call.icon, call.buttons);
    return lines;
}

QStringList WindowTest::fileDialogs() const {
    QStringList lines;
    for (const DialogCall& call : m_fixture->dialog.calls)
        lines << QStringLiteral("%1|%2|%3|%4|%5")
                     .arg(call.kind, call.fileName, call.filter)
                     .arg(call.filterIndex)
                     .arg(call.flags, 0, 16);
    return lines;
}

QStringList WindowTest::tree() {
    QStringList lines;
    for (QTreeWidgetItemIterator it(main().TreeView1); *it != nullptr; ++it) {
        int image = 0;
        for (int n = 1; n <= 12; ++n) {
            if (main().ImageList1().image(n).cacheKey() == (*it)->icon(0).cacheKey())
                image = n;
        }
        lines << QStringLiteral("%1%2=%3@%4")
                     .arg((*it)->parent() != nullptr ? QStringLiteral(" ") : QString(),
                          (*it)->data(0, Qt::UserRole).toString(), (*it)->text(0))
                     .arg(image);
    }
    return lines;
}

QTreeWidgetItem* WindowTest::node(const QString& key) {
    for (QTreeWidgetItemIterator it(main().TreeView1); *it != nullptr; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    }
    return nullptr;
}
