#include "platform/CodePageOption.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using Arguments = std::vector<std::string>;

TEST(PlatformOptions, CodePageAndSeedAreTakenOutAndTheRestKeptInOrder) {
    struct Case {
        Arguments given;
        std::optional<std::string> codePage;
        std::optional<std::uint32_t> seed;
        Arguments rest;
        bool error;
    };
    const Case cases[] = {
        {{}, {}, {}, {}, false},
        {{"a.txt", "b.txt"}, {}, {}, {"a.txt", "b.txt"}, false},
        {{"--codepage", "1251", "a.txt"}, "1251", {}, {"a.txt"}, false},
        {{"a.txt", "--codepage=utf-8"}, "utf-8", {}, {"a.txt"}, false},
        {{"--seed", "42", "/reset"}, {}, 42u, {"/reset"}, false},
        {{"--seed=4294967295"}, {}, 4294967295u, {}, false},
        {{"--seed=4294967296"}, {}, {}, {}, true},
        {{"--seed", "-1"}, {}, {}, {}, true},
        {{"--seed", "12x"}, {}, {}, {}, true},
        {{"--seed="}, {}, {}, {}, true},
        {{"a.txt", "--codepage"}, {}, {}, {"a.txt"}, true},
        {{"--codepages", "x"}, {}, {}, {"--codepages", "x"}, false},
        {{"--", "--seed", "1"}, {}, {}, {"--seed", "1"}, false},
        {{"--seed", "7", "--", "--codepage=1"}, {}, 7u, {"--codepage=1"}, false},
    };
    for (const Case& c : cases) {
        const PlatformOptions options = ParsePlatformOptions(c.given);
        const std::string shown = testing::PrintToString(c.given);
        EXPECT_EQ(options.codePage, c.codePage) << shown;
        EXPECT_EQ(options.seed, c.seed) << shown;
        EXPECT_EQ(options.arguments, c.rest) << shown;
        EXPECT_EQ(!options.error.empty(), c.error) << shown << " " << options.error;
    }
}

TEST(PlatformOptions, ArgvSkipsTheProgramName) {
    const char* argv[] = {"tabrix-pro", "--codepage", "1252", "notes.txt"};
    const PlatformOptions options = ParsePlatformOptions(4, argv);
    EXPECT_EQ(options.codePage, "1252");
    EXPECT_EQ(options.arguments, Arguments{"notes.txt"});
}

class CodePageChoiceTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(CodePageChoiceTest, OptionThenSettingsThenLocale) {
    struct Case {
        std::optional<std::string> option;
        std::optional<std::string> settings;
        const char* locale;
        int codePage; // 0: no encoding
        bool error;
    };
    const Case cases[] = {
        {"1251", "1252", "C", 1251, false},
        {"utf-8", {}, "ru_RU.CP1251", 65001, false},
        {"28591", {}, "C", 28591, false},
        {{}, "1250", "ru_RU.UTF-8", 1250, false},
        {{}, "", "ru_RU.UTF-8", 65001, false},
        {{}, {}, "ru_RU.UTF-8", 65001, false},
        {{}, {}, "ru_RU.CP1251", 1251, false},
        {{}, {}, "C", 1252, false},
        {"866", "1251", "C", 0, true},
        {"", {}, "C", 0, true},
        {{}, "bogus", "ru_RU.CP1251", 1251, true}, // a bad setting falls back to the locale
    };
    for (const Case& c : cases) {
        setenv("LANG", c.locale, 1);
        const CodePageChoice choice = ChooseCodePage(c.option, c.settings);
        const std::string shown =
            c.option.value_or("-") + " " + c.settings.value_or("-") + " " + c.locale;
        EXPECT_EQ(choice.encoding ? choice.encoding->CodePage() : 0, c.codePage) << shown;
        EXPECT_EQ(!choice.error.empty(), c.error) << shown << " " << choice.error;
    }
}

TEST(PlatformOptions, UnknownCodePageMessageNamesTheValueAndTheChoices) {
    EXPECT_EQ(UnknownCodePageMessage("866"),
              "Unknown code page \"866\": use 1250 to 1258, 28591 or utf-8");
}

} // namespace
