#include "platform/qt/midi_player.h"

#include <fluidsynth.h>

#include <array>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

namespace {

// FluidSynth writes its warnings and errors to stderr; the music is meant to fail silently.
void SilenceFluidSynthLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
    });
}

fluid_settings_t* MakeSettings() {
    SilenceFluidSynthLog();
    fluid_settings_t* settings = new_fluid_settings();
    if (settings == nullptr) return nullptr;
    // Samples are read when an instrument is first chosen, so opening a large General MIDI font
    // takes milliseconds instead of most of a second.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setnum(settings, "synth.gain", 0.4);
    return settings;
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::uint32_t ReadBigEndian(const QByteArray& data, qsizetype at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    return value;
}

}  // namespace

CMidiPlayer::CMidiPlayer(QObject* parent) : QObject(parent) {
    // FluidSynth has no end-of-song callback; a short check on this thread turns the player's
    // "done" status into Finished(), so the owner never sees a call from the audio thread.
    endCheck_.setInterval(200);
    connect(&endCheck_, &QTimer::timeout, this, &CMidiPlayer::CheckForEnd);
}

CMidiPlayer::~CMidiPlayer() { Close(); }

std::filesystem::path CMidiPlayer::FindSoundFont() {
    SilenceFluidSynthLog();
    std::vector<std::filesystem::path> candidates;
    if (fluid_settings_t* settings = new_fluid_settings()) {
        char* configured = nullptr;
        if (fluid_settings_dupstr(settings, "synth.default-soundfont", &configured) == FLUID_OK && configured) {
            candidates.emplace_back(configured);
            fluid_free(configured);
        }
        delete_fluid_settings(settings);
    }
    for (const char* path : {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                             "/usr/share/sounds/sf3/default-GM.sf3", "/usr/share/sounds/sf2/TimGM6mb.sf2",
                             "/usr/share/soundfonts/default.sf2", "/usr/share/soundfonts/FluidR3_GM.sf2",
                             "/usr/share/soundfonts/FluidR3_GM2-2.sf2", "/usr/share/sounds/sf2/GeneralUser_GS.sf2"}) {
        candidates.emplace_back(path);
    }
    for (const auto& candidate : candidates) {
        if (IsFile(candidate) && fluid_is_soundfont(candidate.c_str())) return candidate;
    }
    return {};
}

bool CMidiPlayer::IsMidiData(const QByteArray& data) {
    if (data.size() < 14 || !data.startsWith("MThd") || ReadBigEndian(data, 4, 4) < 6) return false;
    const std::uint32_t tracks = ReadBigEndian(data, 10, 2);
    if (tracks == 0 || ReadBigEndian(data, 12, 2) == 0) return false;
    qsizetype at = 8 + static_cast<qsizetype>(ReadBigEndian(data, 4, 4));
    // Every announced track must be there whole; FluidSynth would otherwise stop at once.
    for (std::uint32_t track = 0; track < tracks; ++track) {
        if (at + 8 > data.size() || data.mid(at, 4) != "MTrk") return false;
        at += 8 + static_cast<qsizetype>(ReadBigEndian(data, at + 4, 4));
        if (at > data.size()) return false;
    }
    return true;
}

bool CMidiPlayer::CheckAvailability() {
    if (driver_ != nullptr) return true;
    Close();
    soundFontPath_ = FindSoundFont();
    if (soundFontPath_.empty()) return false;
    settings_ = MakeSettings();
    if (settings_ != nullptr) synth_ = new_fluid_synth(settings_);
    // The player exists before the audio output starts pulling samples and is deleted after the
    // output has stopped: FluidSynth does not allow either while it renders.
    if (synth_ != nullptr) player_ = new_fluid_player(synth_);
    if (player_ == nullptr) {
        Close();
        return false;
    }
    fluid_player_set_playback_callback(player_, &CMidiPlayer::ForwardEvent, this);
    if (!fileOutput_.empty()) fluid_settings_setstr(settings_, "audio.file.name", fileOutput_.c_str());
    for (const char* name : outputDrivers_) {
        if (fluid_settings_setstr(settings_, "audio.driver", name) != FLUID_OK) continue;
        driver_ = new_fluid_audio_driver(settings_, synth_);
        if (driver_ != nullptr) return true;
    }
    Close();
    return false;
}

void CMidiPlayer::UseFileOutput(const std::filesystem::path& wavFile) {
    Close();
    fileOutput_ = wavFile;
    outputDrivers_ = {"file"};
}

