#include "tests/platform/ui/demo/DemoResources.h"

#include "platform/ui/ResourceTable.h"
#include "platform/ui/StandardCommands.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

namespace demo {
namespace {

using ui::MenuItem;

// Tool-bar pictures drawn at start-up: one 16 x 15 image per button.
std::vector<BYTE> DrawStrip(const std::vector<QString>& glyphs, const std::vector<QColor>& colours)
{
    const int width = 16;
    const int height = 15;
    QImage strip(width * static_cast<int>(glyphs.size()), height, QImage::Format_ARGB32);
    strip.fill(QColor(192, 192, 192));
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        QRect cell(static_cast<int>(i) * width, 0, width, height);
        painter.setPen(colours[i].darker(150));
        painter.setBrush(colours[i]);
        painter.drawRoundedRect(cell.adjusted(1, 1, -2, -2), 3, 3);
        painter.setPen(Qt::white);
        painter.drawText(cell.adjusted(0, 0, -1, -1), Qt::AlignCenter, glyphs[i]);
    }
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    strip.save(&buffer, "PNG");
    return std::vector<BYTE>(png.begin(), png.end());
}

std::vector<MenuItem> FileMenu(bool chinese, bool report)
{
    std::vector<MenuItem> items = {
        MenuItem::Command(ID_FILE_NEW, chinese ? "新建(&N)\tCtrl+N" : "New Report File(&N)\tCtrl+N"),
        MenuItem::Command(ID_FILE_OPEN, chinese ? "打开(&O)...\tCtrl+O" : "Open Report File(&O)...\tCtrl+O"),
    };
    if (report) {
        items.push_back(MenuItem::Command(ID_FILE_SAVE, chinese ? "保存(&S)\tCtrl+S" : "Save Report(&S)\tCtrl+S"));
        items.push_back(MenuItem::Command(ID_FILE_CLOSE, chinese ? "关闭(&C)" : "Close(&C)"));
    }
    items.push_back(MenuItem::Separator());
    items.push_back(MenuItem::Command(ID_FILE_MRU_FILE1, chinese ? "最近文件" : "Recent Files...", MF_GRAYED));
    items.push_back(MenuItem::Separator());
    items.push_back(MenuItem::Command(ID_APP_EXIT, chinese ? "退出(&X)" : "Exit(&X)"));
    return items;
}

ui::MenuResource MainMenu(bool chinese, bool report)
{
    ui::MenuResource menu;
    menu.popups.push_back(MenuItem::Popup(chinese ? "文件(&F)" : "File(&F)", FileMenu(chinese, report)));
    if (report)
        menu.popups.push_back(MenuItem::Popup(chinese ? "编辑(&E)" : "Edit(&E)",
            { MenuItem::Command(ID_EDIT_UNDO, chinese ? "撤消(&U)\tCtrl+Z" : "Undo(&U)\tCtrl+Z"), MenuItem::Separator(),
                MenuItem::Command(ID_EDIT_CUT, chinese ? "剪切(&T)\tCtrl+X" : "Cut(&T)\tCtrl+X"),
                MenuItem::Command(ID_EDIT_COPY, chinese ? "复制(&C)\tCtrl+C" : "Copy(&C)\tCtrl+C"),
                MenuItem::Command(ID_EDIT_PASTE, chinese ? "粘贴(&P)\tCtrl+V" : "Paste(&P)\tCtrl+V") }));
    menu.popups.push_back(MenuItem::Popup(chinese ? "工具(&V)" : "Tools(&V)",
        { MenuItem::Command(ID_VIEW_TOOLBAR, chinese ? "工具栏(&T)" : "Toolsbar view(&T)"),
            MenuItem::Command(ID_FORMAT_BAR, chinese ? "字体工具条" : "Font toolbar"),
            MenuItem::Command(ID_VIEW_STATUS_BAR, chinese ? "状态栏(&S)" : "Statusbar view(&S)") }));
    if (report)
        menu.popups.push_back(MenuItem::Popup(chinese ? "窗口(&W)" : "Windows(&W)",
            { MenuItem::Command(ID_WINDOW_NEW, chinese ? "新建窗口(&N)" : "New Window(&N)"),
                MenuItem::Command(ID_WINDOW_CASCADE, chinese ? "层叠(&C)" : "CASCADE(&C)"),
                MenuItem::Command(ID_WINDOW_TILE_HORZ, chinese ? "平铺(&T)" : "TILE_HORZ(&T)"),
                MenuItem::Command(ID_WINDOW_ARRANGE, chinese ? "排列图标(&A)" : "ARRANGE(&A)") }));
    menu.popups.push_back(MenuItem::Popup(chinese ? "帮助(&H)" : "Help(&H)",
        { MenuItem::Command(ID_APP_ABOUT, chinese ? "关于 Plinth(&A)..." : "About Plinth(&A)...") }));
    return menu;
}

struct CommandString {
    UINT id;
    const char* english;
    const char* chinese;
};

const CommandString Strings[] = {
    { ID_FILE_NEW, "Create a new report\nNew Report File", "建立新文档\n新建" },
    { ID_FILE_OPEN, "Open an existing report\nOpen Report File", "打开一个现有文档\n打开" },
    { ID_FILE_SAVE, "Save the active report\nSave Report File", "保存活动文档\n保存" },
    { ID_EDIT_CUT, "Cut the selection\nCut", "剪切\n剪切" },
    { ID_EDIT_COPY, "Copy the selection\nCopy", "复制\n复制" },
    { ID_EDIT_PASTE, "Insert the clipboard\nPaste", "粘贴\n粘贴" },
    { ID_INSERT_CHART, "Insert Chart\nInsert Chart", "插入图表\n插入图表" },
    { ID_APP_ABOUT, "About Plinth\nAbout Plinth", "关于\n关于" },
    { ID_FONT_BOLD, "Bold\nBold", "粗体\n粗体" },
    { ID_FONT_ITALIC, "Italic\nItalic", "斜体\n斜体" },
    { ID_FONT_UNDERLINE, "Underline\nUnderline", "下划线\n下划线" },
    { ID_CELL_BACKCOLOR, "Cells backcolor \nCells backcolor ", "单元格背景\n单元格背景" },
    { IDS_IDLEMESSAGE, "Tessel Report ActiveX Control", "欢迎使用Plinth制表工具" },
    { ID_INDICATOR_CAPS, "CAP", "CAP" },
    { ID_INDICATOR_NUM, "NUM", "NUM" },
    { ID_INDICATOR_SCRL, "SCRL", "SCRL" },
    { ID_VIEW_TOOLBAR, "Show or hide the tool bar\nStandard", "显示或隐藏工具栏\n标准" },
    { ID_FORMAT_BAR, "Show or hide the font bar\nFont", "显示或隐藏字体工具条\n字体" },
};

} // namespace

