// Frame pacing of the about box's credits: opens the real about box, records
// when its strip is painted for ten seconds, and prints the spread of the
// intervals and the CPU time the process used meanwhile.
//   bench_aboutpacing [PROGRAM_FOLDER] [SECONDS]
// Runs on whatever platform Qt picks (offscreen, or xcb under Xvfb).
#include "app/forms.h"
#include "shell/aboutform.h"
#include "platform/sound/audiologging.h"
#include "programwindows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class PaintClock : public QObject {
public:
    explicit PaintClock(QObject *parent) : QObject(parent) { clock.start(); }
    QElapsedTimer clock;
    QList<qint64> paintsNs;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            paintsNs << clock.nsecsElapsed();
        return false;
    }
};

double percentile(QList<double> sorted, double p)
{
    if (sorted.isEmpty())
        return 0;
    const double at = p * (sorted.size() - 1);
    const auto below = qsizetype(std::floor(at));
    const auto above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (sorted[above] - sorted[below]) * (at - below);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // As the program does where it starts.
    velkaram::quietAudioLogging();
    app.setQuitOnLastWindowClosed(false);
    QTemporaryDir silent;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : silent.path();
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;

    velkaram::Forms forms(folder);
    forms.setMessageBoxes([](const velkaram::MessageRequest &) {});
    velkaram::registerProgramWindows(forms);
    auto &about = forms.get<velkaram::AboutForm>(QStringLiteral("aboutme"));
    about.show();
    auto *clock = new PaintClock(about.picScroll());
    about.picScroll()->installEventFilter(clock);

    // One second to settle, then the measured stretch.
    int framesAtStart = 0;
    double cpuAtStart = 0;
    qsizetype paintsAtStart = 0;
    QElapsedTimer wall;
    QTimer::singleShot(1000, &app, [&] {
        framesAtStart = about.framesDrawn();
        paintsAtStart = clock->paintsNs.size();
        cpuAtStart = cpuSeconds();
        wall.start();
    });
    QTimer::singleShot(1000 + seconds * 1000, &app, [&] {
        const double elapsed = wall.nsecsElapsed() / 1e9;
        const double cpu = cpuSeconds() - cpuAtStart;
        const int steps = about.framesDrawn() - framesAtStart;
        QList<double> intervals;
        for (qsizetype i = paintsAtStart + 1; i < clock->paintsNs.size(); ++i)
            intervals << (clock->paintsNs[i] - clock->paintsNs[i - 1]) / 1e6;
        std::sort(intervals.begin(), intervals.end());
        double mean = 0;
        for (double v : intervals)
            mean += v;
        mean = intervals.isEmpty() ? 0 : mean / intervals.size();
        double var = 0;
        for (double v : intervals)
            var += (v - mean) * (v - mean);
        const double sd = intervals.size() > 1 ? std::sqrt(var / (intervals.size() - 1)) : 0;
        std::printf("platform %s, %.1f s: %d steps (%.1f/s), %lld paints\n",
                    qPrintable(QGuiApplication::platformName()), elapsed, steps, steps / elapsed,
                    (long long)intervals.size() + 1);
        std::printf("paint intervals ms: min %.2f p5 %.2f median %.2f mean %.2f p95 %.2f max %.2f sd %.2f\n",
                    intervals.isEmpty() ? 0 : intervals.first(), percentile(intervals, 0.05),
                    percentile(intervals, 0.5), mean, percentile(intervals, 0.95),
                    intervals.isEmpty() ? 0 : intervals.last(), sd);
        std::printf("cpu %.3f s = %.2f %% of one core\n", cpu, 100.0 * cpu / elapsed);
        about.Image1_Click();
        app.quit();
    });
    return app.exec();
}
