#include "core/text/messagetext.h"
#include "core/text/spokenname.h"

#include <QTest>

using namespace velkaram;

class TestMessageText : public QObject {
    Q_OBJECT

private slots:
    void pathsGetALineOfTheirOwn_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        const QString fsi(QChar(0x2068)), pdi(QChar(0x2069));
        QTest::newRow("path ending a sentence")
            << "تعذر العثور على ملف قاعدة البيانات '" + fsi + "/tmp/a b/kelvra.mdb" + pdi + "'."
            << "تعذر العثور على ملف قاعدة البيانات:\n" + fsi + "/tmp/a b/kelvra.mdb" + pdi;
        QTest::newRow("path inside a sentence")
            << "الملف '" + fsi + "/home/مستخدم/kelvra.mdb" + pdi + "' ليس قاعدة بيانات يمكن قراءتها: فارغ."
            << "الملف:\n" + fsi + "/home/مستخدم/kelvra.mdb" + pdi + "\nليس قاعدة بيانات يمكن قراءتها: فارغ.";
        QTest::newRow("path at the very start")
            << "'" + fsi + "/tmp/kelvra.mdb" + pdi + "' غير موجود."
            << fsi + "/tmp/kelvra.mdb" + pdi + "\nغير موجود.";
        QTest::newRow("after a heading line")
            << "خطأ في التشغيل رقم 53:\n\n'" + fsi + "/opt/KELVRA" + pdi + "'."
            << "خطأ في التشغيل رقم 53:\n\n" + fsi + "/opt/KELVRA" + pdi;
        QTest::newRow("two paths")
            << "بين '" + fsi + "/a/x" + pdi + "' و '" + fsi + "/b/y" + pdi + "' فرق."
            << "بين:\n" + fsi + "/a/x" + pdi + "\nو:\n" + fsi + "/b/y" + pdi + "\nفرق.";
        QTest::newRow("a name without a separator stays in the line")
            << "الحقل '" + fsi + "التفسير" + pdi + "' غير موجود."
            << "الحقل '" + fsi + "التفسير" + pdi + "' غير موجود.";
        QTest::newRow("no path") << "لا يوجد ما تبحث عنه" << "لا يوجد ما تبحث عنه";
    }
    void pathsGetALineOfTheirOwn()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(withPathsOnTheirOwnLines(message), shown);
    }

    // What a screen reader speaks for a caption: one language only.
    void spokenNames_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("Latin first") << "Next التالي" << "التالي";
        QTest::newRow("trailing blank") << "Exit خروج " << "خروج";
        QTest::newRow("Arabic first, two Latin words") << "قاموس Velkaram Kelvra الأحلام" << "قاموس الأحلام";
        QTest::newRow("runs of blanks") << "عرض  كافة السجلات" << "عرض كافة السجلات";
        QTest::newRow("Arabic with digits and signs kept") << "السجل رقم ( 1 ) من ( 9 )"
                                                          << "السجل رقم ( 1 ) من ( 9 )";
        QTest::newRow("Latin only stays") << "www.example.org/velkaram" << "www.example.org/velkaram";
        QTest::newRow("a word mixing both is dropped") << "Velkaramالأحلام قاموس" << "قاموس";
        QTest::newRow("empty") << "" << "";
    }
    void spokenNames()
    {
        QFETCH(QString, caption);
        QFETCH(QString, spoken);
        QCOMPARE(spokenName(caption), spoken);
    }
};

QTEST_GUILESS_MAIN(TestMessageText)
#include "tst_messagetext.moc"
