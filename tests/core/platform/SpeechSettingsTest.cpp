#include "platform/SpeechSettings.h"

#include "support/TemporaryFolderTest.h"

#include <gtest/gtest.h>

namespace {

class SpeechSettingsTest : public TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        const char* path = std::getenv("PATH");
        savedPath = path != nullptr ? path : "";
        std::filesystem::create_directories(root + "bin");
        setenv("PATH", (root + "bin").c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", savedPath.c_str(), 1);
        TemporaryFolderTest::TearDown();
    }
    void Install(const std::string& program, mode_t mode = 0755) {
        Write(root + "bin/" + program, "#!/bin/sh\n");
        chmod((root + "bin/" + program).c_str(), mode);
    }
    void SetRegistryValue(Registry& registry, const std::string& value) {
        std::optional<RegistryKey> key =
            RegistryKey::OpenOrCreate(registry, RegistryHive::LocalMachine, SpeechSettingsKey);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->WriteString(SpeechSettingsValue, value));
    }
    std::filesystem::path RegistryFolder() const { return std::filesystem::path(root) / "reg"; }

    std::string savedPath;
};

TEST_F(SpeechSettingsTest, RegistryValueComesFirstInQuotes) {
    Registry local(RegistryFolder());
    SetRegistryValue(local, "/opt/voice settings/run");
    Install("pavucontrol");
    EXPECT_EQ(SpeechSettingsCommandLine(local), "\"/opt/voice settings/run\"");
}

TEST_F(SpeechSettingsTest, WithoutTheValueTheDesktopsSoundSettingsAreChosen) {
    const struct {
        std::vector<std::string> installed;
        std::optional<std::string> expected;
    } cases[] = {
        {{}, std::nullopt},
        {{"pavucontrol"}, "pavucontrol"},
        {{"pavucontrol", "gnome-control-center"}, "gnome-control-center sound"},
        {{"mate-volume-control", "systemsettings"}, "systemsettings kcm_pulseaudio"},
        {{"pavucontrol-qt", "pavucontrol"}, "pavucontrol-qt"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(root + "bin");
        std::filesystem::create_directories(root + "bin");
        for (const std::string& program : c.installed)
            Install(program);
        Registry local(RegistryFolder());
        EXPECT_EQ(SpeechSettingsCommandLine(local), c.expected) << c.installed.size();
    }
}

TEST_F(SpeechSettingsTest, EmptyValueAndNonExecutablesDoNotCount) {
    Registry local(RegistryFolder());
    SetRegistryValue(local, "");
    Install("gnome-control-center", 0644);
    std::filesystem::create_directories(root + "bin/pavucontrol");
    EXPECT_EQ(SpeechSettingsCommandLine(local), std::nullopt);
    Install("mate-volume-control");
    EXPECT_EQ(SpeechSettingsCommandLine(local), "mate-volume-control");
}

} // namespace
