#pragma once
// Messages and questions to the operator. The GUI shows message boxes captioned "Norvak",
// the command line writes to the terminal and answers questions from its flags.

#include <string>
#include <string_view>
#include <vector>

namespace norvak {

// None: a plain message box with only an OK button and no icon.
enum class MessageIcon { Error, Exclamation, Information, Question, None };
enum class Answer { Yes, No, Cancel };

// The operator as the core sees it: told things and asked things, texts in CP1251.
class COperator {
public:
    virtual ~COperator() = default;
    virtual void Message(std::string_view cp1251Text, MessageIcon icon) = 0;
    virtual Answer AskYesNo(std::string_view cp1251Text) = 0;
    virtual Answer AskYesNoCancel(std::string_view cp1251Text) = 0;
};

// Keeps every message and answers every question with a fixed answer; for tests and for
// batch runs where nobody is there to ask.
class CScriptedOperator : public COperator {
public:
    explicit CScriptedOperator(Answer answer = Answer::No) : m_answer(answer) {}
    void Message(std::string_view cp1251Text, MessageIcon icon) override;
    Answer AskYesNo(std::string_view cp1251Text) override;
    Answer AskYesNoCancel(std::string_view cp1251Text) override;

    struct Entry {
        std::string text;
        MessageIcon icon;
        bool question;
    };
    const std::vector<Entry>& Entries() const { return m_entries; }
    std::vector<std::string> Messages() const;  // texts of the messages, not the questions
    std::vector<std::string> Questions() const; // texts of the questions
    void SetAnswer(Answer a) { m_answer = a; }
    void Clear() { m_entries.clear(); }

private:
    Answer m_answer;
    std::vector<Entry> m_entries;
};

// printf-style formatting of a CP1251 message with one string or integer argument,
// as the operator messages use ("Ошибка чтения файла %s!").
std::string FormatMessage(std::string_view format, std::string_view arg);
std::string FormatMessage(std::string_view format, long long arg);

} // namespace norvak
