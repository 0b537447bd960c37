#include "requisiteslist.h"

#include "dictionaries/servicedata.h"
#include "requisitesdelegate.h"
#include "requisitesmodel.h"
#include "textcodec.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace norvak {

CRequisitesList::CRequisitesList(QWidget* parent)
    : QListView(parent), m_model(new CRequisitesModel(this)),
      m_delegate(new CRequisitesDelegate(this)),
      m_goToEvidence(new QAction(QStringLiteral("Перейти к строке значения"), this)) {
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
    // The command on the panel: its context menu and Ctrl+L while the panel has the focus.
    m_goToEvidence->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_goToEvidence->setShortcutContext(Qt::WidgetShortcut);
    m_goToEvidence->setStatusTip(
        QStringLiteral("Перевести курсор на строку текста, из которой взято значение"));
    addAction(m_goToEvidence);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_goToEvidence, &QAction::triggered, this, [this] { GoToEvidence(); });
    SelectRow(0);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { UpdateGoToEvidence(); });
    UpdateGoToEvidence();
}

bool CRequisitesList::GoToEvidence() {
    const RequisiteEvidence* e = m_model->EvidenceAt(CurrentRow());
    if (e == nullptr)
        return false;
    emit EvidenceLineRequested(e->line + 1);
    return true;
}

void CRequisitesList::UpdateGoToEvidence() {
    m_goToEvidence->setEnabled(m_model->EvidenceAt(CurrentRow()) != nullptr);
}

void CRequisitesList::SetDictionaries(CServiceData* dictionaries) {
    m_delegate->SetDictionaries(dictionaries);
    m_model->SetThemes(dictionaries != nullptr ? &dictionaries->TemathicsDict() : nullptr);
}

void CRequisitesList::SetRequisites(const CRequisiteRecord& record,
                                    std::vector<RequisiteEvidence> evidence) {
    if (m_editor)
        closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
    m_model->SetRecord(record);
    m_model->SetEvidence(std::move(evidence));
    SelectRow(0);
    UpdateGoToEvidence();
}

CRequisiteRecord CRequisitesList::GetRequisites() const {
    return m_model->Rows().Collect();
}

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
                !w->property(CRequisitesDelegate::kFinishedProperty).toBool())
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
    editor->setProperty(CRequisitesDelegate::kFinishedProperty, true);
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
    if (!m_dragging && (pos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
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
