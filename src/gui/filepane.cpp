#include "filepane.h"

#include "norvakdoc.h"

#include <QFileInfo>

namespace norvak {

QString FileStatusText(const CNorvakDoc& doc) {
    const QString dosEncoding = QStringLiteral("DOS (CP866)");
    const QString windowsEncoding = QStringLiteral("Windows (CP1251)");
    const QString readEncoding = doc.LastEncoding() == Encoding::Dos ? dosEncoding
                                 : doc.LastEncoding() == Encoding::Windows
                                     ? windowsEncoding
                                     : QStringLiteral("UTF-8");
    QString path;
    QString type;
    QString encoding;
    if (!doc.SourcePath().isEmpty()) {
        // What Save writes: always the source format in the DOS encoding.
        path = doc.SourcePath();
        type = QStringLiteral("исходный формат");
        encoding = dosEncoding;
    } else if (!doc.OpenedPath().isEmpty()) {
        path = doc.OpenedPath();
        switch (doc.OpenedType()) {
        case 1:
            type = QStringLiteral("текст");
            encoding = readEncoding;
            break;
        case 2:
            type = QStringLiteral("исходный формат");
            encoding = readEncoding;
            break;
        case 3:
            type = QStringLiteral("исходный формат с разметкой");
            encoding = readEncoding;
            break;
        case 4:
        case 5:
        case 6:
            // The readers tell the encoding of these themselves.
            type = doc.OpenedType() == 4   ? QStringLiteral("веб-страница HTML")
                   : doc.OpenedType() == 5 ? QStringLiteral("документ DOCX")
                                           : QStringLiteral("документ ODT");
            return QStringLiteral("%1 — %2").arg(QFileInfo(path).fileName(), type);
        default:
            type = QStringLiteral("без преобразования");
            encoding = windowsEncoding;
            break;
        }
    } else {
        return QStringLiteral("Новый документ");
    }
    return QStringLiteral("%1 — %2, %3").arg(QFileInfo(path).fileName(), type, encoding);
}

CFilePane::CFilePane(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("FilePane"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
}

void CFilePane::Show(const CNorvakDoc& doc) {
    setText(FileStatusText(doc));
    const QString full = !doc.SourcePath().isEmpty() ? doc.SourcePath() : doc.OpenedPath();
    setToolTip(full);
}

} // namespace norvak
