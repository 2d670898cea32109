// The background-music player: MIDI data checks, rendering default.mid to sound, the loop that
// restarts the music at each end, and silence on every failure.
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <cstdint>
#include <cstring>

#include "gui/gui_test.h"
#include "platform/qt/midi_player.h"

namespace {

// A format-0 MIDI file of 480 ticks a beat with one track holding the given events (delta
// times included).
QByteArray MidiFile(std::string events) {
    events += std::string("\x00\xff\x2f\x00", 4);
    const std::uint32_t size = static_cast<std::uint32_t>(events.size());
    const char length[] = {char(size >> 24), char(size >> 16), char(size >> 8), char(size)};
    return QByteArray(std::string("MThd\0\0\0\6\0\0\0\1\x01\xe0MTrk", 18).append(length, 4).append(events).c_str(),
                      static_cast<qsizetype>(22 + events.size()));
}

// One short closed hi-hat: the shortest sound that still counts as music.
QByteArray ShortTune() { return MidiFile(std::string("\x00\x99\x2a\x64\x60\x89\x2a\x00", 8)); }

QByteArray DefaultTune() {
    QFile file(QStringLiteral(":/default.mid"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

TEST_F(MidiPlayerTest, DefaultTuneRendersAsAudibleSound) {
    ASSERT_TRUE(CMidiPlayer::RenderToWav(DefaultTune(), dir_ / "default.wav", 3.0));
    const std::string wav = ReadFileBytes(dir_ / "default.wav");
    const std::size_t data = wav.find("data", 12);  // 16-bit stereo samples follow the chunk's size
    ASSERT_NE(data, std::string::npos);
    std::vector<std::int16_t> samples((wav.size() - data - 8) / 2);
    std::memcpy(samples.data(), wav.data() + data + 8, samples.size() * 2);
    EXPECT_GE(samples.size(), 2u * 44100u * 3u - 2u * 64u) << "three seconds of stereo sound expected";
    int peak = 0;
    for (std::int16_t sample : samples) peak = std::max(peak, std::abs(static_cast<int>(sample)));
    EXPECT_GT(peak, 2000);
}

TEST_F(MidiPlayerTest, FailuresLeaveTheMusicOffAndMusicStartsAgainAtEveryEnd) {
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

    ASSERT_TRUE(player.CheckAvailability());
    ASSERT_TRUE(player.OpenData(ShortTune()));
    QObject::connect(&player, &CMidiPlayer::Finished, &player, [&player] { player.Play(); });
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

}  // namespace
