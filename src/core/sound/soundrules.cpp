#include "core/sound/soundrules.h"

#include "core/sound/wavefile.h"

namespace velkaram {

SoundSteps SoundRules::command(const QString &word)
{
    const QString w = word.trimmed().toLower();
    if (w == u"open")
        return open();
    if (w == u"play")
        return play();
    if (w == u"prev")
        return prev();
    if (w == u"stop")
        return stop();
    if (w == u"close")
        return close();
    return {};
}

SoundSteps SoundRules::open()
{
    // A second "open" would need a second device; the open file plays on.
    if (state_ != SoundState::Closed)
        return {};
    // An empty device type lets the file decide, and this control only plays
    // wave files.
    if (!deviceType_.isEmpty() && deviceType_.compare(u"waveaudio", Qt::CaseInsensitive) != 0)
        return {};
    const WaveFileInfo wave = probeWaveFile(fileName_);
    if (!wave.valid)
        return {};
    openFile_ = fileName_;
    state_ = SoundState::Stopped;
    position_ = 0;
    length_ = wave.lengthMs;
    return {SoundStep::Load};
}

SoundSteps SoundRules::play()
{
    // Playing from the end would end at once: nothing to do.
    if (state_ != SoundState::Stopped || position_ >= length_)
        return {};
    state_ = SoundState::Playing;
    return {SoundStep::Play};
}

SoundSteps SoundRules::prev()
{
    // Seeking stops the sound; the callers always follow with "play" or "stop".
    switch (state_) {
    case SoundState::Closed:
        return {};
    case SoundState::Stopped:
        position_ = 0;
        return {SoundStep::SeekToStart};
    case SoundState::Playing:
        state_ = SoundState::Stopped;
        position_ = 0;
        return {SoundStep::Pause, SoundStep::SeekToStart};
    }
    return {};
}

SoundSteps SoundRules::stop()
{
    if (state_ != SoundState::Playing)
        return {};
    state_ = SoundState::Stopped;
    return {SoundStep::Pause};
}

SoundSteps SoundRules::close()
{
    if (state_ == SoundState::Closed)
        return {};
    state_ = SoundState::Closed;
    openFile_.clear();
    position_ = 0;
    length_ = 0;
    return {SoundStep::Unload};
}

void SoundRules::lengthReported(qint64 ms)
{
    // The decoder knows the length better than a header written by hand.
    if (state_ == SoundState::Closed || ms <= 0)
        return;
    const bool atEnd = state_ == SoundState::Stopped && position_ == length_;
    length_ = ms;
    position_ = atEnd ? length_ : qMin(position_, playingLimit());
}

void SoundRules::positionReported(qint64 ms)
{
    // While stopped the position is what the last command made it; a late
    // report from before a "prev" must not move it.
    if (state_ != SoundState::Playing)
        return;
    position_ = qBound<qint64>(0, ms, playingLimit());
}

qint64 SoundRules::playingLimit() const
{
    // Only the end itself reads as position == length: the callers restart
    // the track when they see it, and must not do so while the player's own
    // end-of-media report is still on its way.
    return state_ == SoundState::Playing ? qMax<qint64>(0, length_ - 1) : length_;
}

SoundSteps SoundRules::endReached()
{
    if (state_ != SoundState::Playing)
        return {};
    // The callers loop a track when position equals length, so the end is
    // exactly the length whatever the back end's last report said.
    state_ = SoundState::Stopped;
    position_ = length_;
    return {SoundStep::Notify};
}

SoundSteps SoundRules::failed()
{
    if (state_ == SoundState::Closed)
        return {};
    return close();
}

} // namespace velkaram
