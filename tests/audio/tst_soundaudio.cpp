#include "core/sound/wavefile.h"
#include "platform/sound/soundcontrol.h"
#include "testwave.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using velkaram::SoundControl;

// A quarter second louder than this is sound; the null sink is otherwise 0.
constexpr double Audible = 0.005;

// The Sound control heard through a real audio server: soundaudio.sh starts
// a private PulseAudio with a null sink, and this suite records the sink's
// monitor while it sends the commands.
class TestSoundAudio : public QObject {
    Q_OBJECT

    static constexpr int rate = 16000; // recorded mono, 16-bit
    static constexpr qint64 bytesPerMs = rate * 2 / 1000;

    QTemporaryDir dir_;
    QString wave_;
    QProcess recorder_;
    QByteArray recorded_;

    // Waits for the next `ms` of recording and returns its RMS, 1.0 being
    // full scale. The recording is the clock: no timer is involved.
    double rmsOfNext(int ms)
    {
        const qint64 from = recorded_.size() & ~qint64(1);
        const qint64 to = from + ms * bytesPerMs;
        if (!QTest::qWaitFor([&] { return recorded_.size() >= to; }, ms + 5000))
            return -1;
        double sum = 0;
        const auto *samples = reinterpret_cast<const qint16 *>(recorded_.constData() + from);
        const qint64 n = (to - from) / 2;
        for (qint64 i = 0; i < n; ++i)
            sum += double(samples[i]) * samples[i];
        return std::sqrt(sum / n) / 32768.0;
    }
    // Lets the server's buffers catch up with a command, then measures.
    double rmsAfterCommand(const char *what)
    {
        rmsOfNext(400);
        const double rms = rmsOfNext(500);
        qInfo("RMS after %s: %.6f", what, rms);
        return rms;
    }
    // The loudest quarter second until the track is heard, or of the next
    // eight seconds: the shipped track fades in, and a loaded machine may
    // take a few seconds to start it. Silence is what fails.
    double loudestAfterCommand(const char *what)
    {
        double loudest = -1;
        int ms = 0;
        while (ms < 8000 && loudest <= Audible) {
            loudest = qMax(loudest, rmsOfNext(250));
            ms += 250;
        }
        qInfo("loudest RMS (250 ms) after %s: %.6f, within %d ms", what, loudest, ms);
        return loudest;
    }
    double loudestOfNext(int ms)
    {
        double loudest = -1;
        for (int i = 0; i < ms / 250; ++i)
            loudest = qMax(loudest, rmsOfNext(250));
        return loudest;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        // The program's own track when the build has made it and it is long
        // enough for the measurements; otherwise a tone.
        const QString shipped = QStringLiteral(VELKARAM_BUILD_DIR "/kelvra.wav");
        if (velkaram::probeWaveFile(shipped).lengthMs >= 5000) {
            wave_ = shipped;
        } else {
            wave_ = dir_.filePath(QStringLiteral("tone.wav"));
            QVERIFY(writeTestWave(wave_, 6000, 16000, 440.0, 0.5));
        }
        qInfo("playing %s", qPrintable(wave_));

        connect(&recorder_, &QProcess::readyReadStandardOutput, this,
                [this] { recorded_ += recorder_.readAllStandardOutput(); });
        recorder_.start(QStringLiteral("parec"),
                        {"--device=test_sink.monitor", "--format=s16le", "--channels=1",
                         QStringLiteral("--rate=%1").arg(rate), "--latency-msec=50"});
        QVERIFY2(recorder_.waitForStarted(5000), "parec cannot start");
        // parec delivers nothing for its first second or so.
        QVERIFY2(QTest::qWaitFor([this] { return recorded_.size() > 0; }, 10000),
                 "no recording from test_sink.monitor: run this suite through soundaudio.sh");
    }

    void cleanupTestCase()
    {
        recorder_.terminate();
        if (!recorder_.waitForFinished(3000))
            recorder_.kill();
    }

    void playStopPrevPlay()
    {
        QCOMPARE(rmsAfterCommand("nothing"), 0.0);

        SoundControl sound;
        sound.setDeviceType(QStringLiteral("waveaudio"));
        sound.setFileName(wave_);
        sound.setCommand(QStringLiteral("open"));
        sound.setCommand(QStringLiteral("play"));
        QVERIFY(loudestAfterCommand("open, play") > Audible);

        sound.setCommand(QStringLiteral("stop"));
        QCOMPARE(rmsAfterCommand("stop"), 0.0);

        sound.setCommand(QStringLiteral("prev"));
        sound.setCommand(QStringLiteral("play"));
        QVERIFY(loudestAfterCommand("prev, play") > Audible);

        sound.setCommand(QStringLiteral("close"));
        QCOMPARE(rmsAfterCommand("close"), 0.0);
    }

    // The about box loops its track this way: at the end it sends "prev",
    // "play". Each pass must be heard again, not only counted by the clock.
    void endPrevPlayIsHeardEachPass()
    {
        const QString tone = dir_.filePath(QStringLiteral("short.wav"));
        QVERIFY(writeTestWave(tone, 1500, 16000, 660.0, 0.5));
        SoundControl sound;
        sound.setDeviceType(QStringLiteral("waveaudio"));
        sound.setFileName(tone);
        int ends = 0;
        connect(&sound, &SoundControl::StatusUpdate, this, [&] {
            if (sound.position() == sound.length()) {
                ++ends;
                sound.setCommand(QStringLiteral("prev"));
                sound.setCommand(QStringLiteral("play"));
            }
        });
        sound.setCommand(QStringLiteral("open"));
        sound.setCommand(QStringLiteral("play"));
        for (int pass = 1; pass <= 3; ++pass) {
            QVERIFY2(QTest::qWaitFor([&] { return ends >= pass; }, 10000),
                     qPrintable(QStringLiteral("pass %1 never ended").arg(pass)));
            QVERIFY2(loudestOfNext(1000) > 0.05, qPrintable(QStringLiteral("pass %1 silent").arg(pass + 1)));
        }
        sound.setCommand(QStringLiteral("close"));
    }
};

QTEST_MAIN(TestSoundAudio)
#include "tst_soundaudio.moc"
