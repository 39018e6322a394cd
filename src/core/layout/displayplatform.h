#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace velkaram {

// The Qt platform the program asks for before Qt starts, or an empty string
// to leave Qt's own choice. The windows are borderless and centred by the
// program, which a Wayland compositor does not allow a client: in a Wayland
// session that also offers an X server (XWayland) the program runs there,
// unless the user chose a platform (QT_QPA_PLATFORM).
QString chosenPlatform(const QProcessEnvironment &environment);

} // namespace velkaram
