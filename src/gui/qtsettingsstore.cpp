#include "qtsettingsstore.h"

#include "textcodec.h"

namespace norvak {
namespace {

QString Key(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

CQtSettingsStore::CQtSettingsStore()
    : m_owned(std::make_unique<QSettings>(QString::fromLatin1(kOrganisation),
                                          QString::fromLatin1(kApplication))),
      m_settings(m_owned.get()) {}

CQtSettingsStore::CQtSettingsStore(QSettings* settings) : m_settings(settings) {}

std::optional<long long> CQtSettingsStore::ReadInt(std::string_view name) {
    QVariant v = m_settings->value(Key(name));
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    long long n = v.toLongLong(&ok);
    if (!ok) {
        // INI files hand numbers back as strings; accept them trimmed.
        n = v.toString().trimmed().toLongLong(&ok);
        if (!ok)
            return std::nullopt;
    }
    return n;
}

std::optional<std::string> CQtSettingsStore::ReadString(std::string_view name) {
    QVariant v = m_settings->value(Key(name));
    if (!v.isValid() || !v.canConvert<QString>())
        return std::nullopt;
    return QStringToBytes(v.toString());
}

void CQtSettingsStore::WriteInt(std::string_view name, long long value) {
    m_settings->setValue(Key(name), value);
}

void CQtSettingsStore::WriteString(std::string_view name, std::string_view value) {
    m_settings->setValue(Key(name), BytesToQString(value));
}

} // namespace norvak
