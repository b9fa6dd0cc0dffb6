#include "platform/registry/Registry.h"

#include "platform/base/Errors.h"
#include "tests/support/TempSuiteRoot.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class RegistryTest : public testing::Test {
protected:
    void TearDown() override
    {
        for (HKEY key : m_keys)
            RegCloseKey(key);
    }

    HKEY Create(HKEY parent, const char* path, DWORD* disposition = nullptr)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition),
                  ERROR_SUCCESS)
            << path;
        m_keys.push_back(key);
        return key;
    }

    LONG Open(HKEY parent, const char* path, HKEY& key, REGSAM access = KEY_READ)
    {
        LONG error = RegOpenKeyExA(parent, path, 0, access, &key);
        if (error == ERROR_SUCCESS)
            m_keys.push_back(key);
        return error;
    }

    static LONG SetString(HKEY key, const char* name, const std::string& text, DWORD type = REG_SZ)
    {
        return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1));
    }

    // The value as the suite's lookups read it: size first, then the data.
    static LONG ReadString(HKEY key, const char* name, std::string& text)
    {
        DWORD type = REG_NONE, size = 0;
        if (LONG error = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size))
            return error;
        std::string buffer(size, '?');
        if (LONG error = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size))
            return error;
        if (size == 0 || buffer[size - 1] != '\0')
            return ERROR_INVALID_DATA;
        text = buffer.substr(0, size - 1);
        return ERROR_SUCCESS;
    }

    std::vector<std::string> SubkeyNames(HKEY key)
    {
        std::vector<std::string> names;
        char name[256];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof name;
            LONG error = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (error == ERROR_NO_MORE_ITEMS)
                break;
            EXPECT_EQ(error, ERROR_SUCCESS);
            if (error)
                break;
            EXPECT_EQ(length, std::strlen(name));
            names.push_back(name);
        }
        return names;
    }

    test::TempSuiteRoot m_root;
    std::vector<HKEY> m_keys;
};

TEST_F(RegistryTest, StoreIsMadeInTheSuiteRootOnFirstUse)
{
    Create(HKEY_CURRENT_USER, "Software");
    EXPECT_TRUE(std::filesystem::exists(m_root.Path() / "registry.db"));
}

