#include "core/LineBreaks.h"

#include <QTest>

class LineBreaksTest : public QObject {
    Q_OBJECT

private slots:
    void toCrLf_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");

        const std::pair<const char*, const char*> cases[] = {
            {"", ""},
            {"PRINT", "PRINT"},
            {"a\r\nb", "a\r\nb"},
            {"a\nb", "a\r\nb"},
            {"a\rb", "a\r\nb"},
            {"\r", "\r\n"},
            {"\n", "\r\n"},
            {"\n\r", "\r\n\r\n"},
            {"\r\r\n", "\r\n\r\n"},
            {"\r\n\n", "\r\n\r\n"},
            {"a\n\n\nb", "a\r\n\r\n\r\nb"},
            {"a\nb\n", "a\r\nb\r\n"},
            {"a\r\nb\r", "a\r\nb\r\n"},
            {"a\r\nb\nc\rd\r\n", "a\r\nb\r\nc\r\nd\r\n"},
        };
        for (const auto& [input, expected] : cases) {
            QTest::addRow("%s", QString(input).toUtf8().toPercentEncoding().constData())
                << QString(input) << QString(expected);
        }
        QTest::newRow("nul kept") << QStringView(u"a\0b\nc", 5).toString()
                                  << QStringView(u"a\0b\r\nc", 6).toString();
    }

    void toCrLf() {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        const QString result = ::toCrLf(input);
        QCOMPARE(result, expected);
        QCOMPARE(::toCrLf(result), expected);
    }

    // A file's convention, and the editor's CR LF text written back in it: a uniform file comes
    // back byte for byte.
    void convention_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<LineEnding>("ending");
        QTest::newRow("none") << QByteArray("PRINT") << LineEnding::CrLf;
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << LineEnding::CrLf;
        QTest::newRow("LF") << QByteArray("a\nb\n\n") << LineEnding::Lf;
        QTest::newRow("CR") << QByteArray("\ra\rb") << LineEnding::Cr;
        QTest::newRow("LF and CR LF") << QByteArray("a\nb\r\n") << LineEnding::CrLf;
        QTest::newRow("LF and CR") << QByteArray("a\nb\r") << LineEnding::CrLf;
    }
    void convention() {
        QFETCH(QByteArray, file);
        QFETCH(LineEnding, ending);
        QCOMPARE(detectLineEnding(file), ending);
        const QString crLf = ::toCrLf(QString::fromLatin1(file));
        // Mixed files are written with CR LF throughout.
        const QByteArray written = ending == LineEnding::CrLf ? crLf.toLatin1() : file;
        QCOMPARE(fromCrLf(crLf, ending), QString::fromLatin1(written));
        QCOMPARE(fromCrLf(crLf.toLatin1(), ending), written);
    }

    // Text that needs no change comes back sharing the caller's characters, not copied.
    void unchangedTextIsShared() {
        for (QString input : {QStringLiteral("PRINT 1"), QStringLiteral("a\r\n\r\nb\r\n")}) {
            input.detach();
            QCOMPARE(::toCrLf(input).constData(), input.constData());
        }
    }
};

QTEST_GUILESS_MAIN(LineBreaksTest)
#include "LineBreaksTest.moc"
