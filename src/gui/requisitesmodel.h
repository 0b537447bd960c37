#pragma once
// The rows of the requisites panel as a Qt model.

#include "dictionaries/temathicsdict.h"
#include "document/requisiterows.h"
#include "requisites/extendeddetection.h"

#include <QAbstractListModel>

namespace norvak {

// The name of a rule of the extended detection as the panel shows it ("подпись").
QString EvidenceRuleCaption(ExtendedRule rule);
// "Найдено автоматически: строка 12, правило «подпись»" and the line's text under it.
QString EvidenceToolTip(const RequisiteEvidence& evidence);

// The rows as a Qt model. Display text is the row text (a theme's code with its name from the
// rubricator); the edit text is the row text itself; RowDataRole its data word.
class CRequisitesModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int RowDataRole = Qt::UserRole + 1;

    explicit CRequisitesModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The rubricator the theme rows take their names from; null shows the bare codes.
    void SetThemes(const CTemathicsDict* themes) { m_themes = themes; }

    CRequisiteRows& Rows() { return m_rows; }
    const CRequisiteRows& Rows() const { return m_rows; }
    void SetRecord(const CRequisiteRecord& record);
    // Applies a change of the rows made through Rows() (the whole list is refreshed).
    void Refresh();

    // The lines and rules the values were found by (editor lines); a value row whose
    // requisite and value match one has it as its tooltip.
    void SetEvidence(std::vector<RequisiteEvidence> evidence);
    // The evidence of a value row, or null (a caption, a value typed or changed by hand).
    const RequisiteEvidence* EvidenceAt(int row) const;

private:
    CRequisiteRows m_rows;
    std::vector<RequisiteEvidence> m_evidence;
    const CTemathicsDict* m_themes = nullptr;
};

} // namespace norvak
