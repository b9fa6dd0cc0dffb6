// A small program on the ui layer: an MDI frame with a menu, a tool bar with
// drop-down buttons, a font bar with two combo boxes, a status bar and two
// report windows. "--grab <file.png>" renders the window into a picture and
// ends, so that it can be looked at on a machine without a display.

#include "platform/base/Language.h"
#include "platform/ui/Application.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Document.h"
#include "platform/ui/DocumentTemplate.h"
#include "platform/ui/FormView.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ResourceTable.h"
#include "platform/ui/StandardCommands.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/Text.h"
#include "platform/ui/ToolBar.h"
#include "tests/platform/ui/demo/DemoResources.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMdiArea>
#include <QPixmap>
#include <QTimer>

#include <memory>

namespace demo {
namespace {

bool Chinese()
{
    return base::IsChineseUserInterface();
}

class ReportDocument : public ui::CDocument {
public:
    bool OnNewDocument() override
    {
        static int counter = 1;
        if (!CDocument::OnNewDocument())
            return false;
        SetTitle((Chinese() ? "新报表" : "NewReport") + std::to_string(counter++) + ".orn");
        return true;
    }
};

// A form whose only control is a report list standing in for the grid.
class ReportView : public ui::CFormView {
public:
    ReportView()
        : CFormView(IDD_REPORT_FORM)
    {
        ui::CListView* cells = Cells();
        cells->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        const char* headers[] = { "", "A", "B", "C", "D", "E", "F" };
        for (int column = 0; column < 7; ++column)
            cells->InsertColumn(column, headers[column], column == 0 ? 36 : 80);
        for (int row = 0; row < 12; ++row)
            cells->InsertItem(row, std::to_string(row + 1));
        cells->SetItemText(0, 1, Chinese() ? "部门" : "Department");
        cells->SetItemText(0, 2, Chinese() ? "一季度" : "Q1");
        cells->SetItemText(0, 3, Chinese() ? "二季度" : "Q2");
        cells->SetItemText(1, 1, Chinese() ? "销售部" : "Sales");
        cells->SetItemText(1, 2, "1,250");
        cells->SetItemText(1, 3, "1,480");
        cells->SetItemText(2, 1, Chinese() ? "研发部" : "Research");
        cells->SetItemText(2, 2, "980");
        cells->SetItemText(2, 3, "1,020");
        cells->SelectRow(1);
        MapCommand(ID_EDIT_COPY, [] {});
        MapCommand(ID_FILE_SAVE, [] {});
        MapCommand(ID_INSERT_CHART, [] {});
        MapCommand(ID_FONT_BOLD, [] {});
    }

    bool OnToolBarDropDown(WORD id, const RECT& rect) override
    {
        if (id != ID_FILE_NEW)
            return false;
        ui::CPopupMenu popup(*ui::CResourceTable::Instance().FindMenu(IDR_NEW_MENU), 0, this, this);
        popup.Track(POINT { rect.left, rect.bottom });
        return true;
    }

    void OnSize(int cx, int cy) override { Cells()->setGeometry(0, 0, cx, cy); }

private:
    ui::CListView* Cells() const { return dynamic_cast<ui::CListView*>(GetDlgItem(IDC_CELLS)); }
};

class ReportFrame : public ui::CChildFrame {
public:
    SIZE InitialSize() const override { return SIZE { 520, 300 }; }
};

class MainFrame : public ui::CMdiFrame {
public:
    bool Create()
    {
        SetTitle(Chinese() ? "岱沃报表套件制表工具Plinth  " : "Corvane Software Plinth  ");
        if (!LoadFrame(IDR_MAINFRAME))
            return false;
        auto* status = new ui::CStatusBar;
        SetStatusBar(status);
        status->SetIndicators({ ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL });

        auto* format = new ui::CToolBar(ID_FORMAT_BAR);
        if (!format->LoadToolBar(IDR_FORMAT))
            return false;
        ui::CComboBox* names = format->AddComboBox(RECT { 0, 0, 120, 120 }, ID_FONT_NAME);
        ui::CComboBox* sizes = format->AddComboBox(RECT { 0, 0, 60, 120 }, ID_FONT_SIZE);
        if (!names || !sizes)
            return false;
        for (const QString& family : QFontDatabase::families())
            names->AddString(ui::FromQString(family));
        int song = names->FindStringExact(-1, "WenQuanYi Zen Hei");
        names->SetCurSel(song >= 0 ? song : 0);
        for (int size : { 6, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72 }) {
            int index = sizes->AddString(std::to_string(size));
            sizes->SetItemData(index, static_cast<UINT_PTR>(size));
        }
        sizes->SetCurSel(5);
        format->SetDropDownButton(ID_CELL_BACKCOLOR);

        auto* main = new ui::CToolBar(ID_VIEW_TOOLBAR);
        if (!main->LoadToolBar(IDR_MAINFRAME))
            return false;
        main->SetDropDownButton(ID_FILE_NEW);
        main->SetDropDownButton(ID_INSERT_CHART);
        AddToolBar(main);
        AddToolBar(format);
        format->CheckButton(ID_FONT_BOLD, true);
        MapCommand(ID_FORMAT_BAR, [this] { ShowControlBar(ID_FORMAT_BAR, !IsControlBarVisible(ID_FORMAT_BAR)); });
        MapUpdate(
            ID_FORMAT_BAR, [this](ui::CCommandState& state) { state.SetCheck(IsControlBarVisible(ID_FORMAT_BAR)); });

        status->SetPaneInfo(0, 0, SBPS_NORMAL, 180);
        status->SetPaneInfo(1, 0, SBPS_NORMAL, 220);
        status->SetPaneInfo(2, 0, SBPS_STRETCH, 50);
        status->SetPaneText(1, "HTTP://127.0.0.1/");
        status->SetPaneText(2, Chinese() ? "=当前单元格的公式" : "=Current Cell Formula");
        return true;
    }
};

class DemoApp : public ui::CApplication {
public:
    DemoApp()
        : CApplication("UiDemo")
    {
        MapCommand(ID_APP_ABOUT, [] { ui::MessageBox("Plinth ui demo", MB_OK | MB_ICONINFORMATION); });
    }

    bool InitInstance() override
    {
        RegisterResources();
        SetRegistryKey("Local AppWizard-Generated Applications");
        LoadStdProfileSettings(4);
        auto frame = std::make_unique<MainFrame>();
        if (!frame->Create())
            return false;
        SetMainWnd(std::move(frame));
        AddDocTemplate(ui::CDocumentTemplate::Make<ReportDocument, ReportFrame, ReportView>(IDR_REPORT));
        GetMainWnd()->resize(1024, 700);
        GetMainWnd()->show();
        OnFileNew();
        OnFileNew();
        GetMainWnd()->MDICascade();
        return true;
    }
};

} // namespace
} // namespace demo

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    demo::DemoApp app;
    QStringList arguments = QCoreApplication::arguments();
    qsizetype grab = arguments.indexOf("--grab");
    if (grab < 0 || grab + 1 >= arguments.size())
        return app.Run();
    if (!app.InitInstance())
        return 1;
    QString file = arguments[grab + 1];
    QTimer::singleShot(500, [&app, file] {
        app.UpdateCommandStates();
        bool saved = app.GetMainWnd()->grab().save(file);
        QCoreApplication::exit(saved ? 0 : 2);
    });
    int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
