#include "platform/MediaBackend.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QTimer>
#include <QtGlobal>

#include "platform/QtSoundOutput.h"

namespace platform {

namespace {

// Called from the application object's constructor (or at once when it
// exists already); the silence starts when the event loop first runs.
void WarmUpWhenRunning()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QtSoundOutput::PlaySilence(); });
}

}  // namespace

void ChooseMediaBackend()
{
    // GStreamer: several players quitting mid-play never aborted, where
    // FFmpeg aborted inside libpulse (see tests/endtoend/test_sound_backend.sh).
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("gstreamer"));
    static bool warmUpArranged = false;
    if (!warmUpArranged) {
        warmUpArranged = true;
        qAddPreRoutine(WarmUpWhenRunning);
    }
}

}  // namespace platform
