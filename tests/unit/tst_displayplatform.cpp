// The platform the program asks Qt for, from the session's environment.
#include "core/layout/displayplatform.h"

#include <QTest>

class TestDisplayPlatform : public QObject {
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QString>("platform");
        // NAME=VALUE pairs; an unlisted variable is unset.
        QTest::newRow("X11 session") << QStringList{"DISPLAY=:0", "XDG_SESSION_TYPE=x11"} << "";
        QTest::newRow("Wayland with XWayland") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "XDG_SESSION_TYPE=wayland"} << "xcb";
        QTest::newRow("Wayland socket, no session type") << QStringList{"WAYLAND_DISPLAY=wayland-1", "DISPLAY=:1"} << "xcb";
        QTest::newRow("Wayland session type, no socket named") << QStringList{"XDG_SESSION_TYPE=wayland", "DISPLAY=:0"} << "xcb";
        QTest::newRow("Wayland without XWayland") << QStringList{"WAYLAND_DISPLAY=wayland-0", "XDG_SESSION_TYPE=wayland"} << "";
        QTest::newRow("Wayland, DISPLAY empty") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY="} << "";
        QTest::newRow("user chose wayland") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=wayland"} << "";
        QTest::newRow("user chose offscreen") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=offscreen"} << "";
        QTest::newRow("platform variable empty") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM="} << "xcb";
        QTest::newRow("session type in capitals") << QStringList{"XDG_SESSION_TYPE=Wayland", "DISPLAY=:0"} << "xcb";
        QTest::newRow("text console") << QStringList{"XDG_SESSION_TYPE=tty"} << "";
        QTest::newRow("nothing set") << QStringList{} << "";
    }
    void choice()
    {
        QFETCH(QStringList, variables);
        QFETCH(QString, platform);
        QProcessEnvironment environment;
        for (const QString &variable : variables) {
            const qsizetype at = variable.indexOf(QLatin1Char('='));
            environment.insert(variable.left(at), variable.mid(at + 1));
        }
        QCOMPARE(velkaram::chosenPlatform(environment), platform);
    }
};

QTEST_GUILESS_MAIN(TestDisplayPlatform)
#include "tst_displayplatform.moc"
