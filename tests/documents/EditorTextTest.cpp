// The editor's CR LF view: offsets, selections and text in UTF-16 units with CR LF as two.

#include "documents/EditorText.h"

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

class EditorTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every line break becomes CR LF as the text enters; NUL and surrogate pairs are kept.
    void textIsNormalisedToCrLf() {
        EditorText editor;
        editor.setWholeText(QString::fromUtf16(u"a\nb\rc\r\n\0\U0001F600\r", 11));
        QCOMPARE(editor.wholeText(), QString::fromUtf16(u"a\r\nb\r\nc\r\n\0\U0001F600\r\n", 14));
        QCOMPARE(editor.textLength(), 14);
    }

    // Selections set and read back in CR LF counting, across line breaks and multi-unit characters.
    void selectionRoundTrip() {
        const QString lines = QStringLiteral("SUB a\r\nPRINT 1\r\nEND SUB\r\n");
        const QString wide = QString::fromUtf16(u"\u00e9\U0001F600\r\nx\u4e2d");
        const struct {
            QString text;
            qsizetype start, length;
            QString selected;
        } cases[] = {
            {lines, 7, 7, "PRINT 1"},
            {lines, 5, 4, "\r\nPR"},
            {lines, 7, 0, ""},
            {lines, lines.size() - 1, 1, "\n"},
            {wide, 1, 2, QString::fromUtf16(u"\U0001F600")},
            {wide, 5, 2, QString::fromUtf16(u"x\u4e2d")},
        };
        for (const auto& c : cases) {
            EditorText editor;
            editor.setWholeText(c.text);
            editor.setSelection(c.start, c.length);
            QCOMPARE(QList({editor.selStart(), editor.selLength()}), QList({c.start, c.length}));
            QCOMPARE(editor.selectedWholeText(), c.selected);
        }
    }

    // Selections and ranges outside the text are clamped to it.
    void outsideTheTextIsClamped() {
        EditorText editor;
        editor.setWholeText(QStringLiteral("ab\r\ncd"));
        const struct {
            int start, length;
            qsizetype selStart, selLength;
        } cases[] = {{4, 100, 4, 2}, {-5, 2, 0, 2}, {50, 3, 6, 0}};
        for (const auto& c : cases) {
            editor.setSelection(c.start, c.length);
            QCOMPARE(QList({editor.selStart(), editor.selLength()}),
                     QList({c.selStart, c.selLength}));
        }
        QCOMPARE(editor.textRange(1, 5), QStringLiteral("b\r\nc"));
        QCOMPARE(editor.textRange(4, 100), QStringLiteral("cd"));
        QCOMPARE(editor.textRange(3, 1), QString());
    }

    // The widget's own report of a caret move counts the column from the start of the line, a
    // cost that grows with the line: the editor does without it.
    void caretMovesAreNotCountedInColumns() {
        EditorText editor;
        editor.setWholeText(QStringLiteral("abc"));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QSignalSpy reported(&editor, &QsciScintilla::cursorPositionChanged);
        editor.setSelection(2, 0);
        editor.viewport()->repaint();
        QCOMPARE(reported.count(), 0);
    }

    void replaceSelectionKeepsNul() {
        EditorText editor;
        editor.setWholeText(QStringLiteral("abcd"));
        editor.setSelection(1, 2);
        editor.replaceSelection(QString::fromUtf16(u"x\0y\nz", 5));
        QCOMPARE(editor.wholeText(), QString::fromUtf16(u"ax\0y\r\nzd", 8));
        QCOMPARE(QList({editor.selStart(), editor.selLength()}), QList<qsizetype>({7, 0}));
    }

    // The line-indexed mapping against the text itself, at every line start and inside lines with
    // multi-byte and multi-unit characters.
    void offsetsAgreeWithTheTextOnManyLines() {
        QString text;
        for (int line = 0; line < 300; ++line) {
            text += QString::number(line) + QStringLiteral(" PRINT ");
            if (line % 3 == 0)
                text += QString::fromUtf16(u"\u00e9\U0001F600\u4e2d");
            text += QStringLiteral("\r\n");
        }
        EditorText editor;
        editor.setWholeText(text);
        QCOMPARE(editor.textLength(), text.size());
        for (qsizetype offset = 0; offset < text.size(); offset += 7) {
            if (text.at(offset).isLowSurrogate())
                continue;
            editor.setSelection(offset, 0);
            QCOMPARE(editor.selStart(), offset);
            const qsizetype end = qMin<qsizetype>(offset + 11, text.size());
            if (end < text.size() && text.at(end).isLowSurrogate())
                continue;
            QCOMPARE(editor.textRange(offset, end), text.mid(offset, end - offset));
        }
    }

    // An edit lays a long line out again only where it changed: every character must still stand
    // where a fresh layout of the same text puts it, also past tabs and multi-byte characters.
    void longLineEditsLayOutAsAFreshLine() {
        QString line;
        for (int i = 0; line.size() < 30000; ++i)
            line += i % 50 == 0   ? QStringLiteral("\tTAB ")
                    : i % 70 == 0 ? QString::fromUtf16(u"\u00e9t\u00e9 ")
                                  : QStringLiteral("word%1 ").arg(i);
        using Base = QsciScintillaBase;
        const struct {
            long pos, remove;
            const char* insert;
        } edits[] = {{15000, 0, "x"},         {15000, 3, ""},     {100, 0, "\t"},
                     {29990, 0, "new words"}, {0, 0, "\xc3\xa9"}, {20000, 1, "\t\t"}};
        const auto xOf = [](EditorText& e, long pos) {
            return e.SendScintilla(Base::SCI_POINTXFROMPOSITION, 0UL, pos);
        };
        for (const auto& c : edits) {
            EditorText edited;
            edited.setWholeText(line);
            xOf(edited, 0); // lays the line out before the edit
            edited.SendScintilla(Base::SCI_DELETERANGE, c.pos, c.remove);
            edited.SendScintilla(Base::SCI_INSERTTEXT, c.pos, c.insert);
            EditorText fresh;
            fresh.setWholeText(edited.wholeText());
            const long length = fresh.SendScintilla(Base::SCI_GETLENGTH);
            for (long pos = 0; pos <= length;
                 pos += pos > c.pos - 400 && pos < c.pos + 400 ? 3 : 499)
                QVERIFY2(qAbs(xOf(edited, pos) - xOf(fresh, pos)) <= 1,
                         qPrintable(QStringLiteral("edit at %1, position %2").arg(c.pos).arg(pos)));
        }
    }

    // An assistive tool may ask for any range; none may crash or read past the text.
    void accessibleTextIsClamped() {
        EditorText editor;
        editor.setWholeText(QString::fromUtf16(u"ab\n\U0001F600"));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&editor);
        QVERIFY(accessible != nullptr && accessible->textInterface() != nullptr);
        QAccessibleTextInterface* text = accessible->textInterface();
        QCOMPARE(text->characterCount(), 6);
        QCOMPARE(accessible->text(QAccessible::Value), editor.wholeText());
        // Past the end, reversed, negative, all negative, far beyond, whole.
        const struct {
            int start, end;
            std::u16string_view expected;
        } cases[] = {
            {2, 100, u"\r\n\U0001F600"}, {4, 1, u"b\r\n"},           {-7, 2, u"ab"}, {-9, -2, u""},
            {1000, 2000, u""},           {0, 6, u"ab\r\n\U0001F600"}};
        for (const auto& c : cases)
            QVERIFY2(text->text(c.start, c.end) == QStringView(c.expected),
                     qPrintable(QString::number(c.start)));
    }

    void accessibleSelectionAndCaret() {
        EditorText editor;
        editor.setWholeText(QStringLiteral("one\ntwo"));
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&editor)->textInterface();
        text->setSelection(0, 7, 4);
        QCOMPARE(QList({editor.selStart(), editor.selLength()}), QList<qsizetype>({4, 3}));
        int start = -1, end = -1;
        text->selection(0, &start, &end);
        QCOMPARE(QList({start, end}), QList({4, 7}));
        text->setCursorPosition(99);
        QCOMPARE(text->cursorPosition(), 8);
        QCOMPARE(text->selectionCount(), 0);
        QAccessibleEditableTextInterface* editable =
            QAccessible::queryAccessibleInterface(&editor)->editableTextInterface();
        QVERIFY(editable != nullptr);
        editable->replaceText(50, 3, QStringLiteral("!"));
        QCOMPARE(editor.wholeText(), QStringLiteral("one!"));
    }
};

QTEST_MAIN(EditorTextTest)
#include "EditorTextTest.moc"
