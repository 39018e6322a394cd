#include <QImage>
#include <QTest>

// The pictures are drawn at build time and compiled in: the windows place
// them by fixed pixel positions, so their sizes are part of the layout.
class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void pictureHasItsSize_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("opaque");
        QTest::newRow("menu") << ":/art/menu.png" << QSize(640, 480) << true;
        QTest::newRow("help") << ":/art/help.png" << QSize(45, 52) << true;
        QTest::newRow("minimize") << ":/art/minimize.png" << QSize(32, 32) << true;
        QTest::newRow("exit") << ":/art/exit.png" << QSize(45, 53) << true;
        QTest::newRow("about") << ":/art/about.png" << QSize(48, 48) << true;
        QTest::newRow("hand") << ":/art/hand.png" << QSize(32, 32) << false;
        QTest::newRow("splash") << ":/art/splash.png" << QSize(800, 183) << true;
        QTest::newRow("saying") << ":/art/saying.png" << QSize(378, 121) << true;
        QTest::newRow("about box") << ":/art/aboutpic.png" << QSize(572, 383) << true;
    }

    void pictureHasItsSize()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFETCH(bool, opaque);
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), size);
        if (opaque) {
            // Shown over the menu or on a plain window: a hole would let
            // whatever lies behind show through.
            const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < argb.height(); ++y)
                for (int x = 0; x < argb.width(); ++x)
                    QVERIFY2(qAlpha(argb.pixel(x, y)) == 255, qPrintable(path));
        }
    }

    void handPointsWithItsHotSpot()
    {
        const QImage hand = QImage(":/art/hand.png").convertToFormat(QImage::Format_ARGB32);
        const QRgb tip = hand.pixel(12, 4);
        QCOMPARE(qAlpha(tip), 255);
        QVERIFY(qGray(tip) == 0 || qGray(tip) == 255);
        // Just above the fingertip the pointer is see-through.
        QCOMPARE(qAlpha(hand.pixel(12, 2)), 0);
        QCOMPARE(qAlpha(hand.pixel(0, 0)), 0);
    }

    void menuEdgeStaysDark()
    {
        // The window draws its black frame over the outer three pixels; no
        // lettering or gold ornament may reach under it.
        const QImage menu(":/art/menu.png");
        for (int y = 0; y < menu.height(); ++y) {
            for (int x = 0; x < menu.width(); ++x) {
                if (x >= 3 && y >= 3 && x < menu.width() - 3 && y < menu.height() - 3)
                    continue;
                QVERIFY2(QColor(menu.pixel(x, y)).value() < 140,
                         qPrintable(QStringLiteral("bright pixel at %1,%2").arg(x).arg(y)));
            }
        }
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