void RegisterResources()
{
    ui::CResourceTable& resources = ui::CResourceTable::Instance();
    for (bool chinese : { false, true }) {
        LANGID language = chinese ? ui::LanguageChinese : ui::LanguageEnglish;
        resources.AddMenu(IDR_MAINFRAME, language, MainMenu(chinese, false));
        resources.AddMenu(IDR_REPORT, language, MainMenu(chinese, true));
        resources.AddMenu(IDR_NEW_MENU, language,
            { { MenuItem::Popup("File New",
                { MenuItem::Command(32962, chinese ? "新建默认报表" : "New Default Report"),
                    MenuItem::Command(32963, chinese ? "新建指定行列报表" : "New Rows and Cols Report"),
                    MenuItem::Command(32964, chinese ? "新建图表" : "New Plovis", MF_GRAYED) }) } });
        for (const CommandString& text : Strings)
            resources.AddString(text.id, language, chinese ? text.chinese : text.english);

        ui::DialogTemplate form;
        form.cx = 403;
        form.cy = 209;
        form.controls = { ui::DialogControl { IDC_CELLS, ui::ControlKind::ListView, "", 0, 0, 403, 209, 0 } };
        resources.AddDialog(IDD_REPORT_FORM, language, form);
    }
    resources.AddAccelerators(IDR_MAINFRAME, ui::LanguageEnglish,
        { { "Ctrl+N", ID_FILE_NEW }, { "Ctrl+O", ID_FILE_OPEN }, { "Ctrl+S", ID_FILE_SAVE }, { "F6", ID_NEXT_PANE },
            { "Shift+F6", ID_PREV_PANE } });

    ui::ToolBarLayout main;
    main.buttons = { ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
        ID_SEPARATOR, ID_INSERT_CHART, ID_APP_ABOUT };
    main.imageStrip = DrawStrip({ "N", "O", "S", "X", "C", "V", QString(QChar(0x2593)), "?" },
        { QColor(60, 120, 200), QColor(220, 160, 40), QColor(40, 140, 80), QColor(180, 60, 60), QColor(90, 90, 160),
            QColor(120, 80, 160), QColor(30, 150, 150), QColor(100, 100, 100) });
    resources.AddToolBar(IDR_MAINFRAME, ui::LanguageEnglish, main);

    ui::ToolBarLayout format;
    format.buttons = { ID_FONT_NAME, ID_FONT_SIZE, ID_FONT_BOLD, ID_FONT_ITALIC, ID_FONT_UNDERLINE, ID_CELL_BACKCOLOR };
    format.imageStrip = DrawStrip({ "", "", "B", "I", "U", QString(QChar(0x25A0)) },
        { QColor(192, 192, 192), QColor(192, 192, 192), QColor(50, 50, 50), QColor(50, 50, 50), QColor(50, 50, 50),
            QColor(200, 80, 40) });
    resources.AddToolBar(IDR_FORMAT, ui::LanguageEnglish, format);
}

} // namespace demo
