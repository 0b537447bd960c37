#pragma once
// The in-place editors of the requisites panel. Each is shown over the row being edited and
// reports the end of the edit with Done(cancelled).

#include <QComboBox>
#include <QDateEdit>
#include <QPlainTextEdit>

class QToolButton;

namespace norvak {

class CSourceDict;
class CTemathicsDict;

// The text editor: multi-line (Enter commits, Ctrl+Enter or Shift+Enter breaks the line) or
// digits only; Esc cancels. It grows with its text up to the height it is allowed.
class CImplementRichEditCtrl : public QPlainTextEdit {
    Q_OBJECT
public:
    CImplementRichEditCtrl(bool digitsOnly, QWidget* parent);

    bool DigitsOnly() const { return m_digitsOnly; }
    // Height that shows the whole text, at least minimum and at most maximum.
    void SetHeightLimits(int minimum, int maximum);
    int WantedHeight() const;

signals:
    void Done(bool cancelled);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void resizeEvent(QResizeEvent* event) override;
    void Grow();

    int m_minHeight = 0;
    int m_maxHeight = 10000;

private:
    bool m_digitsOnly;
};

// The themes editor: digits only, with a "..." button 25 pixels wide at its right edge; the
// button, Insert or a double click opens the theme selection over the themes dictionary.
class CThemesRichEditCtrl : public CImplementRichEditCtrl {
    Q_OBJECT
public:
    CThemesRichEditCtrl(const CTemathicsDict* themes, QWidget* parent);
    QToolButton* Button() const { return m_button; }
    // Opens the selection: on OK the text becomes the chosen code and the edit commits, on
    // cancel the edit ends cancelled.
    void Choose();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const CTemathicsDict* m_themes;
    QToolButton* m_button;
};

// The sources editor: Insert or a double click opens the source selection; on OK the chosen
// text replaces the selection at the caret.
class CSourcesRichEditCtrl : public CImplementRichEditCtrl {
    Q_OBJECT
public:
    CSourcesRichEditCtrl(const CSourceDict* sources, QWidget* parent);
    void Choose();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const CSourceDict* m_sources;
};

// The date picker: Enter commits, Esc cancels.
class CImplementDateTimeCtrl : public QDateEdit {
    Q_OBJECT
public:
    explicit CImplementDateTimeCtrl(QWidget* parent);
signals:
    void Done(bool cancelled);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The non-editable drop-down list: Tab, Enter and Insert commit, Esc and Delete cancel; Up,
// Down, PgUp, PgDn, Home and End only move the choice; typed letters search the names by
// their beginning without committing; a choice made with the mouse commits at once.
class CImplementComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CImplementComboBox(QWidget* parent);
    // The text typed so far for the search (empty after a pause or a committing key).
    const QString& Typed() const { return m_typed; }
signals:
    void Done(bool cancelled);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Moves the choice to the first name beginning with the typed text; false when none does.
    bool Search(const QString& text);

    QString m_typed;
    qint64 m_lastTyped = 0;
};

} // namespace norvak
