#include "platform/sound/audiologging.h"

#include <QLoggingCategory>
#include <QString>

namespace velkaram {

namespace {

QLoggingCategory::CategoryFilter previousFilter = nullptr;
QtMessageHandler previousHandler = nullptr;

// Without an audio server GStreamer warns on every play ("Failed to connect")
// through Qt's qt.multimedia categories; the program has no log, and the sound
// is optional, so those categories stay quiet.
void quietMultimediaCategories(QLoggingCategory *category)
{
    if (previousFilter)
        previousFilter(category);
    if (qstrncmp(category->categoryName(), "qt.multimedia", 13) == 0) {
        category->setEnabled(QtDebugMsg, false);
        category->setEnabled(QtInfoMsg, false);
        category->setEnabled(QtWarningMsg, false);
    }
}

// Qt's PulseAudio device list reports a missing server through the default
// category; only that message is dropped.
void dropMissingServerMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(u"PulseAudioService:"))
        return;
    previousHandler(type, context, message);
}

} // namespace

void quietAudioLogging()
{
    // A second call would chain the handler to itself.
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    previousFilter = QLoggingCategory::installFilter(quietMultimediaCategories);
    previousHandler = qInstallMessageHandler(dropMissingServerMessage);
}

} // namespace velkaram
