#include "guitests.h"

#include "core/codepage.h"
#include "gotolinedlg.h"
#include "opendialogex.h"
#include "optionsdlg.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace norvak;

// The open, options and go-to-line dialogs.
class TestDialogs : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void openDialogOffersDetectionFirstThenTheThreeTypes() {
        COpenDialogEx dialog(nullptr, FileType::Marked);
        QCOMPARE(dialog.nameFilters().size(), 4);
        QVERIFY(
            dialog.nameFilters().front().startsWith(QStringLiteral("Определить автоматически")));
        QCOMPARE(dialog.ChosenType(), FileType::Marked);
        QVERIFY(dialog.DosEncoding());
        QVERIFY(dialog.PreviewOn());
        QCOMPARE(COpenDialogEx(nullptr, FileType::Auto).ChosenType(), FileType::Auto);
        QCOMPARE(COpenDialogEx(nullptr, FileType::Text).ChosenType(), FileType::Text);
        // A type the dialog does not offer leaves the first filter.
        QCOMPARE(COpenDialogEx(nullptr, FileType::Docx).ChosenType(), FileType::Auto);
    }

    void previewShowsTheFirstFiftyLines() {
        const QString path = m_dir.filePath(QStringLiteral("eighty.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (int i = 1; i <= 80; ++i)
            f.write(QByteArray::number(i) + "\r\n");
        f.close();
        COpenDialogEx dialog(nullptr, FileType::Text);
        dialog.UpdatePreview(path);
        const QStringList lines = dialog.PreviewText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 50);
        QCOMPARE(lines.front(), QStringLiteral("1"));
        QCOMPARE(lines.back(), QStringLiteral("50"));
        dialog.SetPreview(false);
        QVERIFY(dialog.PreviewText().isEmpty());
    }

    void previewFollowsTheEncoding() {
        const QString path = m_dir.filePath(QStringLiteral("dos.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x8f\xe0\xa8\xaa\xa0\xa7\r\n"); // "Приказ" in CP866
        f.close();
        COpenDialogEx dialog(nullptr, FileType::Text);
        dialog.UpdatePreview(path);
        QCOMPARE(dialog.PreviewText(), QStringLiteral("Приказ"));
        dialog.SetDosEncoding(false);
        QCOMPARE(dialog.PreviewText(), BytesToQString(std::string("\x8f\xe0\xa8\xaa\xa0\xa7"))
                                           .replace(QChar(0xA0), QLatin1Char(' ')));
        QCOMPARE(COpenDialogEx::PreviewLines(m_dir.filePath("none").toStdString(), true, 50).size(),
                 size_t(0));
    }

    void openDialogProposesTheEncodingTheBytesSuggest_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QString>("preview");
        QTest::newRow("nominal: CP866")
            << QByteArray("\x8f\xe0\xa8\xaa\xa0\xa7 \xae \xaf\xae\xe0\xef\xa4\xaa\xa5\r\n")
            << int(Encoding::Dos) << QStringLiteral("Приказ о порядке");
        QTest::newRow("nominal: CP1251")
            << QByteArray("\xcf\xf0\xe8\xea\xe0\xe7 \xee \xef\xee\xf0\xff\xe4\xea\xe5\r\n")
            << int(Encoding::Windows) << QStringLiteral("Приказ о порядке");
        QTest::newRow("nominal: UTF-8")
            << QStringLiteral("Приказ о порядке\n").toUtf8() << int(Encoding::Utf8)
            << QStringLiteral("Приказ о порядке");
    }
    void openDialogProposesTheEncodingTheBytesSuggest() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        QFETCH(QString, preview);
        const QString path = m_dir.filePath(QStringLiteral("proposed.txt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        COpenDialogEx dialog(nullptr, FileType::Text);
        dialog.SetEncoding(Encoding::Windows);
        dialog.ProposeEncoding(path);
        dialog.UpdatePreview(path);
        QCOMPARE(int(dialog.ChosenEncoding()), encoding);
        QCOMPARE(dialog.PreviewText(), preview);
        // The operator's choice after the proposal holds.
        dialog.SetEncoding(Encoding::Dos);
        QCOMPARE(dialog.ChosenEncoding(), Encoding::Dos);
        dialog.ProposeEncoding(m_dir.path()); // a folder proposes nothing
        QCOMPARE(dialog.ChosenEncoding(), Encoding::Dos);
    }

    void gotoLineWraps() {
        CGotoLineDlg dialog(nullptr, 10);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Перейти на строку"));
        QSpinBox* spin = dialog.Spin();
        QCOMPARE(spin->minimum(), 1);
        QCOMPARE(spin->maximum(), 10);
        QCOMPARE(dialog.Line(), 1);
        spin->stepDown();
        QCOMPARE(dialog.Line(), 10);
        spin->stepUp();
        QCOMPARE(dialog.Line(), 1);
    }

    void optionsCarryTheSixValues() {
        DocSettings s;
        COptionsDlg dialog(nullptr, s);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Параметры"));
        QCOMPARE(dialog.QuestionDocEdit()->text(), QStringLiteral("ВОПРОС-ОТВЕТ"));
        dialog.StringLengthEdit()->setText(QStringLiteral("72"));
        dialog.QuestionDocEdit()->setText(QStringLiteral("ПИСЬМО"));
        dialog.CreateTagsBox()->setChecked(false);
        QVERIFY(dialog.Collect());
        QCOMPARE(dialog.Values().stringLength, 72);
        QCOMPARE(dialog.Values().questionDoc, Cp("ПИСЬМО"));
        QCOMPARE(dialog.Values().createTags, 0);
        QCOMPARE(dialog.Values().defineRecvisits, 1);
        QCOMPARE(dialog.ExtendedRecvisitsBox()->text(),
                 QStringLiteral("Расширенное определение реквизитов"));
        QVERIFY(dialog.ExtendedRecvisitsBox()->isChecked());
        dialog.ExtendedRecvisitsBox()->setChecked(false);
        QVERIFY(dialog.Collect());
        QCOMPARE(dialog.Values().extendedRecvisits, 0);
    }

    void optionsRefuseValuesOutOfTheirRanges() {
        for (auto edit : {&COptionsDlg::PosParagraphEdit, &COptionsDlg::StringLengthEdit,
                          &COptionsDlg::LeftSpacesEdit}) {
            for (const char* value : {"-1", "0", "100000"}) {
                DocSettings s;
                COptionsDlg dialog(nullptr, s);
                (dialog.*edit)()->setText(QString::fromLatin1(value));
                QString shown;
                QTimer::singleShot(0, [&shown] {
                    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                        shown = box->text();
                        box->accept();
                    }
                });
                const bool taken = dialog.Collect();
                if (QString::fromLatin1(value) == QStringLiteral("0") &&
                    edit == &COptionsDlg::PosParagraphEdit) {
                    QVERIFY(taken); // a paragraph at the margin is allowed
                    continue;
                }
                QVERIFY2(!taken, value);
                QVERIFY2(shown.startsWith(QStringLiteral("Введите число от")), qPrintable(shown));
                QCOMPARE(dialog.Values().posParagraph, 5);
                QCOMPARE(dialog.Values().stringLength, 66);
                QCOMPARE(dialog.Values().leftSpaces, 20);
            }
        }
    }

    void optionsRefuseANonInteger() {
        DocSettings s;
        COptionsDlg dialog(nullptr, s);
        dialog.PosParagraphEdit()->setText(QStringLiteral("пять"));
        // The complaint is a message box; close it as the operator would.
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
        QVERIFY(!dialog.Collect());
        QCOMPARE(dialog.Values().posParagraph, 5);
    }
};

NORVAK_GUI_TEST(TestDialogs);
#include "dialogs_test.moc"
