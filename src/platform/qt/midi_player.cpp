#include "platform/qt/midi_player.h"

#include <fluidsynth.h>

#include <QThreadPool>

#include <array>
#include <atomic>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
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

std::optional<QByteArray> ReadFile(const std::filesystem::path& file) {
    if (!IsFile(file)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) return std::nullopt;
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::uint32_t ReadBigEndian(const QByteArray& data, qsizetype at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    return value;
}

}  // namespace

struct CMidiPlayer::CEngine {
    CEngine() = default;
    CEngine(const CEngine&) = delete;
    CEngine& operator=(const CEngine&) = delete;
    // The output stops pulling samples before the player goes: FluidSynth does not allow deleting
    // the player while it renders.
    ~CEngine() {
        if (driver != nullptr) delete_fluid_audio_driver(driver);
        if (player != nullptr) {
            fluid_player_stop(player);
            delete_fluid_player(player);
        }
        if (synth != nullptr) delete_fluid_synth(synth);
        if (settings != nullptr) delete_fluid_settings(settings);
    }

    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    std::filesystem::path soundFont;
    std::atomic<int> eventsPlayed{0};  // written by the audio thread
};

// What the worker hands back. The player may close or go while the worker runs: it clears
// `receiver` under the lock first, so the worker posts only to a player that still exists.
struct CMidiPlayer::CPending {
    std::mutex mutex;
    CMidiPlayer* receiver = nullptr;
    std::shared_ptr<CEngine> engine;  // set up and loaded, or null after a failure
    QByteArray midiData;
};

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

std::shared_ptr<CMidiPlayer::CEngine> CMidiPlayer::MakeEngine() {
    auto engine = std::make_shared<CEngine>();
    engine->soundFont = FindSoundFont();
    if (engine->soundFont.empty()) return nullptr;
    engine->settings = MakeSettings();
    if (engine->settings != nullptr) engine->synth = new_fluid_synth(engine->settings);
    // The player exists before the audio output starts pulling samples.
    if (engine->synth != nullptr) engine->player = new_fluid_player(engine->synth);
    if (engine->player == nullptr) return nullptr;
    fluid_player_set_playback_callback(engine->player, &CMidiPlayer::ForwardEvent, engine.get());
    return engine;
}

bool CMidiPlayer::StartOutput(CEngine& engine, const std::vector<const char*>& outputDrivers,
                              const std::filesystem::path& fileOutput) {
    if (!fileOutput.empty()) fluid_settings_setstr(engine.settings, "audio.file.name", fileOutput.c_str());
    for (const char* name : outputDrivers) {
        if (fluid_settings_setstr(engine.settings, "audio.driver", name) != FLUID_OK) continue;
        engine.driver = new_fluid_audio_driver(engine.settings, engine.synth);
        if (engine.driver != nullptr) return true;
    }
    return false;
}

bool CMidiPlayer::CheckAvailability() {
    if (engine_ != nullptr) return true;
    Close();
    engine_ = MakeEngine();
    if (engine_ != nullptr && !StartOutput(*engine_, outputDrivers_, fileOutput_)) engine_.reset();
    return engine_ != nullptr;
}

void CMidiPlayer::UseFileOutput(const std::filesystem::path& wavFile) {
    Close();
    fileOutput_ = wavFile;
    outputDrivers_ = {"file"};
}

bool CMidiPlayer::Open(const std::filesystem::path& midiFile) {
    if (engine_ == nullptr) return false;
    const std::optional<QByteArray> data = ReadFile(midiFile);
    return data && OpenData(*data);
}

bool CMidiPlayer::Load(CEngine& engine, const QByteArray& midiData) {
    if (!IsMidiData(midiData)) return false;
    if (fluid_synth_sfload(engine.synth, engine.soundFont.c_str(), 1) == FLUID_FAILED) return false;
    return fluid_player_add_mem(engine.player, midiData.constData(), static_cast<size_t>(midiData.size())) == FLUID_OK;
}

bool CMidiPlayer::OpenData(const QByteArray& midiData) {
    if (engine_ == nullptr || IsOpen() || !Load(*engine_, midiData)) return false;
    midiData_ = midiData;
    return true;
}

bool CMidiPlayer::Play() {
    if (!IsOpen()) return false;
    engine_->eventsPlayed = 0;
    fluid_player_seek(engine_->player, 0);
    if (fluid_player_play(engine_->player) != FLUID_OK) return false;
    endCheck_.start();
    return true;
}

void CMidiPlayer::PlayLater(const std::filesystem::path& midiFile) {
    Close();
    pending_ = std::make_shared<CPending>();
    pending_->receiver = this;
    QThreadPool::globalInstance()->start(
        [pending = pending_, midiFile, drivers = outputDrivers_, fileOutput = fileOutput_] {
            std::shared_ptr<CEngine> engine;
            const std::optional<QByteArray> data = ReadFile(midiFile);
            // The sound font is read before the output starts, which would take turns with it.
            if (data && IsMidiData(*data)) engine = MakeEngine();
            if (engine && (!Load(*engine, *data) || !StartOutput(*engine, drivers, fileOutput))) engine.reset();
            const std::lock_guard lock(pending->mutex);
            if (pending->receiver == nullptr) return;  // closed meanwhile: the engine goes here
            pending->engine = std::move(engine);
            if (data) pending->midiData = *data;
            CMidiPlayer* receiver = pending->receiver;
            // Dropped unheard if the player goes before the call is delivered.
            QMetaObject::invokeMethod(receiver, [receiver, pending] { receiver->Adopt(pending); }, Qt::QueuedConnection);
        });
}

void CMidiPlayer::Adopt(const std::shared_ptr<CPending>& pending) {
    if (pending != pending_) return;  // closed, or started again, since
    pending_.reset();
    const std::lock_guard lock(pending->mutex);
    if (pending->engine == nullptr) return;
    engine_ = std::move(pending->engine);
    midiData_ = pending->midiData;
    if (!Play()) Close();
}

int CMidiPlayer::ForwardEvent(void* data, fluid_midi_event_t* event) {
    auto* engine = static_cast<CEngine*>(data);
    engine->eventsPlayed.fetch_add(1, std::memory_order_relaxed);
    return fluid_synth_handle_midi_event(engine->synth, event);
}

void CMidiPlayer::CheckForEnd() {
    if (engine_ == nullptr) return;
    fluid_player_t* player = engine_->player;
    const int status = fluid_player_get_status(player);
    const int total = fluid_player_get_total_ticks(player);
    const int tick = fluid_player_get_current_tick(player);
    // The music ends with its last event. FluidSynth reports "done" only after letting the last
    // notes ring for up to two seconds more, which would leave a gap in the loop. Until an event
    // of this play has sounded, the position may still be the one before the jump to the start.
    const bool started = engine_->eventsPlayed.load(std::memory_order_relaxed) > 0;
    const bool lastEventPlayed = started && status == FLUID_PLAYER_PLAYING && total > 0 && tick >= total;
    if (status != FLUID_PLAYER_DONE && !lastEventPlayed) return;
    endCheck_.stop();
    // A file that FluidSynth could not read ends before its first event; looping it would only
    // spin, so the music goes off instead.
    if (engine_->eventsPlayed.load(std::memory_order_relaxed) == 0) {
        Close();
        return;
    }
    emit Finished();
}

void CMidiPlayer::Close() {
    if (pending_ != nullptr) {
        const std::lock_guard lock(pending_->mutex);
        pending_->receiver = nullptr;
    }
    pending_.reset();
    endCheck_.stop();
    engine_.reset();
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