TEST_F(RegistryTest, ComponentLookupReadsDefaultValuesByPath)
{
    // The registration a component writes and the reads that find its file.
    SetString(Create(HKEY_CLASSES_ROOT, R"(Mendor.Verup\CLSID)"), nullptr, "{9E526F70-B183-42A4-9EC5-60718293A4B5}");
    SetString(Create(HKEY_CLASSES_ROOT, R"(CLSID\{9E526F70-B183-42A4-9EC5-60718293A4B5}\InprocServer32)"), "",
              "/suite/system/Mendor.dll");

    HKEY key = nullptr;
    std::string text;
    ASSERT_EQ(Open(HKEY_CLASSES_ROOT, R"(mendor.verup\clsid)", key, KEY_READ), ERROR_SUCCESS);
    ASSERT_EQ(ReadString(key, nullptr, text), ERROR_SUCCESS);
    EXPECT_EQ(text, "{9E526F70-B183-42A4-9EC5-60718293A4B5}");
    ASSERT_EQ(Open(HKEY_CLASSES_ROOT, (R"(CLSID\)" + text + R"(\InprocServer32)").c_str(), key), ERROR_SUCCESS);
    ASSERT_EQ(ReadString(key, "", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "/suite/system/Mendor.dll");
}

TEST_F(RegistryTest, RootsAreSeparateTrees)
{
    SetString(Create(HKEY_LOCAL_MACHINE, "Software"), "Where", "machine");
    HKEY key = nullptr;
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software", key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open(HKEY_CLASSES_ROOT, "Software", key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE", key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, NamesKeepTheirFirstSpellingAndMatchInAnyCase)
{
    DWORD disposition = 0;
    HKEY software = Create(HKEY_CURRENT_USER, "Software", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    Create(HKEY_CURRENT_USER, R"(Software\Local AppWizard-Generated Applications\Plinth)");
    Create(HKEY_CURRENT_USER, R"(SOFTWARE\local appwizard-generated applications\PLINTH\Settings)", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    Create(HKEY_CURRENT_USER, R"(software\LOCAL APPWIZARD-GENERATED APPLICATIONS\plinth)", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(SubkeyNames(software), (std::vector<std::string> {"Local AppWizard-Generated Applications"}));

    HKEY key = Create(software, "Values");
    SetString(key, "TVFileName", "first");
    SetString(key, "tvfilename", "second");
    std::string text;
    ASSERT_EQ(ReadString(key, "TVFILENAME", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "second");
}

TEST_F(RegistryTest, ChineseNamesCompareByteForByte)
{
    HKEY key = Create(HKEY_CURRENT_USER, R"(Software\报表\乗法)");
    SetString(key, "丄", "upper-looking");
    SetString(key, "乤", "lower-looking");
    std::string text;
    ASSERT_EQ(ReadString(key, "丄", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "upper-looking");
    ASSERT_EQ(ReadString(key, "乤", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "lower-looking");
    HKEY opened = nullptr;
    EXPECT_EQ(Open(HKEY_CURRENT_USER, R"(software\报表\乗法)", opened), ERROR_SUCCESS);
    EXPECT_EQ(SubkeyNames(Create(HKEY_CURRENT_USER, R"(Software\报表)")), (std::vector<std::string> {"乗法"}));
}

TEST_F(RegistryTest, SizeQueryFollowsThePlatform)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Sizes");
    ASSERT_EQ(SetString(key, "Text", "abc"), ERROR_SUCCESS);

    DWORD type = REG_NONE, size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 4u) << "the size counts the terminating NUL";

    char small[3];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);

    char exact[4] = {'?', '?', '?', '?'};
    size = sizeof exact;
    ASSERT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<LPBYTE>(exact), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(exact, 4), std::string("abc\0", 4));

    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<LPBYTE>(exact), nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
}

struct ValueCase {
    const char* name;
    DWORD type;
    std::string written;  // bytes handed to RegSetValueExA
    LONG setError;
    std::string readBack; // bytes RegQueryValueExA gives
};

const ValueCase ValueCases[] = {
    {"StringWithNul", REG_SZ, std::string("text\0", 5), ERROR_SUCCESS, std::string("text\0", 5)},
    {"StringWithoutNul", REG_SZ, "text", ERROR_SUCCESS, std::string("text\0", 5)},
    {"StringCutAtFirstNul", REG_SZ, std::string("ab\0cd\0", 6), ERROR_SUCCESS, std::string("ab\0", 3)},
    {"EmptyString", REG_SZ, "", ERROR_SUCCESS, std::string("\0", 1)},
    {"ExpandableStringStaysUnexpanded", REG_EXPAND_SZ, std::string("%PATH%\0", 7), ERROR_SUCCESS,
     std::string("%PATH%\0", 7)},
    {"Link", REG_LINK, std::string("target\0", 7), ERROR_SUCCESS, std::string("target\0", 7)},
    {"ChineseString", REG_SZ, std::string("欢迎使用\0", 9), ERROR_SUCCESS, std::string("欢迎使用\0", 9)},
    {"Dword", REG_DWORD, std::string("\x01\x02\x03\x04", 4), ERROR_SUCCESS, std::string("\x01\x02\x03\x04", 4)},
    {"DwordOfWrongSize", REG_DWORD, std::string("\x01\x02", 2), ERROR_INVALID_PARAMETER, ""},
    {"BinaryWithNuls", REG_BINARY, std::string("\0\xFF\0\x10", 4), ERROR_SUCCESS, std::string("\0\xFF\0\x10", 4)},
    {"EmptyBinary", REG_BINARY, "", ERROR_SUCCESS, ""},
    {"UnsupportedType", 7, std::string("a\0\0", 3), ERROR_INVALID_PARAMETER, ""},
};

class RegistryValueTest : public RegistryTest, public testing::WithParamInterface<ValueCase> {};

TEST_P(RegistryValueTest, ReadsBackAsStored)
{
    const ValueCase& value = GetParam();
    HKEY key = Create(HKEY_CURRENT_USER, "Values");
    ASSERT_EQ(RegSetValueExA(key, "Value", 0, value.type, reinterpret_cast<const BYTE*>(value.written.data()),
                             static_cast<DWORD>(value.written.size())),
              value.setError);
    DWORD type = REG_NONE;
    std::vector<BYTE> data(64);
    DWORD size = static_cast<DWORD>(data.size());
    LONG error = RegQueryValueExA(key, "Value", nullptr, &type, data.data(), &size);
    if (value.setError != ERROR_SUCCESS) {
        EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
        return;
    }
    ASSERT_EQ(error, ERROR_SUCCESS);
    EXPECT_EQ(type, value.type);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.data()), size), value.readBack);
}

