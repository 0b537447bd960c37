#include "opendialogex.h"

#include "core/codepage.h"
#include "core/textfile.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <fstream>

namespace norvak {

QStringList COpenDialogEx::FileTypeFilters() {
    // Each type is shown as "... (*.*)" but matches every file: a pattern "*.*" would hide the
    // DOS texts named without a dot (DOC001). The dialog shows a filter without its last
    // bracket (HideNameFilterDetails), which holds the pattern really used.
    return {QStringLiteral("Текстовые файлы (*.*) (*)"), QStringLiteral("Исходный формат (*.*) (*)"),
            QStringLiteral("Исходный формат с разметкой (*.*) (*)")};
}

QStringList COpenDialogEx::FileTypeNames() {
    return {QStringLiteral("Текстовые файлы (*.*)"), QStringLiteral("Исходный формат (*.*)"),
            QStringLiteral("Исходный формат с разметкой (*.*)")};
}

COpenDialogEx::COpenDialogEx(QWidget* parent, int fileType)
    : QFileDialog(parent, QStringLiteral("Открыть")) {
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setOption(QFileDialog::HideNameFilterDetails, true);
    setNameFilters(FileTypeFilters());
    if (fileType >= 1 && fileType <= 3)
        selectNameFilter(FileTypeFilters().at(fileType - 1));

    auto* group = new QGroupBox(QStringLiteral("Кодировка файла"), this);
    m_dosButton = new QRadioButton(QStringLiteral("Dos"), group);
    m_windowsButton = new QRadioButton(QStringLiteral("Windows"), group);
    m_previewBox = new QCheckBox(QStringLiteral("Предварительный про&смотр"), group);
    m_previewText = new QPlainTextEdit(group);
    m_previewText->setReadOnly(true);
    m_previewText->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(9);
    m_previewText->setFont(mono);
    m_previewText->setMinimumHeight(110);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_dosButton);
    buttons->addWidget(m_windowsButton);
    buttons->addSpacing(20);
    buttons->addWidget(m_previewBox);
    buttons->addStretch(1);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(buttons);
    groupLayout->addWidget(m_previewText);

    // Below the standard part of the dialog, across its whole width.
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(group, grid->rowCount(), 0, 1, grid->columnCount());
    else if (layout() != nullptr)
        layout()->addWidget(group);

    m_dosButton->setChecked(m_dos);
    m_windowsButton->setChecked(!m_dos);
    m_previewBox->setChecked(m_preview);
    connect(m_dosButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            SetDosEncoding(true);
    });
    connect(m_windowsButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            SetDosEncoding(false);
    });
    connect(m_previewBox, &QCheckBox::toggled, this, &COpenDialogEx::SetPreview);
    connect(this, &QFileDialog::currentChanged, this, &COpenDialogEx::UpdatePreview);
    resize(760, 600);
}

int COpenDialogEx::FileType() const {
    // The dialog may report the filter as given or as shown.
    qsizetype i = FileTypeFilters().indexOf(selectedNameFilter());
    if (i < 0)
        i = FileTypeNames().indexOf(selectedNameFilter());
    return i < 0 ? 1 : static_cast<int>(i) + 1;
}

QString COpenDialogEx::PreviewText() const { return m_previewText->toPlainText(); }

void COpenDialogEx::SetDosEncoding(bool dos) {
    m_dos = dos;
    if (m_dosButton->isChecked() != dos)
        m_dosButton->setChecked(dos);
    if (m_windowsButton->isChecked() == dos)
        m_windowsButton->setChecked(!dos);
    UpdatePreview(m_current);
}

void COpenDialogEx::SetPreview(bool on) {
    m_preview = on;
    if (m_previewBox->isChecked() != on)
        m_previewBox->setChecked(on);
    if (on)
        UpdatePreview(m_current);
    else
        m_previewText->clear();
}

std::vector<std::string> COpenDialogEx::PreviewLines(const std::string& path, bool dos,
                                                     int maxLines) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return lines;
    // Enough bytes for the first lines of any sensible text, without reading a huge file.
    std::string bytes(64 * 1024, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    LineList all = SplitTextLines(bytes);
    for (std::size_t i = 0; i < all.size() && static_cast<int>(i) < maxLines; ++i) {
        std::string line = all[i];
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(dos ? Cp866ToCp1251(line) : line);
    }
    return lines;
}

void COpenDialogEx::UpdatePreview(const QString& path) {
    m_current = path;
    if (!m_preview)
        return;
    m_previewText->clear();
    if (path.isEmpty() || QFileInfo(path).isDir())
        return;
    QStringList shown;
    for (const std::string& line : PreviewLines(path.toStdString(), m_dos, kPreviewLines))
        shown.push_back(BytesToQString(line));
    m_previewText->setPlainText(shown.join(QLatin1Char('\n')));
    m_previewText->moveCursor(QTextCursor::Start);
}

} // namespace norvak
