#include "tests/platform/ui/UiFixture.h"

#include "platform/ui/StandardCommands.h"
#include "tests/platform/ui/QtEnvironment.h"

#include <fstream>

namespace uitest {

void RegisterTestResources()
{
    using ui::MenuItem;
    ui::CResourceTable& resources = ui::CResourceTable::Instance();
    resources.Clear();
    resources.AddMenu(FrameResource, ui::LanguageEnglish,
        { { MenuItem::Popup("&File",
            { MenuItem::Command(ID_FILE_NEW, "&New\tCtrl+N"), MenuItem::Command(ID_FILE_OPEN, "&Open...\tCtrl+O"),
                MenuItem::Separator(), MenuItem::Command(ID_FILE_MRU_FILE1, "Recent Files...", MF_GRAYED),
                MenuItem::Separator(), MenuItem::Command(ID_APP_EXIT, "E&xit") }) } });
    resources.AddMenu(DocumentResource, ui::LanguageEnglish,
        { { MenuItem::Popup("&File",
                { MenuItem::Command(ID_FILE_NEW, "&New\tCtrl+N"), MenuItem::Command(ID_FILE_CLOSE, "&Close"),
                    MenuItem::Command(ID_UNHANDLED, "New Report(Rows,Cols)"), MenuItem::Separator(),
                    MenuItem::Command(ID_FILE_MRU_FILE1, "Recent Files...", MF_GRAYED) }),
            MenuItem::Popup("&Table", { MenuItem::Command(ID_VIEW_ONLY, "Setup Ruler ", MF_CHECKED) }),
            MenuItem::Popup("&Windows",
                { MenuItem::Command(ID_WINDOW_CASCADE, "&Cascade"),
                    MenuItem::Command(ID_WINDOW_TILE_HORZ, "&Tile") }) } });
    resources.AddAccelerators(FrameResource, ui::LanguageEnglish, { { "Ctrl+N", ID_FILE_NEW } });
    resources.AddString(ID_FILE_NEW, ui::LanguageEnglish, "Create a new document\nNew");
    resources.AddString(ID_INDICATOR_CAPS, ui::LanguageEnglish, "CAP");
}

void UiFixture::SetUp()
{
    CommandLog().clear();
    files = root.Path() / "files";
    std::filesystem::create_directories(files);
    RegisterTestResources();
    StartApplication();
}

void UiFixture::TearDown()
{
    app.reset();
    ProcessEvents();
    ui::CResourceTable::Instance().Clear();
}

void UiFixture::StartApplication()
{
    app.reset();
    ProcessEvents();
    app = std::make_unique<TestApp>();
    app->SetRegistryKey("Plinth Tests");
    app->LoadStdProfileSettings(4);
    auto frame = std::make_unique<ui::CMdiFrame>();
    frame->LoadFrame(FrameResource);
    frame->SetTitle("Test Frame");
    app->SetMainWnd(std::move(frame));
    app->AddDocTemplate(ui::CDocumentTemplate::Make<TestDocument, ui::CChildFrame, TestView>(DocumentResource));
}

std::string UiFixture::MakeFile(const std::string& name, const std::string& content)
{
    std::filesystem::path path = files / name;
    std::ofstream(path) << content;
    return path.string();
}

} // namespace uitest
