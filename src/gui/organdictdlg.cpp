#include "organdictdlg.h"

#include "core/literal.h"
#include "core/operatorio.h"
#include "textcodec.h"

#include <QFormLayout>
#include <QLineEdit>

namespace norvak {

COrganDictDlg::COrganDictDlg(COrganDict& copy, COperator& op, QWidget* parent)
    : CEntryDictDlg(
          {QStringLiteral("Словарь принявших органов"),
           QStringLiteral("Количество принявших органов:"), QStringLiteral("Принявшие органы"),
           QStringLiteral("Псевдонимы принявших органов"), QStringLiteral("Принявшие органы")},
          copy, op, parent) {
    setObjectName(QStringLiteral("OrganDictDlg"));
    Build();
}

void COrganDlg::TakeNewEntry(COrganEntry& entry, const CEntryFormDlg& form) {
    entry.SetLetterCaseName(form.LetterCase());
}

COrganDlg::COrganDlg(const COrganEntry& entry, COperator& op, QWidget* parent)
    : CEntryDetailsDlg(op, parent), m_entry(entry) {
    setObjectName(QStringLiteral("OrganDlg"));
    setWindowTitle(QStringLiteral("Отмена"));
    setSizeGripEnabled(true);
    const CCases& c = entry.GetCases();
    auto* nominative = new QLineEdit(BytesToQString(entry.Name()), this);
    nominative->setReadOnly(true);
    m_genitive = new QLineEdit(BytesToQString(c.Form(CaseGenitive)), this);
    m_genitive->setObjectName(QStringLiteral("GenitiveEdit"));
    m_instrumental = new QLineEdit(BytesToQString(c.Form(CaseInstrumental)), this);
    m_instrumental->setObjectName(QStringLiteral("InstrumentalEdit"));
    m_letterCase = new QLineEdit(BytesToQString(entry.LetterCaseName()), this);
    m_letterCase->setObjectName(QStringLiteral("LetterCaseEdit"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Иминительный падеж:"), nominative);
    form->addRow(QStringLiteral("Родительный падеж:"), m_genitive);
    form->addRow(QStringLiteral("Творительный падеж:"), m_instrumental);
    form->addRow(QStringLiteral("С учётом регистра:"), m_letterCase);
    Build(m_entry, form, OrganAliasFormSpec(), QStringLiteral("Отменить"));
    resize(860, 460);
}

void COrganDlg::accept() {
    const bool noGenitive = NormalizedBytes(m_genitive->text()).empty();
    const bool noInstrumental = NormalizedBytes(m_instrumental->text()).empty();
    if (noGenitive || noInstrumental) {
        const std::string question =
            noGenitive && noInstrumental
                ? std::string("Не заполнены родительный и творительный падежи: в этих падежах "
                              "название не будет найдено в тексте.\nСохранить без них?"_cp)
            : noGenitive ? std::string("Не заполнен родительный падеж: в этом падеже название "
                                       "не будет найдено в тексте.\nСохранить без него?"_cp)
                         : std::string("Не заполнен творительный падеж: в этом падеже название "
                                       "не будет найдено в тексте.\nСохранить без него?"_cp);
        if (Op().AskYesNo(question) != Answer::Yes) {
            (noGenitive ? m_genitive : m_instrumental)->setFocus();
            return;
        }
    }
    StoreAliases();
    m_entry.GetCases().SetForm(CaseGenitive, NormalizedBytes(m_genitive->text()));
    m_entry.GetCases().SetForm(CaseInstrumental, NormalizedBytes(m_instrumental->text()));
    m_entry.SetLetterCaseName(QStringToBytes(m_letterCase->text()));
    QDialog::accept();
}

} // namespace norvak
