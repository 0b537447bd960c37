#include "norvakapp.h"

#include "document/dictlocation.h"
#include "mainframe.h"
#include "norvakdoc.h"
#include "qtsettingsstore.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace norvak {

CNorvakApp::CNorvakApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QString::fromLatin1(CQtSettingsStore::kOrganisation));
    setApplicationName(QString::fromLatin1(CQtSettingsStore::kApplication));
    // No display name: the platform would append it to every caption the document sets.
    LoadQtTranslations();
    setApplicationVersion(QStringLiteral(NORVAK_VERSION));
    setDesktopFileName(QStringLiteral("norvak"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/norvak.svg")));
}

bool CNorvakApp::LoadQtTranslations() {
    // The texts of Qt's own dialogs and buttons (file dialogs, Yes/No/Cancel, "Закрыть") in
    // Russian, as every text the operator sees.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    static QTranslator* translator = nullptr;
    if (translator != nullptr)
        return true;
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    translator = t;
    return true;
}

CNorvakApp::~CNorvakApp() {
    m_frame.reset();
    m_store.reset();
}

QString CNorvakApp::ServiceDataPath() {
    // Beside the executable when it is there or can be made there, else in the user's data
    // directory, seeded from the dictionaries shipped with the program.
    std::string exeDir = ExecutableDir();
    if (exeDir.empty())
        exeDir = applicationDirPath().toStdString();
    const DictLocation location = LocateDictionary(exeDir, ShippedDictionary(exeDir));
    std::string error;
    if (!SeedDictionary(location, &error))
        std::fprintf(stderr, "norvak: %s\n", error.c_str());
    return QString::fromStdString(location.path);
}

bool CNorvakApp::InitInstance() {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Norvak: редактор правовых документов"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption text(QStringLiteral("text"),
                            QStringLiteral("Открыть текстовый файл DOS с разметкой и "
                                           "определением реквизитов."),
                            QStringLiteral("file"));
    QCommandLineOption windows(QStringLiteral("windows"),
                               QStringLiteral("Файл для --text в кодировке Windows."));
    parser.addOption(text);
    parser.addOption(windows);
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("Файл, открываемый без преобразований (файл исходного формата "
                       "открывается как сохранённый)."));
    parser.process(*this);

    m_store = std::make_unique<CQtSettingsStore>();
    m_frame = std::make_unique<CMainFrame>(*m_store, ServiceDataPath());
    m_frame->showMaximized();

    // A document left unsaved by an editor that did not end properly is offered first; opening
    // a file after it asks to save it.
    m_frame->Doc().OfferRecovery();
    if (parser.isSet(text))
        m_frame->Doc().OpenFile(parser.value(text), 1, !parser.isSet(windows));
    else if (!parser.positionalArguments().isEmpty())
        m_frame->Doc().OpenDetected(parser.positionalArguments().front());
    return true;
}

} // namespace norvak
