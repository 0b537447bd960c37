#include "entryformdlg.h"

#include "core/literal.h"
#include "core/operatorio.h"
#include "core/textcore.h"
#include "dialoghelpers.h"
#include "entryforms.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace norvak {

std::string NormalizedBytes(const QString& text) {
    return NormalizeName(QStringToBytes(text));
}

CEntryFormDlg::CEntryFormDlg(const EntryFormLayout& fields, const QString& nominative,
                             COperator& op, QWidget* parent)
    : QDialog(parent), m_layout(fields), m_op(op) {
    setObjectName(QStringLiteral("EntryFormDlg"));
    setWindowTitle(fields.title);
    auto* form = new QFormLayout;
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMinimumWidth(360);
        return e;
    };
    m_nominative = edit("NominativeEdit");
    m_nominative->setText(nominative);
    form->addRow(QStringLiteral("Именительный падеж:"), m_nominative);
    if (fields.genitive) {
        m_genitive = edit("GenitiveEdit");
        form->addRow(QStringLiteral("Родительный падеж:"), m_genitive);
    }
    m_instrumental = edit("InstrumentalEdit");
    form->addRow(QStringLiteral("Творительный падеж:"), m_instrumental);
    if (fields.gender) {
        m_gender = new QComboBox(this);
        m_gender->setObjectName(QStringLiteral("GenderBox"));
        m_gender->addItems(GenderNames());
        form->addRow(fields.genderLabel, m_gender);
    }
    if (fields.quote) {
        m_quote = new QCheckBox(fields.quoteLabel, this);
        m_quote->setObjectName(QStringLiteral("QuoteCheck"));
        form->addRow(QString(), m_quote);
    }
    if (fields.letterCase) {
        m_letterCase = edit("LetterCaseEdit");
        form->addRow(fields.letterCaseLabel, m_letterCase);
    }
    auto* hint = new QLabel(QStringLiteral("Формы вводятся в любом регистре; в словарь они "
                                           "заносятся прописными буквами."),
                            this);
    hint->setWordWrap(true);
    QDialogButtonBox* buttons = MakeOkCancel(this, true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    (nominative.isEmpty() ? m_nominative : m_genitive ? m_genitive : m_instrumental)->setFocus();
}

std::string CEntryFormDlg::Nominative() const {
    return NormalizedBytes(m_nominative->text());
}
CCases CEntryFormDlg::Forms() const {
    CCases forms;
    forms.SetForm(CaseNominative, Nominative());
    if (m_genitive)
        forms.SetForm(CaseGenitive, Genitive());
    forms.SetForm(CaseInstrumental, Instrumental());
    return forms;
}

std::string CEntryFormDlg::Genitive() const {
    return m_genitive ? NormalizedBytes(m_genitive->text()) : std::string();
}
std::string CEntryFormDlg::Instrumental() const {
    return NormalizedBytes(m_instrumental->text());
}
int CEntryFormDlg::Gender() const {
    return m_gender ? m_gender->currentIndex() : 0;
}
bool CEntryFormDlg::Quote() const {
    return m_quote && m_quote->isChecked();
}
std::string CEntryFormDlg::LetterCase() const {
    return m_letterCase ? QStringToBytes(m_letterCase->text()) : std::string();
}

std::string DuplicateMessage(const std::string& name, int row) {
    return std::string("«"_cp) + name + std::string("» уже есть в словаре (строка "_cp) +
           std::to_string(row + 1) + std::string("): второй раз это название не вносится."_cp);
}

void CEntryFormDlg::accept() {
    if (Nominative().empty()) {
        m_op.Message("Не заполнен именительный падеж."_cp, MessageIcon::Exclamation);
        m_nominative->setFocus();
        return;
    }
    if (const int row = m_existing ? m_existing(Nominative()) : -1; row >= 0) {
        m_op.Message(DuplicateMessage(Nominative(), row), MessageIcon::Exclamation);
        m_nominative->setFocus();
        m_nominative->selectAll();
        return;
    }
    const bool noGenitive = m_genitive != nullptr && Genitive().empty();
    const bool noInstrumental = Instrumental().empty();
    if (noGenitive || noInstrumental) {
        std::string question;
        if (noGenitive && noInstrumental)
            question = "Не заполнены родительный и творительный падежи: в этих падежах "
                       "название не будет найдено в тексте.\nВнести без них?"_cp;
        else if (noGenitive)
            question = "Не заполнен родительный падеж: в этом падеже название не будет "
                       "найдено в тексте.\nВнести без него?"_cp;
        else
            question = "Не заполнен творительный падеж: в этом падеже название не будет "
                       "найдено в тексте.\nВнести без него?"_cp;
        if (m_op.AskYesNo(question) != Answer::Yes) {
            (noGenitive ? m_genitive : m_instrumental)->setFocus();
            return;
        }
    }
    QDialog::accept();
}

} // namespace norvak
