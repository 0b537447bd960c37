#pragma once
// Printing the editor's text: print, print preview and page setup, with margins of half an
// inch (720 twips) on every side until the operator changes them.

#include <QObject>

#include <memory>

class QPrinter;

namespace norvak {

class CMainFrame;

// The print commands of the view; keeps the printer and its page setup between commands.
class CPrintCommands : public QObject {
    Q_OBJECT
public:
    static constexpr int kMarginTwips = 720;

    CPrintCommands(CMainFrame& frame, QObject* parent);
    ~CPrintCommands() override;

    void OnPrint();
    void OnPrintPreview();
    void OnPageSetup();

    // Lays the text out on the printer's pages, inside its margins, and prints it.
    void PrintTo(QPrinter* printer) const;
    QPrinter& Printer() { return *m_printer; }

private:
    CMainFrame& m_frame;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace norvak
