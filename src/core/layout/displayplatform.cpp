#include "core/layout/displayplatform.h"

namespace velkaram {

QString chosenPlatform(const QProcessEnvironment &environment)
{
    const auto isSet = [&](const char *name) { return !environment.value(QLatin1String(name)).trimmed().isEmpty(); };
    if (isSet("QT_QPA_PLATFORM"))
        return {};
    const bool wayland = isSet("WAYLAND_DISPLAY")
        || environment.value(QStringLiteral("XDG_SESSION_TYPE")).trimmed().compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    if (wayland && isSet("DISPLAY"))
        return QStringLiteral("xcb");
    return {};
}

} // namespace velkaram
