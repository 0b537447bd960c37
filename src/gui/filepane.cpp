#include "filepane.h"

#include "norvakdoc.h"

#include <QFileInfo>

namespace norvak {

QString FileStatusText(const CNorvakDoc& doc) {
    const QString dosEncoding = QStringLiteral("DOS (CP866)");
    const QString windowsEncoding = QStringLiteral("Windows (CP1251)");
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
            // A text is converted from CP866 whatever the choice (the opening road's rule).
            encoding = dosEncoding;
            break;
        case 2:
            type = QStringLiteral("исходный формат");
            encoding = doc.DosEncoding() ? dosEncoding : windowsEncoding;
            break;
        case 3:
            type = QStringLiteral("исходный формат с разметкой");
            encoding = doc.DosEncoding() ? dosEncoding : windowsEncoding;
            break;
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
