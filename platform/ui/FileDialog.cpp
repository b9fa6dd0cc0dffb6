#include "platform/ui/FileDialog.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/PathName.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/Text.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>

#include <filesystem>
#include <vector>

namespace ui {
namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return parts;
}

} // namespace

std::string FilterToNameFilters(const std::string& filter)
{
    std::vector<std::string> parts = Split(filter, '|');
    std::string result;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break;
        std::string patterns = parts[i + 1];
        for (char& c : patterns)
            if (c == ';')
                c = ' ';
        if (!result.empty())
            result += ";;";
        // Qt reads the patterns from the parentheses of the description.
        result += parts[i] + " (" + patterns + ")";
    }
    return result;
}

CFileDialog::CFileDialog(bool openDialog, const std::string& defaultExtension, const std::string& fileName, DWORD flags,
    const std::string& filter, QWidget* owner)
    : m_open(openDialog)
    , m_defaultExtension(defaultExtension)
    , m_fileName(fileName)
    , m_flags(flags)
    , m_filter(filter)
    , m_owner(owner)
{
}

CFileDialog::~CFileDialog() = default;

std::string CFileDialog::GetFileName() const
{
    return FileTitle(m_pathName);
}

std::string CFileDialog::GetFileExt() const
{
    std::string name = GetFileName();
    auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

QWidget* CFileDialog::GetControl(int id) const
{
    if (!m_dialog)
        return nullptr;
    auto named = [this](const char* name) { return m_dialog->findChild<QWidget*>(name); };
    auto* buttons = m_dialog->findChild<QDialogButtonBox*>("buttonBox");
    switch (id) {
    case FILE_DIALOG_TYPE_LABEL:
        return named("fileTypeLabel");
    case FILE_DIALOG_NAME_LABEL:
        return named("fileNameLabel");
    case FILE_DIALOG_LOOK_IN_LABEL:
        return named("lookInLabel");
    case FILE_DIALOG_TYPE_COMBO:
        return named("fileTypeCombo");
    case FILE_DIALOG_LOOK_IN_COMBO:
        return named("lookInCombo");
    case FILE_DIALOG_NAME_EDIT:
        return named("fileNameEdit");
    case FILE_DIALOG_FILE_LIST:
        return named("stackedWidget");
    case IDOK:
        return buttons ? buttons->button(m_open ? QDialogButtonBox::Open : QDialogButtonBox::Save) : nullptr;
    case IDCANCEL:
        return buttons ? buttons->button(QDialogButtonBox::Cancel) : nullptr;
    default:
        return nullptr;
    }
}

void CFileDialog::Enlarge(int dx, int dy)
{
    if (m_dialog)
        m_dialog->resize(m_dialog->width() + dx, m_dialog->height() + dy);
}

void CFileDialog::OnInitDialog()
{
}

std::string CFileDialog::Accepted() const
{
    QStringList files = m_dialog->selectedFiles();
    return files.isEmpty() ? std::string() : FromQString(files.front());
}

int CFileDialog::DoModal()
{
    m_dialog = std::make_unique<QFileDialog>(m_owner);
    m_dialog->setOption(QFileDialog::DontUseNativeDialog);
    m_dialog->setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // The must-exist rule only makes sense when opening: a save dialog that
    // insisted on an existing file could never save under a new name.
    bool mustExist = m_open && (m_flags & OFN_FILEMUSTEXIST);
    m_dialog->setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!(m_flags & OFN_OVERWRITEPROMPT))
        m_dialog->setOption(QFileDialog::DontConfirmOverwrite);
    std::string nameFilters = FilterToNameFilters(m_filter);
    if (!nameFilters.empty())
        m_dialog->setNameFilters(ToQString(nameFilters).split(";;"));
    if (!m_defaultExtension.empty())
        m_dialog->setDefaultSuffix(
            ToQString(m_defaultExtension[0] == '.' ? m_defaultExtension.substr(1) : m_defaultExtension));
    // A name with wildcards is a filter, not a file name.
    if (!m_fileName.empty() && m_fileName.find_first_of("*?") == std::string::npos) {
        std::filesystem::path initial(FileSystemPath(m_fileName));
        if (initial.has_parent_path())
            m_dialog->setDirectory(QString::fromStdString(initial.parent_path().string()));
        m_dialog->selectFile(QString::fromStdString(initial.filename().string()));
    }
    OnInitDialog();
    CTestHook::ModalWindowOpening(m_dialog.get(), [this](int id) { return GetControl(id); });
    int result = m_dialog->exec();
    if (result != QDialog::Accepted) {
        m_dialog.reset();
        return IDCANCEL;
    }
    m_pathName = Accepted();
    m_dialog.reset();
    return m_pathName.empty() ? IDCANCEL : IDOK;
}

} // namespace ui
