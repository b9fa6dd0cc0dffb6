// Mendor.Verup through its real contract: Mendor.dll registered with regsvr in
// a fresh suite root, created by ProgID and called by member name.

#include "ClassRoot.h"
#include "UpgradeFixture.h"
#include "designer/automation/LateBoundObject.h"
#include "platform/base/CodePage.h"
#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"
#include "tests/support/ChildProgram.h"

#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* ProbeClassId = "0B5E1D2C-3A4F-4B6E-9C8D-7E6F5A4B3C2D";
constexpr const char* VerupClassId = "9E526F70-B183-42A4-9EC5-60718293A4B5";
const std::string NoNeed = "No need to Verup !";
const std::string NothingToUpgrade = "没有需要升级的组件!";
const std::string BadRoot = "XML的头标签错误!";
const std::string EmptyXml = "XML为空!";
const std::string UpdaterDownloadFailed = "不能访问网络,导致不能升级!";

class VerupTest : public test::UpgradeFixture {
protected:
    void SetUp() override
    {
        ASSERT_EQ(test::RegisterWithRegsvr(PLINTH_REGSVR, PLINTH_MENDOR_COMPONENT), 0);
        ASSERT_EQ(test::RegisterWithRegsvr(PLINTH_REGSVR, PLINTH_MENDOR_OLD_PROBE), 0);
        InstallUpdater(PLINTH_MENDOR_RECORDING_UPDATER); // 1.0.0.7: no download unless a test asks
        ASSERT_TRUE(m_verup.Create("Mendor.Verup", 7));
    }

    // The method's result as the caller sees it; fails the test when the call fails.
    template <typename... Arguments> const VARIANT& Call(const char* name, Arguments... arguments)
    {
        static const VARIANT failed {};
        VARIANT* result = m_verup.InvokeMethod(name, arguments...);
        EXPECT_NE(result, nullptr) << name;
        EXPECT_EQ(m_verup.LastResult(), S_OK) << name;
        return result ? *result : failed;
    }

    template <typename... Arguments> std::string Text(const char* name, Arguments... arguments)
    {
        const VARIANT& result = Call(name, arguments...);
        EXPECT_EQ(result.vt, VT_BSTR) << name;
        return result.vt == VT_BSTR ? automation::BstrToAnsi(result.bstrVal) : "<not a string>";
    }

    // The 16-bit value itself, so that a true of -1 shows.
    template <typename... Arguments> int Bool(const char* name, Arguments... arguments)
    {
        const VARIANT& result = Call(name, arguments...);
        EXPECT_EQ(result.vt, VT_BOOL) << name;
        return result.boolVal;
    }

    std::string LastError() { return Text("GetLastError"); }

    CLateBoundObject m_verup;
};

TEST_F(VerupTest, RegistrationWritesTheClassAndItsProgIds)
{
    const std::string clsid = std::string("CLSID\\{") + VerupClassId + "}";
    EXPECT_EQ(test::ClassRootDefault("Mendor.Verup.1"), "Verup Class");
    EXPECT_EQ(test::ClassRootDefault("Mendor.Verup.1\\CLSID"), std::string("{") + VerupClassId + "}");
    EXPECT_EQ(test::ClassRootDefault("Mendor.Verup"), "Verup Class");
    EXPECT_EQ(test::ClassRootDefault("Mendor.Verup\\CLSID"), std::string("{") + VerupClassId + "}");
    EXPECT_EQ(test::ClassRootDefault("Mendor.Verup\\CurVer"), "Mendor.Verup.1");
    EXPECT_EQ(test::ClassRootDefault(clsid), "Verup Class");
    EXPECT_EQ(test::ClassRootDefault(clsid + "\\ProgID"), "Mendor.Verup.1");
    EXPECT_EQ(test::ClassRootDefault(clsid + "\\VersionIndependentProgID"), "Mendor.Verup");
    EXPECT_EQ(test::ClassRootDefault(clsid + "\\Programmable"), "");
    EXPECT_EQ(test::ClassRootDefault(clsid + "\\InprocServer32"), fs::canonical(PLINTH_MENDOR_COMPONENT).string());
    EXPECT_EQ(test::ClassRootDefault(clsid + "\\TypeLib"), "{AF637081-C294-43B5-AFD6-718293A4B5C6}");

    HKEY server = nullptr;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CLASSES_ROOT, (clsid + "\\InprocServer32").c_str(), 0, KEY_READ, &server), ERROR_SUCCESS);
    char model[32] = {};
    DWORD size = sizeof model;
    EXPECT_EQ(RegQueryValueExA(server, "ThreadingModel", nullptr, nullptr, reinterpret_cast<BYTE*>(model), &size),
        ERROR_SUCCESS);
    RegCloseKey(server);
    EXPECT_STREQ(model, "Apartment");

    EXPECT_EQ(Text("GetCOMVersion", "Mendor.Verup"), "1,1,0,1");
}

