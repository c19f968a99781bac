#include "platform/Speech.h"

#include <cassert>
#include <espeak-ng/espeak_ng.h>
#include <memory>
#include <pcaudiolib/audio.h>
#include <span>

// espeak-ng synthesises into our callback (its synchronous retrieval mode); we play the samples
// ourselves, so that stopping between pieces is possible and a missing sound device is reported
// rather than silently ignored, as its own playback modes do.

namespace {

using SampleSink = std::function<bool(std::span<const std::int16_t>)>;

// The sink of the synthesis running now; espeak-ng's callback carries no pointer of ours.
SampleSink* currentSink = nullptr;

int OnSamples(short* samples, int count, espeak_EVENT*) {
    if (samples == nullptr || count <= 0 || currentSink == nullptr)
        return 0;
    const bool keepGoing =
        (*currentSink)(std::span<const std::int16_t>(samples, static_cast<std::size_t>(count)));
    return keepGoing ? 0 : 1;
}

std::string StatusText(espeak_ng_STATUS status) {
    char text[512] = {};
    espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
    return text;
}

// espeak-ng is set up once per process and never shut down: shutting it down and starting it
// again can hang in its worker thread. The first setup's outcome stands, failure included.
std::optional<std::string> StartEngine(const std::string& folder, int& sampleRate) {
    struct Engine {
        std::string folder;
        std::optional<std::string> error;
        int sampleRate = 0;
    };
    static const Engine engine = [&folder] {
        espeak_ng_InitializePath(folder.empty() ? nullptr : folder.c_str());
        espeak_ng_ERROR_CONTEXT context = nullptr;
        espeak_ng_STATUS status = espeak_ng_Initialize(&context);
        espeak_ng_ClearErrorContext(&context);
        if (status == ENS_OK)
            status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
        if (status == ENS_OK)
            status = espeak_ng_SetVoiceByName(ESPEAKNG_DEFAULT_VOICE);
        if (status != ENS_OK)
            return Engine{folder, "The speech engine could not start: " + StatusText(status), 0};
        espeak_SetSynthCallback(OnSamples);
        return Engine{folder, std::nullopt, espeak_ng_GetSampleRate()};
    }();
    assert(engine.folder == folder && "one voice data folder per process");
    sampleRate = engine.sampleRate;
    return engine.error;
}

std::optional<std::string> Synthesise(std::string_view utf8Text, SampleSink sink) {
    std::string text(utf8Text);
    for (char& c : text) {
        if (c == '\0')
            c = ' ';
    }
    currentSink = &sink;
    const espeak_ng_STATUS status = espeak_ng_Synthesize(
        text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    currentSink = nullptr;
    if (status != ENS_OK && status != ENS_SPEECH_STOPPED)
        return "The text could not be spoken: " + StatusText(status);
    return std::nullopt;
}

struct AudioObjectDeleter {
    void operator()(audio_object* audio) const { audio_object_destroy(audio); }
};

} // namespace

std::optional<std::string> SpeechToMemory::Speak(std::string_view utf8Text,
                                                 const SpeechKeepGoing& keepGoing) {
    if (std::optional<std::string> error = StartEngine(setup.voiceDataFolder, sampleRate))
        return error;
    return Synthesise(utf8Text, [&](std::span<const std::int16_t> piece) {
        samples.insert(samples.end(), piece.begin(), piece.end());
        return keepGoing();
    });
}

std::optional<std::string> SpeechToAudioDevice::Speak(std::string_view utf8Text,
                                                      const SpeechKeepGoing& keepGoing) {
    int sampleRate = 0;
    if (std::optional<std::string> error = StartEngine(setup.voiceDataFolder, sampleRate))
        return error;
    const std::unique_ptr<audio_object, AudioObjectDeleter> audio(create_audio_device_object(
        setup.audioDevice.empty() ? nullptr : setup.audioDevice.c_str(), "Tabrix Pro", "Speech"));
    if (!audio)
        return std::string("The sound device could not be opened.");
    const int opened = audio_object_open(audio.get(), AUDIO_OBJECT_FORMAT_S16LE,
                                         static_cast<std::uint32_t>(sampleRate), 1);
    if (opened != 0)
        return std::string("The sound device could not be opened: ") +
               audio_object_strerror(audio.get(), opened);

    int written = 0;
    bool stopped = false;
    std::optional<std::string> error =
        Synthesise(utf8Text, [&](std::span<const std::int16_t> piece) {
            written = audio_object_write(audio.get(), piece.data(), piece.size_bytes());
            stopped = written == 0 && !keepGoing();
            return written == 0 && !stopped;
        });
    if (written != 0)
        error =
            std::string("The sound device failed: ") + audio_object_strerror(audio.get(), written);
    // A stopped text should fall silent at once, not after what the device still holds.
    if (stopped || error)
        audio_object_flush(audio.get());
    else
        audio_object_drain(audio.get());
    audio_object_close(audio.get());
    return error;
}
