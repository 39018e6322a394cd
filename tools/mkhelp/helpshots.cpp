// Pictures of the program's real windows for the help page.
//   helpshots PROGRAM_FOLDER OUT_DIR NAME...
// Loads each named window hidden, as the program would, and saves what it
// shows as OUT_DIR/NAME.png. A name no window is registered under yet, or a
// window that fails to load, gets no picture (any old one is removed), and
// the help page then goes without it. Run it with QT_QPA_PLATFORM=offscreen.
#include "app/forms.h"
#include "platform/sound/audiologging.h"
#include "programwindows.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace {

// Wide enough for the dictionary window at its own size; anything wider is
// scaled down to fit the page.
constexpr int MaxWidth = 800;

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// How long a window runs before its picture is taken: the splash shows its
// progress bar half full, the others only need their first paint.
int settleTime(const QString &name)
{
    return name == QLatin1String("aa") ? 1600 : 300;
}

// The dictionary looks best in use: a sample search fills the results grid.
void prepare(const QString &name, QWidget *window)
{
    if (name != QLatin1String("dream"))
        return;
    auto *text = window->findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *run = window->findChild<QPushButton *>(QStringLiteral("Commmand1"));
    if (!text || !run)
        return;
    text->setText(QStringLiteral("ماء"));
    run->click();
}

bool shoot(velkaram::Forms &forms, const QString &name, const QString &outPath, bool &failed)
{
    velkaram::Form *form = nullptr;
    try {
        form = &forms.form(name);
    } catch (const std::out_of_range &) {
        std::fprintf(stderr, "helpshots: no window named %s yet; its picture is left out\n", qPrintable(name));
        return false;
    }
    QWidget *window = nullptr;
    failed = false;
    form->guarded([&] { window = form->window(); });
    if (failed || !window)
        return false;
    settle(settleTime(name));
    form->guarded([&] { prepare(name, window); });
    settle(100);
    if (failed || !form->isLoaded())
        return false;
    QPixmap picture = window->grab();
    if (picture.width() > MaxWidth)
        picture = picture.scaledToWidth(MaxWidth, Qt::SmoothTransformation);
    if (picture.isNull() || !picture.save(outPath, "PNG")) {
        std::fprintf(stderr, "helpshots: cannot save %s\n", qPrintable(outPath));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: helpshots PROGRAM_FOLDER OUT_DIR NAME...\n");
        return 2;
    }
    // A window that never gives control back must not hang the build.
    alarm(120);
    QApplication app(argc, argv);
    // As the program does where it starts.
    velkaram::quietAudioLogging();
    app.setQuitOnLastWindowClosed(false);

    const QDir outDir(QString::fromLocal8Bit(argv[2]));
    if (!outDir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "helpshots: cannot create %s\n", argv[2]);
        return 1;
    }

    velkaram::Forms forms(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    velkaram::registerProgramWindows(forms);
    bool failed = false;
    // No modal box may wait for a click during the build.
    forms.setMessageBoxes([](const velkaram::MessageRequest &request) {
        std::fprintf(stderr, "helpshots: message: %s\n", qPrintable(request.prompt));
    });
    forms.setFatalHandler([&failed](int number, const QString &description) {
        std::fprintf(stderr, "helpshots: error %d: %s\n", number, qPrintable(description));
        failed = true;
    });

    for (int i = 3; i < argc; ++i) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        const QString outPath = outDir.filePath(name + QStringLiteral(".png"));
        QFile::remove(outPath);
        if (shoot(forms, name, outPath, failed))
            std::printf("helpshots: %s\n", qPrintable(outPath));
        else if (failed)
            std::fprintf(stderr, "helpshots: window %s did not load; its picture is left out\n", qPrintable(name));
    }
    std::fflush(nullptr);
    // The windows keep players and timers; none of them has anything to save.
    std::_Exit(0);
}