struct MemberCase {
    DISPID id;
    std::vector<std::u16string> names; // the member, then its arguments in order
};

TEST_F(VerupTest, MembersHaveTheirIdsAndArgumentsInOrder)
{
    const MemberCase members[] = {
        { 2, { u"IsVerup", u"strProgID", u"strNewVersion" } },
        { 3, { u"IsVerupExe", u"strEXEPath", u"strOldVersion" } },
        { 4, { u"AddVerup", u"strProgID", u"strNewVersion", u"bstrDownloadURL" } },
        { 5, { u"AddVerupExe", u"strEXEPath", u"strNewVersion", u"bstrDownloadURL" } },
        { 6, { u"GetVerupXML" } },
        { 7, { u"GetCOMPath", u"strProgID" } },
        { 8, { u"IsInstallCOM", u"strProgID" } },
        { 9, { u"GetCOMVersion", u"strProgID" } },
        { 10, { u"GetEXEVersion", u"strEXEPath" } },
        { 11, { u"GetVerupXMLEx", u"strVerupXML" } },
        { 12, { u"Verup", u"strVerupVersion", u"strVerupURL" } },
        { 13, { u"GetCOMPathFromClsID", u"strClassId" } },
        { 14, { u"RemoveAll" } },
        { 15, { u"UpdateSoft", u"bstrXML" } },
        { 16, { u"AddVerupEx", u"bstrXML" } },
        { 17, { u"GetLastError" } },
        { 18, { u"HttpGetText", u"strURL" } },
    };
    EXPECT_EQ(m_verup.FunctionCount(), static_cast<LONG>(std::size(members)));
    for (const MemberCase& member : members) {
        std::vector<std::u16string> names = member.names;
        std::vector<LPOLESTR> pointers;
        for (std::u16string& name : names)
            pointers.push_back(name.data());
        std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
        EXPECT_EQ(m_verup.Dispatch()->GetIDsOfNames(
                      IID_NULL, pointers.data(), static_cast<UINT>(pointers.size()), LOCALE_USER_DEFAULT, ids.data()),
            S_OK);
        std::vector<DISPID> expected { member.id };
        for (DISPID position = 0; position + 1 < static_cast<DISPID>(names.size()); ++position)
            expected.push_back(position);
        EXPECT_EQ(ids, expected) << base::Utf16ToUtf8(member.names.front());
    }
}

struct OfferCase {
    const char* offered;
    int newer;
};

TEST_F(VerupTest, IsVerupComparesTheOfferWithTheInstalledComponent)
{
    const OfferCase offers[] = { { "1.0.0.3", 0 }, { "1.0.0.4", 1 }, { "1.0", 0 }, { "1.0.0.65536", 0 }, { "2", 1 } };
    for (const OfferCase& offer : offers)
        EXPECT_EQ(Bool("IsVerup", "Probe.Widget", offer.offered), offer.newer) << offer.offered;
    // Nothing installed reads as 0.0.0.0.
    EXPECT_EQ(Bool("IsVerup", "Probe.Missing", "0.0.0.1"), 1);
    EXPECT_EQ(Bool("IsVerup", "Probe.Missing", "0.0.0.0"), 0);
    EXPECT_EQ(Bool("IsVerup", "Probe.Missing", ""), 0);
}

TEST_F(VerupTest, IsVerupExeAsksWhetherTheFileIsNewer)
{
    EXPECT_EQ(Bool("IsVerupExe", PLINTH_MENDOR_OLD_PROBE, "1.0.0.2"), 1);
    EXPECT_EQ(Bool("IsVerupExe", PLINTH_MENDOR_OLD_PROBE, "1.0.0.3"), 0);
    EXPECT_EQ(Bool("IsVerupExe", PLINTH_MENDOR_OLD_PROBE, "1.1"), 0);
    EXPECT_EQ(Bool("IsVerupExe", "/no/such/file", ""), 1);
    EXPECT_EQ(Bool("IsVerupExe", "/no/such/file", "0.0.0.1"), 0);
}

