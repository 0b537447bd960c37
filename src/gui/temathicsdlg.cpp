#include "temathicsdlg.h"

#include "dialoghelpers.h"
#include "dialogkeys.h"
#include "listfilter.h"
#include "textcodec.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyleOption>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace norvak {
namespace {

// The style of the theme trees: the lines that join a theme to its parent and siblings, drawn
// dotted under the expanding marks of the underlying style (which draws none of its own).
class CTreeLinesStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_IndicatorBranch) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const QRect r = option->rect;
        const int midX = r.x() + r.width() / 2;
        const int midY = r.y() + r.height() / 2;
        painter->save();
        QPen pen(option->palette.color(QPalette::Mid), 1, Qt::DotLine);
        painter->setPen(pen);
        if (option->state & State_Item) {
            // The item's own row: a line to the item, and up (and on down to a next sibling).
            painter->drawLine(midX, r.y(), midX,
                              (option->state & State_Sibling) ? r.bottom() : midY);
            painter->drawLine(midX, midY, r.right(), midY);
        } else if (option->state & State_Sibling) {
            painter->drawLine(midX, r.y(), midX, r.bottom()); // passing by to a later sibling
        }
        painter->restore();
        if (option->state & State_Children) {
            // The expanding mark on a plain square, so the lines do not run through it.
            const QRect box(midX - 5, midY - 5, 11, 11);
            painter->fillRect(box, option->palette.color(QPalette::Base));
            QStyleOption mark = *option;
            mark.rect = r;
            mark.state &= ~(State_Item | State_Sibling);
            QProxyStyle::drawPrimitive(element, &mark, painter, widget);
        }
    }
};

QTreeWidget* MakeTree(QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    // Owned by the dialog, made after the tree, so that it outlives the tree.
    auto* style = new CTreeLinesStyle;
    style->setParent(parent);
    tree->setStyle(style);
    tree->setObjectName(QStringLiteral("ThemesTree"));
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setRootIsDecorated(true);
    tree->setUniformRowHeights(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setItemsExpandable(true);
    return tree;
}

} // namespace

int FillThemesTree(QTreeWidget* tree, const CTemathicsDict& themes) {
    tree->clear();
    auto* root = new QTreeWidgetItem(tree, {BytesToQString(ThemeTreeRootText())});
    root->setData(0, Qt::UserRole, 0);
    const std::vector<CThemeTreeItem> items = themes.BuildTree();
    std::vector<QTreeWidgetItem*> made;
    made.reserve(items.size());
    for (const CThemeTreeItem& it : items) {
        QTreeWidgetItem* parent =
            it.parentItem >= 0 ? made[static_cast<std::size_t>(it.parentItem)] : root;
        auto* item = new QTreeWidgetItem(parent, {BytesToQString(it.text)});
        item->setData(0, Qt::UserRole, it.code);
        made.push_back(item);
    }
    root->setExpanded(true);
    tree->setCurrentItem(root);
    tree->setFocus();
    return static_cast<int>(items.size());
}

int ThemeCode(const QTreeWidgetItem* item) {
    return item != nullptr ? item->data(0, Qt::UserRole).toInt() : 0;
}

CTemathicsDlg::CTemathicsDlg(CTemathicsDict& copy, COperator& op, QWidget* parent)
    : QDialog(parent), m_dict(copy), m_op(op) {
    setObjectName(QStringLiteral("TemathicsDlg"));
    setWindowTitle(QStringLiteral("Словарь тематик"));
    setMinimumSize(520, 300);
    setSizeGripEnabled(true);
    m_tree = MakeTree(this);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("CountLabel"));
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("CodeEdit"));
    m_code->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), this));
    m_code->setMaximumWidth(120);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("NameEdit"));
    m_code->installEventFilter(this);
    m_name->installEventFilter(this);
    auto button = [this](const QString& text) { return MakeButton(text, this); };
    m_add = button(QStringLiteral("&Добавить"));
    m_add->setEnabled(false);
    m_add->setToolTip(QStringLiteral("Добавить тематику под выбранной в дереве"));
    QPushButton* del = button(QStringLiteral("&Удалить"));
    del->setToolTip(QStringLiteral("Удалить выбранную тематику со всеми вложенными"));
    QPushButton* clear = button(QStringLiteral("&Очистить"));
    QPushButton* load = button(QStringLiteral("&Загрузить"));
    load->setToolTip(QStringLiteral("Загрузить рубрикатор из текстового файла"));
    auto enable = [this] {
        m_add->setEnabled(!m_code->text().isEmpty() && !m_name->text().trimmed().isEmpty());
    };
    connect(m_code, &QLineEdit::textChanged, this, enable);
    connect(m_name, &QLineEdit::textChanged, this, enable);
    connect(m_add, &QPushButton::clicked, this, &CTemathicsDlg::OnAdd);
    connect(del, &QPushButton::clicked, this, &CTemathicsDlg::OnDelete);
    connect(clear, &QPushButton::clicked, this, &CTemathicsDlg::OnClear);
    connect(load, &QPushButton::clicked, this, &CTemathicsDlg::OnLoad);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {del, clear, load})
        side->addWidget(b);
    side->addStretch(1);
    QLineEdit* filter = MakeFilterBox(this);
    new CListFilter(filter, m_tree);
    auto* treeColumn = new QVBoxLayout;
    treeColumn->addWidget(filter);
    treeColumn->addWidget(m_tree, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(treeColumn, 1);
    top->addLayout(side);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(QStringLiteral("Количество тематик:"), this));
    countRow->addWidget(m_count);
    countRow->addStretch(1);
    auto* newRow = new QHBoxLayout;
    newRow->addWidget(new QLabel(QStringLiteral("Номер тематики"), this));
    newRow->addWidget(m_code);
    newRow->addWidget(new QLabel(QStringLiteral("Название тематики"), this));
    newRow->addWidget(m_name, 1);
    newRow->addWidget(m_add);
    QDialogButtonBox* buttons = MakeOkCancel(this, false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(countRow);
    layout->addLayout(newRow);
    layout->addWidget(buttons);
    resize(720, 520);
    Rebuild();
}

