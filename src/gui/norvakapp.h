#pragma once
// The application object: start-up (settings store, document, view and main window; the
// file named on the command line) and shut-down.

#include <QApplication>

#include <memory>

namespace norvak {

class CMainFrame;
class CQtSettingsStore;

// The editor application.
class CNorvakApp : public QApplication {
    Q_OBJECT
public:
    CNorvakApp(int& argc, char** argv);
    ~CNorvakApp() override;

    // Builds the main window and processes the command line; false ends the program.
    bool InitInstance();
    CMainFrame* MainFrame() const { return m_frame.get(); }

    // The dict.dat to use (seeded from the shipped one on first use); empty when none can be
    // found or made.
    static QString ServiceDataPath();
    // Installs Qt's Russian translations and the Russian locale; false when the translations
    // are not installed (Qt's texts then stay English).
    static bool LoadQtTranslations();

private:
    std::unique_ptr<CQtSettingsStore> m_store;
    std::unique_ptr<CMainFrame> m_frame;
};

} // namespace norvak
