#include "platform/sound/soundcontrol.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace velkaram {

namespace {

// How often a window hears from an open file.
constexpr int statusIntervalMs = 250;

} // namespace

SoundControl::SoundControl(QObject *parent)
    : QObject(parent)
{
    ticker_.setInterval(statusIntervalMs);
    connect(&ticker_, &QTimer::timeout, this, &SoundControl::StatusUpdate);
}

SoundControl::~SoundControl()
{
    apply(rules_.command(QStringLiteral("close")));
}

void SoundControl::setDeviceType(const QString &type) { rules_.setDeviceType(type); }
QString SoundControl::deviceType() const { return rules_.deviceType(); }
void SoundControl::setFileName(const QString &path) { rules_.setFileName(path); }
QString SoundControl::fileName() const { return rules_.fileName(); }
qint64 SoundControl::position() const { return rules_.position(); }
qint64 SoundControl::length() const { return rules_.length(); }

void SoundControl::setCommand(const QString &command)
{
    apply(rules_.command(command));
}

QMediaPlayer &SoundControl::player()
{
    if (player_)
        return *player_;
    player_ = new QMediaPlayer(this);
    player_->setAudioOutput(new QAudioOutput(player_));
    connect(player_, &QMediaPlayer::durationChanged, this,
            [this](qint64 ms) { rules_.lengthReported(ms); });
    connect(player_, &QMediaPlayer::positionChanged, this,
            [this](qint64 ms) { rules_.positionReported(ms); });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) { mediaStatusChanged(status); });
    connect(player_, &QMediaPlayer::errorOccurred, this, &SoundControl::playerFailed);
    return *player_;
}

void SoundControl::mediaStatusChanged(int status)
{
    if (status == QMediaPlayer::EndOfMedia)
        apply(rules_.endReached());
    else if (status == QMediaPlayer::InvalidMedia)
        playerFailed();
}

void SoundControl::playerFailed()
{
    // The file is closed from the event loop, not from inside the player's
    // own report; a report about a file loaded before the current one (the
    // player reports a failure more than once) is ignored.
    const quint64 load = loads_;
    QMetaObject::invokeMethod(this, [this, load] {
        if (load == loads_)
            apply(rules_.failed());
    }, Qt::QueuedConnection);
}

void SoundControl::load()
{
    ++loads_;
    player().setSource(QUrl::fromLocalFile(rules_.openFile()));
}

void SoundControl::apply(const SoundSteps &steps)
{
    for (SoundStep step : steps) {
        switch (step) {
        case SoundStep::Load:
            load();
            break;
        case SoundStep::Play:
            player().play();
            break;
        case SoundStep::Pause:
            player().pause();
            break;
        case SoundStep::SeekToStart:
            // The player is already silent here. The file is loaded afresh:
            // after a pause or the end, both a seek and stop() followed by
            // play() left the output silent in about one start in three
            // through a real audio server, while the clock ran on.
            player().setSource(QUrl());
            load();
            break;
        case SoundStep::Unload:
            player().stop();
            player().setSource(QUrl());
            break;
        case SoundStep::Notify:
            // Queued, so that a handler sending "prev", "play" runs after the
            // player has finished its end-of-media report.
            QMetaObject::invokeMethod(this, &SoundControl::StatusUpdate, Qt::QueuedConnection);
            break;
        }
    }
    if (rules_.state() == SoundState::Closed)
        ticker_.stop();
    else if (!ticker_.isActive())
        ticker_.start();
}

} // namespace velkaram
