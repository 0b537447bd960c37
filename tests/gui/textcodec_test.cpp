#include "guitests.h"

#include "core/codepage.h"
#include "textcodec.h"

#include <QSet>
#include <QTest>

using namespace norvak;

// The byte <-> character mapping of the editor.
class TestTextCodec : public QObject {
    Q_OBJECT
private slots:
    void everyByteHasItsOwnCharacter() {
        QSet<char16_t> seen;
        for (int b = 0; b < 256; ++b) {
            const QChar c = ByteToChar(static_cast<unsigned char>(b));
            QVERIFY2(!seen.contains(c.unicode()), qPrintable(QString::number(b, 16)));
            seen.insert(c.unicode());
            unsigned char back = 0;
            QVERIFY(CharToByte(c, back));
            QCOMPARE(int(back), b);
        }
    }

    void allBytesRoundTrip() {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        QCOMPARE(QStringToBytes(BytesToQString(all)), all);
    }

    void markersAndFramesAreVisible_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("expected"); // 0: any printable glyph
        QTest::newRow("nominal: tag marker") << 0x04 << 0;
        QTest::newRow("nominal: link opening") << 0x01 << 0;
        QTest::newRow("nominal: link closing") << 0x02 << 0;
        QTest::newRow("nominal: frame horizontal") << 0x16 << 0x2500;
        QTest::newRow("nominal: frame vertical") << 0x12 << 0x2502;
        QTest::newRow("nominal: frame top-left") << 0x1B << 0x250C;
        QTest::newRow("nominal: frame top-right") << 0x1A << 0x2510;
        QTest::newRow("nominal: frame bottom-left") << 0x1C << 0x2514;
        QTest::newRow("nominal: frame bottom-right (internal 0xA7)") << 0xA7 << 0x2518;
        QTest::newRow("nominal: frame cross") << 0x13 << 0x253C;
        QTest::newRow("nominal: frame tees") << 0x10 << 0x251C;
        QTest::newRow("edge: carriage return kept in its line") << 0x0D << 0;
        QTest::newRow("edge: undefined 0x98") << 0x98 << 0;
        QTest::newRow("nominal: Cyrillic capital") << 0xC0 << 0x0410;
        QTest::newRow("nominal: numero sign") << 0xB9 << 0x2116;
    }
    void markersAndFramesAreVisible() {
        QFETCH(int, byte);
        QFETCH(int, expected);
        const QChar c = ByteToChar(static_cast<unsigned char>(byte));
        QVERIFY(c.isPrint());
        QVERIFY(!c.isSpace());
        if (expected != 0)
            QCOMPARE(int(c.unicode()), expected);
    }

    void frameCodesOfADosTableShowAsBoxDrawing() {
        // A CP866 table line read as the DOS reader reads it, shown in the editor.
        std::string line = "\xDA\xC4\xC2\xBF"; // ┌─┬┐ in CP866
        QCOMPARE(BytesToQString(DosToWindows(line)), QStringLiteral("┌─┬┐"));
        std::string bottom = "\xC0\xC4\xC1\xD9"; // └─┴┘
        QCOMPARE(BytesToQString(DosToWindows(bottom)), QStringLiteral("└─┴┘"));
    }

    void foreignCharactersBecomeQuestionMarks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("robustness: Latin letter with diaeresis")
            << QStringLiteral("aüb") << QByteArray("a?b");
        QTest::newRow("robustness: surrogate pair is one character")
            << QString::fromUtf8("a\xF0\x9F\x98\x80"
                                 "b")
            << QByteArray("a?b");
        QTest::newRow("robustness: lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
        QTest::newRow("nominal: paragraph separator is a line break")
            << QString(QChar(0x2029)) << QByteArray("\n");
    }
    void foreignCharactersBecomeQuestionMarks() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(QByteArray::fromStdString(QStringToBytes(text)), bytes);
        QCOMPARE(IsRepresentable(text), !bytes.contains('?'));
    }
};

NORVAK_GUI_TEST(TestTextCodec);
#include "textcodec_test.moc"
