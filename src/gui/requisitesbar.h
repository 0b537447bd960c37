#pragma once
// The docking bar "Реквизиты" at the left edge of the main window, holding the requisites
// panel. Its sizes are kept between runs under "<profile>-SCBar-<id>".

#include "requisites/extendeddetection.h"
#include "requisites/requisiterecord.h"

#include <QDockWidget>
#include <QSize>

class QSettings;

namespace norvak {

class CRequisitesList;

// The requisites bar; its one child is the requisites panel, kept to its whole client area.
class CRequisitesBar : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kBarId = 0xE820;
    static constexpr int kDefaultWidth = 200;
    static constexpr int kDefaultHeight = 100;
    static inline const QSize kMinHorz{33, 32};
    static inline const QSize kMinVert{33, 32};
    static inline const QSize kMinFloat{37, 32};

    explicit CRequisitesBar(QWidget* parent = nullptr);

    void SetRequisites(const CRequisiteRecord& record,
                       std::vector<RequisiteEvidence> evidence = {});
    CRequisiteRecord GetRequisites() const;

    // Sizes for each docking orientation, as the bar keeps them.
    QSize HorzSize() const { return m_horz; }
    QSize VertSize() const { return m_vert; }
    QSize FloatSize() const { return m_float; }
    // Takes the current size into the slot of the current orientation.
    void RememberSize(Qt::DockWidgetArea area);
    // Section "<profile>-SCBar-<id>" with sizeHorzCX ... sizeFloatCY; a loaded dimension below
    // its minimum becomes the minimum, a missing one keeps the current size.
    void LoadState(QSettings& settings, const QString& profile);
    void SaveState(QSettings& settings, const QString& profile) const;
    static QString Section(const QString& profile);

    CRequisitesList* List() const { return m_list; }

private:
    CRequisitesList* m_list;
    QSize m_horz{kDefaultWidth, kDefaultHeight};
    QSize m_vert{kDefaultWidth, kDefaultHeight};
    QSize m_float{kDefaultWidth, kDefaultHeight};
};

} // namespace norvak
