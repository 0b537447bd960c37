#include "requisitesdelegate.h"

#include "core/literal.h"
#include "dictionaries/servicedata.h"
#include "document/requisiterows.h"
#include "requisiteseditors.h"
#include "requisitesmodel.h"
#include "textcodec.h"

#include <QAbstractItemView>
#include <QDate>
#include <QKeyEvent>
#include <QPainter>

namespace norvak {
namespace {

QColor InactiveSelection() {
    return QColor(0xB4, 0xB4, 0xB4);
}

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

void CRequisitesDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const bool caption =
        (index.data(CRequisitesModel::RowDataRole).toULongLong() & kRowCaption) != 0;
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
    const auto data =
        static_cast<std::uint32_t>(editor->property("norvakCaptionData").toULongLong());
    if (auto* combo = qobject_cast<CImplementComboBox*>(editor)) {
        if (combo->count() > 0)
            return;
        QStringList items =
            EditorFor(data) == RowEditor::Status
                ? QStringList{QStringLiteral("-"), QStringLiteral("ё"), QStringLiteral("+")}
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

void CRequisitesDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
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
    if (editor->property(kFinishedProperty).toBool())
        return;
    editor->setProperty(kFinishedProperty, true);
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

} // namespace norvak