void CTemathicsDlg::Rebuild() {
    m_count->setText(QString::number(FillThemesTree(m_tree, m_dict)));
    if (auto* filter = findChild<CListFilter*>())
        filter->Apply();
}

void CTemathicsDlg::SelectCode(int code) {
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if (ThemeCode(*it) == code && (code == 0) == ((*it)->parent() == nullptr)) {
            m_tree->setCurrentItem(*it);
            m_tree->scrollToItem(*it);
            return;
        }
}

void CTemathicsDlg::OnAdd() {
    QTreeWidgetItem* selected = m_tree->currentItem();
    if (selected == nullptr || m_code->text().isEmpty() || m_name->text().trimmed().isEmpty())
        return;
    const int code = m_code->text().toInt();
    const int parent = ThemeCode(selected);
    if (!m_dict.AddTheme(QStringToBytes(m_name->text()), code, parent, m_op))
        return;
    m_modified = true;
    Rebuild();
    // The new theme is shown, and its parent stays selected: the next theme typed goes
    // beside it, not under it.
    SelectCode(code);
    if (QTreeWidgetItem* added = m_tree->currentItem())
        m_tree->scrollToItem(added);
    SelectCode(parent);
    m_code->setFocus();
    m_code->clear();
    m_name->clear();
    m_add->setEnabled(false);
}

void CTemathicsDlg::reject() {
    RejectAsking(*this, m_op, m_modified);
}

bool CTemathicsDlg::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (object == m_code || object == m_name)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Enter in the fields adds the theme typed (when both are filled), as
            // "Добавить" does.
            if (m_add->isEnabled())
                OnAdd();
            return true;
        }
    }
    return QDialog::eventFilter(object, event);
}

void CTemathicsDlg::keyPressEvent(QKeyEvent* event) {
    if (!HandleDialogEnter(this, event))
        QDialog::keyPressEvent(event);
}

void CTemathicsDlg::OnDelete() {
    QTreeWidgetItem* selected = m_tree->currentItem();
    // The root is no theme: removing "its" code would take every top-level theme with it.
    if (selected == nullptr || selected->parent() == nullptr)
        return;
    m_dict.RemoveTheme(ThemeCode(selected));
    m_modified = true;
    Rebuild();
}

void CTemathicsDlg::OnClear() {
    if (!m_dict.ConfirmRemoveAll(m_op))
        return;
    m_modified = true;
    Rebuild();
}

void CTemathicsDlg::OnLoad() {
    bool dos = true;
    QString path;
    if (m_rubricatorPath) {
        path = m_rubricatorPath(dos);
    } else {
        const QString dosFilter = QStringLiteral("Все файлы DOS(*.*)");
        QFileDialog dialog(this, QStringLiteral("Загрузить рубрикатор"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({dosFilter, QStringLiteral("Все файлы Win(*.*)")});
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
            path = dialog.selectedFiles().front();
            dos = dialog.selectedNameFilter() == dosFilter;
        }
    }
    if (path.isEmpty())
        return; // nothing chosen, nothing changed
    if (m_dict.LoadRubricator(path.toStdString(),
                              dos ? RubricatorEncoding::Dos : RubricatorEncoding::Windows,
                              m_op) != 1)
        return;
    m_modified = true;
    Rebuild();
}

CTemathicsSelectDlg::CTemathicsSelectDlg(const CTemathicsDict& themes, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TemathicsSelectDlg"));
    setWindowTitle(QStringLiteral("Выбрать"));
    setMinimumSize(300, 180);
    setSizeGripEnabled(true);
    m_tree = MakeTree(this);
    FillThemesTree(m_tree, themes);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item->childCount() == 0)
            accept();
    });
    QDialogButtonBox* buttons = MakeOkCancel(this, true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addWidget(buttons);
    resize(520, 440);
}

void CTemathicsSelectDlg::accept() {
    m_code = ThemeCode(m_tree->currentItem());
    QDialog::accept();
}

} // namespace norvak