INSTANTIATE_TEST_SUITE_P(Cases, RegistryValueTest, testing::ValuesIn(ValueCases),
                         [](const testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

TEST_F(RegistryTest, DefaultValueIsTheUnnamedOne)
{
    HKEY key = Create(HKEY_CLASSES_ROOT, "Kaldra.Setup");
    std::string text;
    EXPECT_EQ(ReadString(key, nullptr, text), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(SetString(key, nullptr, "Setup Class"), ERROR_SUCCESS);
    ASSERT_EQ(ReadString(key, "", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "Setup Class");
    EXPECT_EQ(RegDeleteValueA(key, ""), ERROR_SUCCESS);
    EXPECT_EQ(ReadString(key, nullptr, text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, nullptr), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, SetAndQueryValueOfASubkey)
{
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, R"(Pressel.Out\CurVer)", REG_SZ, "Pressel.Out.1", 0), ERROR_SUCCESS);
    char buffer[64];
    LONG size = sizeof buffer;
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, R"(pressel.out\curver)", buffer, &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "Pressel.Out.1");
    EXPECT_EQ(size, 14);
    size = sizeof buffer;
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, "Pressel.Out", buffer, &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "") << "a key without a default value reads as empty text";
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, "Missing", buffer, &size), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, SubkeysAreListedInNameOrder)
{
    HKEY clsid = Create(HKEY_CLASSES_ROOT, "CLSID");
    for (const char* name : {"{C}", "{a}", "{B}"})
        Create(clsid, name);
    EXPECT_EQ(SubkeyNames(clsid), (std::vector<std::string> {"{a}", "{B}", "{C}"}));

    char name[3];
    DWORD length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(clsid, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    EXPECT_EQ(length, 3u);
    length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(clsid, 3, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistryTest, DeleteKeyRefusesSubkeysAndDeleteTreeTakesThemAll)
{
    HKEY clsid = Create(HKEY_CLASSES_ROOT, R"(CLSID\{X})");
    SetString(Create(clsid, "InprocServer32"), nullptr, "/x.dll");
    SetString(clsid, nullptr, "X Class");

    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, R"(CLSID\{X})"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, R"(CLSID\{X}\InprocServer32)"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, R"(CLSID\{X}\InprocServer32)"), ERROR_FILE_NOT_FOUND);

    Create(HKEY_CLASSES_ROOT, R"(CLSID\{X}\ProgID\Deeper)");
    EXPECT_EQ(RegDeleteTreeA(HKEY_CLASSES_ROOT, R"(clsid\{x})"), ERROR_SUCCESS);
    HKEY key = nullptr;
    EXPECT_EQ(Open(HKEY_CLASSES_ROOT, R"(CLSID\{X})", key), ERROR_FILE_NOT_FOUND);
    DWORD disposition = 0;
    HKEY again = Create(HKEY_CLASSES_ROOT, R"(CLSID\{X})", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    std::string text;
    EXPECT_EQ(ReadString(again, nullptr, text), ERROR_FILE_NOT_FOUND) << "values went with the key";
}

TEST_F(RegistryTest, DeleteTreeWithoutSubkeyEmptiesTheKey)
{
    HKEY section = Create(HKEY_CURRENT_USER, R"(Software\Kaldra\Kaldra_Alias)");
    SetString(section, "Col0", "60");
    Create(section, "Inner");
    EXPECT_EQ(RegDeleteTreeA(section, nullptr), ERROR_SUCCESS);
    EXPECT_TRUE(SubkeyNames(section).empty());
    std::string text;
    EXPECT_EQ(ReadString(section, "Col0", text), ERROR_FILE_NOT_FOUND);
    HKEY key = nullptr;
    EXPECT_EQ(Open(HKEY_CURRENT_USER, R"(Software\Kaldra\Kaldra_Alias)", key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, RootsCannotBeDeleted)
{
    EXPECT_EQ(RegDeleteKeyA(HKEY_CLASSES_ROOT, ""), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryTest, HandleOfADeletedKeyReportsIt)
{
    HKEY key = Create(HKEY_CURRENT_USER, "Doomed");
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Doomed"), ERROR_SUCCESS);
    std::string text;
    EXPECT_EQ(SetString(key, "Name", "x"), ERROR_KEY_DELETED);
    EXPECT_EQ(ReadString(key, "Name", text), ERROR_KEY_DELETED);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExA(key, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr), ERROR_KEY_DELETED);
}

TEST_F(RegistryTest, HandleRightsAreEnforced)
{
    Create(HKEY_CURRENT_USER, "Guarded");
    HKEY reader = nullptr;
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "Guarded", reader, KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(SetString(reader, "Name", "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(reader, "Name"), ERROR_ACCESS_DENIED);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyExA(reader, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
              ERROR_ACCESS_DENIED);
    HKEY writer = nullptr;
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "Guarded", writer, KEY_WRITE), ERROR_SUCCESS);
    EXPECT_EQ(SetString(writer, "Name", "x"), ERROR_SUCCESS);
    std::string text;
    EXPECT_EQ(ReadString(writer, "Name", text), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadString(reader, "Name", text), ERROR_SUCCESS);
}

TEST_F(RegistryTest, MalformedPathsAndHandlesAreRefused)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, R"(\Software)", 0, KEY_READ, &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, R"(a\\b)", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_BAD_PATHNAME);
    HKEY bogus = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x4242));
    EXPECT_EQ(RegOpenKeyExA(bogus, "Software", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(bogus), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);

    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Once", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(RegistryTest, OpenHandlesKeepTheirStoreWhenTheSuiteRootChanges)
{
    HKEY first = Create(HKEY_CURRENT_USER, "Software");
    SetString(first, "Root", "first");
    {
        test::TempSuiteRoot second;
        HKEY key = nullptr;
        EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software", key), ERROR_FILE_NOT_FOUND) << "a new root has a new store";
        EXPECT_TRUE(std::filesystem::exists(second.Path() / "registry.db"));
        std::string text;
        ASSERT_EQ(ReadString(first, "Root", text), ERROR_SUCCESS);
        EXPECT_EQ(text, "first");
    }
    HKEY key = nullptr;
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software", key), ERROR_SUCCESS) << "back in the first root";
}

} // namespace
