// The two sounds the build places next to the program (the start-up chime and
// the menu's night piece), read as a WAV reader and a listener would take them.
#include <QAudioOutput>
#include <QFile>
#include <QMediaPlayer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>

#include <cmath>

namespace {

struct Wave {
    QString error;
    int channels = 0;
    int rate = 0;
    QList<qint16> samples;  // interleaved

    double seconds() const { return double(samples.size()) / channels / rate; }
};

Wave failed(const QString &error)
{
    Wave wave;
    wave.error = error;
    return wave;
}

quint32 le32(const QByteArray &bytes, qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
quint16 le16(const QByteArray &bytes, qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }

// Walks the RIFF chunks as a strict reader would: sizes must agree with the
// file, fmt must describe 16-bit PCM and come before data.
Wave readWave(const QString &path)
{
    Wave wave;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("cannot open %1").arg(path));
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return failed(QStringLiteral("not a RIFF/WAVE file"));
    if (le32(bytes, 4) != quint32(bytes.size() - 8))
        return failed(QStringLiteral("RIFF size %1 does not match the file").arg(le32(bytes, 4)));
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = le32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (body + qsizetype(size) > bytes.size())
            return failed(QStringLiteral("chunk %1 runs past the end").arg(QString::fromLatin1(id)));
        if (id == "fmt ") {
            const int blockAlign = le16(bytes, body + 12);
            wave.channels = le16(bytes, body + 2);
            wave.rate = int(le32(bytes, body + 4));
            if (size < 16 || le16(bytes, body) != 1 || le16(bytes, body + 14) != 16)
                return failed(QStringLiteral("fmt is not 16-bit PCM"));
            if ((wave.channels != 1 && wave.channels != 2) || (wave.rate != 44100 && wave.rate != 22050))
                return failed(QStringLiteral("%1 channels at %2 Hz").arg(wave.channels).arg(wave.rate));
            if (blockAlign != 2 * wave.channels || le32(bytes, body + 8) != quint32(wave.rate * blockAlign))
                return failed(QStringLiteral("block align or byte rate disagree with the format"));
        } else if (id == "data") {
            if (wave.channels == 0)
                return failed(QStringLiteral("data before fmt"));
            if (size % (2 * wave.channels) != 0)
                return failed(QStringLiteral("data is not whole frames"));
            for (qsizetype i = 0; i < qsizetype(size); i += 2)
                wave.samples.append(qint16(le16(bytes, body + i)));
        }
        at = body + size + (size & 1);
    }
    if (wave.samples.isEmpty())
        return failed(QStringLiteral("no data chunk"));
    return wave;
}

double dbfs(double level) { return 20.0 * std::log10(std::max(level, 1e-9) / 32768.0); }

void soundRows()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("shortest");
    QTest::addColumn<double>("longest");
    // The chime ends before the splash's bar is full at three seconds.
    QTest::newRow("start-up chime") << QStringLiteral("s0.wav") << 1.0 << 2.9;
    QTest::newRow("night piece") << QStringLiteral("kelvra.wav") << 20.0 << 60.0;
}

QString built(const QString &file) { return QStringLiteral(VELKARAM_BUILD_DIR "/") + file; }

} // namespace

class TestSoundFiles : public QObject {
    Q_OBJECT

private slots:
    void headerAndLength_data() { soundRows(); }
    void headerAndLength()
    {
        QFETCH(QString, file);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        const Wave wave = readWave(built(file));
        QVERIFY2(wave.error.isEmpty(), qPrintable(wave.error));
        QVERIFY2(wave.seconds() >= shortest && wave.seconds() <= longest,
                 qPrintable(QStringLiteral("%1 s").arg(wave.seconds())));
    }

    void levels_data() { soundRows(); }
    void levels()
    {
        QFETCH(QString, file);
        const Wave wave = readWave(built(file));
        QVERIFY2(wave.error.isEmpty(), qPrintable(wave.error));

        double sum = 0, squares = 0, peak = 0;
        for (qint16 s : wave.samples) {
            sum += s;
            squares += double(s) * s;
            peak = std::max(peak, std::abs(double(s)));
        }
        const double count = double(wave.samples.size());
        QVERIFY2(dbfs(std::sqrt(squares / count)) > -30.0, "too quiet to hear over a fan");
        QVERIFY2(dbfs(peak) < -1.0, qPrintable(QStringLiteral("peak at %1 dBFS").arg(dbfs(peak))));
        QVERIFY2(std::abs(sum / count) < 16.0, "DC offset");

        // Silence at both ends: no click when playback starts, stops or loops.
        const qsizetype edge = qsizetype(0.01 * wave.rate) * wave.channels;
        for (qsizetype i = 0; i < edge; ++i) {
            QVERIFY2(dbfs(std::abs(wave.samples[i])) < -50.0, "sound at the very start");
            QVERIFY2(dbfs(std::abs(wave.samples[wave.samples.size() - 1 - i])) < -50.0, "sound at the very end");
        }
    }

    void playerAcceptsFile_data() { soundRows(); }
    void playerAcceptsFile()
    {
        QFETCH(QString, file);
        const Wave wave = readWave(built(file));
        QVERIFY2(wave.error.isEmpty(), qPrintable(wave.error));

        // The same player the program uses: it must find a decoder and the
        // whole length. Without an audio output its pipeline has nowhere to
        // send the samples and fails, whatever the file.
        QMediaPlayer player;
        QAudioOutput output;
        player.setAudioOutput(&output);
        player.setSource(QUrl::fromLocalFile(built(file)));
        QTRY_VERIFY(player.duration() > 0 || player.error() != QMediaPlayer::NoError);
        QCOMPARE(player.error(), QMediaPlayer::NoError);
        QCOMPARE(player.mediaStatus(), QMediaPlayer::LoadedMedia);
        QVERIFY2(std::abs(player.duration() - wave.seconds() * 1000.0) < 50.0,
                 qPrintable(QStringLiteral("player reports %1 ms").arg(player.duration())));
    }

    void everyBuildWritesTheSameBytes()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QStringList outputs{dir.filePath(QStringLiteral("s0.wav")), dir.filePath(QStringLiteral("kelvra.wav"))};
        QCOMPARE(QProcess::execute(QStringLiteral(MKSOUND_PATH), outputs), 0);
        for (const QString &output : outputs) {
            QFile fresh(output), shipped(built(QFileInfo(output).fileName()));
            QVERIFY(fresh.open(QIODevice::ReadOnly) && shipped.open(QIODevice::ReadOnly));
            QVERIFY2(fresh.readAll() == shipped.readAll(), qPrintable(output));
        }
    }
};

QTEST_GUILESS_MAIN(TestSoundFiles)
#include "tst_soundfiles.moc"
