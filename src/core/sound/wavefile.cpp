#include "core/sound/wavefile.h"

#include <QFile>
#include <QtEndian>

namespace velkaram {

namespace {

// Chunks before "data" are few (fmt, fact, LIST); a file with more is not
// worth walking.
constexpr int maxChunks = 64;

quint32 readLe32(const char *p) { return qFromLittleEndian<quint32>(p); }
quint16 readLe16(const char *p) { return qFromLittleEndian<quint16>(p); }

} // namespace

WaveFileInfo probeWaveFile(const QString &path)
{
    WaveFileInfo info;
    if (path.isEmpty())
        return info;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return info;
    const QByteArray riff = file.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return info;

    quint32 byteRate = 0;
    for (int i = 0; i < maxChunks; ++i) {
        const QByteArray head = file.read(8);
        if (head.size() < 8)
            return info;
        const QByteArray id = head.left(4);
        const quint32 size = readLe32(head.constData() + 4);
        if (id == "fmt ") {
            const QByteArray fmt = file.read(16);
            if (size < 16 || fmt.size() < 16)
                return info;
            const quint16 channels = readLe16(fmt.constData() + 2);
            const quint32 sampleRate = readLe32(fmt.constData() + 4);
            byteRate = readLe32(fmt.constData() + 8);
            if (channels == 0 || sampleRate == 0 || byteRate == 0)
                return info;
        } else if (id == "data") {
            if (byteRate == 0)
                return info;
            // A header written before the recording ended may claim more than
            // the file holds; the player stops at the real end.
            const qint64 dataSize = qMin<qint64>(size, file.size() - file.pos());
            if (dataSize <= 0)
                return info;
            info.valid = true;
            info.lengthMs = (dataSize * 1000 + byteRate - 1) / byteRate;
            return info;
        }
        const qint64 next = file.pos() + (id == "fmt " ? qint64(size) - 16 : qint64(size)) + (size & 1);
        if (!file.seek(next))
            return info;
    }
    return info;
}

} // namespace velkaram
