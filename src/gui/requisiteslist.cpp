#include "requisiteslist.h"

#include "core/literal.h"
#include "dictionaries/servicedata.h"
#include "requisiteseditors.h"
#include "textcodec.h"

#include <QApplication>
#include <QDate>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace norvak {
namespace {

const char* const kEditorFinished = "norvakEditFinished";

QColor InactiveSelection() { return QColor(0xB4, 0xB4, 0xB4); }

// The names of the kinds or bodies dictionary, in its order.
QStringList DictionaryNames(const CServiceData* data, std::uint32_t captionData) {
    QStringList names;
    if (data == nullptr)
        return names;
    if (captionData & kRowKindsDict) {
        for (const CDocKindEntry& e : data->DocDict().Entries())
            names << BytesToQString(e.Name());
    } else if (captionData & kRowOrgansDict) {
        for (const COrganEntry& e : data->OrganDict().Entries())
            names << BytesToQString(e.Name());
    }
    return names;
}

} // namespace

// ---------------------------------------------------------------------------- the model

int CRequisitesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.Count();
}

QVariant CRequisitesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.Count())
        return {};
    const RequisiteRow& row = m_rows.At(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return BytesToQString(row.text);
    case RowDataRole:
        return static_cast<qulonglong>(row.data);
    default:
        return {};
    }
}

Qt::ItemFlags CRequisitesModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_rows.IsCaption(index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}

void CRequisitesModel::SetRecord(const CRequisiteRecord& record) {
    beginResetModel();
    m_rows.SetRecord(record);
    endResetModel();
}

void CRequisitesModel::Refresh() {
    beginResetModel();
    endResetModel();
}

// ---------------------------------------------------------------------------- the delegate

void CRequisitesDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const bool caption = (index.data(CRequisitesModel::RowDataRole).toULongLong() & kRowCaption) != 0;
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const bool focused = option.widget != nullptr && option.widget->hasFocus();
    QColor back = caption ? option.palette.color(QPalette::Button) : QColor(Qt::white);
    QColor ink = Qt::black;
    if (selected) {
        back = focused ? option.palette.color(QPalette::Active, QPalette::Highlight)
                       : InactiveSelection();
        ink = focused ? option.palette.color(QPalette::Active, QPalette::HighlightedText)
                      : QColor(Qt::black);
    }
    painter->save();
    painter->fillRect(option.rect, back);
    painter->setPen(ink);
    QFont font = option.font;
    font.setBold(caption);
    painter->setFont(font);
    painter->drawText(option.rect.adjusted(kInset, kInset, -kInset, -kInset),
                      Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                      index.data(Qt::DisplayRole).toString());
    painter->setPen(QColor(0xA0, 0xA0, 0xA0));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
}

QSize CRequisitesDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    int width = option.rect.width();
    if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget))
        width = view->viewport()->width();
    width = std::max(width, 40);
    QFont font = option.font;
    font.setBold((index.data(CRequisitesModel::RowDataRole).toULongLong() & kRowCaption) != 0);
    const QFontMetrics fm(font);
    QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        text = QStringLiteral(" ");
    const QRect r = fm.boundingRect(QRect(0, 0, width - 2 * kInset, 100000),
                                    Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return QSize(width, std::max(r.height(), fm.height()) + 2 * kInset);
}

