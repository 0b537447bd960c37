#include "guitests.h"

#include "core/operatorio.h"
#include "document/linklabel.h"
#include "metdlg.h"

#include <QLineEdit>
#include <QPushButton>

using namespace norvak;

// The dialog "Метка МЕТ".
class TestMetDlg : public QObject {
    Q_OBJECT
private slots:
    void okOnlyWithANumber() {
        CScriptedOperator op;
        CMetDlg dlg(nullptr, op);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Метка МЕТ"));
        QVERIFY(!dlg.OkButton()->isEnabled());
        QTest::keyClicks(dlg.NumberEdit(), QStringLiteral("a3"));
        QCOMPARE(dlg.NumberEdit()->text(), QStringLiteral("3"));
        QVERIFY(dlg.OkButton()->isEnabled());
        QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Number(), 3);
        QVERIFY(op.Entries().empty());
    }

    void refusals_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero") << "0"
                              << "Вы должны задать число большее 0!";
        QTest::newRow("zeros") << "000"
                               << "Вы должны задать число большее 0!";
        QTest::newRow("robustness: not an int") << "99999999999"
                                                << "Введите целое число.";
    }
    void refusals() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        CScriptedOperator op;
        CMetDlg dlg(nullptr, op);
        dlg.show();
        dlg.NumberEdit()->setText(text);
        QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
        // The dialog stays open with the message told.
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(op.Messages(), std::vector<std::string>{Cp(message.toUtf8().constData())});
        QCOMPARE(op.Entries().front().icon, MessageIcon::Exclamation);
    }
};

NORVAK_GUI_TEST(TestMetDlg);
#include "metdlg_test.moc"
