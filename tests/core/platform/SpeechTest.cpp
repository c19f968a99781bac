#include "platform/Speech.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

const SpeechKeepGoing Always = [] { return true; };

double Seconds(const SpeechToMemory& speech) {
    return static_cast<double>(speech.Samples().size()) / speech.SampleRate();
}

TEST(SpeechToMemory, LongerTextsGiveLongerSpeechOfPlausibleLength) {
    const struct {
        std::string text;
        double atLeast, atMost; // seconds
    } cases[] = {
        {"Hello.", 0.2, 2.0},
        {"The quick brown fox jumps over the lazy dog.", 1.5, 6.0},
        {"One two three four five six seven eight nine ten eleven twelve.", 2.5, 9.0},
    };
    for (const auto& c : cases) {
        SpeechToMemory speech;
        EXPECT_EQ(speech.Speak(c.text, Always), std::nullopt) << c.text;
        EXPECT_GT(speech.SampleRate(), 8000);
        EXPECT_GE(Seconds(speech), c.atLeast) << c.text;
        EXPECT_LE(Seconds(speech), c.atMost) << c.text;
    }
}

TEST(SpeechToMemory, NulBytesDoNotCutTheText) {
    SpeechToMemory whole, cut;
    ASSERT_EQ(whole.Speak(std::string("one\0two three four", 18), Always), std::nullopt);
    ASSERT_EQ(cut.Speak("one", Always), std::nullopt);
    EXPECT_GT(whole.Samples().size(), 2 * cut.Samples().size());
}

TEST(SpeechToMemory, StopsWhenAskedBetweenPieces) {
    std::string sentence;
    for (int i = 0; i < 20; ++i)
        sentence += "This sentence is spoken again and again. ";
    SpeechToMemory stopped;
    int asked = 0;
    EXPECT_EQ(stopped.Speak(sentence, [&asked] { return ++asked < 3; }), std::nullopt);
    EXPECT_EQ(asked, 3);
    EXPECT_GT(stopped.Samples().size(), 0u);
    EXPECT_LT(Seconds(stopped), 2.0);
}

// The engine starts once per process, so this runs in a fresh one.
TEST(SpeechToMemoryDeathTest, MissingVoiceDataGivesTheReason) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string empty = testing::TempDir() + "tabrix-no-voices";
    std::filesystem::create_directories(empty);
    EXPECT_EXIT(
        {
            SpeechToMemory speech(SpeechSetup{empty, ""});
            const std::optional<std::string> error = speech.Speak("Hello.", Always);
            std::fprintf(stderr, "[%s] %zu samples\n", error.value_or("").c_str(),
                         speech.Samples().size());
            std::exit(error ? 0 : 1);
        },
        testing::ExitedWithCode(0),
        R"(\[The speech engine could not start: No such file or directory\] 0 samples)");
}

TEST(SpeechToAudioDevice, DeviceThatDoesNotExistGivesTheReason) {
    SpeechToAudioDevice speech(SpeechSetup{"", "tabrix-no-such-sound-device"});
    const std::optional<std::string> error = speech.Speak("Hello.", Always);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->rfind("The sound device ", 0), 0u) << *error;
}

} // namespace