QWidget* CRequisitesDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
    (void)option;
    const auto* model = qobject_cast<const CRequisitesModel*>(index.model());
    if (model == nullptr)
        return nullptr;
    const std::uint32_t data = model->Rows().CaptionData(index.row());
    QWidget* editor = nullptr;
    auto self = const_cast<CRequisitesDelegate*>(this);
    auto hook = [self](auto* e) {
        connect(e, &std::remove_pointer_t<decltype(e)>::Done, self,
                [self, e](bool cancelled) { self->Finish(e, cancelled); });
    };
    switch (EditorFor(data)) {
    case RowEditor::DictList:
    case RowEditor::Status: {
        auto* e = new CImplementComboBox(parent);
        hook(e);
        editor = e;
        break;
    }
    case RowEditor::Themes: {
        auto* e = new CThemesRichEditCtrl(m_data ? &m_data->TemathicsDict() : nullptr, parent);
        hook(e);
        editor = e;
        break;
    }
    case RowEditor::Sources: {
        auto* e = new CSourcesRichEditCtrl(m_data ? &m_data->SourceDict() : nullptr, parent);
        hook(e);
        editor = e;
        break;
    }
    case RowEditor::Text:
    case RowEditor::Digits: {
        auto* e = new CImplementRichEditCtrl(EditorFor(data) == RowEditor::Digits, parent);
        hook(e);
        editor = e;
        break;
    }
    case RowEditor::Date: {
        auto* e = new CImplementDateTimeCtrl(parent);
        hook(e);
        editor = e;
        break;
    }
    case RowEditor::None:
        return nullptr;
    }
    editor->setFont(parent->font());
    editor->setProperty("norvakCaptionData", static_cast<qulonglong>(data));
    return editor;
}

void CRequisitesDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    const auto data = static_cast<std::uint32_t>(editor->property("norvakCaptionData").toULongLong());
    if (auto* combo = qobject_cast<CImplementComboBox*>(editor)) {
        if (combo->count() > 0)
            return;
        QStringList items = EditorFor(data) == RowEditor::Status
                                ? QStringList{QStringLiteral("-"), QStringLiteral("ё"),
                                              QStringLiteral("+")}
                                : DictionaryNames(m_data, data);
        combo->addItems(items);
        // The last name equal to the row's text, else the first.
        const int found = static_cast<int>(items.lastIndexOf(text));
        combo->setCurrentIndex(found >= 0 ? found : 0);
    } else if (auto* date = qobject_cast<CImplementDateTimeCtrl*>(editor)) {
        QDate d = QDate::currentDate();
        if (!m_newRow) {
            const CDateValue v = CRequisiteRows::ReadDate(QStringToBytes(text));
            if (v.IsValid() && QDate(v.Year(), v.Month(), v.Day()).isValid())
                d = QDate(v.Year(), v.Month(), v.Day());
        }
        date->setDate(d);
    } else if (auto* edit = qobject_cast<CImplementRichEditCtrl*>(editor)) {
        if (edit->document()->isEmpty() && !text.isEmpty()) {
            edit->setPlainText(text);
            edit->moveCursor(QTextCursor::End);
        }
    }
}

void CRequisitesDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const {
    // The list takes the result itself (CRequisitesList::commitData).
    (void)editor;
    (void)model;
    (void)index;
}

void CRequisitesDelegate::updateEditorGeometry(QWidget* editor,
                                               const QStyleOptionViewItem& option,
                                               const QModelIndex& index) const {
    (void)index;
    QRect r = option.rect.adjusted(0, 0, 0, -1);
    if (auto* edit = qobject_cast<CImplementRichEditCtrl*>(editor)) {
        const QWidget* viewport = editor->parentWidget();
        const int limit = viewport ? viewport->height() - 2 - std::max(0, r.top()) : 10000;
        const int minimum = std::max(r.height(), edit->fontMetrics().height() + 10);
        editor->setGeometry(r.left(), r.top(), r.width(), minimum);
        edit->SetHeightLimits(minimum, std::max(minimum, limit));
        return;
    }
    r.setHeight(std::max(r.height(), editor->sizeHint().height()));
    editor->setGeometry(r);
}

bool CRequisitesDelegate::eventFilter(QObject* object, QEvent* event) {
    // The editors handle their keys themselves; losing the focus is left to the base.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
        return false;
    return QStyledItemDelegate::eventFilter(object, event);
}

