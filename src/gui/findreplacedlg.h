#pragma once
// The dialogs "Найти" and "Заменить": a modeless window that asks the editor to find the next
// occurrence of a text, to replace the found one or to replace them all.

#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace norvak {

// The find or find-and-replace dialog; the editor does the work on its signals.
class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    CFindReplaceDlg(QWidget* parent, bool replace);

    bool IsReplace() const { return m_replace; }
    QString FindText() const;
    QString ReplaceText() const;
    // Whole words, case and (find dialog only) direction as QTextDocument takes them.
    QTextDocument::FindFlags Flags() const;
    void SetFindText(const QString& text);

    QLineEdit* FindEdit() const { return m_find; }
    QLineEdit* ReplaceEdit() const { return m_replaceWith; }
    QCheckBox* WholeWord() const { return m_wholeWord; }
    QCheckBox* MatchCase() const { return m_matchCase; }
    QRadioButton* Up() const { return m_up; }
    QPushButton* FindNextButton() const { return m_findNext; }
    QPushButton* ReplaceButton() const { return m_replaceOne; }
    QPushButton* ReplaceAllButton() const { return m_replaceAll; }

signals:
    void FindNext();
    void ReplaceCurrent();
    void ReplaceAll();

private:
    void UpdateButtons();

    bool m_replace;
    QLineEdit* m_find;
    QLineEdit* m_replaceWith = nullptr;
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_findNext;
    QPushButton* m_replaceOne = nullptr;
    QPushButton* m_replaceAll = nullptr;
};

} // namespace norvak
