#include "spellingdlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace norvak {
namespace {

QPushButton* AddButton(QVBoxLayout* column, QWidget* parent, const QString& text,
                       const QString& name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    column->addWidget(button);
    return button;
}

} // namespace

CSpellingDlg::CSpellingDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SpellingDlg"));
    setWindowTitle(QStringLiteral("Орфография"));
    m_word = new QLineEdit(this);
    m_word->setObjectName(QStringLiteral("SpellingWord"));
    m_word->setReadOnly(true);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("SpellingNote"));
    m_replacement = new QLineEdit(this);
    m_replacement->setObjectName(QStringLiteral("SpellingReplacement"));
    m_suggestions = new QListWidget(this);
    m_suggestions->setObjectName(QStringLiteral("SpellingSuggestions"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Нет в словаре:"), this), 0, 0);
    grid->addWidget(m_word, 0, 1);
    grid->addWidget(m_note, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Заменить на:"), this), 2, 0);
    grid->addWidget(m_replacement, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Варианты:"), this), 3, 0, Qt::AlignTop);
    grid->addWidget(m_suggestions, 3, 1);

    auto* column = new QVBoxLayout;
    m_replace =
        AddButton(column, this, QStringLiteral("Заменить"), QStringLiteral("ReplaceButton"));
    m_replaceAll =
        AddButton(column, this, QStringLiteral("Заменить все"), QStringLiteral("ReplaceAllButton"));
    QPushButton* skip =
        AddButton(column, this, QStringLiteral("Пропустить"), QStringLiteral("SkipButton"));
    QPushButton* skipAll =
        AddButton(column, this, QStringLiteral("Пропустить все"), QStringLiteral("SkipAllButton"));
    QPushButton* add =
        AddButton(column, this, QStringLiteral("Добавить"), QStringLiteral("AddButton"));
    column->addStretch();
    QPushButton* close =
        AddButton(column, this, QStringLiteral("Закрыть"), QStringLiteral("CloseButton"));

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(column);

    connect(m_replace, &QPushButton::clicked, this,
            [this] { emit ReplaceRequested(m_replacement->text()); });
    connect(m_replaceAll, &QPushButton::clicked, this,
            [this] { emit ReplaceAllRequested(m_replacement->text()); });
    connect(skip, &QPushButton::clicked, this, &CSpellingDlg::SkipRequested);
    connect(skipAll, &QPushButton::clicked, this, &CSpellingDlg::SkipAllRequested);
    connect(add, &QPushButton::clicked, this, &CSpellingDlg::AddRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_suggestions, &QListWidget::currentTextChanged, m_replacement,
            [this](const QString& text) {
                if (!text.isEmpty())
                    m_replacement->setText(text);
            });
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit ReplaceRequested(item->text()); });
    // Replacing needs something to replace with.
    connect(m_replacement, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_replace->setEnabled(!text.isEmpty());
        m_replaceAll->setEnabled(!text.isEmpty());
    });
    resize(520, 280);
}

void CSpellingDlg::ShowWord(const QString& word, const QString& note,
                            const QStringList& suggestions) {
    m_word->setText(word);
    m_note->setText(note);
    m_suggestions->clear();
    m_suggestions->addItems(suggestions);
    m_replacement->setText(suggestions.isEmpty() ? word : suggestions.front());
    if (!suggestions.isEmpty())
        m_suggestions->setCurrentRow(0);
    m_replacement->setFocus();
    m_replacement->selectAll();
}

QString CSpellingDlg::Word() const {
    return m_word->text();
}

QString CSpellingDlg::Replacement() const {
    return m_replacement->text();
}

QStringList CSpellingDlg::Suggestions() const {
    QStringList list;
    for (int i = 0; i < m_suggestions->count(); ++i)
        list.push_back(m_suggestions->item(i)->text());
    return list;
}

} // namespace norvak
