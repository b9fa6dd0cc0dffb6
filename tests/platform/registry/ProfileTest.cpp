#include "platform/registry/Profile.h"

#include "platform/base/Errors.h"
#include "platform/registry/Registry.h"
#include "tests/support/TempSuiteRoot.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

class ProfileTest : public testing::Test {
protected:
    test::TempSuiteRoot m_root;
    registry::Profile m_designer =
        registry::Profile::ForApplication("Local AppWizard-Generated Applications", "Plinth");
    registry::Profile m_component = registry::Profile::ForComponent("Kaldra");
};

TEST_F(ProfileTest, MissingEntriesGiveTheDefaults)
{
    EXPECT_EQ(m_designer.GetString("Settings", "TVFileName", "none"), "none");
    EXPECT_EQ(m_designer.GetInt("Settings", "TVDispType", 1), 1u);
    std::vector<BYTE> data {1, 2};
    EXPECT_FALSE(m_designer.GetBinary("Settings", "TVLogoFont", data));
    EXPECT_TRUE(data.empty());
}

TEST_F(ProfileTest, EntriesReadBackAsWritten)
{
    ASSERT_TRUE(m_designer.WriteString("Settings", "TVFileName", "/图片/背景.bmp"));
    ASSERT_TRUE(m_designer.WriteInt("Settings", "TVBackColor", 0x00C0C0C0));
    ASSERT_TRUE(m_designer.WriteInt("Settings", "Offset", -5));
    std::vector<BYTE> font(60);
    for (std::size_t i = 0; i < font.size(); ++i)
        font[i] = static_cast<BYTE>(i * 3);
    ASSERT_TRUE(m_designer.WriteBinary("Settings", "TVLogoFont", font));

    EXPECT_EQ(m_designer.GetString("settings", "tvfilename"), "/图片/背景.bmp");
    EXPECT_EQ(m_designer.GetInt("Settings", "TVBackColor", 0), 0x00C0C0C0u);
    EXPECT_EQ(static_cast<int>(m_designer.GetInt("Settings", "Offset", 0)), -5);
    std::vector<BYTE> read;
    ASSERT_TRUE(m_designer.GetBinary("Settings", "TVLogoFont", read));
    EXPECT_EQ(read, font);
}

TEST_F(ProfileTest, ProfilesLiveWhereTheirKeysSay)
{
    ASSERT_TRUE(m_designer.WriteInt("Settings", "TVDispType", 2));
    ASSERT_TRUE(m_component.WriteInt("Kaldra_Alias", "Col0", 75));

    auto readDword = [](const char* path, const char* name) {
        HKEY key = nullptr;
        DWORD value = 0, size = sizeof value;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key), ERROR_SUCCESS) << path;
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(&value), &size), ERROR_SUCCESS);
        RegCloseKey(key);
        return value;
    };
    EXPECT_EQ(readDword(R"(Software\Local AppWizard-Generated Applications\Plinth\Settings)", "TVDispType"), 2u);
    EXPECT_EQ(readDword(R"(Software\Kaldra\Kaldra_Alias)", "Col0"), 75u);
}

TEST_F(ProfileTest, EntryOfAnotherTypeReadsAsMissing)
{
    ASSERT_TRUE(m_component.WriteString("Kaldra_Kaldra", "WinTop", "12"));
    EXPECT_EQ(m_component.GetInt("Kaldra_Kaldra", "WinTop", 0), 0u);
    ASSERT_TRUE(m_component.WriteInt("Kaldra_Kaldra", "Name", 3));
    EXPECT_EQ(m_component.GetString("Kaldra_Kaldra", "Name", "default"), "default");
}

TEST_F(ProfileTest, EntriesAndSectionsCanBeDeleted)
{
    ASSERT_TRUE(m_component.WriteInt("Kaldra_Alias", "Col0", 60));
    ASSERT_TRUE(m_component.WriteInt("Kaldra_Alias", "Col1", 110));
    EXPECT_TRUE(m_component.DeleteEntry("Kaldra_Alias", "Col0"));
    EXPECT_FALSE(m_component.DeleteEntry("Kaldra_Alias", "Col0"));
    EXPECT_EQ(m_component.GetInt("Kaldra_Alias", "Col0", -1), static_cast<UINT>(-1));
    EXPECT_EQ(m_component.GetInt("Kaldra_Alias", "Col1", -1), 110u);
    EXPECT_TRUE(m_component.DeleteSection("Kaldra_Alias"));
    EXPECT_EQ(m_component.GetInt("Kaldra_Alias", "Col1", -1), static_cast<UINT>(-1));
}

TEST_F(ProfileTest, BrokenStoreGivesDefaultsAndRefusesWrites)
{
    std::ofstream(m_root.Path() / "registry.db") << "not a database at all, just some text";
    testing::internal::CaptureStderr();
    EXPECT_EQ(m_designer.GetInt("Settings", "TVDispType", 1), 1u);
    EXPECT_FALSE(m_designer.WriteInt("Settings", "TVDispType", 2));
    testing::internal::GetCapturedStderr();
}

} // namespace