TEST_F(VerupTest, ServerPathsAndVersions)
{
    const std::string probe = fs::canonical(PLINTH_MENDOR_OLD_PROBE).string();
    EXPECT_EQ(Text("GetCOMPath", "Probe.Widget.1"), probe);
    EXPECT_EQ(Text("GetCOMPath", "Probe.Missing"), "");
    EXPECT_EQ(Text("GetCOMVersion", "Probe.Widget"), "1,0,0,3");
    EXPECT_EQ(Text("GetCOMVersion", "Probe.Missing"), "0.0.0.0");
    EXPECT_EQ(Text("GetEXEVersion", PLINTH_MENDOR_RECORDING_UPDATER), "1,0,0,7");
    EXPECT_EQ(Text("GetEXEVersion", "/no/such/file"), "0.0.0.0");
    EXPECT_EQ(Text("GetEXEVersion", ""), "0.0.0.0");
}

TEST_F(VerupTest, GetCOMPathFollowsCurVerWhenTheProgIdHasNoClass)
{
    ASSERT_EQ(RegDeleteTreeA(HKEY_CLASSES_ROOT, "Probe.Widget\\CLSID"), ERROR_SUCCESS);
    EXPECT_EQ(test::ClassRootDefault("Probe.Widget\\CurVer"), "Probe.Widget.1");
    EXPECT_EQ(Text("GetCOMPath", "Probe.Widget"), fs::canonical(PLINTH_MENDOR_OLD_PROBE).string());
}

TEST_F(VerupTest, GetCOMPathFromClsIDWithAndWithoutBraces)
{
    const std::string probe = fs::canonical(PLINTH_MENDOR_OLD_PROBE).string();
    EXPECT_EQ(Text("GetCOMPathFromClsID", (std::string("{") + ProbeClassId + "}").c_str()), probe);
    EXPECT_EQ(Text("GetCOMPathFromClsID", ProbeClassId), probe);
    EXPECT_EQ(Text("GetCOMPathFromClsID", (std::string(" {") + ProbeClassId + "} ").c_str()), "");
    EXPECT_EQ(Text("GetCOMPathFromClsID", "00000000-0000-0000-0000-000000000009"), "");
}

TEST_F(VerupTest, IsInstallCOMCreatesTheComponent)
{
    EXPECT_EQ(Bool("IsInstallCOM", "Probe.Widget"), 1);
    EXPECT_EQ(Bool("IsInstallCOM", "Mendor.Verup"), 1);
    EXPECT_EQ(Bool("IsInstallCOM", "Probe.Missing"), 0);
    // Registered, but its file is gone.
    test::RegisterInprocClass("Probe.Broken", "00000000-0000-0000-0000-0000000000B0", "/no/such/Broken.dll");
    EXPECT_EQ(Bool("IsInstallCOM", "Probe.Broken"), 0);
}

TEST_F(VerupTest, HttpGetText)
{
    m_site.SetPage("/news.asp", "新闻 news");
    m_site.SetPage("/missing.asp", "gone", 404);
    EXPECT_EQ(Text("HttpGetText", m_site.Url("/news.asp").c_str()), "新闻 news");
    EXPECT_EQ(LastError(), "");

    EXPECT_EQ(Text("HttpGetText", m_site.Url("/missing.asp").c_str()), "");
    EXPECT_EQ(LastError(), "不能访问网络,导致不能获得URL内容!");
    EXPECT_EQ(LastError(), "不能访问网络,导致不能获得URL内容!"); // reading it does not clear it

    EXPECT_EQ(Text("HttpGetText", "http://"), "");
    EXPECT_EQ(LastError(), "不能访问网络,导致不能获得URL内容!");

    // Without the scheme nothing is fetched and the error text is cleared.
    EXPECT_EQ(Text("HttpGetText", m_site.Url("/news.asp").substr(7).c_str()), "");
    EXPECT_EQ(LastError(), "");
    EXPECT_EQ(Text("HttpGetText", ("  HTTP://" + m_site.Url("/news.asp").substr(7)).c_str()), "新闻 news");
}

