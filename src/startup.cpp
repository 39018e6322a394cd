#include "startup.h"

#include "core/layout/displayplatform.h"

#include <xcb/xcb.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace velkaram {

namespace {

bool isSet(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// A systemd session's user bus, which libdbus tries before autolaunch.
bool userBusInRuntimeFolder()
{
    const char *folder = std::getenv("XDG_RUNTIME_DIR");
    if (folder == nullptr || *folder == '\0')
        return false;
    struct stat info {};
    return ::stat((std::string(folder) + "/bus").c_str(), &info) == 0 && S_ISSOCK(info.st_mode)
        && info.st_uid == ::getuid();
}

// The machine's id as libdbus reads it for autolaunch.
std::string machineId()
{
    for (const char *path : {"/var/lib/dbus/machine-id", "/etc/machine-id"}) {
        std::ifstream file(path);
        std::string id;
        if (file >> id)
            return id;
    }
    return {};
}

template <typename T>
using XReply = std::unique_ptr<T, decltype(&std::free)>;

// A bus that dbus-launch started earlier for this user on this display owns
// an X selection named after the user and the machine; autolaunch would only
// look that bus up, and a screen reader may be on it.
bool autolaunchedBusOnDisplay()
{
    const passwd *user = ::getpwuid(::getuid());
    const std::string id = machineId();
    if (user == nullptr || id.empty())
        return false;
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x(xcb_connect(nullptr, nullptr),
                                                                          xcb_disconnect);
    if (xcb_connection_has_error(x.get()))
        return false;
    const std::string name = std::string("_DBUS_SESSION_BUS_SELECTION_") + user->pw_name + "_" + id;
    const XReply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(x.get(), xcb_intern_atom(x.get(), 1, name.size(), name.c_str()), nullptr), std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const XReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(x.get(), xcb_get_selection_owner(x.get(), atom->atom), nullptr), std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

} // namespace

QProcessEnvironment prepareProcess()
{
    const QProcessEnvironment user = QProcessEnvironment::systemEnvironment();
    // With no session bus, the first look for a screen reader (Qt's AT-SPI
    // bridge) makes libdbus start one through dbus-launch, and that
    // dbus-daemon lives on after the program for as long as the display.
    // An existing bus is still found.
    if (!isSet("DBUS_SESSION_BUS_ADDRESS") && !userBusInRuntimeFolder() && !autolaunchedBusOnDisplay())
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    // Where no sound server runs and the system lets clients start one,
    // libpulse starts a pulseaudio that stays after the program and writes
    // into HOME; /bin/false stands in for it. A running server is still
    // used; without one the sound plays silently.
    if (!isSet("PULSE_BINARY"))
        ::setenv("PULSE_BINARY", "/bin/false", 1);
    const QString platform = chosenPlatform(user);
    if (!platform.isEmpty())
        ::setenv("QT_QPA_PLATFORM", platform.toLocal8Bit().constData(), 1);
    return user;
}

} // namespace velkaram
