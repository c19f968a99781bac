#include "output/qt/SpeechCommands.h"

#include "codeedit/qt/Memo.h"
#include "platform/Speech.h"
#include "platform/qt/ScriptedDialogs.h"
#include "ui/support/QtPrinters.h"

#include <QApplication>
#include <QKeyEvent>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class SpeechCommandsTest : public testing::Test {
protected:
    // The text is read in the document's encoding, whatever the program's.
    void SetUp() override { memo.SetTextEncoding(*Encoding::ForCodePage(1251)); }

    // Whether the speech heard is `text` spoken directly: espeak-ng's timing varies by a few
    // samples from run to run, a different text by far more.
    static testing::AssertionResult SoundsLike(const SpeechToMemory& heard, std::string_view text) {
        SpeechToMemory direct;
        EXPECT_EQ(direct.Speak(text, [] { return true; }), std::nullopt);
        const double expected = static_cast<double>(direct.Samples().size());
        const double actual = static_cast<double>(heard.Samples().size());
        if (std::abs(actual - expected) <= 0.02 * expected)
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << actual << " samples heard, " << expected << " for \"" << text << "\"";
    }

    TMemo memo;
    ScriptedDialogs dialogs;
    SpeechToMemory speech;
};

TEST_F(SpeechCommandsTest, SpeaksTheSelectionOrElseTheWholeTextInLatinLetters) {
    const std::string cyrillic = "\xcf\xf0\xe8\xe2\xe5\xf2 \xec\xe8\xf0"; // "Привет мир", 1251
    const struct {
        std::string text;
        std::size_t selStart, selLength;
        std::string spoken;
    } cases[] = {
        {"Good morning. Have a nice day.", 0, 13, "Good morning."},
        {"Good morning. Have a nice day.", 0, 0, "Good morning. Have a nice day."},
        {cyrillic, 0, 0, "Privet mir"},
        {"One.\r\nTwo.", 6, 4, "Two."},
    };
    for (const auto& c : cases) {
        memo.SetText(c.text);
        memo.SetSelStart(TextOffset(c.selStart));
        memo.SetSelLength(TextOffset(c.selLength));
        SpeechToMemory heard;
        SpeakText(dialogs, heard, memo);
        EXPECT_TRUE(SoundsLike(heard, c.spoken));
        const double seconds = static_cast<double>(heard.Samples().size()) / heard.SampleRate();
        EXPECT_GT(seconds, 0.3) << c.spoken;
        EXPECT_LT(seconds, 8.0) << c.spoken;
        EXPECT_EQ(memo.Text(), c.text) << "the document must not change";
    }
    EXPECT_TRUE(dialogs.History().empty());
}

TEST_F(SpeechCommandsTest, EmptyDocumentSpeaksNothingAndSaysNothing) {
    SpeakText(dialogs, speech, memo);
    EXPECT_TRUE(speech.Samples().empty());
    EXPECT_TRUE(dialogs.History().empty());
}

TEST_F(SpeechCommandsTest, EscapeStopsSpeakingEarly) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "This is a long document that nobody wants to hear to its end. ";
    memo.SetText(text);
    memo.show();
    QApplication::postEvent(&memo, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    SpeakText(dialogs, speech, memo);
    const double seconds = static_cast<double>(speech.Samples().size()) / speech.SampleRate();
    EXPECT_GT(seconds, 0.0);
    EXPECT_LT(seconds, 2.0);
    EXPECT_EQ(memo.Text(), text);
}

TEST_F(SpeechCommandsTest, InputOtherThanEscapeIsHeldOffWhileSpeaking) {
    memo.SetText("Short text.");
    memo.show();
    QApplication::postEvent(&memo, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    SpeakText(dialogs, speech, memo);
    EXPECT_TRUE(SoundsLike(speech, "Short text."));
    EXPECT_EQ(memo.Text(), "Short text.");
}

TEST_F(SpeechCommandsTest, SoundDeviceFailureIsShownWithItsReasonAndTheProgramGoesOn) {
    memo.SetText("Hello.");
    SpeechToAudioDevice noDevice(SpeechSetup{"", "tabrix-no-such-sound-device"});
    SpeakText(dialogs, noDevice, memo);
    ASSERT_EQ(dialogs.History().size(), 1u);
    EXPECT_EQ(dialogs.History()[0].messageKind, MessageKind::Error);
    EXPECT_EQ(dialogs.History()[0].caption, "Tabrix Pro");
    EXPECT_TRUE(dialogs.History()[0].text.startsWith("The sound device could not be opened: "))
        << dialogs.History()[0].text;

    SpeakText(dialogs, speech, memo);
    EXPECT_TRUE(SoundsLike(speech, "Hello."));
}

} // namespace
