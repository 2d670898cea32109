#pragma once
// Background music: one MIDI file played from its start on the system's General MIDI sound font
// through FluidSynth. The end of playing is reported with Finished() on the thread that owns the
// player, so the owner can start it again. Setting up the synthesizer, its audio output and the
// sound font takes a noticeable part of a second, so PlayLater does that on a worker thread.
// Every failure (no sound font, no audio output, a file that is missing or not MIDI) leaves the
// music off without a word: the calls just return false.
#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <vector>

#include <fluidsynth/types.h>

class CMidiPlayer : public QObject {
    Q_OBJECT

public:
    explicit CMidiPlayer(QObject* parent = nullptr);
    ~CMidiPlayer() override;
    CMidiPlayer(const CMidiPlayer&) = delete;
    CMidiPlayer& operator=(const CMidiPlayer&) = delete;

    // Sets up the synthesizer and an audio output (PulseAudio or PipeWire, then ALSA); false when
    // there is no sound font or no output. Calling it again after success does nothing more.
    bool CheckAvailability();
    // Takes the music from a file on disk, or from a file held in memory.
    // Needs CheckAvailability first; false, with the music off, when the data is not MIDI.
    bool Open(const std::filesystem::path& midiFile);
    bool OpenData(const QByteArray& midiData);
    // Plays from the start; Finished() follows when the music ends (not after Close).
    bool Play();
    // CheckAvailability, Open and Play, the first two on a worker thread: the music starts on this
    // thread once they are done, unless Close (or another start) came first. Nothing is told of
    // failures, nor of the start: IsOpen() turns true when the music plays.
    void PlayLater(const std::filesystem::path& midiFile);
    // Stops the music and releases the output and the synthesizer; a start still being prepared
    // will not play. Safe to call at any time.
    void Close();
    // Sends the music, in real time, to a WAV file instead of a sound card (for tests and for
    // machines without one). Takes effect at the next CheckAvailability or PlayLater.
    void UseFileOutput(const std::filesystem::path& wavFile);

    bool IsOpen() const { return !midiData_.isEmpty(); }
    bool IsPlaying() const { return engine_ != nullptr; }

    // The first General MIDI sound font of the system, or an empty path when there is none.
    static std::filesystem::path FindSoundFont();
    // Whether data looks like a standard MIDI file: the header and every announced track present.
    static bool IsMidiData(const QByteArray& data);
    // Renders the first `seconds` of data into a WAV file with FluidSynth's file renderer, as fast
    // as the machine allows (no audio device needed); false when anything is missing.
    static bool RenderToWav(const QByteArray& midiData, const std::filesystem::path& wavFile, double seconds);

signals:
    void Finished();

private:
    struct CEngine;   // the synthesizer with its player and audio output
    struct CPending;  // a start being prepared on a worker thread

    static std::shared_ptr<CEngine> MakeEngine();  // without its output
    static bool StartOutput(CEngine& engine, const std::vector<const char*>& outputDrivers,
                            const std::filesystem::path& fileOutput);
    static bool Load(CEngine& engine, const QByteArray& midiData);
    static int ForwardEvent(void* data, fluid_midi_event_t* event);
    void Adopt(const std::shared_ptr<CPending>& pending);
    void CheckForEnd();

    std::shared_ptr<CEngine> engine_;
    std::shared_ptr<CPending> pending_;
    std::vector<const char*> outputDrivers_{"pulseaudio", "pipewire", "alsa"};
    std::filesystem::path fileOutput_;
    QByteArray midiData_;
    QTimer endCheck_;
};
