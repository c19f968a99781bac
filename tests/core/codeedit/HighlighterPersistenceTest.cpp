#include "codeedit/SynHighlighterHtml.h"
#include "platform/Registry.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

const std::string Key = "Software\\Tabrix Pro\\Highlighters\\HTML";

class HighlighterPersistence : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tabrix-highlight-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        registry = std::make_unique<Registry>(folder);
    }
    void TearDown() override {
        registry.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path folder;
    std::unique_ptr<Registry> registry;
};

TEST_F(HighlighterPersistence, SavedAttributesLoadIntoAnotherHighlighter) {
    TSynHTMLSyn saved;
    saved.CommentAttri()->SetForeground(clGreen);
    saved.ValueAttri()->SetBackground(clSilver);
    saved.TextAttri()->SetStyle(fsItalic | fsStrikeOut);
    ASSERT_TRUE(saved.SaveToRegistryKey(*registry, RegistryHive::CurrentUser, Key));

    TSynHTMLSyn loaded;
    int changes = 0;
    loaded.HookAttributeChange([&] { ++changes; });
    ASSERT_TRUE(loaded.LoadFromRegistryKey(*registry, RegistryHive::CurrentUser, Key));
    for (int i = 0; i < saved.AttributeCount(); ++i) {
        EXPECT_EQ(loaded.AttributeAt(i)->Foreground(), saved.AttributeAt(i)->Foreground());
        EXPECT_EQ(loaded.AttributeAt(i)->Background(), saved.AttributeAt(i)->Background());
        EXPECT_EQ(loaded.AttributeAt(i)->Style(), saved.AttributeAt(i)->Style());
    }
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(RegistryKey::Open(*registry, RegistryHive::CurrentUser, Key + "\\Text")
                  ->ReadInteger("Style"),
              std::optional<std::uint32_t>(fsItalic | fsStrikeOut));
}

TEST_F(HighlighterPersistence, MissingValuesKeepFieldsAndMissingKeysStopLoading) {
    auto asp = RegistryKey::OpenOrCreate(*registry, RegistryHive::CurrentUser, Key + "\\Asp");
    ASSERT_TRUE(asp);
    ASSERT_TRUE(asp->WriteInteger("Foreground", clNavy));
    ASSERT_TRUE(asp->WriteString("Style", "bold"));
    // "Comment" comes next in name order and is missing, so loading stops there.
    ASSERT_TRUE(RegistryKey::OpenOrCreate(*registry, RegistryHive::CurrentUser, Key + "\\Text"));

    TSynHTMLSyn html;
    html.TextAttri()->SetForeground(clRed);
    EXPECT_FALSE(html.LoadFromRegistryKey(*registry, RegistryHive::CurrentUser, Key));
    EXPECT_EQ(html.ASPAttri()->Foreground(), clNavy);
    EXPECT_EQ(html.ASPAttri()->Background(), clYellow);
    EXPECT_EQ(html.ASPAttri()->Style(), 0);
    EXPECT_EQ(html.TextAttri()->Foreground(), clRed);

    EXPECT_FALSE(html.LoadFromRegistryKey(*registry, RegistryHive::CurrentUser, "Software\\None"));
}

} // namespace
