#pragma once
// The operator of the command line: messages go to the error stream in UTF-8, questions are
// answered from flags and never wait for a terminal.

#include "core/operatorio.h"

#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

namespace norvak::cli {

// Answers the letter-kind question from --quote-letter-kind and every other question "No";
// collects messages so that a batch can put them into its report.
class CTerminalOperator : public COperator {
public:
    CTerminalOperator(std::ostream* err, bool quoteLetterKind)
        : m_err(err), m_quoteLetterKind(quoteLetterKind) {}

    void Message(std::string_view cp1251Text, MessageIcon icon) override;
    Answer AskYesNo(std::string_view cp1251Text) override;
    Answer AskYesNoCancel(std::string_view cp1251Text) override;

    // Messages so far, in UTF-8.
    const std::vector<std::string>& Messages() const { return m_messages; }
    bool HadError() const { return m_hadError; }

private:
    std::ostream* m_err; // null: collect only
    bool m_quoteLetterKind;
    std::vector<std::string> m_messages;
    bool m_hadError = false;
};

} // namespace norvak::cli
