#pragma once

#include "core/sound/soundrules.h"

#include <QObject>
#include <QTimer>

class QMediaPlayer;

namespace velkaram {

// The never-visible wave-audio player a window carries: DeviceType, FileName
// and Command words, position and length in milliseconds, and StatusUpdate.
// The rules live in SoundRules; this class only turns their steps into
// QMediaPlayer calls and the player's reports back into rule events. A
// command that cannot be carried out does nothing, raises nothing and never
// waits for the audio system.
class SoundControl : public QObject {
    Q_OBJECT

public:
    explicit SoundControl(QObject *parent = nullptr);
    ~SoundControl() override;

    void setDeviceType(const QString &type);
    QString deviceType() const;
    void setFileName(const QString &path);
    QString fileName() const;
    void setCommand(const QString &command);
    qint64 position() const;
    qint64 length() const;

signals:
    // From time to time while a file is open, and once more after playback
    // reached the end (then position() == length()). Always delivered from
    // the event loop, so a handler may send commands.
    void StatusUpdate();

private:
    void apply(const SoundSteps &steps);
    // Hands the open file to the player; reports about an earlier load are then stale.
    void load();
    QMediaPlayer &player();
    void mediaStatusChanged(int status);
    void playerFailed();

    SoundRules rules_;
    QMediaPlayer *player_ = nullptr; // made at the first "open"
    quint64 loads_ = 0;              // files handed to the player so far
    QTimer ticker_;
};

} // namespace velkaram
