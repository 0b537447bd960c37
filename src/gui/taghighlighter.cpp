#include "taghighlighter.h"

#include "markup/tags.h"
#include "spelling/spellchecker.h"
#include "textcodec.h"

#include <QTextBlock>
#include <QTextBlockUserData>

namespace norvak {
namespace {

// Marks a block whose formats have been computed. The block state is not used for this: a
// changed state makes the highlighter go on to the next block, and a first highlighting
// would then run through the whole document.
class CHighlightedMark : public QTextBlockUserData {};

} // namespace

CTagHighlighter::CTagHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    m_tagFormat.setForeground(TagColour());
    m_tagFormat.setFontWeight(QFont::Bold);
    m_linkFormat.setForeground(LinkColour());
    m_linkFormat.setFontWeight(QFont::Bold);
}

bool CTagHighlighter::IsHighlighted(const QTextBlock& block) {
    return dynamic_cast<CHighlightedMark*>(block.userData()) != nullptr;
}

void CTagHighlighter::highlightBlock(const QString& text) {
    if (m_suspended) {
        if (currentBlockUserData() != nullptr)
            setCurrentBlockUserData(nullptr);
        return;
    }
    if (currentBlockUserData() == nullptr)
        setCurrentBlockUserData(new CHighlightedMark);
    // A byte-wise view of the line: character i of the block is byte i of the line.
    const std::string line = QStringToBytes(text);
    if (line.size() != static_cast<std::size_t>(text.size()))
        return; // a character outside the code page; positions would not match
    for (const HighlightSpan& span : HighlightSpans(line))
        setFormat(span.start, span.length,
                  span.kind == SpanKind::TagLine ? m_tagFormat : m_linkFormat);
    if (m_spelling == nullptr)
        return;
    // The underline goes over whatever format the word has (a link span keeps its colour).
    for (const SpellingSpan& span : m_spelling->Check(line))
        for (int i = span.start; i < span.start + span.length; ++i) {
            QTextCharFormat f = format(i);
            f.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            f.setUnderlineColor(SpellingColour());
            setFormat(i, 1, f);
        }
}

void CTagHighlighter::SetSpelling(const CSpellChecker* checker) {
    if (checker == m_spelling)
        return;
    m_spelling = checker;
    Invalidate();
}

void CTagHighlighter::Invalidate() {
    QTextDocument* doc = document();
    if (doc == nullptr)
        return;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        if (block.userData() != nullptr)
            block.setUserData(nullptr);
}

void CTagHighlighter::HighlightBlocks(int first, int last) {
    QTextDocument* doc = document();
    if (doc == nullptr || m_suspended)
        return;
    if (first < 0)
        first = 0;
    for (QTextBlock block = doc->findBlockByNumber(first);
         block.isValid() && block.blockNumber() <= last; block = block.next()) {
        if (!IsHighlighted(block))
            rehighlightBlock(block);
    }
}

} // namespace norvak
