#include "linkdlg.h"

#include "digitsvalidator.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace norvak {

namespace {
// Ten digits hold every int; longer numbers would be cut to the largest one anyway.
constexpr int kMaxDigits = 10;
} // namespace

CLinkDlg::CLinkDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Ссылка"));
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("LinkKind"));
    for (const LinkKind& kind : LinkKinds())
        m_kind->addItem(BytesToQString(kind.code));
    m_kind->setCurrentIndex(kDefaultLinkKind);
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("LinkDescription"));
    m_description->setFrameShape(QFrame::StyledPanel);
    m_description->setWordWrap(true);
    m_description->setMinimumHeight(m_description->fontMetrics().lineSpacing() * 2 + 8);

    auto makeNumber = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setValidator(new CDigitsValidator(edit));
        edit->setMaxLength(kMaxDigits);
        return edit;
    };
    m_document = makeNumber("DocumentNumber");
    m_line = makeNumber("LineNumber");
    m_keyO = new QCheckBox(QStringLiteral("-О"), this);
    m_keyP = new QCheckBox(QStringLiteral("-П"), this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Вид ссылки"), m_kind);
    form->addRow(m_description);
    form->addRow(QStringLiteral("Номер &документа"), m_document);
    form->addRow(QStringLiteral("Номер &строки"), m_line);

    auto* keys = new QGroupBox(QStringLiteral("Ключи"), this);
    auto* keysLayout = new QHBoxLayout(keys);
    keysLayout->addWidget(m_keyO);
    keysLayout->addWidget(m_keyP);
    keysLayout->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLinkDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLinkDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(keys);
    layout->addWidget(buttons);
    setMinimumWidth(440);

    connect(m_kind, &QComboBox::currentIndexChanged, this, &CLinkDlg::UpdateDescription);
    connect(m_document, &QLineEdit::textChanged, this, &CLinkDlg::UpdateOk);
    UpdateDescription();
    UpdateOk();
    m_document->setFocus();
}

LinkFields CLinkDlg::Fields() const {
    LinkFields f;
    f.kind = m_kind->currentIndex();
    f.documentNumber = m_document->text().toStdString();
    f.lineNumber = m_line->text().toStdString();
    f.keyO = m_keyO->isChecked();
    f.keyP = m_keyP->isChecked();
    return f;
}

void CLinkDlg::UpdateDescription() {
    const int i = m_kind->currentIndex();
    m_description->setText(
        i >= 0 && i < kLinkKindCount
            ? BytesToQString(LinkKinds()[static_cast<std::size_t>(i)].description)
            : QString());
}

void CLinkDlg::UpdateOk() {
    m_ok->setEnabled(IsLinkOkEnabled(Fields()));
}

void CLinkDlg::accept() {
    const LinkFields f = Fields();
    if (!IsLinkOkEnabled(f))
        return;
    m_result = BuildLinkLine(f);
    QDialog::accept();
}

} // namespace norvak