void CRequisitesDelegate::Finish(QWidget* editor, bool cancelled) {
    if (editor->property(kEditorFinished).toBool())
        return;
    editor->setProperty(kEditorFinished, true);
    if (!cancelled)
        emit commitData(editor);
    emit closeEditor(editor, cancelled ? QAbstractItemDelegate::RevertModelCache
                                       : QAbstractItemDelegate::NoHint);
}

std::string CRequisitesDelegate::Result(QWidget* editor) {
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        return QStringToBytes(combo->currentText());
    if (auto* date = qobject_cast<QDateEdit*>(editor)) {
        const QDate d = date->date();
        return FormatDate(CDateValue(d.year(), d.month(), d.day(), 1, 1, 1));
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(editor))
        return QStringToBytes(edit->toPlainText());
    return {};
}

// ---------------------------------------------------------------------------- the list

CRequisitesList::CRequisitesList(QWidget* parent)
    : QListView(parent), m_model(new CRequisitesModel(this)),
      m_delegate(new CRequisitesDelegate(this)) {
    setObjectName(QStringLiteral("RequisitesList"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    setFont(font);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(true);
    setUniformItemSizes(false);
    setResizeMode(QListView::Adjust);
    setLayoutMode(QListView::SinglePass);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setDragEnabled(false);
    setMouseTracking(false);
    SelectRow(0);
}

void CRequisitesList::SetDictionaries(CServiceData* dictionaries) {
    m_delegate->SetDictionaries(dictionaries);
}

void CRequisitesList::SetRequisites(const CRequisiteRecord& record) {
    if (m_editor)
        closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
    m_model->SetRecord(record);
    SelectRow(0);
}

CRequisiteRecord CRequisitesList::GetRequisites() const { return m_model->Rows().Collect(); }

int CRequisitesList::CurrentRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void CRequisitesList::SelectRow(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex i = m_model->index(row);
    setCurrentIndex(i);
    selectionModel()->select(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}

QString CRequisitesList::RowText(int row) const {
    return m_model->data(m_model->index(row), Qt::DisplayRole).toString();
}

void CRequisitesList::StartEdit(int row) {
    if (m_editor || row < 0 || row >= m_model->rowCount() || m_model->Rows().IsCaption(row))
        return;
    const QModelIndex i = m_model->index(row);
    SelectRow(row);
    scrollTo(i);
    m_editRow = row;
    m_delegate->SetNewRow(m_newRow);
    if (!edit(i, QAbstractItemView::AllEditTriggers, nullptr)) {
        m_editRow = -1;
        m_newRow = false;
        return;
    }
    m_editor = indexWidget(i);
    if (!m_editor) {
        // The editor is a child of the viewport that is not an index widget: find it.
        for (QWidget* w : viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w->property("norvakCaptionData").isValid() &&
                !w->property(kEditorFinished).toBool())
                m_editor = w;
    }
    if (m_editor)
        m_editor->setFocus();
}

void CRequisitesList::InsertValue() {
    if (m_editor)
        return;
    const int selected = CurrentRow();
    const CRequisiteRows::InsertResult r = m_model->Rows().Insert(selected);
    if (r.row < 0)
        return;
    if (r.inserted)
        m_model->Refresh();
    m_newRow = r.inserted;
    StartEdit(r.row);
}

void CRequisitesList::DeleteValue() {
    if (m_editor)
        return;
    const int row = CurrentRow();
    if (!m_model->Rows().Remove(row))
        return;
    m_model->Refresh();
    SelectRow(std::min(row, m_model->rowCount() - 1));
    emit Modified();
}

bool CRequisitesList::DropRow(int from, int to) {
    if (!m_model->Rows().Move(from, to))
        return false;
    m_model->Refresh();
    SelectRow(to);
    emit Modified();
    return true;
}

void CRequisitesList::commitData(QWidget* editor) {
    if (editor != m_editor || m_editRow < 0)
        return;
    const int row = m_editRow;
    const bool newRow = m_newRow;
    const int before = m_model->Rows().Count();
    const bool changed = m_model->Rows().Commit(row, CRequisitesDelegate::Result(editor), newRow);
    m_newRow = false;
    m_editRow = -1;
    if (changed && m_model->Rows().Count() == before)
        emit Modified();
}

void CRequisitesList::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    (void)hint;
    if (editor == nullptr)
        return;
    editor->setProperty(kEditorFinished, true);
    const bool hadFocus = editor->hasFocus() || editor->isAncestorOf(QApplication::focusWidget());
    int row = m_editRow >= 0 ? m_editRow : CurrentRow();
    // An edit that ends without a commit (Esc, a cancelled dialog) drops a row just inserted.
    if (m_editRow >= 0)
        m_model->Rows().Cancel(m_editRow, m_newRow);
    m_editRow = -1;
    m_newRow = false;
    QListView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (editor == m_editor)
        m_editor = nullptr;
    m_model->Refresh();
    SelectRow(std::min(row, m_model->rowCount() - 1));
    if (hadFocus)
        setFocus();
    viewport()->update();
}

void CRequisitesList::ReturnFocus() {
    if (m_editor && (m_editor->hasFocus() || m_editor->isAncestorOf(QApplication::focusWidget())))
        setFocus();
}

void CRequisitesList::resizeEvent(QResizeEvent* event) {
    ReturnFocus();
    QListView::resizeEvent(event);
}

void CRequisitesList::scrollContentsBy(int dx, int dy) {
    ReturnFocus();
    QListView::scrollContentsBy(dx, dy);
}

void CRequisitesList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        StartEdit(CurrentRow());
        return;
    case Qt::Key_Insert:
        InsertValue();
        return;
    case Qt::Key_Delete:
        DeleteValue();
        return;
    default:
        QListView::keyPressEvent(event);
    }
}

