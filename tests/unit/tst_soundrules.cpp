#include "core/sound/soundrules.h"
#include "core/sound/wavefile.h"
#include "testwave.h"

#include <QTemporaryDir>
#include <QTest>

using velkaram::SoundRules;
using velkaram::SoundState;
using velkaram::SoundStep;
using velkaram::SoundSteps;

namespace {

QString text(const SoundSteps &steps)
{
    static const char *const names[] = {"Load", "Play", "Pause", "SeekToStart", "Unload", "Notify"};
    QStringList words;
    for (SoundStep s : steps)
        words << QString::fromLatin1(names[int(s)]);
    return words.join(u' ');
}

QString text(SoundState state)
{
    static const char *const names[] = {"Closed", "Stopped", "Playing"};
    return QString::fromLatin1(names[int(state)]);
}

} // namespace

class TestSoundRules : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString wave_;  // 300 ms

    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile f(dir_.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
        return f.fileName();
    }
    QByteArray waveBytes() const
    {
        QFile f(wave_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Runs a setup script: command words, "@pos=N" for a position report,
    // "@end" for the end of the media.
    void drive(SoundRules &rules, const QStringList &script)
    {
        for (const QString &s : script) {
            if (s == u"@end")
                rules.endReached();
            else if (s.startsWith(u"@pos="))
                rules.positionReported(s.mid(5).toLongLong());
            else
                rules.command(s);
        }
    }
    SoundRules openRules()
    {
        SoundRules rules;
        rules.setDeviceType(QStringLiteral("waveaudio"));
        rules.setFileName(wave_);
        return rules;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        wave_ = dir_.filePath(QStringLiteral("tone.wav"));
        QVERIFY(writeTestWave(wave_, 300));
    }

    void probe_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("lengthMs");
        const QByteArray good = waveBytes();
        QByteArray listFirst = good.left(12) + QByteArray("LIST\x05\0\0\0abcde\0", 14) + good.mid(12);
        QByteArray longClaim = good;
        qToLittleEndian<quint32>(100000, longClaim.data() + 40);
        QByteArray noByteRate = good;
        qToLittleEndian<quint32>(0, noByteRate.data() + 28);
        QTest::newRow("PCM tone") << good << true << qint64(300);
        QTest::newRow("odd-sized chunk before fmt") << listFirst << true << qint64(300);
        QTest::newRow("data size beyond the file") << longClaim << true << qint64(300);
        QTest::newRow("cut inside the data") << good.left(44 + 800) << true << qint64(50);
        QTest::newRow("empty file") << QByteArray() << false << qint64(0);
        QTest::newRow("text") << QByteArray(5000, 'x') << false << qint64(0);
        QTest::newRow("RIFF but not WAVE") << QByteArray("RIFF\0\0\0\0AVI ", 12) + good.mid(12) << false << qint64(0);
        QTest::newRow("header only") << good.left(44) << false << qint64(0);
        QTest::newRow("cut inside fmt") << good.left(30) << false << qint64(0);
        QTest::newRow("no byte rate") << noByteRate << false << qint64(0);
    }
    void probe()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QFETCH(qint64, lengthMs);
        const auto info = velkaram::probeWaveFile(write(QStringLiteral("probe.wav"), bytes));
        QCOMPARE(info.valid, valid);
        QCOMPARE(info.lengthMs, lengthMs);
    }

    void probeMissingFile()
    {
        QVERIFY(!velkaram::probeWaveFile(dir_.filePath(QStringLiteral("absent.wav"))).valid);
        QVERIFY(!velkaram::probeWaveFile(dir_.path()).valid);
    }

    // Each command in each state: the state it leaves, what the back end
    // must do, and the position the callers then read.
    void commands_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<qint64>("position");
        QTest::addColumn<qint64>("length");

        const QStringList closed;
        const QStringList atStart{"open"};
        const QStringList playing{"open", "play", "@pos=120"};
        const QStringList stopped{"open", "play", "@pos=120", "stop"};
        const QStringList atEnd{"open", "play", "@pos=290", "@end"};
        const QStringList reclosed{"open", "play", "close"};

        QTest::newRow("closed: open") << closed << "open" << "Stopped" << "Load" << 0ll << 300ll;
        QTest::newRow("closed: play") << closed << "play" << "Closed" << "" << 0ll << 0ll;
        QTest::newRow("closed: prev") << closed << "prev" << "Closed" << "" << 0ll << 0ll;
        QTest::newRow("closed: stop") << closed << "stop" << "Closed" << "" << 0ll << 0ll;
        QTest::newRow("closed: close") << closed << "close" << "Closed" << "" << 0ll << 0ll;
        QTest::newRow("closed again: open") << reclosed << "open" << "Stopped" << "Load" << 0ll << 300ll;

        QTest::newRow("at start: open") << atStart << "open" << "Stopped" << "" << 0ll << 300ll;
        QTest::newRow("at start: play") << atStart << "play" << "Playing" << "Play" << 0ll << 300ll;
        QTest::newRow("at start: prev") << atStart << "prev" << "Stopped" << "SeekToStart" << 0ll << 300ll;
        QTest::newRow("at start: stop") << atStart << "stop" << "Stopped" << "" << 0ll << 300ll;
        QTest::newRow("at start: close") << atStart << "close" << "Closed" << "Unload" << 0ll << 0ll;

        QTest::newRow("playing: open") << playing << "open" << "Playing" << "" << 120ll << 300ll;
        QTest::newRow("playing: play") << playing << "play" << "Playing" << "" << 120ll << 300ll;
        QTest::newRow("playing: prev") << playing << "prev" << "Stopped" << "Pause SeekToStart" << 0ll << 300ll;
        QTest::newRow("playing: stop") << playing << "stop" << "Stopped" << "Pause" << 120ll << 300ll;
        QTest::newRow("playing: close") << playing << "close" << "Closed" << "Unload" << 0ll << 0ll;

        QTest::newRow("stopped: open") << stopped << "open" << "Stopped" << "" << 120ll << 300ll;
        QTest::newRow("stopped: play") << stopped << "play" << "Playing" << "Play" << 120ll << 300ll;
        QTest::newRow("stopped: prev") << stopped << "prev" << "Stopped" << "SeekToStart" << 0ll << 300ll;
        QTest::newRow("stopped: stop") << stopped << "stop" << "Stopped" << "" << 120ll << 300ll;
        QTest::newRow("stopped: close") << stopped << "close" << "Closed" << "Unload" << 0ll << 0ll;

        QTest::newRow("at end: open") << atEnd << "open" << "Stopped" << "" << 300ll << 300ll;
        QTest::newRow("at end: play") << atEnd << "play" << "Stopped" << "" << 300ll << 300ll;
        QTest::newRow("at end: prev") << atEnd << "prev" << "Stopped" << "SeekToStart" << 0ll << 300ll;
        QTest::newRow("at end: stop") << atEnd << "stop" << "Stopped" << "" << 300ll << 300ll;
        QTest::newRow("at end: close") << atEnd << "close" << "Closed" << "Unload" << 0ll << 0ll;

        QTest::newRow("letter case is free") << atStart << " PLAY " << "Playing" << "Play" << 0ll << 300ll;
        QTest::newRow("unknown word") << playing << "pause" << "Playing" << "" << 120ll << 300ll;
        QTest::newRow("empty word") << atStart << "" << "Stopped" << "" << 0ll << 300ll;
    }
    void commands()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, command);
        SoundRules rules = openRules();
        drive(rules, setup);
        const SoundSteps steps = rules.command(command);
        QTEST(text(rules.state()), "state");
        QTEST(text(steps), "steps");
        QTEST(rules.position(), "position");
        QTEST(rules.length(), "length");
    }

    // An "open" that cannot be carried out leaves the rules closed and asks
    // nothing of the back end; the next good "open" works.
    void openFails_data()
    {
        QTest::addColumn<QString>("deviceType");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("missing file") << "waveaudio" << "absent.wav";
        QTest::newRow("not a wave file") << "waveaudio" << "garbage.wav";
        QTest::newRow("no file name") << "waveaudio" << "";
        QTest::newRow("other device") << "cdaudio" << "tone.wav";
    }
    void openFails()
    {
        QFETCH(QString, deviceType);
        QFETCH(QString, fileName);
        write(QStringLiteral("garbage.wav"), QByteArray(2000, 'g'));
        SoundRules rules;
        rules.setDeviceType(deviceType);
        rules.setFileName(fileName.isEmpty() ? QString() : dir_.filePath(fileName));
        QCOMPARE(text(rules.command("open")), QString());
        QCOMPARE(text(rules.command("play")), QString());
        QCOMPARE(rules.state(), SoundState::Closed);
        QCOMPARE(rules.length(), 0);

        rules.setDeviceType(QStringLiteral("WaveAudio"));
        rules.setFileName(wave_);
        QCOMPARE(text(rules.command("open")), QStringLiteral("Load"));
        QCOMPARE(text(rules.command("play")), QStringLiteral("Play"));
    }

    void reports_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("state");
        QTest::addColumn<qint64>("position");
        QTest::newRow("position while playing") << QStringList{"open", "play", "@pos=120"} << "Playing" << 120ll;
        QTest::newRow("position beyond the length") << QStringList{"open", "play", "@pos=900"} << "Playing" << 299ll;
        QTest::newRow("late position after prev") << QStringList{"open", "play", "@pos=120", "prev", "@pos=150"} << "Stopped" << 0ll;
        QTest::newRow("late position after stop") << QStringList{"open", "play", "@pos=120", "stop", "@pos=150"} << "Stopped" << 120ll;
        QTest::newRow("end is the length") << QStringList{"open", "play", "@pos=250", "@end"} << "Stopped" << 300ll;
        QTest::newRow("end while stopped") << QStringList{"open", "play", "@pos=250", "stop", "@end"} << "Stopped" << 250ll;
        QTest::newRow("end then loop") << QStringList{"open", "play", "@end", "prev", "play", "@pos=40"} << "Playing" << 40ll;
        QTest::newRow("end when closed") << QStringList{"@end", "@pos=10"} << "Closed" << 0ll;
    }
    void reports()
    {
        SoundRules rules = openRules();
        QFETCH(QStringList, setup);
        drive(rules, setup);
        QTEST(text(rules.state()), "state");
        QTEST(rules.position(), "position");
    }

    void endNotifiesOnlyWhilePlaying()
    {
        SoundRules rules = openRules();
        QCOMPARE(text(rules.endReached()), QString());
        drive(rules, {"open", "play"});
        QCOMPARE(text(rules.endReached()), QStringLiteral("Notify"));
        QCOMPARE(rules.position(), rules.length());
        QCOMPARE(text(rules.endReached()), QString());
    }

    void decoderLengthWins()
    {
        SoundRules rules = openRules();
        rules.lengthReported(280);
        QCOMPARE(rules.length(), 0);
        drive(rules, {"open", "play", "@pos=290"});
        rules.lengthReported(280);
        QCOMPARE(rules.length(), 280);
        QCOMPARE(rules.position(), 279);
        rules.lengthReported(0);
        QCOMPARE(rules.length(), 280);
        rules.endReached();
        QCOMPARE(rules.position(), 280);
        // The end stays the end when the length is corrected afterwards.
        rules.lengthReported(310);
        QCOMPARE(rules.position(), 310);
    }

    void failureCloses()
    {
        SoundRules rules = openRules();
        QCOMPARE(text(rules.failed()), QString());
        drive(rules, {"open", "play", "@pos=100"});
        QCOMPARE(text(rules.failed()), QStringLiteral("Unload"));
        QCOMPARE(rules.state(), SoundState::Closed);
        QCOMPARE(rules.position(), 0);
        QCOMPARE(rules.length(), 0);
        QCOMPARE(text(rules.command("open")), QStringLiteral("Load"));
    }

    void fileNameWaitsForNextOpen()
    {
        const QString other = dir_.filePath(QStringLiteral("other.wav"));
        QVERIFY(writeTestWave(other, 500));
        SoundRules rules = openRules();
        rules.command("open");
        rules.setFileName(other);
        QCOMPARE(rules.fileName(), other);
        QCOMPARE(rules.openFile(), wave_);
        QCOMPARE(rules.length(), 300);
        rules.command("close");
        rules.command("open");
        QCOMPARE(rules.openFile(), other);
        QCOMPARE(rules.length(), 500);
    }
};

QTEST_GUILESS_MAIN(TestSoundRules)
#include "tst_soundrules.moc"
