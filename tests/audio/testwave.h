#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>
#include <cmath>

// Writes a mono 16-bit PCM wave file holding a tone, so that a test shows the
// sound it plays.
inline bool writeTestWave(const QString &path, int lengthMs, int sampleRate = 8000,
                          double frequency = 440.0, double amplitude = 0.5)
{
    const qint64 samples = qint64(sampleRate) * lengthMs / 1000;
    QByteArray data(samples * 2, Qt::Uninitialized);
    for (qint64 i = 0; i < samples; ++i) {
        const double v = amplitude * std::sin(2.0 * M_PI * frequency * double(i) / sampleRate);
        qToLittleEndian<qint16>(qint16(std::lround(v * 32767)), data.data() + 2 * i);
    }
    QByteArray head;
    auto u32 = [&head](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        head.append(b, 4);
    };
    auto u16 = [&head](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        head.append(b, 2);
    };
    head += "RIFF";
    u32(quint32(36 + data.size()));
    head += "WAVEfmt ";
    u32(16);
    u16(1);                      // PCM
    u16(1);                      // mono
    u32(quint32(sampleRate));
    u32(quint32(sampleRate * 2)); // bytes per second
    u16(2);                      // bytes per frame
    u16(16);                     // bits per sample
    head += "data";
    u32(quint32(data.size()));

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(head + data) == head.size() + data.size();
}
