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
    return {QStringLiteral("Определить автоматически (*.*) (*)"),
            QStringLiteral("Текстовые файлы (*.*) (*)"),
            QStringLiteral("Исходный формат (*.*) (*)"),
            QStringLiteral("Исходный формат с разметкой (*.*) (*)")};
}

QStringList COpenDialogEx::FileTypeNames() {
    return {QStringLiteral("Определить автоматически (*.*)"),
            QStringLiteral("Текстовые файлы (*.*)"), QStringLiteral("Исходный формат (*.*)"),
            QStringLiteral("Исходный формат с разметкой (*.*)")};
}

COpenDialogEx::COpenDialogEx(QWidget* parent, norvak::FileType preselected)
    : QFileDialog(parent, QStringLiteral("Открыть")) {
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setOption(QFileDialog::HideNameFilterDetails, true);
    setNameFilters(FileTypeFilters());
    // The filters stand in the order of the first four types.
    const int filter = static_cast<int>(preselected);
    if (filter >= 0 && filter < FileTypeFilters().size())
        selectNameFilter(FileTypeFilters().at(filter));

    auto* group = new QGroupBox(QStringLiteral("Кодировка файла"), this);
    m_dosButton = new QRadioButton(QStringLiteral("Dos"), group);
    m_windowsButton = new QRadioButton(QStringLiteral("Windows"), group);
    m_utf8Button = new QRadioButton(QStringLiteral("UTF-8"), group);
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
    buttons->addWidget(m_utf8Button);
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

    m_dosButton->setChecked(true);
    m_previewBox->setChecked(m_preview);
    const std::pair<QRadioButton*, Encoding> radios[] = {{m_dosButton, Encoding::Dos},
                                                         {m_windowsButton, Encoding::Windows},
                                                         {m_utf8Button, Encoding::Utf8}};
    for (const auto& [button, encoding] : radios)
        connect(button, &QRadioButton::toggled, this, [this, e = encoding](bool on) {
            if (on)
                SetEncoding(e);
        });
    connect(m_previewBox, &QCheckBox::toggled, this, &COpenDialogEx::SetPreview);
    connect(this, &QFileDialog::currentChanged, this, [this](const QString& path) {
        ProposeEncoding(path);
        UpdatePreview(path);
    });
    resize(760, 600);
}

norvak::FileType COpenDialogEx::ChosenType() const {
    // The dialog may report the filter as given or as shown.
    qsizetype i = FileTypeFilters().indexOf(selectedNameFilter());
    if (i < 0)
        i = FileTypeNames().indexOf(selectedNameFilter());
    return i < 0 ? norvak::FileType::Auto : static_cast<norvak::FileType>(i);
}

QString COpenDialogEx::PreviewText() const {
    return m_previewText->toPlainText();
}

void COpenDialogEx::SetEncoding(Encoding encoding) {
    m_encoding = encoding;
    QRadioButton* button = encoding == Encoding::Dos       ? m_dosButton
                           : encoding == Encoding::Windows ? m_windowsButton
                                                           : m_utf8Button;
    if (!button->isChecked())
        button->setChecked(true); // the group is exclusive: the others go off
    UpdatePreview(m_current);
}

namespace {

// The first bytes of a file, enough for its first lines and for telling its encoding.
std::string Head(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    if (!in)
        return bytes;
    bytes.resize(64 * 1024);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

} // namespace

void COpenDialogEx::ProposeEncoding(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    const std::string head = Head(path.toStdString());
    if (!head.empty())
        SetEncoding(GuessTextEncoding(head));
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

std::vector<std::string> COpenDialogEx::PreviewLines(const std::string& path, Encoding encoding,
                                                     int maxLines) {
    std::vector<std::string> lines;
    // Enough bytes for the first lines of any sensible text, without reading a huge file.
    LineList all = SplitTextLines(Head(path));
    for (std::size_t i = 0; i < all.size() && static_cast<int>(i) < maxLines; ++i) {
        const std::string line(StripCRTrailing(all[i]));
        lines.push_back(encoding == Encoding::Dos    ? Cp866ToCp1251(line)
                        : encoding == Encoding::Utf8 ? Utf8ToCp1251(line)
                                                     : line);
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
    for (const std::string& line : PreviewLines(path.toStdString(), m_encoding, kPreviewLines))
        shown.push_back(BytesToQString(line));
    m_previewText->setPlainText(shown.join(QLatin1Char('\n')));
    m_previewText->moveCursor(QTextCursor::Start);
}

} // namespace norvak
