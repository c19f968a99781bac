#pragma once
// Reading text aloud, in place of the Windows speech object: espeak-ng with its default voice,
// synchronous (Speak returns once the text has been spoken). No voice, rate or volume choices:
// the system's defaults apply. Use from one thread only; espeak-ng is one engine per process.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Asked between pieces of audio (a few dozen milliseconds apart); false stops speaking.
using SpeechKeepGoing = std::function<bool()>;

class Speech {
public:
    virtual ~Speech() = default;
    // Speaks UTF-8 text and returns when it has been spoken or keepGoing said stop. NUL bytes
    // count as blanks. The reason for the user when it could not speak.
    virtual std::optional<std::string> Speak(std::string_view utf8Text,
                                             const SpeechKeepGoing& keepGoing) = 0;
};

struct SpeechSetup {
    // The folder holding espeak-ng-data; empty for the system's. The engine starts once per
    // process, so every setup of a process names the same folder.
    std::string voiceDataFolder;
    std::string audioDevice; // empty: the desktop's default sound output
};

// Speaks through the sound device.
class SpeechToAudioDevice final : public Speech {
public:
    explicit SpeechToAudioDevice(SpeechSetup setup = {}) : setup(std::move(setup)) {}
    std::optional<std::string> Speak(std::string_view utf8Text,
                                     const SpeechKeepGoing& keepGoing) override;

private:
    SpeechSetup setup;
};

// Synthesises into memory instead (16-bit mono samples): for tests and for machines without
// sound. Each Speak appends to the samples.
class SpeechToMemory final : public Speech {
public:
    explicit SpeechToMemory(SpeechSetup setup = {}) : setup(std::move(setup)) {}
    std::optional<std::string> Speak(std::string_view utf8Text,
                                     const SpeechKeepGoing& keepGoing) override;

    const std::vector<std::int16_t>& Samples() const { return samples; }
    int SampleRate() const { return sampleRate; }

private:
    SpeechSetup setup;
    std::vector<std::int16_t> samples;
    int sampleRate = 0;
};
