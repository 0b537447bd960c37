#pragma once
// The "Орфография" dialog: one unknown word at a time, with its suggestions and the buttons that
// replace, skip or add it.

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace norvak {

// Shows the word the walk stopped at and reports the operator's choice; the walk itself is the
// caller's (it answers each request by showing the next word or closing the dialog).
class CSpellingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSpellingDlg(QWidget* parent = nullptr);

    // Shows a word (note: why it is flagged when not simply unknown) and its suggestions; the
    // replacement starts as the first suggestion, else the word itself.
    void ShowWord(const QString& word, const QString& note, const QStringList& suggestions);
    QString Word() const;
    QString Replacement() const;
    QStringList Suggestions() const;

signals:
    void ReplaceRequested(const QString& replacement);
    void ReplaceAllRequested(const QString& replacement);
    void SkipRequested();
    void SkipAllRequested();
    void AddRequested();

private:
    QLineEdit* m_word;
    QLabel* m_note;
    QLineEdit* m_replacement;
    QListWidget* m_suggestions;
    QPushButton* m_replace;
    QPushButton* m_replaceAll;
};

} // namespace norvak
