#include "requisitesbar.h"

#include "requisites/datevalue.h"
#include "textcodec.h"

#include <QListWidget>
#include <QSettings>

namespace norvak {
namespace {

std::string IntText(int v) { return v < 0 ? std::string() : std::to_string(v); }

std::string DateText(const CDateValue& d) {
    if (IsNoDate(d) || !d.IsValid())
        return {};
    return FormatDate(d);
}

void AddNonEmpty(std::vector<std::string>& out, const std::string& s) {
    if (!s.empty())
        out.push_back(s);
}

} // namespace

std::vector<std::pair<std::string, std::vector<std::string>>> RequisiteRows(
    const CRequisiteRecord& record) {
    std::vector<std::pair<std::string, std::vector<std::string>>> rows;
    for (const RequisiteInfo& info : RequisiteTable()) {
        std::vector<std::string> values;
        switch (info.id) {
        case kReqDbNumber: AddNonEmpty(values, IntText(record.m_dbNumber)); break;
        case kReqEntryDate: AddNonEmpty(values, DateText(record.m_entryDate)); break;
        case kReqTextDate: AddNonEmpty(values, DateText(record.m_textDate)); break;
        case kReqFirstEdition: AddNonEmpty(values, IntText(record.m_firstEdition)); break;
        case kReqEditionDate: AddNonEmpty(values, DateText(record.m_editionDate)); break;
        case kReqStatus: values.push_back(std::to_string(record.m_status)); break;
        case kReqNote: AddNonEmpty(values, record.m_note); break;
        case kReqThemes:
            for (int t : record.m_themes)
                values.push_back(std::to_string(t));
            break;
        case kReqSources: values = record.m_sources; break;
        case kReqLinks: values = record.m_links; break;
        case kReqKinds: values = record.m_kinds; break;
        case kReqOrgans: values = record.m_organs; break;
        case kReqAdoptionDates:
            for (const CDateValue& d : record.m_adoptionDates)
                AddNonEmpty(values, DateText(d));
            break;
        case kReqNumbers: values = record.m_numbers; break;
        case kReqJusticeDate: AddNonEmpty(values, DateText(record.m_justiceDate)); break;
        case kReqJusticeNumber: AddNonEmpty(values, record.m_justiceNumber); break;
        case kReqTitle: AddNonEmpty(values, record.m_title); break;
        case kReqText: break; // the text is in the editor
        }
        if (info.id != kReqText)
            rows.emplace_back(info.label, std::move(values));
    }
    return rows;
}

CRequisitesBar::CRequisitesBar(QWidget* parent)
    : QDockWidget(QStringLiteral("Реквизиты"), parent), m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("RequisitesBar"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    m_list->setObjectName(QStringLiteral("RequisitesList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setWordWrap(true);
    m_list->setTextElideMode(Qt::ElideNone);
    setWidget(m_list);
    setMinimumWidth(kMinVert.width());
    SetRequisites(m_record);
}

void CRequisitesBar::SetRequisites(const CRequisiteRecord& record) {
    m_record = record;
    m_list->clear();
    QFont captionFont = m_list->font();
    captionFont.setBold(true);
    for (const auto& [caption, values] : RequisiteRows(record)) {
        auto* item = new QListWidgetItem(BytesToQString(caption), m_list);
        item->setFont(captionFont);
        item->setData(Qt::UserRole, 1); // caption row
        for (const std::string& v : values) {
            auto* valueItem = new QListWidgetItem(QStringLiteral("    ") + BytesToQString(v),
                                                  m_list);
            valueItem->setData(Qt::UserRole, 0);
            valueItem->setToolTip(BytesToQString(v));
        }
    }
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
