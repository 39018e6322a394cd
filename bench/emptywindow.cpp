// The yardstick for the splash's start: an empty Qt Widgets window built the
// way the splash is (borderless, the same size and title), nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Delvo Soft"));
    window.setFixedSize(679, 176);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 255));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.show();
    return app.exec();
}
