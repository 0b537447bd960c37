#include "requisitesmodel.h"

#include "core/textcore.h"
#include "textcodec.h"

namespace norvak {

QString EvidenceRuleCaption(ExtendedRule rule) {
    switch (rule) {
    case ExtendedRuleNotes:
        return QStringLiteral("редакционные примечания");
    case ExtendedRuleRegistration:
        return QStringLiteral("регистрация в Минюсте");
    case ExtendedRuleChambers:
        return QStringLiteral("отметки о принятии");
    case ExtendedRuleSignature:
        return QStringLiteral("подпись");
    case ExtendedRuleRepeal:
        return QStringLiteral("отметка об утрате силы");
    case ExtendedRuleOwnTitle:
        return QStringLiteral("собственное название");
    case ExtendedRuleTitleKind:
        return QStringLiteral("вид из названия");
    case ExtendedRuleClosingDate:
        return QStringLiteral("дата в конце");
    case ExtendedRulePopularVote:
        return QStringLiteral("всенародное голосование");
    case ExtendedRuleSovietCode:
        return QStringLiteral("кодекс РСФСР");
    case ExtendedRuleFinders:
        return QStringLiteral("заголовок");
    default:
        return QStringLiteral("?");
    }
}

QString EvidenceToolTip(const RequisiteEvidence& evidence) {
    return QStringLiteral("Найдено автоматически: строка %1, правило «%2»\n%3")
        .arg(evidence.line + 1)
        .arg(EvidenceRuleCaption(evidence.rule))
        .arg(BytesToQString(TrimSpaces(evidence.lineText)));
}

int CRequisitesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.Count();
}

QVariant CRequisitesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.Count())
        return {};
    const RequisiteRow& row = m_rows.At(index.row());
    switch (role) {
    case Qt::DisplayRole:
        if (m_themes != nullptr && !m_rows.IsCaption(index.row()) &&
            (m_rows.CaptionData(index.row()) & kRowThemes) != 0) {
            const int code = CRequisiteRows::ReadInteger(row.text);
            for (const CTemathicsRec& t : m_themes->Themes())
                if (code >= 0 && t.Code() == code)
                    return QStringLiteral("%1 — %2").arg(code).arg(BytesToQString(t.Name()));
        }
        return BytesToQString(row.text);
    case Qt::EditRole:
        return BytesToQString(row.text);
    case RowDataRole:
        return static_cast<qulonglong>(row.data);
    case Qt::ToolTipRole:
        if (const RequisiteEvidence* e = EvidenceAt(index.row()))
            return EvidenceToolTip(*e);
        return {};
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

void CRequisitesModel::SetEvidence(std::vector<RequisiteEvidence> evidence) {
    beginResetModel();
    m_evidence = std::move(evidence);
    endResetModel();
}

const RequisiteEvidence* CRequisitesModel::EvidenceAt(int row) const {
    if (row < 0 || row >= m_rows.Count() || m_rows.IsCaption(row))
        return nullptr;
    const int caption = m_rows.CaptionOf(row);
    int index = -1;
    for (int i = 0; i <= caption; ++i)
        index += m_rows.IsCaption(i) ? 1 : 0;
    const auto& captions = RequisiteCaptions();
    if (index < 0 || index >= static_cast<int>(captions.size()))
        return nullptr;
    const RequisiteId id = captions[static_cast<std::size_t>(index)].id;
    const std::string& value = m_rows.At(row).text;
    for (const RequisiteEvidence& e : m_evidence)
        // The title row holds the composed title; its evidence is the own title in it.
        if (e.requisite == id && (e.value == value || id == kReqTitle))
            return &e;
    return nullptr;
}

void CRequisitesModel::Refresh() {
    beginResetModel();
    endResetModel();
}

} // namespace norvak
