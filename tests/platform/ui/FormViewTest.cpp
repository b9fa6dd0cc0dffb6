#include "platform/ui/FormView.h"
#include "platform/automation/ComponentLibrary.h"
#include "platform/automation/Dispatch.h"
#include "platform/ui/ControlSite.h"
#include "platform/ui/ResourceTable.h"
#include "platform/ui/WindowRegistry.h"
#include "tests/platform/ui/QtEnvironment.h"
#include "tests/platform/ui/control/TestControl.h"
#include "tests/support/TempSuiteRoot.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

constexpr UINT ReportForm = 101;
constexpr WORD IDC_GRID = 1000;
constexpr WORD IDC_MISSING = 1001;
constexpr WORD IDC_NOTE = 1002;

class ReportView : public ui::CFormView {
public:
    ReportView()
        : CFormView(ReportForm)
    {
        MapEvent(IDC_GRID, uitest::EVENT_FIRED, [this](DISPPARAMS* params) {
            fired.push_back(params && params->cArgs == 1 ? params->rgvarg[0].lVal : -1);
        });
    }
    std::vector<LONG> fired;
    std::vector<std::pair<WORD, DISPID>> unmapped;

protected:
    void OnControlEvent(WORD id, DISPID event, DISPPARAMS*) override { unmapped.emplace_back(id, event); }
};

class FormViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        void* library = dlopen(PLINTH_UI_TEST_CONTROL, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        auto registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), S_OK);
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ui::DialogTemplate form;
        form.cx = 403;
        form.cy = 209;
        form.controls = {
            ui::DialogControl { IDC_GRID, ui::ControlKind::Hosted, "Plinth.UiTestControl", 0, 0, 403, 180, 0 },
            ui::DialogControl { IDC_MISSING, ui::ControlKind::Hosted, "Plinth.NoSuchControl", 0, 180, 100, 20, 0 },
            ui::DialogControl { IDC_NOTE, ui::ControlKind::Edit, "note", 110, 185, 100, 12, 0 },
        };
        ui::CResourceTable::Instance().AddDialog(ReportForm, ui::LanguageEnglish, form);
    }
    void TearDown() override
    {
        ui::CResourceTable::Instance().Clear();
        CoUninitialize();
    }

    test::TempSuiteRoot root;
};

TEST_F(FormViewTest, HostedControlSitsInItsPlaceWithTheWindowHandleOfItsWidget)
{
    ReportView view;
    ui::CControlSite* site = view.GetControlSite(IDC_GRID);
    ASSERT_NE(site, nullptr);
    QWidget* widget = site->GetWidget();
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget, view.GetDlgItem(IDC_GRID));
    EXPECT_EQ(widget->parentWidget(), &view);
    EXPECT_NE(dynamic_cast<QLabel*>(widget), nullptr);
    SIZE base = view.GetControls().BaseUnits();
    EXPECT_EQ(widget->width(), (403 * base.cx + 2) / 4);
    EXPECT_EQ(view.sizeHint(), QSize((403 * base.cx + 2) / 4, (209 * base.cy + 4) / 8));
    // The component's copy of the ui layer hands out the same handle.
    HWND handle = site->GetWindowHandle();
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(handle, ui::CWindowRegistry::Instance().HandleOf(widget));
    EXPECT_TRUE(IsWindow(handle));
    EXPECT_EQ(ui::CWindowRegistry::Instance().WidgetOf(handle), widget);
}

TEST_F(FormViewTest, ControlEventsReachTheViewsSink)
{
    ReportView view;
    IDispatch* grid = view.GetControlDispatch(IDC_GRID);
    ASSERT_NE(grid, nullptr);
    VARIANT argument {};
    argument.vt = VT_I4;
    argument.lVal = 42;
    DISPPARAMS params { &argument, nullptr, 1, 0 };
    ASSERT_EQ(grid->Invoke(uitest::DISPID_FIRE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                  nullptr, nullptr),
        S_OK);
    EXPECT_EQ(view.fired, std::vector<LONG> { 42 });
    EXPECT_TRUE(view.unmapped.empty());

    view.MapEvent(IDC_GRID, uitest::EVENT_FIRED, nullptr);
    grid->Invoke(
        uitest::DISPID_FIRE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    ASSERT_EQ(view.unmapped.size(), 1u);
    EXPECT_EQ(view.unmapped[0], std::make_pair(IDC_GRID, DISPID(uitest::EVENT_FIRED)));
}

TEST_F(FormViewTest, ControlThatCannotBeCreatedLeavesAnEmptyPlaceAndTheRestWorks)
{
    ReportView view;
    EXPECT_EQ(view.GetControlSite(IDC_MISSING), nullptr);
    EXPECT_EQ(view.GetControlDispatch(IDC_MISSING), nullptr);
    ASSERT_NE(view.GetDlgItem(IDC_MISSING), nullptr);
    auto* note = dynamic_cast<QLineEdit*>(view.GetDlgItem(IDC_NOTE));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text().toStdString(), "note");
}

TEST_F(FormViewTest, ViewGoingAwayReleasesTheControlAndItsWindow)
{
    HWND handle = 0;
    {
        ReportView view;
        handle = view.GetControlSite(IDC_GRID)->GetWindowHandle();
        ASSERT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(SendMessage(handle, WM_USER, 0, 0), 0);
}

} // namespace
