#pragma once
// The commands that hand the editor's text to the word processor and take it back.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

namespace norvak {

class CMainFrame;
class CWordExchange;
class COperator;

// Export and import of the view's text through CWordExchange; the exported document is opened
// with the desktop's application for it.
class CWordExchangeCommands : public QObject {
    Q_OBJECT
public:
    // Starts a program detached from the editor; false when it cannot be started.
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;

    CWordExchangeCommands(CMainFrame& frame, QObject* parent);
    ~CWordExchangeCommands() override;

    // Writes the whole text into a new document and opens it; false on failure (reported).
    bool OnExport();
    // Replaces the whole text with the document's current text, as one undo step; false on
    // failure (reported, the text unchanged).
    bool OnImport();

    // Replaces the program starter (tests: one that starts nothing).
    void SetLauncher(Launcher launcher);
    // Where new documents are written (tests); forgets the exported document.
    void SetDirectory(const std::string& directory);
    CWordExchange& Exchange() { return *m_exchange; }

    static bool StartDetached(const QString& program, const QStringList& arguments);

private:
    bool Open(const std::string& path);

    CMainFrame& m_frame;
    std::unique_ptr<COperator> m_operator;
    std::unique_ptr<CWordExchange> m_exchange;
    Launcher m_launcher;
};

} // namespace norvak
