#include "wordexchangecommands.h"

#include "core/literal.h"
#include "document/lineediting.h"
#include "document/wordexchange.h"
#include "mainframe.h"
#include "norvakview.h"
#include "textcodec.h"
#include "waitcursor.h"

#include <QApplication>
#include <QProcess>
#include <QTextBlock>

namespace norvak {
namespace {

// The frame's operator at the time of each message (tests replace it), with the wait cursor
// taken down while a message box is up.
class CFrameOperator : public COperator {
public:
    explicit CFrameOperator(CMainFrame& frame) : m_frame(frame) {}
    void Message(std::string_view text, MessageIcon icon) override {
        const bool waiting = QApplication::overrideCursor() != nullptr;
        if (waiting)
            QApplication::restoreOverrideCursor();
        m_frame.Operator().Message(text, icon);
        if (waiting)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    Answer AskYesNo(std::string_view text) override { return m_frame.Operator().AskYesNo(text); }
    Answer AskYesNoCancel(std::string_view text) override {
        return m_frame.Operator().AskYesNoCancel(text);
    }

private:
    CMainFrame& m_frame;
};

} // namespace

CWordExchangeCommands::CWordExchangeCommands(CMainFrame& frame, QObject* parent)
    : QObject(parent), m_frame(frame), m_operator(std::make_unique<CFrameOperator>(frame)),
      m_exchange(std::make_unique<CWordExchange>(*m_operator)), m_launcher(&StartDetached) {}

CWordExchangeCommands::~CWordExchangeCommands() = default;

void CWordExchangeCommands::SetLauncher(Launcher launcher) {
    m_launcher = launcher ? std::move(launcher) : Launcher(&StartDetached);
}

void CWordExchangeCommands::SetDirectory(const std::string& directory) {
    m_exchange = std::make_unique<CWordExchange>(*m_operator, directory);
}

bool CWordExchangeCommands::StartDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool CWordExchangeCommands::Open(const std::string& path) {
    // The desktop's application for OpenDocument text, else the word processor itself.
    for (bool writer : {false, true}) {
        const std::vector<std::string> command = OpenDocumentCommand(path, writer);
        if (command.empty())
            continue;
        QStringList arguments;
        for (std::size_t i = 1; i < command.size(); ++i)
            arguments.push_back(QString::fromStdString(command[i]));
        if (m_launcher(QString::fromStdString(command.front()), arguments))
            return true;
    }
    return false;
}

bool CWordExchangeCommands::OnExport() {
    CWaitCursor wait;
    const std::string text = JoinLines(m_frame.View().GetLines());
    if (!m_exchange->Export(text))
        return false;
    if (!Open(m_exchange->DocumentPath())) {
        m_operator->Message("Ошибка экспорта документа."_cp, MessageIcon::Error);
        return false;
    }
    return true;
}

bool CWordExchangeCommands::OnImport() {
    CWaitCursor wait;
    std::string text;
    if (!m_exchange->Import(text))
        return false;
    CNorvakView& view = m_frame.View();
    QTextCursor cursor = view.textCursor();
    const int line = cursor.blockNumber();
    view.viewport()->setUpdatesEnabled(false);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(BytesToQString(text));
    cursor.endEditBlock();
    // Back to the start of the line where the caret was, or of the last line.
    QTextBlock block = view.document()->findBlockByNumber(line);
    if (!block.isValid())
        block = view.document()->lastBlock();
    cursor.setPosition(block.position());
    view.setTextCursor(cursor);
    view.viewport()->setUpdatesEnabled(true);
    view.HighlightVisible();
    return true;
}

} // namespace norvak
