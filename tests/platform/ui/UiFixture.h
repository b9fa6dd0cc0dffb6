#pragma once

// A small program for the ui tests: an application with a fresh suite root
// and profile, an MDI frame with menus 128 (no document) and 129 (document
// open), and a template of text documents whose views record the commands
// they get.

#include "platform/ui/Application.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/Document.h"
#include "platform/ui/DocumentTemplate.h"
#include "platform/ui/MdiFrame.h"
#include "platform/ui/ResourceTable.h"
#include "platform/ui/View.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace uitest {

constexpr UINT FrameResource = 128;
constexpr UINT DocumentResource = 129;
constexpr WORD ID_VIEW_ONLY = 32811;
constexpr WORD ID_UNHANDLED = 32774;

// Records which target ran a command.
inline std::vector<std::string>& CommandLog()
{
    static std::vector<std::string> log;
    return log;
}

class TestView : public ui::CView {
public:
    TestView()
    {
        MapCommand(ID_VIEW_ONLY, [] { CommandLog().push_back("view"); });
        lastDropDown = 0;
    }
    bool OnToolBarDropDown(WORD id, const RECT& screenRect) override
    {
        lastDropDown = id;
        lastDropDownRect = screenRect;
        return true;
    }
    static inline WORD lastDropDown = 0;
    static inline RECT lastDropDownRect {};
};

class TestDocument : public ui::CDocument { };

class TestApp : public ui::CApplication {
public:
    TestApp()
        : CApplication("UiTest")
    {
    }
};

void RegisterTestResources();

class UiFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the application, frame and template (again, for a restart).
    void StartApplication();
    std::string MakeFile(const std::string& name, const std::string& content = "text");
    ui::CMdiFrame& Frame() { return *app->GetMainWnd(); }
    ui::CDocumentTemplate& Template() { return *app->GetDocTemplates().front(); }

    test::TempSuiteRoot root;
    std::filesystem::path files;
    std::unique_ptr<TestApp> app;
};

} // namespace uitest
