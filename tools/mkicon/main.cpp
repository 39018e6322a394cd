// Renders the icon's SVG source to square PNGs of the given sizes, so the
// packaged sizes always match the one editable drawing.
//   mkicon ICON.svg OUT_DIR SIZE...   writes OUT_DIR/SIZE.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: mkicon ICON.svg OUT_DIR SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "mkicon: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        const QString file = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/%1.png").arg(size);
        if (size <= 0 || !image.save(file)) {
            std::fprintf(stderr, "mkicon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
