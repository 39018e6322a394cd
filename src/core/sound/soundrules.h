#pragma once

#include <QList>
#include <QString>

namespace velkaram {

enum class SoundState {
    Closed,
    Stopped, // open, not playing: at the start, where "stop" left it, or at the end
    Playing,
};

// What the media back end must do, in order, after a command or a report.
enum class SoundStep {
    Load,        // hand openFile() to the player, which stays paused
    Play,
    Pause,       // stop without losing the position
    SeekToStart,
    Unload,
    Notify,      // raise the status notification (outside the back end's call)
};
using SoundSteps = QList<SoundStep>;

// The Sound control's rules without any audio: which command words are
// carried out in which state, and what position and length the callers read.
// A command that cannot be carried out returns no steps and changes nothing.
class SoundRules {
public:
    void setDeviceType(const QString &type) { deviceType_ = type; }
    QString deviceType() const { return deviceType_; }
    // Taken by the next "open"; the open file stays as it is.
    void setFileName(const QString &path) { fileName_ = path; }
    QString fileName() const { return fileName_; }

    // "open", "play", "prev", "stop", "close", in any letter case.
    SoundSteps command(const QString &word);

    // Reports from the back end, in milliseconds.
    void lengthReported(qint64 ms);
    void positionReported(qint64 ms);
    SoundSteps endReached();
    SoundSteps failed();

    SoundState state() const { return state_; }
    QString openFile() const { return openFile_; }
    qint64 position() const { return position_; }
    qint64 length() const { return length_; }

private:
    SoundSteps open();
    SoundSteps play();
    SoundSteps prev();
    SoundSteps stop();
    SoundSteps close();
    qint64 playingLimit() const;

    QString deviceType_;
    QString fileName_;
    QString openFile_;
    SoundState state_ = SoundState::Closed;
    qint64 position_ = 0;
    qint64 length_ = 0;
};

} // namespace velkaram
