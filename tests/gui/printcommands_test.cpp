#include "guitests.h"

#include "commands.h"
#include "editcommands.h"
#include "frametestbed.h"
#include "printcommands.h"

#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>

using namespace norvak;

// Printing the text.
class TestPrintCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<FrameTestbed> m_bed;
    CPrintCommands& Printing() {
        return m_bed->frame->findChild<CEditCommands*>(QStringLiteral("EditCommands"))->Printing();
    }

private slots:
    void init() { m_bed = std::make_unique<FrameTestbed>(); }
    void cleanup() { m_bed.reset(); }

    void marginsAreHalfAnInch() {
        const QMarginsF m = Printing().Printer().pageLayout().margins(QPageLayout::Inch);
        QCOMPARE(m, QMarginsF(0.5, 0.5, 0.5, 0.5));
        for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP})
            QVERIFY(m_bed->frame->Action(id)->isEnabled());
    }

    void printsEveryLineToPdf() {
        LineList text;
        for (int i = 0; i < 150; ++i)
            text.push_back(Cp("Строка ") + std::to_string(i));
        m_bed->View().SetText(text, true);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = m_bed->dir->filePath("out.pdf");
        printer.setOutputFileName(pdf);
        printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
        Printing().PrintTo(&printer);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        // 150 lines of 10-point text take three pages of the 0.5-inch margins: about 64 lines
        // fit on a page of A4 or Letter.
        const QString pdfText = QString::fromLatin1(bytes);
        QCOMPARE(pdfText.count(QRegularExpression(QStringLiteral("/Type /Page(?!s)"))), 3);
    }

    void previewOpensAndCloses() {
        m_bed->View().SetText({"a", "b"}, true);
        bool seen = false;
        OnModal<QPrintPreviewDialog>([&seen](QPrintPreviewDialog* dlg) {
            seen = true;
            dlg->reject();
        });
        m_bed->Trigger(ID_FILE_PRINT_PREVIEW);
        QVERIFY(seen);
    }
};

NORVAK_GUI_TEST(TestPrintCommands);
#include "printcommands_test.moc"
