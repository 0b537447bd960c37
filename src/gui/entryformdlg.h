#pragma once
// The form in which a new entry or alias of the kinds or the bodies dictionary gets all its
// case forms.

#include "dictionaries/cases.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace norvak {

class COperator;

// Which forms the entry form asks for.
struct EntryFormLayout {
    QString title;
    bool genitive = false;
    bool gender = false;
    QString genderLabel;
    bool quote = false;
    QString quoteLabel;
    bool letterCase = false;
    QString letterCaseLabel;
};

// The form of a new entry or alias: nominative, genitive (bodies), instrumental, and the
// kind's gender and quote flag or the body's letter-case spelling. OK refuses an empty
// nominative and asks before taking an empty genitive or instrumental form, without which the
// finders cannot recognise the name in that case.
class CEntryFormDlg : public QDialog {
    Q_OBJECT
public:
    CEntryFormDlg(const EntryFormLayout& fields, const QString& nominative, COperator& op,
                  QWidget* parent);

    // Makes OK refuse a nominative for which existing returns a row (0-based) of the
    // dictionary, naming that entry; -1 lets it pass.
    void SetDuplicateCheck(std::function<int(const std::string&)> existing) {
        m_existing = std::move(existing);
    }

    // Normalised CP1251 forms.
    std::string Nominative() const;
    // The nominative, the genitive when asked for, and the instrumental.
    CCases Forms() const;
    std::string Genitive() const;
    std::string Instrumental() const;
    int Gender() const;
    bool Quote() const;
    std::string LetterCase() const; // as typed
    QLineEdit* NominativeEdit() const { return m_nominative; }
    QLineEdit* GenitiveEdit() const { return m_genitive; }
    QLineEdit* InstrumentalEdit() const { return m_instrumental; }
    QLineEdit* LetterCaseEdit() const { return m_letterCase; }
    QComboBox* GenderBox() const { return m_gender; }

    void accept() override;

private:
    EntryFormLayout m_layout;
    COperator& m_op;
    QLineEdit* m_nominative;
    QLineEdit* m_genitive = nullptr;
    QLineEdit* m_instrumental;
    QComboBox* m_gender = nullptr;
    QCheckBox* m_quote = nullptr;
    QLineEdit* m_letterCase = nullptr;
    std::function<int(const std::string&)> m_existing;
};

// The message that refuses name (CP1251) as a second entry beside the one at row (0-based).
std::string DuplicateMessage(const std::string& name, int row);

// A CP1251 name for a form: the text normalised (upper case, single spaces).
std::string NormalizedBytes(const QString& text);

} // namespace norvak
