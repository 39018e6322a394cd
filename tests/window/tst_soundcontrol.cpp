#include "platform/sound/audiologging.h"
#include "platform/sound/soundcontrol.h"
#include "testwave.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using velkaram::SoundControl;

// The Sound control over the real player. No audio server is needed: without
// one GStreamer plays silently with the right timing.
class TestSoundControl : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString short_; // 300 ms
    QString long_;  // 600 ms

    static void openAndPlay(SoundControl &sound, const QString &file)
    {
        sound.setDeviceType(QStringLiteral("waveaudio"));
        sound.setFileName(file);
        sound.setCommand(QStringLiteral("open"));
        sound.setCommand(QStringLiteral("play"));
    }
    // Counts the notifications that report the end.
    static std::shared_ptr<int> countEnds(SoundControl &sound)
    {
        auto ends = std::make_shared<int>(0);
        QObject::connect(&sound, &SoundControl::StatusUpdate, &sound, [&sound, ends] {
            if (sound.length() > 0 && sound.position() == sound.length())
                ++*ends;
        });
        return ends;
    }

private slots:
    void initTestCase()
    {
        // What the program does where it starts.
        velkaram::quietAudioLogging();
        QVERIFY(dir_.isValid());
        short_ = dir_.filePath(QStringLiteral("short.wav"));
        long_ = dir_.filePath(QStringLiteral("long.wav"));
        QVERIFY(writeTestWave(short_, 300));
        QVERIFY(writeTestWave(long_, 600));
        QFile garbage(dir_.filePath(QStringLiteral("garbage.wav")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4000, 'g'));
    }

    void init()
    {
        // The player stays quiet on the terminal, with or without a server.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    }

    void playsToTheEnd()
    {
        SoundControl sound;
        auto ends = countEnds(sound);
        QSignalSpy spy(&sound, &SoundControl::StatusUpdate);
        openAndPlay(sound, short_);
        QCOMPARE(sound.length(), 300);
        QCOMPARE(sound.position(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(*ends >= 1, 5000);
        QCOMPARE(sound.position(), sound.length());
        QCOMPARE(sound.length(), 300);
        QVERIFY(spy.count() >= 1);
    }

    // The about box loops its track by sending "prev", "play" from its
    // notification handler when the position equals the length.
    void loopsFromTheHandler()
    {
        SoundControl sound;
        int loops = 0;
        bool endAfterLastLoop = false;
        qint64 lowestAfterLoop = -1;
        connect(&sound, &SoundControl::StatusUpdate, this, [&] {
            if (sound.position() == sound.length()) {
                endAfterLastLoop = loops == 2;
                if (loops < 2) {
                    ++loops;
                    sound.setCommand(QStringLiteral("prev"));
                    sound.setCommand(QStringLiteral("play"));
                    QCOMPARE(sound.position(), 0);
                }
            } else if (loops > 0) {
                lowestAfterLoop = lowestAfterLoop < 0 ? sound.position()
                                                      : qMin(lowestAfterLoop, sound.position());
            }
        });
        openAndPlay(sound, short_);
        QTRY_VERIFY_WITH_TIMEOUT(endAfterLastLoop, 8000);
        QCOMPARE(loops, 2);
        QVERIFY(lowestAfterLoop >= 0);
        QVERIFY(lowestAfterLoop < sound.length());
    }

    // A command that cannot be carried out does nothing, and the same
    // instance plays a good file afterwards.
    void failuresLeaveItUsable_data()
    {
        QTest::addColumn<QString>("deviceType");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("missing file") << "waveaudio" << "absent.wav" << QStringList{"open", "play"};
        QTest::newRow("garbage file") << "waveaudio" << "garbage.wav" << QStringList{"open", "play"};
        QTest::newRow("play before open") << "waveaudio" << "short.wav" << QStringList{"play", "prev", "stop"};
        QTest::newRow("close when closed") << "waveaudio" << "short.wav" << QStringList{"close", "close"};
        QTest::newRow("other device") << "sequencer" << "short.wav" << QStringList{"open", "play"};
        QTest::newRow("unknown words") << "waveaudio" << "short.wav" << QStringList{"record", "eject"};
    }
    void failuresLeaveItUsable()
    {
        QFETCH(QString, deviceType);
        QFETCH(QString, fileName);
        QFETCH(QStringList, commands);
        SoundControl sound;
        QSignalSpy spy(&sound, &SoundControl::StatusUpdate);
        sound.setDeviceType(deviceType);
        sound.setFileName(dir_.filePath(fileName));
        for (const QString &c : commands)
            sound.setCommand(c);
        QCOMPARE(sound.length(), 0);
        QCOMPARE(sound.position(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);

        auto ends = countEnds(sound);
        openAndPlay(sound, short_);
        QTRY_VERIFY_WITH_TIMEOUT(*ends >= 1, 5000);
        QCOMPARE(sound.position(), 300);
    }

    void instancesAreIndependent()
    {
        SoundControl first;
        SoundControl second;
        auto firstEnds = countEnds(first);
        auto secondEnds = countEnds(second);
        openAndPlay(first, long_);
        openAndPlay(second, long_);
        QTRY_VERIFY_WITH_TIMEOUT(first.position() > 0, 5000);
        first.setCommand(QStringLiteral("stop"));
        const qint64 stoppedAt = first.position();
        QVERIFY(stoppedAt < first.length());

        QTRY_VERIFY_WITH_TIMEOUT(*secondEnds >= 1, 5000);
        QCOMPARE(*firstEnds, 0);
        QCOMPARE(first.position(), stoppedAt);

        second.setCommand(QStringLiteral("close"));
        QCOMPARE(second.length(), 0);
        first.setCommand(QStringLiteral("play"));
        QTRY_VERIFY_WITH_TIMEOUT(*firstEnds >= 1, 5000);
        QCOMPARE(first.position(), 600);
    }

    void fileNameWaitsForTheNextOpen()
    {
        SoundControl sound;
        auto ends = countEnds(sound);
        sound.setDeviceType(QStringLiteral("waveaudio"));
        sound.setFileName(short_);
        sound.setCommand(QStringLiteral("open"));
        sound.setFileName(long_);
        QCOMPARE(sound.fileName(), long_);
        sound.setCommand(QStringLiteral("play"));
        QTRY_VERIFY_WITH_TIMEOUT(*ends >= 1, 5000);
        QCOMPARE(sound.length(), 300);

        sound.setCommand(QStringLiteral("close"));
        sound.setCommand(QStringLiteral("open"));
        QCOMPARE(sound.length(), 600);
    }

    void stopKeepsThePosition()
    {
        SoundControl sound;
        auto ends = countEnds(sound);
        QSignalSpy spy(&sound, &SoundControl::StatusUpdate);
        openAndPlay(sound, long_);
        QTRY_VERIFY_WITH_TIMEOUT(sound.position() > 0, 5000);
        sound.setCommand(QStringLiteral("stop"));
        const qint64 stoppedAt = sound.position();
        // Notifications go on while the file is open; the position stays.
        spy.clear();
        QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 3, 5000);
        QCOMPARE(sound.position(), stoppedAt);
        QCOMPARE(*ends, 0);
        sound.setCommand(QStringLiteral("play"));
        QTRY_VERIFY_WITH_TIMEOUT(*ends >= 1, 5000);
    }

    void closingEndsTheNotifications()
    {
        auto sound = std::make_unique<SoundControl>();
        QSignalSpy spy(sound.get(), &SoundControl::StatusUpdate);
        openAndPlay(*sound, long_);
        QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 1, 5000);
        sound->setCommand(QStringLiteral("close"));
        QCOMPARE(sound->length(), 0);
        QCOMPARE(sound->position(), 0);
        // Another instance's track, longer than the notification period,
        // serves as the clock.
        spy.clear();
        SoundControl clock;
        auto ends = countEnds(clock);
        openAndPlay(clock, short_);
        QTRY_VERIFY_WITH_TIMEOUT(*ends >= 1, 5000);
        QCOMPARE(spy.count(), 0);

        // A closed instance is destroyed without complaint, and so is a
        // playing one.
        openAndPlay(*sound, long_);
        QTRY_VERIFY_WITH_TIMEOUT(sound->position() > 0, 5000);
        sound.reset();
    }
};

QTEST_MAIN(TestSoundControl)
#include "tst_soundcontrol.moc"
