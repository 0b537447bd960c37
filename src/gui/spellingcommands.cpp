#include "spellingcommands.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "document/dictlocation.h"
#include "mainframe.h"
#include "markup/tags.h"
#include "norvakview.h"
#include "spelling/spellchecker.h"
#include "spelling/spellingfiles.h"
#include "spellingdlg.h"
#include "taghighlighter.h"
#include "textcodec.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdlib>
#include <future>
#include <mutex>

namespace norvak {
namespace {

using SharedDictionary = std::shared_future<std::shared_ptr<const SpellingDictionary>>;

// The dictionary takes a while to load and never changes: one load serves every window of the
// process, started by the first that needs it. A changed NORVAK_HUNSPELL_DIR loads afresh.
SharedDictionary LoadDictionary() {
    static std::mutex mutex;
    static std::string loadedFor;
    static SharedDictionary loading;
    const char* own = std::getenv("NORVAK_HUNSPELL_DIR");
    const std::string key = own != nullptr ? std::string("=") + own : std::string();
    std::lock_guard<std::mutex> lock(mutex);
    if (!loading.valid() || key != loadedFor) {
        loadedFor = key;
        loading = std::async(std::launch::async, [] {
                      return std::make_shared<const SpellingDictionary>(
                          OpenSpellingDictionary(ExecutableDir()));
                  }).share();
    }
    return loading;
}

constexpr int kPollMs = 50;

QMenu* FindMenu(CMainFrame& frame, const char* name) {
    return frame.menuBar()->findChild<QMenu*>(QString::fromLatin1(name));
}

bool IsWordByte(char c) {
    return IsCyrillicLetter(c) || IsLatinLetter(c) || (c >= '0' && c <= '9');
}

} // namespace

CSpellingCommands::CSpellingCommands(CMainFrame& frame, QSettings& settings, QObject* parent)
    : QObject(parent), m_frame(frame), m_view(frame.View()), m_settings(settings) {
    m_toggle = new QAction(QStringLiteral("Проверять &орфографию"), &frame);
    m_toggle->setObjectName(QStringLiteral("SpellingToggle"));
    m_toggle->setCheckable(true);
    m_toggle->setStatusTip(QStringLiteral("Подчеркивать слова, которых нет в словаре"));
    m_check = new QAction(QStringLiteral("&Орфография..."), &frame);
    m_check->setObjectName(QStringLiteral("SpellingCheck"));
    m_check->setShortcut(QKeySequence(Qt::Key_F7));
    m_check->setStatusTip(QStringLiteral("Проверить орфографию, начиная от курсора"));
    if (QMenu* view = FindMenu(frame, "ViewMenu")) {
        view->addSeparator();
        view->addAction(m_toggle);
    }
    if (QMenu* service = FindMenu(frame, "ServiceMenu")) {
        QAction* first = service->actions().isEmpty() ? nullptr : service->actions().front();
        service->insertAction(first, m_check);
        service->insertSeparator(first);
    }
    frame.addAction(m_check);

    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &CSpellingCommands::PollLoading);
    connect(m_toggle, &QAction::toggled, this, &CSpellingCommands::SetEnabled);
    connect(m_check, &QAction::triggered, this, &CSpellingCommands::OnCheck);

    const bool on = m_settings.value(QString::fromLatin1(kEnabledKey), true).toBool();
    m_toggle->setChecked(on);
    if (on)
        StartLoading();
}

CSpellingCommands::~CSpellingCommands() = default;

bool CSpellingCommands::IsEnabled() const {
    return m_toggle->isChecked();
}

void CSpellingCommands::SetEnabled(bool on) {
    m_settings.setValue(QString::fromLatin1(kEnabledKey), on);
    if (on && !m_loaded)
        StartLoading();
    else
        Refresh();
}

void CSpellingCommands::StartLoading() {
    if (m_loading || m_loaded)
        return;
    m_loading = true;
    LoadDictionary();
    m_poll.start();
}

