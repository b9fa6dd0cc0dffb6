#include "platform/automation/Guid.h"
#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"
#include "tests/platform/automation/probe/ProbeIds.h"
#include "tests/platform/automation/support/ProbeSupport.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

namespace {

const std::string ProbeClassKey = "CLSID\\" + automation::GuidToString(probe::ClassId(probe::Variant::Probe));

std::optional<std::string> Default(const std::string& key)
{
    char text[1024];
    LONG size = sizeof text;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

std::optional<std::string> Named(const std::string& key, const char* name)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    char text[1024] = {};
    DWORD size = sizeof text;
    DWORD type = 0;
    const LONG result = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::string(text);
}

std::set<std::string> Subkeys(const std::string& key)
{
    std::set<std::string> names;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.insert(name);
    }
    RegCloseKey(handle);
    return names;
}

bool Exists(const std::string& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

class Registration : public testing::Test {
protected:
    void SetUp() override
    {
        const auto registered = test::RegisterProbe();
        ASSERT_EQ(registered.exitCode, 0) << registered.errors;
    }

    test::TempSuiteRoot m_root;
};

TEST_F(Registration, WritesTheClassKeys)
{
    EXPECT_EQ(Default(ProbeClassKey), "Probe Class");
    EXPECT_EQ(Subkeys(ProbeClassKey),
        (std::set<std::string> { "InprocServer32", "Programmable", "ProgID", "TypeLib", "VersionIndependentProgID" }));
    EXPECT_EQ(Default(ProbeClassKey + "\\ProgID"), "PlinthTest.Probe.1");
    EXPECT_EQ(Default(ProbeClassKey + "\\VersionIndependentProgID"), "PlinthTest.Probe");
    EXPECT_EQ(Default(ProbeClassKey + "\\Programmable"), "") << "present and empty";
    EXPECT_EQ(Default(ProbeClassKey + "\\InprocServer32"), test::ProbeComponentPath());
    EXPECT_EQ(Named(ProbeClassKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(Default(ProbeClassKey + "\\TypeLib"), automation::GuidToString(probe::LIBID_Probe));
}

TEST_F(Registration, WritesBothProgIds)
{
    const std::string clsid = automation::GuidToString(probe::ClassId(probe::Variant::Probe));
    EXPECT_EQ(Default("PlinthTest.Probe.1"), "Probe Class");
    EXPECT_EQ(Subkeys("PlinthTest.Probe.1"), (std::set<std::string> { "CLSID" }));
    EXPECT_EQ(Default("PlinthTest.Probe.1\\CLSID"), clsid);
    EXPECT_EQ(Default("PlinthTest.Probe"), "Probe Class");
    EXPECT_EQ(Subkeys("PlinthTest.Probe"), (std::set<std::string> { "CLSID", "CurVer" }));
    EXPECT_EQ(Default("PlinthTest.Probe\\CLSID"), clsid);
    EXPECT_EQ(Default("PlinthTest.Probe\\CurVer"), "PlinthTest.Probe.1");
}

TEST_F(Registration, RegisteringAgainReplacesWhatTheKeysHeld)
{
    ASSERT_EQ(
        RegSetValueA(HKEY_CLASSES_ROOT, (ProbeClassKey + "\\LocalServer32").c_str(), REG_SZ, "/old", 4), ERROR_SUCCESS);
    ASSERT_EQ(test::RegisterProbe().exitCode, 0);
    EXPECT_FALSE(Exists(ProbeClassKey + "\\LocalServer32"));
    EXPECT_EQ(Default(ProbeClassKey + "\\InprocServer32"), test::ProbeComponentPath());
}

TEST_F(Registration, UnregisteringRemovesEveryKey)
{
    const auto removed = test::RunProgram(test::RegsvrPath(), { "/u", "/s", test::ProbeComponentPath() });
    ASSERT_EQ(removed.exitCode, 0) << removed.errors;
    for (const probe::ClassInfo& info : probe::Classes) {
        EXPECT_FALSE(Exists(info.progId)) << info.progId;
        EXPECT_FALSE(Exists(std::string(info.progId) + ".1")) << info.progId;
        EXPECT_FALSE(Exists("CLSID\\" + automation::GuidToString(probe::ClassId(info.variant)))) << info.progId;
    }
    EXPECT_TRUE(Exists("CLSID")) << "only the classes' own keys go";
}

TEST_F(Registration, UnregisteringKeepsAProgIdAnotherClassHasTaken)
{
    const std::string other = "{11111111-2222-3333-4444-555555555555}";
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "PlinthTest.Probe\\CLSID", REG_SZ, other.c_str(),
                  static_cast<DWORD>(other.size())),
        ERROR_SUCCESS);
    ASSERT_EQ(test::RunProgram(test::RegsvrPath(), { "/u", "/s", test::ProbeComponentPath() }).exitCode, 0);
    EXPECT_EQ(Default("PlinthTest.Probe\\CLSID"), other);
    EXPECT_FALSE(Exists("PlinthTest.Probe.1"));
}

} // namespace
