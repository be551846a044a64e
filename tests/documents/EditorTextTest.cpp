// The editor's CR LF view: offsets, selections and text in UTF-16 units with CR LF as two.

#include "documents/EditorText.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

class EditorTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textIsNormalisedToCrLf_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("lf") << "a\nb"
                            << "a\r\nb";
        QTest::newRow("cr") << "a\rb\r"
                            << "a\r\nb\r\n";
        QTest::newRow("crlf kept") << "a\r\nb"
                                   << "a\r\nb";
        QTest::newRow("nul") << QString::fromUtf16(u"a\0b", 3) << QString::fromUtf16(u"a\0b", 3);
        QTest::newRow("surrogates")
            << QString::fromUtf16(u"\U0001F600x") << QString::fromUtf16(u"\U0001F600x");
    }

    void textIsNormalisedToCrLf() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        EditorText editor;
        editor.setWholeText(in);
        QCOMPARE(editor.wholeText(), out);
        QCOMPARE(editor.textLength(), out.size());
    }

    // Selections set and read back in CR LF counting, across line breaks and multi-unit characters.
    void selectionRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("selected");
        const QString lines = QStringLiteral("SUB a\r\nPRINT 1\r\nEND SUB\r\n");
        QTest::newRow("line 2") << lines << 7 << 7 << "PRINT 1";
        QTest::newRow("across break") << lines << 5 << 4 << "\r\nPR";
        QTest::newRow("caret after break") << lines << 7 << 0 << "";
        QTest::newRow("last char") << lines << int(lines.size() - 1) << 1 << "\n";
        const QString wide = QString::fromUtf16(u"\u00e9\U0001F600\r\nx\u4e2d");
        QTest::newRow("after accented") << wide << 1 << 2 << QString::fromUtf16(u"\U0001F600");
        QTest::newRow("after emoji and break") << wide << 5 << 2 << QString::fromUtf16(u"x\u4e2d");
    }

    void selectionRoundTrip() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, selected);
        EditorText editor;
        editor.setWholeText(text);
        editor.setSelection(start, length);
        QCOMPARE(editor.selStart(), start);
        QCOMPARE(editor.selLength(), length);
        QCOMPARE(editor.selectedWholeText(), selected);
    }

    void selectionOutsideTheTextIsClamped() {
        EditorText editor;
        editor.setWholeText(QStringLiteral("ab\r\ncd"));
        editor.setSelection(4, 100);
        QCOMPARE(editor.selStart(), 4);
        QCOMPARE(editor.selLength(), 2);
        editor.setSelection(-5, 2);
        QCOMPARE(editor.selStart(), 0);
        QCOMPARE(editor.selLength(), 2);
        editor.setSelection(50, 3);
        QCOMPARE(editor.selStart(), 6);
        QCOMPARE(editor.selLength(), 0);
    }

    void replaceSelectionKeepsNul() {
        EditorText editor;
        editor.setWholeText(QStringLiteral("abcd"));
        editor.setSelection(1, 2);
        editor.replaceSelection(QString::fromUtf16(u"x\0y\nz", 5));
        QCOMPARE(editor.wholeText(), QString::fromUtf16(u"ax\0y\r\nzd", 8));
        QCOMPARE(editor.selStart(), 7);
        QCOMPARE(editor.selLength(), 0);
    }

    void textRange() {
        EditorText editor;
        editor.setWholeText(QStringLiteral("ab\r\ncd"));
        QCOMPARE(editor.textRange(1, 5), QStringLiteral("b\r\nc"));
        QCOMPARE(editor.textRange(4, 100), QStringLiteral("cd"));
        QCOMPARE(editor.textRange(3, 1), QString());
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

    // An assistive tool may ask for any range; none may crash or read past the text.
    void accessibleTextIsClamped_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("expected");
        QTest::newRow("past the end") << 2 << 100 << QString::fromUtf16(u"\r\n\U0001F600");
        QTest::newRow("reversed") << 4 << 1 << QString::fromUtf16(u"b\r\n");
        QTest::newRow("negative") << -7 << 2 << "ab";
        QTest::newRow("all negative") << -9 << -2 << "";
        QTest::newRow("far beyond") << 1000 << 2000 << "";
        QTest::newRow("whole") << 0 << 6 << QString::fromUtf16(u"ab\r\n\U0001F600");
    }

    void accessibleTextIsClamped() {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QString, expected);
        EditorText editor;
        editor.setWholeText(QString::fromUtf16(u"ab\n\U0001F600"));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&editor);
        QVERIFY(accessible != nullptr);
        QAccessibleTextInterface* text = accessible->textInterface();
        QVERIFY(text != nullptr);
        QCOMPARE(text->characterCount(), 6);
        QCOMPARE(text->text(start, end), expected);
        QCOMPARE(accessible->text(QAccessible::Value), editor.wholeText());
    }

    void accessibleSelectionAndCaret() {
        EditorText editor;
        editor.setWholeText(QStringLiteral("one\ntwo"));
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&editor)->textInterface();
        text->setSelection(0, 7, 4);
        QCOMPARE(editor.selStart(), 4);
        QCOMPARE(editor.selLength(), 3);
        int start = -1;
        int end = -1;
        text->selection(0, &start, &end);
        QCOMPARE(start, 4);
        QCOMPARE(end, 7);
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
