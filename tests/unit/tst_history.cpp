// Back and forward among the entries shown in a session.
#include "core/dictionary/history.h"

#include <QTest>
#include <string>

using velkaram::History;

class TestHistory : public QObject {
    Q_OBJECT

    // Moves along the history by a script of steps ("b" back, "f" forward,
    // anything else shown), writing what each move gives ("-" for nothing).
    static std::string walk(History<std::string> &h, const std::vector<std::string> &steps)
    {
        std::string out;
        for (const std::string &step : steps) {
            if (step == "b" || step == "f") {
                const auto item = step == "b" ? h.back() : h.forward();
                out += (item ? *item : "-") + " ";
            } else {
                h.shown(step);
            }
        }
        return out;
    }

private slots:
    void moves_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("gives");
        QTest::newRow("nothing shown") << QStringList{"b", "f"} << "- - ";
        QTest::newRow("one entry") << QStringList{"A", "b", "f"} << "- - ";
        QTest::newRow("back to the start and past it") << QStringList{"A", "B", "C", "b", "b", "b"} << "B A - ";
        QTest::newRow("back then forward to the end") << QStringList{"A", "B", "C", "b", "b", "f", "f", "f"} << "B A B C - ";
        QTest::newRow("a new entry after going back drops the forward ones")
            << QStringList{"A", "B", "C", "b", "b", "D", "f", "b", "b", "f"} << "B A - A - D ";
        QTest::newRow("the same entry again adds nothing") << QStringList{"A", "A", "B", "B", "b", "b"} << "A - ";
        QTest::newRow("returning to an earlier entry adds it") << QStringList{"A", "B", "A", "b", "b"} << "B A ";
        QTest::newRow("showing the current entry after going back keeps the forward ones")
            << QStringList{"A", "B", "b", "A", "f"} << "A B ";
    }
    void moves()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, gives);
        History<std::string> h;
        std::vector<std::string> script;
        for (const QString &s : steps)
            script.push_back(s.toStdString());
        QCOMPARE(QString::fromStdString(walk(h, script)), gives);
    }

    void oldestGoFirst()
    {
        History<int> h;
        for (int i = 0; i < int(History<int>::Limit) + 10; ++i)
            h.shown(i);
        QCOMPARE(h.size(), History<int>::Limit);
        int steps = 0;
        std::optional<int> last;
        while (auto item = h.back()) {
            last = item;
            ++steps;
        }
        QCOMPARE(steps, int(History<int>::Limit) - 1);
        QCOMPARE(*last, 10);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