bool CMidiPlayer::Open(const std::filesystem::path& midiFile) {
    if (driver_ == nullptr || !IsFile(midiFile)) return false;
    std::ifstream in(midiFile, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) return false;
    return OpenData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool CMidiPlayer::OpenData(const QByteArray& midiData) {
    if (driver_ == nullptr || IsOpen() || !IsMidiData(midiData)) return false;
    if (fluid_synth_sfload(synth_, soundFontPath_.c_str(), 1) == FLUID_FAILED) return false;
    if (fluid_player_add_mem(player_, midiData.constData(), static_cast<size_t>(midiData.size())) != FLUID_OK) {
        return false;
    }
    midiData_ = midiData;
    return true;
}

bool CMidiPlayer::Play() {
    if (!IsOpen()) return false;
    eventsPlayed_ = 0;
    fluid_player_seek(player_, 0);
    if (fluid_player_play(player_) != FLUID_OK) return false;
    endCheck_.start();
    return true;
}

int CMidiPlayer::ForwardEvent(void* data, fluid_midi_event_t* event) {
    auto* self = static_cast<CMidiPlayer*>(data);
    self->eventsPlayed_.fetch_add(1, std::memory_order_relaxed);
    return fluid_synth_handle_midi_event(self->synth_, event);
}

void CMidiPlayer::CheckForEnd() {
    if (player_ == nullptr) return;
    const int status = fluid_player_get_status(player_);
    const int total = fluid_player_get_total_ticks(player_);
    const int tick = fluid_player_get_current_tick(player_);
    // The music ends with its last event. FluidSynth reports "done" only after letting the last
    // notes ring for up to two seconds more, which would leave a gap in the loop. Until an event
    // of this play has sounded, the position may still be the one before the jump to the start.
    const bool started = eventsPlayed_.load(std::memory_order_relaxed) > 0;
    const bool lastEventPlayed = started && status == FLUID_PLAYER_PLAYING && total > 0 && tick >= total;
    if (status != FLUID_PLAYER_DONE && !lastEventPlayed) return;
    endCheck_.stop();
    // A file that FluidSynth could not read ends before its first event; looping it would only
    // spin, so the music goes off instead.
    if (eventsPlayed_.load(std::memory_order_relaxed) == 0) {
        Close();
        return;
    }
    emit Finished();
}

void CMidiPlayer::Close() {
    endCheck_.stop();
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
    driver_ = nullptr;
    if (player_ != nullptr) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
    }
    player_ = nullptr;
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    synth_ = nullptr;
    if (settings_ != nullptr) delete_fluid_settings(settings_);
    settings_ = nullptr;
    midiData_.clear();
}

bool CMidiPlayer::RenderToWav(const QByteArray& midiData, const std::filesystem::path& wavFile, double seconds) {
    const std::filesystem::path soundFont = FindSoundFont();
    if (soundFont.empty() || !IsMidiData(midiData) || seconds <= 0) return false;
    fluid_settings_t* settings = MakeSettings();
    if (settings == nullptr) return false;
    fluid_settings_setstr(settings, "audio.file.name", wavFile.c_str());
    fluid_settings_setstr(settings, "audio.file.type", "wav");
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    bool rendered = false;
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_player_t* player = synth ? new_fluid_player(synth) : nullptr;
    if (player != nullptr && fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED &&
        fluid_player_add_mem(player, midiData.constData(), static_cast<size_t>(midiData.size())) == FLUID_OK &&
        fluid_player_play(player) == FLUID_OK) {
        if (fluid_file_renderer_t* renderer = new_fluid_file_renderer(synth)) {
            double sampleRate = 44100;
            int periodSize = 64;
            fluid_settings_getnum(settings, "synth.sample-rate", &sampleRate);
            fluid_settings_getint(settings, "audio.period-size", &periodSize);
            const long blocks = static_cast<long>(seconds * sampleRate / periodSize) + 1;
            rendered = true;
            for (long block = 0; block < blocks && rendered; ++block) {
                rendered = fluid_file_renderer_process_block(renderer) == FLUID_OK;
            }
            delete_fluid_file_renderer(renderer);
        }
    }
    if (player != nullptr) {
        fluid_player_stop(player);
        delete_fluid_player(player);
    }
    if (synth != nullptr) delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return rendered && IsFile(wavFile);
}
