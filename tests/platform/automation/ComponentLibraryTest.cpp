#include "platform/automation/Automation.h"
#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"
#include "tests/platform/automation/probe/ProbeIds.h"
#include "tests/platform/automation/support/ProbeSupport.h"
#include "tests/support/TempSuiteRoot.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fstream>
#include <thread>

namespace {

void SetClassesRootText(const std::string& key, const std::string& text)
{
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, text.c_str(), static_cast<DWORD>(text.size())),
        ERROR_SUCCESS);
}

class ComponentLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        const auto registered = test::RegisterProbe();
        ASSERT_EQ(registered.exitCode, 0) << registered.errors;
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
    }
    void TearDown() override { CoUninitialize(); }

    test::TempSuiteRoot m_root;
};

TEST_F(ComponentLibrary, InitialisationIsCountedPerThread)
{
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE) << "the fixture initialised this thread already";
    CoUninitialize();
    HRESULT other = S_OK;
    std::thread([&] {
        IDispatch* object = nullptr;
        other = CoCreateInstance(probe::ClassId(probe::Variant::Plain), nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
            reinterpret_cast<void**>(&object));
    }).join();
    EXPECT_EQ(other, CO_E_NOTINITIALIZED);
}

TEST_F(ComponentLibrary, CreateFailsOnceTheThreadIsUninitialised)
{
    CoUninitialize();
    IDispatch* object = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(CoCreateInstance(probe::ClassId(probe::Variant::Plain), nullptr, CLSCTX_ALL, IID_IDispatch,
                  reinterpret_cast<void**>(&object)),
        CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);
    CoInitialize(nullptr);
}

struct ProgIdCase {
    const char* name;
    const char16_t* progId;
    HRESULT code;
};

class ProgIdLookup : public ComponentLibrary, public testing::WithParamInterface<ProgIdCase> { };

TEST_P(ProgIdLookup, FindsTheClassOrReportsAnInvalidClassString)
{
    SetClassesRootText("Alias.Probe\\CurVer", "PlinthTest.Probe.1");
    SetClassesRootText("Loop.A\\CurVer", "Loop.B");
    SetClassesRootText("Loop.B\\CurVer", "Loop.A");
    SetClassesRootText("Broken.Probe\\CLSID", "not a class id");
    CLSID clsid {};
    EXPECT_EQ(CLSIDFromProgID(GetParam().progId, &clsid), GetParam().code);
    EXPECT_EQ(clsid, GetParam().code == S_OK ? probe::ClassId(probe::Variant::Probe) : IID_NULL);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgIdLookup,
    testing::Values(ProgIdCase { "Versioned", u"PlinthTest.Probe.1", S_OK },
        ProgIdCase { "VersionIndependent", u"PlinthTest.Probe", S_OK },
        ProgIdCase { "AnyLetterCase", u"plinthtest.probe", S_OK }, ProgIdCase { "ThroughCurVer", u"Alias.Probe", S_OK },
        ProgIdCase { "CurVerLoop", u"Loop.A", CO_E_CLASSSTRING },
        ProgIdCase { "Unknown", u"Nobody.Here", CO_E_CLASSSTRING },
        ProgIdCase { "BadClassId", u"Broken.Probe", CO_E_CLASSSTRING }, ProgIdCase { "Empty", u"", CO_E_CLASSSTRING }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComponentLibrary, CreatesARegisteredClassWithTheInterfaceAskedFor)
{
    IDispatch* object = nullptr;
    ASSERT_EQ(CoCreateInstance(
                  probe::ClassId(probe::Variant::Probe), nullptr, 7, IID_IDispatch, reinterpret_cast<void**>(&object)),
        S_OK);
    ASSERT_NE(object, nullptr);
    IUnknown* probeInterface = nullptr;
    EXPECT_EQ(object->QueryInterface(probe::IID_IProbe, reinterpret_cast<void**>(&probeInterface)), S_OK);
    probeInterface->Release();
    object->Release();
}

// A class whose InprocServer32 names `server` (nothing when empty).
struct FailureCase {
    const char* name;
    std::string server;
    DWORD context;
    HRESULT code;
};

class CreateFailure : public ComponentLibrary, public testing::WithParamInterface<FailureCase> { };

TEST_P(CreateFailure, ReportsACodeAndHandsOutNothing)
{
    const CLSID clsid { 0x11111111, 0x2222, 0x3333, { 0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55 } };
    std::string server = GetParam().server;
    if (server == "<text>") {
        server = (m_root.Path() / "Text.dll").string();
        std::ofstream(server) << "no component here\n";
    } else if (server == "<not a component>") {
        server = test::NotAComponentPath();
    } else if (server == "<probe>") {
        server = test::ProbeComponentPath();
    }
    if (!server.empty())
        SetClassesRootText("CLSID\\" + automation::GuidToString(clsid) + "\\InprocServer32", server);
    IDispatch* object = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, GetParam().context, IID_IDispatch, reinterpret_cast<void**>(&object)),
        GetParam().code);
    EXPECT_EQ(object, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateFailure,
    testing::Values(FailureCase { "NotRegistered", "", CLSCTX_ALL, REGDB_E_CLASSNOTREG },
        FailureCase { "LocalServerOnly", "<probe>", CLSCTX_LOCAL_SERVER, REGDB_E_CLASSNOTREG },
        FailureCase { "RemoteServerOnly", "<probe>", CLSCTX_REMOTE_SERVER, REGDB_E_CLASSNOTREG },
        FailureCase { "MissingFile", "/nonexistent/Gone.dll", CLSCTX_ALL, HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) },
        FailureCase { "TextFile", "<text>", CLSCTX_ALL, HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT) },
        FailureCase { "NoEntryPoint", "<not a component>", CLSCTX_ALL, CO_E_ERRORINDLL },
        FailureCase { "ClassNotInTheFile", "<probe>", CLSCTX_ALL, CLASS_E_CLASSNOTAVAILABLE }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ComponentLibrary, RefusesAggregationAndUnknownInterfaces)
{
    IUnknown* object = reinterpret_cast<IUnknown*>(1);
    const CLSID plain = probe::ClassId(probe::Variant::Plain);
    IUnknown* outer = reinterpret_cast<IUnknown*>(&object);
    EXPECT_EQ(CoCreateInstance(plain, outer, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&object)),
        CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(
        CoCreateInstance(plain, nullptr, CLSCTX_ALL, IID_ITypeInfo, reinterpret_cast<void**>(&object)), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ComponentLibrary, ComponentCanUnloadOnlyWithoutObjectsOrLocks)
{
    IClassFactory* factory = nullptr;
    ASSERT_EQ(CoGetClassObject(probe::ClassId(probe::Variant::Plain), CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                  reinterpret_cast<void**>(&factory)),
        S_OK);
    void* file = dlopen(test::ProbeComponentPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(file, nullptr) << "the component library keeps the file loaded";
    auto canUnload = reinterpret_cast<HRESULT (*)()>(dlsym(file, "DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_OK);

    IDispatch* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)), S_OK);
    EXPECT_EQ(canUnload(), S_FALSE);
    object->Release();
    EXPECT_EQ(canUnload(), S_OK);

    factory->LockServer(TRUE);
    EXPECT_EQ(canUnload(), S_FALSE);
    factory->LockServer(FALSE);
    EXPECT_EQ(canUnload(), S_OK);
    factory->Release();
    dlclose(file);
}

} // namespace
