#pragma once
// The settings store of the editor: QSettings under organisation "Quorvel", application
// "Norvak 1.0", with CP1251 strings converted at its edge.

#include "document/settings.h"

#include <QSettings>

#include <memory>

namespace norvak {

// Reads and writes the named settings values through QSettings.
class CQtSettingsStore : public CSettingsStore {
public:
    // The application's own store.
    CQtSettingsStore();
    // A store over the given settings (tests use a temporary file).
    explicit CQtSettingsStore(QSettings* settings);

    std::optional<long long> ReadInt(std::string_view name) override;
    std::optional<std::string> ReadString(std::string_view name) override;
    void WriteInt(std::string_view name, long long value) override;
    void WriteString(std::string_view name, std::string_view value) override;

    QSettings& Settings() { return *m_settings; }

    static constexpr const char* kOrganisation = "Quorvel";
    static constexpr const char* kApplication = "Norvak 1.0";

private:
    std::unique_ptr<QSettings> m_owned;
    QSettings* m_settings;
};

} // namespace norvak
