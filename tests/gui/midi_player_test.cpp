// The background-music player: MIDI data checks, rendering default.mid to sound, the loop that
// restarts the music at each end, and silence on every failure.
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "gui/gui_test.h"
#include "platform/qt/midi_player.h"

namespace {

std::string BigEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// A format-0 MIDI file with one track holding the given events (delta times included).
QByteArray MidiFile(const std::string& events) {
    const std::string track = events + std::string("\x00\xff\x2f\x00", 4);
    const std::string file = "MThd" + BigEndian(6, 4) + BigEndian(0, 2) + BigEndian(1, 2) + BigEndian(480, 2) +
                             "MTrk" + BigEndian(static_cast<std::uint32_t>(track.size()), 4) + track;
    return QByteArray(file.data(), static_cast<qsizetype>(file.size()));
}

// One short closed hi-hat: the shortest sound that still counts as music.
QByteArray ShortTune() { return MidiFile(std::string("\x00\x99\x2a\x64\x60\x89\x2a\x00", 8)); }

QByteArray DefaultTune() {
    QFile file(QStringLiteral(":/default.mid"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct WavLevels {
    std::size_t samples = 0;
    int peak = 0;
    double rms = 0;
};

// Measures the 16-bit PCM samples of a WAV file, wherever its data chunk lies.
WavLevels MeasureWav(const std::string& bytes) {
    WavLevels levels;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return levels;
    auto number = [&](std::size_t at, std::size_t size) {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes.data() + at, size);
        return value;
    };
    std::uint32_t bitsPerSample = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size(); at += 8 + number(at + 4, 4) + (number(at + 4, 4) & 1)) {
        const std::size_t body = at + 8, end = std::min<std::size_t>(bytes.size(), body + number(at + 4, 4));
        if (bytes.compare(at, 4, "fmt ") == 0 && body + 16 <= bytes.size()) bitsPerSample = number(body + 14, 2);
        if (bytes.compare(at, 4, "data") != 0 || bitsPerSample != 16) continue;
        double sum = 0;
        for (std::size_t i = body; i + 1 < end; i += 2, ++levels.samples) {
            std::int16_t sample = 0;
            std::memcpy(&sample, bytes.data() + i, 2);
            levels.peak = std::max(levels.peak, std::abs(static_cast<int>(sample)));
            sum += static_cast<double>(sample) * sample;
        }
        levels.rms = levels.samples > 0 ? std::sqrt(sum / static_cast<double>(levels.samples)) : 0;
        break;
    }
    return levels;
}

class MidiPlayerTest : public testing::Test {
protected:
    void SetUp() override {
        if (CMidiPlayer::FindSoundFont().empty()) GTEST_SKIP() << "no General MIDI sound font installed";
    }
    TempDir dir_;
};

TEST(MidiDataTest, TellsStandardMidiFilesFromOtherData) {
    const QByteArray tune = ShortTune();
    EXPECT_TRUE(CMidiPlayer::IsMidiData(tune));
    EXPECT_TRUE(CMidiPlayer::IsMidiData(DefaultTune())) << "default.mid is missing from the resources or broken";
    QByteArray noTracks = tune.left(14);
    noTracks[11] = 0;
    for (const QByteArray& other : {QByteArray(), QByteArray("RIFF....WAVEfmt "), tune.left(14) /* no track */,
                                    tune.left(tune.size() - 1) /* track cut short */, noTracks}) {
        EXPECT_FALSE(CMidiPlayer::IsMidiData(other)) << other.toHex().toStdString();
    }
}

TEST_F(MidiPlayerTest, DefaultTuneRendersAsAudibleSoundAndATuneWithoutNotesAsSilence) {
    ASSERT_TRUE(CMidiPlayer::RenderToWav(DefaultTune(), dir_ / "default.wav", 3.0));
    const WavLevels levels = MeasureWav(ReadFileBytes(dir_ / "default.wav"));
    EXPECT_GE(levels.samples, 2u * 44100u * 3u - 2u * 64u) << "three seconds of stereo sound expected";
    EXPECT_GT(levels.peak, 2000);
    EXPECT_GT(levels.rms, 200.0);
    // Guards the measurement: the renderer's output is only loud when there is music.
    ASSERT_TRUE(CMidiPlayer::RenderToWav(MidiFile(std::string("\x83\x60\xff\x01\x01x", 6)), dir_ / "silent.wav", 1.0));
    const WavLevels silent = MeasureWav(ReadFileBytes(dir_ / "silent.wav"));
    EXPECT_GT(silent.samples, 0u);
    EXPECT_LT(silent.peak, 16);
}

TEST_F(MidiPlayerTest, MusicStartsAgainAtEveryEnd) {
    CMidiPlayer player;
    player.UseFileOutput(dir_ / "loop.wav");
    ASSERT_TRUE(player.CheckAvailability());
    ASSERT_TRUE(player.OpenData(ShortTune()));
    QObject::connect(&player, &CMidiPlayer::Finished, &player, [&player] { player.Play(); });
    QSignalSpy ends(&player, &CMidiPlayer::Finished);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(player.Play());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ends.count() >= 3; }, 20000)) << "ends seen: " << ends.count();
    // The tune lasts a tenth of a second: each end is noticed within the check's period rather
    // than after the last note has rung out.
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(player.IsOpen());
    player.Close();
    EXPECT_FALSE(player.IsOpen());
    const int seen = static_cast<int>(ends.count());
    QTest::qWait(600);
    EXPECT_EQ(ends.count(), seen) << "no end is reported after closing";
}

TEST_F(MidiPlayerTest, EveryFailureLeavesTheMusicOffQuietlyAndATuneThatPlaysNothingIsNotLooped) {
    CMidiPlayer player;
    EXPECT_FALSE(player.OpenData(ShortTune())) << "open before the availability check";
    EXPECT_FALSE(player.Play());
    player.UseFileOutput(dir_ / "out.wav");
    ASSERT_TRUE(player.CheckAvailability());
    EXPECT_FALSE(player.Open(dir_ / "missing.mid"));
    WriteFileBytes(dir_ / "text.mid", "not a MIDI file at all");
    EXPECT_FALSE(player.Open(dir_ / "text.mid"));
    EXPECT_FALSE(player.IsOpen());
    EXPECT_FALSE(player.Play());
    player.Close();
    player.Close();

    ASSERT_TRUE(player.CheckAvailability());  // closing let the output go
    ASSERT_TRUE(player.OpenData(MidiFile(std::string())));
    QSignalSpy ends(&player, &CMidiPlayer::Finished);
    ASSERT_TRUE(player.Play());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !player.IsOpen(); }, 10000));
    EXPECT_EQ(ends.count(), 0);
}

}  // namespace
