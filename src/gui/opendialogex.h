#pragma once
// The open dialog: the file dialog with automatic detection and the three file types, a "Кодировка
// файла" group (Dos / Windows / UTF-8, proposed from the bytes of the selected file), a preview
// check box and a preview of the selected file's first lines.

#include "document/inputsniff.h"

#include <QFileDialog>

#include <string>

class QCheckBox;
class QPlainTextEdit;
class QRadioButton;

namespace norvak {

// Chooses the file to open, its type and its encoding.
class COpenDialogEx : public QFileDialog {
    Q_OBJECT
public:
    static constexpr int kPreviewLines = 50;

    // preselected: the type whose filter is chosen first; Auto ("Определить автоматически",
    // the first filter) for a type the dialog does not offer.
    COpenDialogEx(QWidget* parent, norvak::FileType preselected);

    // The type of the chosen filter: Auto for "Определить автоматически", then Text, Source
    // and Marked, in the order of the filters.
    norvak::FileType ChosenType() const;
    bool DosEncoding() const { return m_encoding == Encoding::Dos; }
    Encoding ChosenEncoding() const { return m_encoding; }
    bool PreviewOn() const { return m_preview; }
    QString PreviewText() const;

    // Sets the encoding or the preview flag as the controls do.
    void SetDosEncoding(bool dos) { SetEncoding(dos ? Encoding::Dos : Encoding::Windows); }
    void SetEncoding(Encoding encoding);
    // Selects the encoding the first bytes of path suggest (GuessTextEncoding); the operator
    // may choose another one after it. Nothing changes for a folder or an unreadable file.
    void ProposeEncoding(const QString& path);
    void SetPreview(bool on);
    // Shows the preview of path (when the preview is on).
    void UpdatePreview(const QString& path);

    static QStringList FileTypeFilters();
    // The types as the dialog shows them.
    static QStringList FileTypeNames();
    // The first lines of a file as the preview shows them: in the DOS encoding every line is
    // converted from CP866 to CP1251 (frame characters keep their look-alikes), in UTF-8 from
    // UTF-8. A file that cannot be read gives what was read (nothing).
    static std::vector<std::string> PreviewLines(const std::string& path, Encoding encoding,
                                                 int maxLines);
    static std::vector<std::string> PreviewLines(const std::string& path, bool dos, int maxLines) {
        return PreviewLines(path, dos ? Encoding::Dos : Encoding::Windows, maxLines);
    }

private:
    QRadioButton* m_dosButton;
    QRadioButton* m_windowsButton;
    QRadioButton* m_utf8Button;
    QCheckBox* m_previewBox;
    QPlainTextEdit* m_previewText;
    QString m_current;
    Encoding m_encoding = Encoding::Dos;
    bool m_preview = true;
};

} // namespace norvak
