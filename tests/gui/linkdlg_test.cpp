#include "guitests.h"

#include "document/linklabel.h"
#include "linkdlg.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace norvak;

// The dialog "Ссылка".
class TestLinkDlg : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheTenKindsInOrderAndNulSelected() {
        CLinkDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Ссылка"));
        QStringList kinds;
        for (int i = 0; i < dlg.Kind()->count(); ++i)
            kinds << dlg.Kind()->itemText(i);
        QCOMPARE(kinds.join(QLatin1Char(' ')),
                 QStringLiteral("ПОТ ЧОТ ДОП ВИЗ РЕД НУЛ РАЗ РЕГ ИСП ВСТ"));
        QCOMPARE(dlg.Kind()->currentText(), QStringLiteral("НУЛ"));
        QCOMPARE(dlg.Description()->text(), QStringLiteral("Нулевая ссылка"));
        QCOMPARE(dlg.KeyO()->text(), QStringLiteral("-О"));
        QCOMPARE(dlg.KeyP()->text(), QStringLiteral("-П"));
        QVERIFY(!dlg.KeyO()->isChecked());
        QVERIFY(!dlg.KeyP()->isChecked());
    }

    void descriptionFollowsTheKind() {
        CLinkDlg dlg;
        dlg.Kind()->setCurrentIndex(0);
        QCOMPARE(dlg.Description()->text(),
                 QStringLiteral("Признает УТРАТИВШИМ СИЛУ следующий документ"));
        dlg.Kind()->setCurrentIndex(9);
        QCOMPARE(dlg.Description()->text(),
                 QStringLiteral("Принят В СООТВЕТСТВИИ со следующим документом"));
    }

    void okOnlyWithADocumentNumber() {
        CLinkDlg dlg;
        QVERIFY(!dlg.OkButton()->isEnabled());
        QTest::keyClicks(dlg.LineNumber(), QStringLiteral("5"));
        QVERIFY(!dlg.OkButton()->isEnabled());
        QTest::keyClicks(dlg.DocumentNumber(), QStringLiteral("1"));
        QVERIFY(dlg.OkButton()->isEnabled());
        QTest::keyClick(dlg.DocumentNumber(), Qt::Key_Backspace);
        QVERIFY(!dlg.OkButton()->isEnabled());
        // Enter on an empty number does not close the dialog.
        dlg.accept();
        QVERIFY(dlg.Result().empty());
    }

    void numberFieldsTakeDigitsOnly() {
        CLinkDlg dlg;
        QTest::keyClicks(dlg.DocumentNumber(), QStringLiteral("1a2-3 4"));
        QCOMPARE(dlg.DocumentNumber()->text(), QStringLiteral("1234"));
        QTest::keyClicks(dlg.LineNumber(), QStringLiteral("x9"));
        QCOMPARE(dlg.LineNumber()->text(), QStringLiteral("9"));
    }

    void resultIsThePaddedLinkLine_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("keyO");
        QTest::addColumn<bool>("keyP");
        QTest::addColumn<QString>("head");
        QTest::newRow("nominal: no line, no keys") << 0 << "1234"
                                                   << "" << false << false << "СС_ПОТ_1234#";
        QTest::newRow("nominal: line and both keys") << 3 << "7"
                                                     << "15" << true << true << "СС_ВИЗ_7_15-О-П#";
        QTest::newRow("edge: line 0 means none") << 5 << "12"
                                                 << "0" << false << true << "СС_НУЛ_12-П#";
        QTest::newRow("robustness: a number too long for an int is cut to the largest")
            << 8 << "99999999999"
            << "" << false << false << "СС_ИСП_2147483647#";
    }
    void resultIsThePaddedLinkLine() {
        QFETCH(int, kind);
        QFETCH(QString, document);
        QFETCH(QString, line);
        QFETCH(bool, keyO);
        QFETCH(bool, keyP);
        QFETCH(QString, head);
        CLinkDlg dlg;
        dlg.Kind()->setCurrentIndex(kind);
        dlg.DocumentNumber()->setText(document);
        dlg.LineNumber()->setText(line);
        dlg.KeyO()->setChecked(keyO);
        dlg.KeyP()->setChecked(keyP);
        QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        std::string expected = "\x04\x04" + QStringToBytes(head);
        expected.append(66 - expected.size(), '-');
        expected += '\n';
        QCOMPARE(dlg.Result(), expected);
    }
};

NORVAK_GUI_TEST(TestLinkDlg);
#include "linkdlg_test.moc"
