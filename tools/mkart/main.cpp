// mkart: draws the program's pictures into the folder given on the command
// line. Runs at build time under the offscreen platform.

#include "pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <functional>
#include <utility>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: mkart OUTPUT_FOLDER\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(".")) {
        err << "mkart: cannot create " << out.path() << "\n";
        return 1;
    }

    const QImage menu = art::drawMenu();
    const std::pair<const char *, QImage> pictures[] = {
        {"menu.png", menu},
        {"help.png", art::drawHelp(menu)},
        {"minimize.png", art::drawMinimize(menu)},
        {"exit.png", art::drawExit(menu)},
        {"about.png", art::drawAbout(menu)},
        {"hand.png", art::drawHand()},
        {"splash.png", art::drawSplash()},
        {"saying.png", art::drawSaying()},
        {"aboutpic.png", art::drawAboutPicture()},
    };
    for (const auto &[name, image] : pictures) {
        const QString path = out.filePath(QString::fromLatin1(name));
        if (!image.save(path, "PNG")) {
            err << "mkart: cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
