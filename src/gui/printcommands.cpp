#include "printcommands.h"

#include "mainframe.h"
#include "norvakview.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>
#include <QTextFrame>

namespace norvak {

CPrintCommands::CPrintCommands(CMainFrame& frame, QObject* parent)
    : QObject(parent), m_frame(frame), m_printer(std::make_unique<QPrinter>()) {
    const qreal inch = kMarginTwips / 1440.0;
    m_printer->setPageMargins(QMarginsF(inch, inch, inch, inch), QPageLayout::Inch);
}

CPrintCommands::~CPrintCommands() = default;

void CPrintCommands::PrintTo(QPrinter* printer) const {
    // A copy of the text laid out on pages of the printer's printable area: the document's
    // own printing would add margins of its own.
    CNorvakView& view = m_frame.View();
    std::unique_ptr<QTextDocument> doc;
    const QTextCursor selection = view.textCursor();
    if (printer->printRange() == QPrinter::Selection && selection.hasSelection()) {
        doc = std::make_unique<QTextDocument>();
        QString text = selection.selectedText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        doc->setPlainText(text);
    } else {
        doc.reset(view.document()->clone());
    }
    doc->setDefaultFont(view.font());
    QTextFrameFormat root = doc->rootFrame()->frameFormat();
    root.setMargin(0);
    doc->rootFrame()->setFrameFormat(root);
    QTextOption option = doc->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc->setDefaultTextOption(option);
    // Page size in the units of the screen layout; printing scales it to the paper.
    const QRectF area = printer->pageLayout().paintRect(QPageLayout::Inch);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpiX = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
    const qreal dpiY = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    doc->setPageSize(QSizeF(area.width() * dpiX, area.height() * dpiY));
    doc->print(printer);
}

void CPrintCommands::OnPrint() {
    QPrintDialog dialog(m_printer.get(), &m_frame);
    dialog.setWindowTitle(QStringLiteral("Печать"));
    if (m_frame.View().textCursor().hasSelection())
        dialog.setOption(QAbstractPrintDialog::PrintSelection);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(m_printer.get());
}

void CPrintCommands::OnPrintPreview() {
    QPrintPreviewDialog dialog(m_printer.get(), &m_frame);
    dialog.setWindowTitle(QStringLiteral("Предварительный просмотр"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(printer); });
    dialog.resize(800, 700);
    dialog.exec();
}

void CPrintCommands::OnPageSetup() {
    QPageSetupDialog dialog(m_printer.get(), &m_frame);
    dialog.setWindowTitle(QStringLiteral("Параметры страницы"));
    dialog.exec();
}

} // namespace norvak