TEST_F(VerupTest, GetVerupXMLListsWhatNeedsWork)
{
    EXPECT_EQ(Text("GetVerupXML"), "");
    EXPECT_EQ(Bool("AddVerup", "Probe.Widget", "1.0.0.4", "http://site/Probe.dll"), 1);
    EXPECT_EQ(Bool("AddVerup", "Probe.Widget", "1.0.0.3", "http://site/Probe.dll"), 1);
    EXPECT_EQ(Bool("AddVerup", "Probe.Missing", "1.0", "http://site/Missing.dll"), 1);
    EXPECT_EQ(Bool("AddVerupExe", PLINTH_MENDOR_OLD_PROBE, "1.0.1", "http://site/Plinth"), 1);
    EXPECT_EQ(Bool("AddVerupExe", PLINTH_MENDOR_OLD_PROBE, "1.0.0.3", "http://site/Plinth"), 1);
    const std::string oldProbe = PLINTH_MENDOR_OLD_PROBE;
    const std::string lines = "<COM Type='Verup' DllRegisterServer='yes' ProgID='Probe.Widget' NewVersion='1.0.0.4' "
                              "DownloadURL='http://site/Probe.dll' />\r\n"
                              "<COM Type='Install' DllRegisterServer='yes' ProgID='Probe.Missing' NewVersion='1.0' "
                              "DownloadURL='http://site/Missing.dll' />\r\n"
                              "<EXE Type='Verup' FileName='"
        + oldProbe
        + "' NewVersion='1.0.1' "
          "DownloadURL='http://site/Plinth' />\r\n";
    EXPECT_EQ(Text("GetVerupXML"), lines);
    EXPECT_EQ(Text("GetVerupXML"), lines); // the list is read, not used up
    Call("RemoveAll");
    EXPECT_EQ(Text("GetVerupXML"), "");
}

TEST_F(VerupTest, VerupAndAddVerupExAcceptTheirArgumentsOnly)
{
    EXPECT_EQ(Bool("Verup", "9.9.9.9", m_site.Url("/GetComSoft.asp?id=0").c_str()), 0);
    EXPECT_EQ(Bool("AddVerupEx", "<Verup><COM ProgID='Probe.Missing' NewVersion='1'/></Verup>"), 0);
    EXPECT_EQ(Text("GetVerupXML"), "");
    EXPECT_EQ(m_site.Requests("/GetComSoft.asp?id=0"), 0);
}

TEST_F(VerupTest, GetVerupXMLExFiltersOrSaysNoNeed)
{
    const std::string description = "<verup StopVerup='yes'>\r\n"
                                    "<AutoRun FileName='/opt/Plinth' Param='' />\r\n"
                                    "<COM ProgID='Probe.Widget' NewVersion='1.0.0.3' />\r\n"
                                    "<com ProgID='Probe.Widget' NewVersion='1.0.0.4' />\r\n"
                                    "<COM ProgID='Probe.Missing' ClassID='{"
        + std::string(ProbeClassId)
        + "}' NewVersion='1.0.0.3' />\r\n"
          "</verup>";
    EXPECT_EQ(Text("GetVerupXMLEx", description.c_str()),
        "<verup StopVerup='yes'>\r\n"
        "<AutoRun FileName='/opt/Plinth' Param='' />\r\n"
        "<com ProgID='Probe.Widget' NewVersion='1.0.0.4' />\r\n"
        "</verup>");
    EXPECT_EQ(LastError(), "");

    const char* nothing[] = { "<Verup><COM ProgID='Probe.Widget' NewVersion='1.0'/></Verup>",
        "<Verup><AutoRun FileName='/opt/Plinth' Param=''/></Verup>", "<Other/>", "" };
    for (const char* text : nothing) {
        EXPECT_EQ(Text("GetVerupXMLEx", text), "") << text;
        EXPECT_EQ(LastError(), NoNeed) << text;
    }
}

TEST_F(VerupTest, GetVerupXMLExStillFiltersWhenTheUpdaterCannotBeFetched)
{
    fs::remove(UpdaterPath());
    const char* description = "<Verup><COM ProgID='Probe.Missing' NewVersion='1'/></Verup>";
    EXPECT_EQ(Text("GetVerupXMLEx", description), description);
    EXPECT_EQ(LastError(), UpdaterDownloadFailed);
    EXPECT_EQ(m_site.Requests("/GetComSoft.asp?id=0"), 1);
}

struct UpdateSoftFailure {
    const char* name;
    std::string argument;
    std::string error;
};

TEST_F(VerupTest, UpdateSoftFailuresSayWhyAndStartNothing)
{
    m_site.SetPage("/empty.asp", "");
    m_site.SetPage("/page.asp", "<html><body>no upgrade here</body></html>");
    const UpdateSoftFailure failures[] = {
        { "Empty", "", EmptyXml },
        { "UnreachableUrl", m_site.Url("/missing.asp"), "不能访问网络,导致不能获得升级信息!" },
        { "EmptyAnswer", m_site.Url("/empty.asp"), EmptyXml },
        { "PageWithoutRoot", m_site.Url("/page.asp"), BadRoot },
        { "SchemeAloneIsText", "http://", BadRoot },
        { "EverythingCurrent", "<Verup><COM ProgID='Probe.Widget' NewVersion='1.0.0.3'/></Verup>", NothingToUpgrade },
        { "OnlyAutoRun", "<Verup><AutoRun FileName='/opt/Plinth' Param=''/></Verup>", NothingToUpgrade },
    };
    for (const UpdateSoftFailure& failure : failures) {
        EXPECT_EQ(Bool("UpdateSoft", failure.argument.c_str()), 0) << failure.name;
        EXPECT_EQ(LastError(), failure.error) << failure.name;
    }
    EXPECT_FALSE(fs::exists(m_root.Path() / "handoff"));
}

