#include "requisitesbar.h"

#include "requisiteslist.h"

#include <QSettings>

namespace norvak {

CRequisitesBar::CRequisitesBar(QWidget* parent)
    : QDockWidget(QStringLiteral("Реквизиты"), parent), m_list(new CRequisitesList(this)) {
    setObjectName(QStringLiteral("RequisitesBar"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setWidget(m_list);
    setMinimumWidth(kMinVert.width());
}

void CRequisitesBar::SetRequisites(const CRequisiteRecord& record,
                                   std::vector<RequisiteEvidence> evidence) {
    m_list->SetRequisites(record, std::move(evidence));
}

CRequisiteRecord CRequisitesBar::GetRequisites() const {
    return m_list->GetRequisites();
}

void CRequisitesBar::RememberSize(Qt::DockWidgetArea area) {
    if (isFloating())
        m_float = size().expandedTo(kMinFloat);
    else if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea)
        m_vert = size().expandedTo(kMinVert);
    else if (area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea)
        m_horz = size().expandedTo(kMinHorz);
}

QString CRequisitesBar::Section(const QString& profile) {
    return QStringLiteral("%1-SCBar-%2").arg(profile).arg(kBarId);
}

void CRequisitesBar::LoadState(QSettings& settings, const QString& profile) {
    settings.beginGroup(Section(profile));
    auto load = [&settings](const char* name, int current, int minimum) {
        bool ok = false;
        const int v = settings.value(QLatin1String(name)).toInt(&ok);
        if (!ok)
            return current;
        return std::max(v, minimum);
    };
    m_horz = QSize(load("sizeHorzCX", m_horz.width(), kMinHorz.width()),
                   load("sizeHorzCY", m_horz.height(), kMinHorz.height()));
    m_vert = QSize(load("sizeVertCX", m_vert.width(), kMinVert.width()),
                   load("sizeVertCY", m_vert.height(), kMinVert.height()));
    m_float = QSize(load("sizeFloatCX", m_float.width(), kMinFloat.width()),
                    load("sizeFloatCY", m_float.height(), kMinFloat.height()));
    settings.endGroup();
}

void CRequisitesBar::SaveState(QSettings& settings, const QString& profile) const {
    settings.beginGroup(Section(profile));
    settings.setValue(QStringLiteral("sizeHorzCX"), m_horz.width());
    settings.setValue(QStringLiteral("sizeHorzCY"), m_horz.height());
    settings.setValue(QStringLiteral("sizeVertCX"), m_vert.width());
    settings.setValue(QStringLiteral("sizeVertCY"), m_vert.height());
    settings.setValue(QStringLiteral("sizeFloatCX"), m_float.width());
    settings.setValue(QStringLiteral("sizeFloatCY"), m_float.height());
    settings.endGroup();
}

} // namespace norvak
