#include "platform/ui/Dialog.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandRouter.h"
#include "platform/ui/ControlAccess.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/ListView.h"
#include "platform/ui/ResourceTable.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/Text.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace ui {

CDialog::CDialog(UINT templateId, QWidget* parent)
    : QDialog(parent)
    , CWindow(this)
{
    const DialogTemplate* found = CResourceTable::Instance().FindDialog(templateId);
    Build(found ? *found : DialogTemplate {});
}

CDialog::CDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent)
    , CWindow(this)
{
    Build(dialogTemplate);
}

CDialog::~CDialog() = default;

void CDialog::Build(const DialogTemplate& dialogTemplate)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(ToQString(dialogTemplate.caption));
    m_controls = new CControlContainer(this);
    m_controls->Create(dialogTemplate);
    m_controls->SetNotificationSink([this](WORD id, Notification notification) { OnNotification(id, notification); });
    // Controls are placed by the template, so the dialog keeps its size.
    setFixedSize(size());
}

int CDialog::DoModal()
{
    m_result = IDCANCEL;
    CTestHook::ModalWindowOpening(this, [this](int id) { return GetDlgItem(static_cast<WORD>(id)); });
    exec();
    return m_result;
}

bool CDialog::Create()
{
    show();
    return true;
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    QDialog::done(result);
}

QWidget* CDialog::GetDlgItem(WORD id) const
{
    return m_controls->GetControl(id);
}

CComboBox* CDialog::GetComboBox(WORD id) const
{
    return dynamic_cast<CComboBox*>(GetDlgItem(id));
}

CListView* CDialog::GetListView(WORD id) const
{
    return dynamic_cast<CListView*>(GetDlgItem(id));
}

std::string CDialog::GetDlgItemText(WORD id) const
{
    QWidget* control = GetDlgItem(id);
    return control ? GetControlText(control) : std::string();
}

void CDialog::SetDlgItemText(WORD id, const std::string& text)
{
    if (QWidget* control = GetDlgItem(id))
        SetControlText(control, text);
}

int CDialog::IsDlgButtonChecked(WORD id) const
{
    return GetControlCheck(GetDlgItem(id));
}

void CDialog::CheckDlgButton(WORD id, int check)
{
    SetControlCheck(GetDlgItem(id), check);
}

void CDialog::MapNotification(WORD id, Notification notification, std::function<void()> handler)
{
    m_notifications[{ id, notification }] = std::move(handler);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange exchange(*m_controls, saveAndValidate);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

void CDialog::SetKeyRules(EnterRule enter, EscapeRule escape)
{
    m_enterRule = enter;
    m_escapeRule = escape;
}

void CDialog::SetPosition(POINT topLeft)
{
    move(topLeft.x, topLeft.y);
}

void CDialog::CenterWindow()
{
    QRect area = parentWidget()
        ? parentWidget()->window()->frameGeometry()
        : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry() : QRect());
    if (area.isValid())
        move(area.center() - rect().center());
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange&)
{
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::OnCommandMessage(WORD id)
{
    return CCommandRouter(*this).Execute(id);
}

void CDialog::OnNotification(WORD id, Notification notification)
{
    auto found = m_notifications.find({ id, notification });
    if (found != m_notifications.end() && found->second) {
        std::function<void()> handler = found->second;
        handler();
        return;
    }
    if (notification != Notification::Clicked || !dynamic_cast<QPushButton*>(GetDlgItem(id)))
        return;
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
    else
        CCommandRouter(*this).Execute(id);
}

void CDialog::keyPressEvent(QKeyEvent* event)
{
    bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        if (m_enterRule == EnterRule::ToFocusedControl)
            return;
        if (auto* focused = dynamic_cast<QPushButton*>(focusWidget()); focused && focused->isEnabled())
            focused->click();
        else if (auto* button = dynamic_cast<QPushButton*>(m_controls->DefaultButton()); button && button->isEnabled())
            button->click();
        else if (!m_controls->DefaultButton())
            OnOK();
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        event->accept();
        if (m_escapeRule == EscapeRule::Cancel)
            OnCancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDialog::reject()
{
    OnCancel();
}

void CDialog::accept()
{
    OnOK();
}

void CDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

} // namespace ui
