#pragma once

// A dialog made from a dialog template, run modally (DoModal answers IDOK,
// IDCANCEL or the value given to EndDialog) or shown modelessly. Controls are
// reached by id; their notifications go to handlers mapped by id; the
// buttons IDOK and IDCANCEL run OnOK and OnCancel. Data exchange runs
// DoDataExchange in either direction. Each dialog has its own rule for the
// Enter and Escape keys. The dialog has the template's size, fixed (MoveWindow
// may still change it).

#include "platform/base/Types.h"
#include "platform/ui/CommandTarget.h"
#include "platform/ui/ControlContainer.h"
#include "platform/ui/DialogResults.h"
#include "platform/ui/Window.h"

#include <QDialog>

#include <functional>
#include <map>
#include <string>

namespace ui {

class CComboBox;
class CDataExchange;
class CListView;

class CDialog : public QDialog, public CCommandTarget, public CWindow {
public:
    // Enter: press the default button (OnOK when there is none), or leave the
    // key to the control that has the focus.
    enum class EnterRule { DefaultButton, ToFocusedControl };
    // Escape: cancel the dialog, or leave the key to the focused control.
    enum class EscapeRule { Cancel, ToFocusedControl };

    // The template of that number from the resource table.
    explicit CDialog(UINT templateId, QWidget* parent = nullptr);
    CDialog(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);
    ~CDialog() override;

    int DoModal();
    // Shows the dialog without a modal run.
    bool Create();
    void EndDialog(int result);

    QWidget* GetDlgItem(WORD id) const;
    CComboBox* GetComboBox(WORD id) const;
    CListView* GetListView(WORD id) const;
    std::string GetDlgItemText(WORD id) const;
    void SetDlgItemText(WORD id, const std::string& text);
    int IsDlgButtonChecked(WORD id) const;
    void CheckDlgButton(WORD id, int check);
    CControlContainer& GetControls() { return *m_controls; }

    // A handler for one notification of one control. Clicking a push button
    // other than IDOK and IDCANCEL also sends its id as a command.
    void MapNotification(WORD id, Notification notification, std::function<void()> handler);

    // Saving: controls into fields (false when a value was refused);
    // otherwise fields into controls.
    bool UpdateData(bool saveAndValidate = true);

    void SetKeyRules(EnterRule enter, EscapeRule escape);

    // Places the dialog's top-left corner in screen coordinates.
    void SetPosition(POINT topLeft);
    void CenterWindow();

protected:
    // After the controls exist; by default fields into controls. The result
    // is ignored here (focus is Qt's business).
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange& exchange);
    // By default: save the fields and close with IDOK when that worked.
    virtual void OnOK();
    // By default: close with IDCANCEL. The close box comes here too.
    virtual void OnCancel();
    bool OnCommandMessage(WORD id) override;

    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
    void accept() override;
    void showEvent(QShowEvent* event) override;

private:
    void Build(const DialogTemplate& dialogTemplate);
    void OnNotification(WORD id, Notification notification);

    CControlContainer* m_controls;
    std::map<std::pair<WORD, Notification>, std::function<void()>> m_notifications;
    EnterRule m_enterRule = EnterRule::DefaultButton;
    EscapeRule m_escapeRule = EscapeRule::Cancel;
    int m_result = IDCANCEL;
    bool m_initialised = false;
};

} // namespace ui