TEST_F(VerupTest, UpdateSoftFailsWhenTheUpdaterCannotBeFetched)
{
    fs::remove(UpdaterPath());
    EXPECT_EQ(Bool("UpdateSoft", "<Verup><COM ProgID='Probe.Missing' NewVersion='1'/></Verup>"), 0);
    EXPECT_EQ(LastError(), UpdaterDownloadFailed);
    EXPECT_EQ(m_site.Requests("/GetComSoft.asp?id=0"), 2); // once while filtering, once more before the hand-off
}

TEST_F(VerupTest, UpdateSoftHandsTheFilteredBytesToTheUpdater)
{
    m_site.SetPage("/Verup/VerupPlinth.asp",
        "<Verup StopVerup='yes'>\r\n"
        "<COM SoftName='探针' ProgID='Probe.Widget' NewVersion='1.0.0.3' />\r\n"
        "<COM SoftName='探针' ProgID='Probe.Widget' NewVersion='1.0.0.4' />\r\n"
        "</Verup>");
    const std::string filtered = "<Verup StopVerup='yes'>\r\n"
                                 "<COM SoftName='探针' ProgID='Probe.Widget' NewVersion='1.0.0.4' />\r\n"
                                 "</Verup>";
    EXPECT_EQ(Bool("UpdateSoft", m_site.Url("/Verup/VerupPlinth.asp").c_str()), 1);
    EXPECT_EQ(LastError(), "");
    EXPECT_EQ(HandOffFile("command-line"), std::to_string(filtered.size()));
    EXPECT_EQ(HandOffFile("block-size"), std::to_string(filtered.size()));
    EXPECT_EQ(HandOffFile("block"), filtered);
}

TEST_F(VerupTest, UpdateSoftEndToEndInstallsAndRegistersTheNewComponent)
{
    // The updater itself comes from the site, and regsvr from PATH.
    fs::remove(UpdaterPath());
    m_site.SetFile("/GetComSoft.asp?id=0", PLINTH_VERUP_PROGRAM);
    m_site.SetFile("/download/Probe.dll", PLINTH_MENDOR_NEW_PROBE);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (fs::path(PLINTH_REGSVR).parent_path().string() + ":" + path).c_str(), 1);

    const std::string description = "<Verup DownloadURL='" + m_site.Url("/GetComSoft.asp?id=0")
        + "' NewVersion='1.0.0.7' StopVerup='yes'>\r\n"
          "<COM SoftName='Probe' ProgID='Probe.Widget' NewVersion='1.0.0.4' DownloadURL='"
        + m_site.Url("/download/Probe.dll")
        + "' InstallDir='GetSystemDirectory()\\Probe.dll' DllRegisterServer='yes' />\r\n"
          "<COM SoftName='Mendor' ProgID='Mendor.Verup' NewVersion='1.1.0.1' DownloadURL='"
        + m_site.Url("/download/Mendor.dll") + "' InstallDir='GetSystemDirectory()\\Mendor.dll' />\r\n" + "</Verup>";
    EXPECT_EQ(Bool("UpdateSoft", description.c_str()), 1);
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(LastError(), "");
    EXPECT_EQ(access(UpdaterPath().c_str(), X_OK), 0);
    EXPECT_EQ(Text("GetEXEVersion", UpdaterPath().c_str()), "1,0,0,7");

    const std::string installed = SystemDirectory() + "/Probe.dll";
    for (int waited = 0; Text("GetCOMPath", "Probe.Widget") != installed && waited < 300; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Text("GetCOMPath", "Probe.Widget"), installed);
    EXPECT_EQ(Text("GetCOMVersion", "Probe.Widget"), "1,0,0,4");
    EXPECT_EQ(test::ReadFileBytes(installed), test::ReadFileBytes(PLINTH_MENDOR_NEW_PROBE));
    EXPECT_EQ(m_site.Requests("/download/Mendor.dll"), 0); // Mendor is current: filtered out
}

} // namespace