void CRequisitesList::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex i = indexAt(event->position().toPoint());
    if (i.isValid())
        StartEdit(i.row());
}

void CRequisitesList::mousePressEvent(QMouseEvent* event) {
    QListView::mousePressEvent(event);
    m_dragging = false;
    m_dragOver = -1;
    m_dragFrom = -1;
    if (event->button() != Qt::LeftButton || m_editor)
        return;
    const QModelIndex i = indexAt(event->position().toPoint());
    if (i.isValid() && m_model->Rows().CanDrag(i.row())) {
        m_dragFrom = i.row();
        m_pressPos = event->position().toPoint();
    }
}

void CRequisitesList::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragFrom < 0 || !(event->buttons() & Qt::LeftButton)) {
        QListView::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (!m_dragging &&
        (pos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    const QModelIndex i = indexAt(pos);
    const int target = i.isValid() ? i.row() : -1;
    const bool ok = target >= 0 && m_model->Rows().CanDrop(m_dragFrom, target);
    m_dragOver = ok ? target : -1;
    viewport()->setCursor(ok ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    viewport()->update();
}

void CRequisitesList::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging) {
        const QModelIndex i = indexAt(event->position().toPoint());
        const int from = m_dragFrom;
        m_dragging = false;
        m_dragFrom = -1;
        m_dragOver = -1;
        viewport()->unsetCursor();
        if (i.isValid() && m_model->Rows().CanDrop(from, i.row()))
            DropRow(from, i.row());
        else
            SelectRow(from);
        viewport()->update();
        return;
    }
    m_dragFrom = -1;
    QListView::mouseReleaseEvent(event);
}

void CRequisitesList::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    if (!m_dragging || m_dragOver < 0)
        return;
    // Where the dragged value will land.
    QPainter p(viewport());
    const QRect r = visualRect(m_model->index(m_dragOver));
    p.setPen(QPen(palette().color(QPalette::Highlight), 2));
    const int y = m_dragOver < m_dragFrom ? r.top() + 1 : r.bottom();
    p.drawLine(r.left(), y, r.right(), y);
}

} // namespace norvak
