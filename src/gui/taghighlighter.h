#pragma once
// Shows tag lines and in-document link spans in their colours. The spans come from the core;
// this class only turns them into character formats. Highlighting is lazy: while a whole
// text is being set nothing is computed, and afterwards only the blocks that come into view
// are highlighted, so a long document opens and scrolls without delay.

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace norvak {

class CSpellChecker;

// The highlighter of the editing view.
class CTagHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit CTagHighlighter(QTextDocument* document);

    // While suspended, blocks are left unhighlighted (and marked as such).
    void SetSuspended(bool suspended) { m_suspended = suspended; }
    bool IsSuspended() const { return m_suspended; }

    // Highlights the blocks of [first, last] that are not highlighted yet.
    void HighlightBlocks(int first, int last);
    // True when the block's formats have been computed.
    static bool IsHighlighted(const QTextBlock& block);

    // Underlines the words checker does not know (wavy, red); null stops it. Blocks already
    // highlighted are redone as they next come into view.
    void SetSpelling(const CSpellChecker* checker);
    const CSpellChecker* Spelling() const { return m_spelling; }
    // Forgets which blocks are highlighted, so that each is redone when it comes into view.
    void Invalidate();

    static QColor TagColour() { return QColor(0, 150, 0); }
    static QColor SpellingColour() { return QColor(220, 0, 0); }
    static QColor LinkColour() { return QColor(250, 0, 0); }

protected:
    void highlightBlock(const QString& text) override;

private:
    bool m_suspended = false;
    const CSpellChecker* m_spelling = nullptr;
    QTextCharFormat m_tagFormat;
    QTextCharFormat m_linkFormat;
};

} // namespace norvak
