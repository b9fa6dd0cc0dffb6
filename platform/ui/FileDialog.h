#pragma once

// The file open and save dialogs. The filter is the platform's text form,
// pairs of a description and patterns separated by "|" and ended by "||"
// ("Report (*.orn)|*.orn||"). A typed name without an extension gets the
// default extension; with OFN_FILEMUSTEXIST an open dialog accepts only
// existing files. A derived dialog may enlarge itself and move its controls
// in OnInitDialog; the controls are reached by the platform's numbers.

#include "platform/base/Types.h"

#include <memory>
#include <string>

class QFileDialog;
class QWidget;

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

// Control numbers inside the file dialog.
constexpr int FILE_DIALOG_TYPE_LABEL = 1089; // label of the file-type choice
constexpr int FILE_DIALOG_NAME_LABEL = 1090; // label of the file name
constexpr int FILE_DIALOG_LOOK_IN_LABEL = 1091;
constexpr int FILE_DIALOG_TYPE_COMBO = 1136;
constexpr int FILE_DIALOG_LOOK_IN_COMBO = 1137;
constexpr int FILE_DIALOG_NAME_EDIT = 1152;
constexpr int FILE_DIALOG_FILE_LIST = 1120;
constexpr int FILE_DIALOG_READ_ONLY = 1040;

namespace ui {

class CFileDialog {
public:
    CFileDialog(bool openDialog, const std::string& defaultExtension, const std::string& fileName, DWORD flags,
        const std::string& filter, QWidget* owner = nullptr);
    virtual ~CFileDialog();
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK or IDCANCEL.
    int DoModal();
    // The chosen full path (8-bit); empty before OK.
    const std::string& GetPathName() const { return m_pathName; }
    std::string GetFileName() const;
    std::string GetFileExt() const;

    // While the dialog runs (OnInitDialog and later).
    QFileDialog* GetDialog() const { return m_dialog.get(); }
    QWidget* GetControl(int id) const;
    // Grows the dialog by the amounts in pixels; its controls follow its layout.
    void Enlarge(int dx, int dy);

protected:
    // Called once the dialog's window exists, before it shows.
    virtual void OnInitDialog();

private:
    std::string Accepted() const;

    bool m_open;
    std::string m_defaultExtension;
    std::string m_fileName;
    DWORD m_flags;
    std::string m_filter;
    QWidget* m_owner;
    std::string m_pathName;
    std::unique_ptr<QFileDialog> m_dialog;
};

// "Report (*.orn)|*.orn||" as Qt's name filters ("Report (*.orn)").
std::string FilterToNameFilters(const std::string& filter);

} // namespace ui
