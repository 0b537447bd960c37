#pragma once
// The pane of the status line that names the document's file, its type and its encoding.

#include <QLabel>

namespace norvak {

class CNorvakDoc;

// Shows FileStatusText of the document; refreshed whenever the caption changes.
class CFilePane : public QLabel {
    Q_OBJECT
public:
    explicit CFilePane(QWidget* parent);
    void Show(const CNorvakDoc& doc);
};

// "name — type, encoding" of the file the document was saved to or opened from; "Новый
// документ" when there is none.
QString FileStatusText(const CNorvakDoc& doc);

} // namespace norvak
