#include "guitests.h"

#include "core/codepage.h"
#include "qtsettingsstore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace norvak;

// The settings of the document and the view kept through QSettings.
class TestQtSettingsStore : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path() const { return m_dir.filePath(QStringLiteral("norvak.ini")); }

private slots:
    void init() { QFile::remove(Path()); }

    void defaultsAreWrittenOnFirstRead() {
        {
            QSettings s(Path(), QSettings::IniFormat);
            CQtSettingsStore store(&s);
            DocSettings doc;
            doc.Read(store);
            QCOMPARE(doc.posParagraph, 5);
            QCOMPARE(doc.stringLength, 66);
            QCOMPARE(doc.leftSpaces, 20);
            QCOMPARE(doc.questionDoc, Cp("ВОПРОС-ОТВЕТ"));
            QCOMPARE(doc.createTags, 1);
            QCOMPARE(doc.defineRecvisits, 1);
            ViewSettings view;
            view.Read(store);
            QCOMPARE(view.fontName, std::string("Courier New"));
        }
        QSettings s(Path(), QSettings::IniFormat);
        for (const char* name :
             {"PosParagraph", "StringLength", "LeftSpaces", "QuestionDoc", "CreateTags",
              "DefineRecvisits", "FontHeight", "FontFamily", "FontName"})
            QVERIFY2(s.contains(QLatin1String(name)), name);
        QCOMPARE(s.value(QStringLiteral("QuestionDoc")).toString(), QStringLiteral("ВОПРОС-ОТВЕТ"));
    }

    void minus1025IsMissing() {
        {
            QSettings s(Path(), QSettings::IniFormat);
            s.setValue(QStringLiteral("StringLength"), -1025);
            s.setValue(QStringLiteral("PosParagraph"), QStringLiteral("not a number"));
        }
        QSettings s(Path(), QSettings::IniFormat);
        CQtSettingsStore store(&s);
        DocSettings doc;
        doc.Read(store);
        QCOMPARE(doc.stringLength, 66);
        QCOMPARE(doc.posParagraph, 5);
        QCOMPARE(s.value(QStringLiteral("StringLength")).toInt(), 66);
    }

    void roundTrip() {
        DocSettings written;
        written.posParagraph = 7;
        written.stringLength = 72;
        written.leftSpaces = 15;
        written.questionDoc = Cp("ПИСЬМО");
        written.createTags = 0;
        written.defineRecvisits = 0;
        ViewSettings font;
        font.fontHeight = 240;
        font.fontName = "Liberation Mono";
        {
            QSettings s(Path(), QSettings::IniFormat);
            CQtSettingsStore store(&s);
            written.Write(store);
            font.Write(store);
        }
        QSettings s(Path(), QSettings::IniFormat);
        CQtSettingsStore store(&s);
        DocSettings read;
        read.Read(store);
        QCOMPARE(read.posParagraph, 7);
        QCOMPARE(read.stringLength, 72);
        QCOMPARE(read.leftSpaces, 15);
        QCOMPARE(read.questionDoc, Cp("ПИСЬМО"));
        QCOMPARE(read.createTags, 0);
        QCOMPARE(read.defineRecvisits, 0);
        ViewSettings readFont;
        readFont.Read(store);
        QCOMPARE(readFont.fontHeight, 240);
        QCOMPARE(readFont.fontName, std::string("Liberation Mono"));
    }
};

NORVAK_GUI_TEST(TestQtSettingsStore);
#include "qtsettingsstore_test.moc"
