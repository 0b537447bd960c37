#pragma once
// Spell checking in the editor: the wavy underline of unknown words, the "Орфография" walk (F7),
// the spelling items of the context menu and the switch in "Вид".

#include <QObject>
#include <QPoint>
#include <QTextCursor>
#include <QTimer>

#include <memory>
#include <string>

class QAction;
class QMenu;
class QSettings;

namespace norvak {

class CMainFrame;
class CNorvakView;
class CSpellChecker;
class CSpellingDlg;

// Owns the editor's spell checker (the dictionary loads in the background), keeps the
// highlighter's underline in step with the switch and the word lists, and walks the document
// with the spelling dialog.
class CSpellingCommands : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kEnabledKey = "Spelling/Enabled";

    // The switch starts as remembered in settings (on by default); when on, the dictionary
    // starts loading at once.
    CSpellingCommands(CMainFrame& frame, QSettings& settings, QObject* parent);
    ~CSpellingCommands() override;

    QAction* ToggleAction() const { return m_toggle; }
    QAction* CheckAction() const { return m_check; }
    bool IsEnabled() const;
    // The checker once the dictionary is loaded; null before, and when there is none.
    CSpellChecker* Checker() const { return m_checker.get(); }
    // Waits for the dictionary to load and puts it to use (tests; the editor polls instead).
    void WaitUntilLoaded();

    // Adds the spelling items for the flagged word at point pos of the view's viewport to the
    // top of menu: the note of a mixed-script word, up to eight suggestions, "Добавить в
    // словарь" and "Пропустить все". False (menu unchanged) when the word there is not flagged.
    bool AddContextItems(QMenu& menu, const QPoint& pos);

    // "Орфография": starts the walk from the caret and shows the dialog at the first flagged
    // word, returning it (owned by these commands) without running it; null when there is
    // nothing to show (the operator has been told why).
    CSpellingDlg* BeginCheck();
    // BeginCheck, then runs the dialog until the walk ends or it is closed.
    void OnCheck();

    // The word joins the personal list (saved at once) and is no longer underlined.
    void AddToPersonal(const std::string& word);
    // The word is no longer flagged for the rest of the session.
    void IgnoreAll(const std::string& word);

private:
    void SetEnabled(bool on);
    void StartLoading();
    void PollLoading();
    void ApplyChecker();
    void Refresh();
    // The flagged word at or after from and before to, selected; a null cursor when none.
    QTextCursor FindFlagged(int from, int to) const;
    // The flagged word under the cursor position; a null cursor when none.
    QTextCursor FlaggedAt(const QTextCursor& at) const;
    // Shows the next flagged word of the walk, or ends it.
    void Next();
    void ReplaceCurrent(const QString& replacement);
    void ReplaceAll(const QString& replacement);
    QString Note(const QTextCursor& word) const;

    CMainFrame& m_frame;
    CNorvakView& m_view;
    QSettings& m_settings;
    QAction* m_toggle = nullptr;
    QAction* m_check = nullptr;
    QTimer m_poll;
    bool m_loading = false;
    bool m_loaded = false;
    bool m_toldUnavailable = false;
    std::shared_ptr<CSpellChecker> m_checker;
    std::string m_personalPath;

    // The walk: where it started, whether it has gone round the end, where it goes on from,
    // and the word shown.
    std::unique_ptr<CSpellingDlg> m_dialog;
    QTextCursor m_start;
    bool m_wrapped = false;
    int m_from = 0;
    QTextCursor m_current;
};

} // namespace norvak
