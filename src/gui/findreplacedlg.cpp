#include "findreplacedlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace norvak {

CFindReplaceDlg::CFindReplaceDlg(QWidget* parent, bool replace)
    : QDialog(parent), m_replace(replace) {
    setWindowTitle(replace ? QStringLiteral("Заменить") : QStringLiteral("Найти"));
    setModal(false);
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("FindText"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Что:"), m_find);
    if (replace) {
        m_replaceWith = new QLineEdit(this);
        m_replaceWith->setObjectName(QStringLiteral("ReplaceText"));
        form->addRow(QStringLiteral("Ч&ем:"), m_replaceWith);
    }
    m_wholeWord = new QCheckBox(QStringLiteral("Только слово &целиком"), this);
    m_matchCase = new QCheckBox(QStringLiteral("С учетом &регистра"), this);
    auto* options = new QVBoxLayout;
    options->addWidget(m_wholeWord);
    options->addWidget(m_matchCase);
    auto* lower = new QHBoxLayout;
    lower->addLayout(options);
    if (!replace) {
        auto* direction = new QGroupBox(QStringLiteral("Направление"), this);
        m_up = new QRadioButton(QStringLiteral("&Вверх"), direction);
        m_down = new QRadioButton(QStringLiteral("Вн&из"), direction);
        m_down->setChecked(true);
        auto* d = new QHBoxLayout(direction);
        d->addWidget(m_up);
        d->addWidget(m_down);
        lower->addWidget(direction);
    }

    auto* buttons = new QVBoxLayout;
    m_findNext = new QPushButton(QStringLiteral("&Найти далее"), this);
    m_findNext->setDefault(true);
    buttons->addWidget(m_findNext);
    connect(m_findNext, &QPushButton::clicked, this, &CFindReplaceDlg::FindNext);
    if (replace) {
        m_replaceOne = new QPushButton(QStringLiteral("&Заменить"), this);
        m_replaceAll = new QPushButton(QStringLiteral("Заменить &все"), this);
        buttons->addWidget(m_replaceOne);
        buttons->addWidget(m_replaceAll);
        connect(m_replaceOne, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceCurrent);
        connect(m_replaceAll, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceAll);
    }
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    buttons->addWidget(cancel);
    buttons->addStretch();
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(lower);
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(m_find, &QLineEdit::textChanged, this, &CFindReplaceDlg::UpdateButtons);
    UpdateButtons();
}

QString CFindReplaceDlg::FindText() const {
    return m_find->text();
}

QString CFindReplaceDlg::ReplaceText() const {
    return m_replaceWith != nullptr ? m_replaceWith->text() : QString();
}

QTextDocument::FindFlags CFindReplaceDlg::Flags() const {
    QTextDocument::FindFlags flags;
    if (m_wholeWord->isChecked())
        flags |= QTextDocument::FindWholeWords;
    if (m_matchCase->isChecked())
        flags |= QTextDocument::FindCaseSensitively;
    if (m_up != nullptr && m_up->isChecked())
        flags |= QTextDocument::FindBackward;
    return flags;
}

void CFindReplaceDlg::SetFindText(const QString& text) {
    m_find->setText(text);
    m_find->selectAll();
}

void CFindReplaceDlg::UpdateButtons() {
    const bool any = !m_find->text().isEmpty();
    m_findNext->setEnabled(any);
    if (m_replaceOne != nullptr) {
        m_replaceOne->setEnabled(any);
        m_replaceAll->setEnabled(any);
    }
}

} // namespace norvak
