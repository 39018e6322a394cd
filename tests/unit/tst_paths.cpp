#include "core/text/paths.h"

#include <QTest>

class TestPaths : public QObject {
    Q_OBJECT

private slots:
    void join_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("literal");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain folder") << "/opt/velkaram" << "\\kelvra.mdb" << "/opt/velkaram/kelvra.mdb";
        QTest::newRow("root gets no second separator") << "/" << "\\KELVRA" << "/KELVRA";
        QTest::newRow("folder ending in a separator") << "/opt/velkaram/" << "\\HELP.mht" << "/opt/velkaram/HELP.mht";
        QTest::newRow("bare file name gets one") << "/opt/velkaram" << "s0.wav" << "/opt/velkaram/s0.wav";
        QTest::newRow("bare file name at the root") << "/" << "kelvra.wav" << "/kelvra.wav";
        QTest::newRow("Arabic folder") << "/home/مستخدم/برامج" << "\\kelvra.mdb" << "/home/مستخدم/برامج/kelvra.mdb";
    }
    void join()
    {
        QFETCH(QString, folder);
        QFETCH(QString, literal);
        QFETCH(QString, expected);
        QCOMPARE(velkaram::joinProgramPath(folder, literal), expected);
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