void CSpellingCommands::PollLoading() {
    SharedDictionary loading = LoadDictionary();
    if (loading.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    ApplyChecker();
}

void CSpellingCommands::WaitUntilLoaded() {
    if (m_loaded)
        return;
    StartLoading();
    LoadDictionary().wait();
    ApplyChecker();
}

void CSpellingCommands::ApplyChecker() {
    m_poll.stop();
    m_loading = false;
    m_loaded = true;
    const SpellingSetup setup = MakeSpellChecker(*LoadDictionary().get());
    m_checker = setup.checker;
    m_personalPath = setup.personalPath;
    if (m_checker == nullptr) {
        if (!m_toldUnavailable) {
            m_toldUnavailable = true;
            m_frame.Operator().Message(
                "Проверка орфографии недоступна: не установлен русский словарь Hunspell "
                "(пакет hunspell-ru). Остальные возможности редактора работают."_cp,
                MessageIcon::Information);
        }
    } else if (!setup.error.empty()) {
        m_frame.statusBar()->showMessage(QString::fromStdString(setup.error), 10000);
    }
    Refresh();
}

void CSpellingCommands::Refresh() {
    CTagHighlighter& highlighter = m_view.Highlighter();
    const CSpellChecker* wanted = IsEnabled() ? m_checker.get() : nullptr;
    if (highlighter.Spelling() != wanted)
        highlighter.SetSpelling(wanted);
    else
        highlighter.Invalidate();
    m_view.HighlightVisible();
}

void CSpellingCommands::AddToPersonal(const std::string& word) {
    if (m_checker == nullptr || word.empty())
        return;
    if (m_checker->Personal().Add(word)) {
        std::string error;
        if (m_personalPath.empty() || !m_checker->Personal().Save(m_personalPath, &error))
            m_frame.Operator().Message(
                FormatMessage("Не удалось сохранить личный словарь %s"_cp,
                              Utf8ToCp1251(m_personalPath.empty() ? error : m_personalPath)),
                MessageIcon::Exclamation);
    }
    Refresh();
}

void CSpellingCommands::IgnoreAll(const std::string& word) {
    if (m_checker == nullptr || word.empty())
        return;
    m_checker->Ignore(word);
    Refresh();
}

QTextCursor CSpellingCommands::FindFlagged(int from, int to) const {
    if (m_checker == nullptr)
        return {};
    QTextDocument* doc = m_view.document();
    for (QTextBlock block = doc->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const QString text = block.text();
        const std::string line = QStringToBytes(text);
        if (line.size() != static_cast<std::size_t>(text.size()))
            continue; // a character outside the code page; positions would not match
        for (const SpellingSpan& span : m_checker->Check(line)) {
            const int at = block.position() + span.start;
            if (at < from)
                continue;
            if (at >= to)
                return {};
            QTextCursor c(doc);
            c.setPosition(at);
            c.setPosition(at + span.length, QTextCursor::KeepAnchor);
            return c;
        }
    }
    return {};
}

QTextCursor CSpellingCommands::FlaggedAt(const QTextCursor& at) const {
    const QTextBlock block = at.block();
    QTextCursor c = FindFlagged(block.position(), block.position() + block.length());
    while (!c.isNull()) {
        if (at.position() >= c.selectionStart() && at.position() <= c.selectionEnd())
            return c;
        c = FindFlagged(c.selectionEnd(), block.position() + block.length());
    }
    return {};
}

QString CSpellingCommands::Note(const QTextCursor& word) const {
    return IsMixedScript(QStringToBytes(word.selectedText())) ? BytesToQString(MixedScriptNote())
                                                              : QString();
}

bool CSpellingCommands::AddContextItems(QMenu& menu, const QPoint& pos) {
    if (!IsEnabled() || m_checker == nullptr)
        return false;
    const QTextCursor word = FlaggedAt(m_view.cursorForPosition(pos));
    if (word.isNull())
        return false;
    const std::string bytes = QStringToBytes(word.selectedText());
    QAction* first = menu.actions().isEmpty() ? nullptr : menu.actions().front();
    QList<QAction*> items;
    if (const QString note = Note(word); !note.isEmpty()) {
        auto* a = new QAction(note, &menu);
        a->setEnabled(false);
        items.push_back(a);
    }
    const std::vector<std::string> suggestions = m_checker->Suggestions(bytes);
    for (const std::string& s : suggestions) {
        auto* a = new QAction(BytesToQString(s), &menu);
        a->setObjectName(QStringLiteral("SpellingSuggestion"));
        connect(a, &QAction::triggered, this, [this, word, s] {
            QTextCursor c = word;
            c.insertText(BytesToQString(s));
        });
        items.push_back(a);
    }
    if (suggestions.empty()) {
        auto* a = new QAction(QStringLiteral("(нет вариантов)"), &menu);
        a->setEnabled(false);
        items.push_back(a);
    }
    auto* separator = new QAction(&menu);
    separator->setSeparator(true);
    items.push_back(separator);
    auto* add = new QAction(QStringLiteral("Добавить в словарь"), &menu);
    add->setObjectName(QStringLiteral("SpellingAdd"));
    connect(add, &QAction::triggered, this, [this, bytes] { AddToPersonal(bytes); });
    items.push_back(add);
    auto* skip = new QAction(QStringLiteral("Пропустить все"), &menu);
    skip->setObjectName(QStringLiteral("SpellingSkipAll"));
    connect(skip, &QAction::triggered, this, [this, bytes] { IgnoreAll(bytes); });
    items.push_back(skip);
    if (first != nullptr) {
        auto* tail = new QAction(&menu);
        tail->setSeparator(true);
        items.push_back(tail);
    }
    menu.insertActions(first, items);
    return true;
}

CSpellingDlg* CSpellingCommands::BeginCheck() {
    if (!m_loaded)
        WaitUntilLoaded();
    if (m_checker == nullptr) {
        m_frame.Operator().Message(
            "Проверка орфографии недоступна: не установлен русский словарь Hunspell "
            "(пакет hunspell-ru)."_cp,
            MessageIcon::Information);
        return nullptr;
    }
    if (!m_dialog) {
        m_dialog = std::make_unique<CSpellingDlg>(&m_frame);
        connect(m_dialog.get(), &CSpellingDlg::ReplaceRequested, this,
                &CSpellingCommands::ReplaceCurrent);
        connect(m_dialog.get(), &CSpellingDlg::ReplaceAllRequested, this,
                &CSpellingCommands::ReplaceAll);
        connect(m_dialog.get(), &CSpellingDlg::SkipRequested, this, [this] {
            m_from = m_current.selectionEnd();
            Next();
        });
        connect(m_dialog.get(), &CSpellingDlg::SkipAllRequested, this, [this] {
            m_from = m_current.selectionEnd();
            IgnoreAll(QStringToBytes(m_current.selectedText()));
            Next();
        });
        connect(m_dialog.get(), &CSpellingDlg::AddRequested, this, [this] {
            m_from = m_current.selectionEnd();
            AddToPersonal(QStringToBytes(m_current.selectedText()));
            Next();
        });
    }
    const QTextCursor caret = m_view.textCursor();
    m_start = QTextCursor(m_view.document());
    m_start.setPosition(caret.selectionStart());
    m_from = caret.selectionStart();
    m_wrapped = false;
    m_current = QTextCursor();
    Next();
    if (m_current.isNull())
        return nullptr;
    return m_dialog.get();
}

void CSpellingCommands::OnCheck() {
    if (CSpellingDlg* dialog = BeginCheck())
        dialog->exec();
}

void CSpellingCommands::Next() {
    QTextCursor found;
    if (!m_wrapped) {
        found = FindFlagged(m_from, m_view.document()->characterCount());
        if (found.isNull()) {
            m_wrapped = true;
            m_from = 0;
        }
    }
    if (found.isNull() && m_wrapped && m_from < m_start.position())
        found = FindFlagged(m_from, m_start.position());
    const bool started = !m_current.isNull();
    m_current = found;
    if (found.isNull()) {
        if (m_dialog->isVisible())
            m_dialog->accept();
        m_frame.Operator().Message(started ? "Проверка орфографии завершена."_cp
                                           : "Слов с ошибками не найдено."_cp,
                                   MessageIcon::Information);
        return;
    }
    m_view.setTextCursor(found);
    m_view.ensureCursorVisible();
    QStringList suggestions;
    for (const std::string& s : m_checker->Suggestions(QStringToBytes(found.selectedText())))
        suggestions.push_back(BytesToQString(s));
    m_dialog->ShowWord(found.selectedText(), Note(found), suggestions);
}

void CSpellingCommands::ReplaceCurrent(const QString& replacement) {
    if (m_current.isNull())
        return;
    m_current.insertText(BytesToQString(QStringToBytes(replacement)));
    m_from = m_current.position();
    Next();
}

void CSpellingCommands::ReplaceAll(const QString& replacement) {
    if (m_current.isNull())
        return;
    const std::string word = QStringToBytes(m_current.selectedText());
    const QString with = BytesToQString(QStringToBytes(replacement));
    const int currentStart = m_current.selectionStart();
    // Every whole-word occurrence outside tag lines, replaced from the last so that the
    // positions found stay valid; one undo step.
    std::vector<int> positions;
    QTextDocument* doc = m_view.document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const std::string line = QStringToBytes(block.text());
        if (IsTagLine(line))
            continue;
        for (std::size_t at = line.find(word); at != std::string::npos;
             at = line.find(word, at + word.size())) {
            const std::size_t end = at + word.size();
            if ((at > 0 && IsWordByte(line[at - 1])) ||
                (end < line.size() && IsWordByte(line[end])))
                continue;
            positions.push_back(block.position() + static_cast<int>(at));
        }
    }
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
        edit.setPosition(*it);
        edit.setPosition(*it + static_cast<int>(word.size()), QTextCursor::KeepAnchor);
        edit.insertText(with);
    }
    edit.endEditBlock();
    const int before = static_cast<int>(
        std::count_if(positions.begin(), positions.end(), [&](int p) { return p < currentStart; }));
    m_from = currentStart +
             before * (static_cast<int>(with.size()) - static_cast<int>(word.size())) +
             static_cast<int>(with.size());
    Next();
}

} // namespace norvak
