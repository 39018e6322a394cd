// The windows under a desktop that sets a dark palette and another style:
// they keep the design's colours, and what shows a choice, the focus or a
// selection stays visible.
#include "fixturedb.h"
#include "harness.h"
#include "encyclopedia/encyclopediaform.h"
#include "platform/grid/flexgrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextEdit>
#include <cmath>

using namespace velkaram;

namespace {

// A dark desktop as Fusion's dark schemes and qt6ct's "darker" set it.
QPalette darkDesktop()
{
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Light, QColor(75, 75, 75));
    p.setColor(QPalette::Midlight, QColor(62, 62, 62));
    p.setColor(QPalette::Mid, QColor(40, 40, 40));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Shadow, Qt::black);
    return p;
}

double luminance(QColor c)
{
    const auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

// WCAG's contrast ratio, 1 to 21.
double contrast(QColor a, QColor b)
{
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// How the mark (the option's dot, the tick) stands out from the inside of
// its indicator: the strongest contrast between a pixel of the indicator's
// middle and the inside just within its border.
double markContrast(QAbstractButton *button, QStyle::SubElement element)
{
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect indicator = button->style()->subElementRect(element, &option, button);
    const QImage image = button->grab().toImage();
    const int inset = std::max(2, indicator.width() / 5);
    const QColor inside = image.pixelColor(indicator.left() + inset, indicator.top() + inset);
    const QRect middle(indicator.center() - QPoint(indicator.width() / 5, indicator.height() / 5),
                       QSize(2 * (indicator.width() / 5) + 1, 2 * (indicator.height() / 5) + 1));
    double best = 1;
    for (int y = middle.top(); y <= middle.bottom(); ++y)
        for (int x = middle.left(); x <= middle.right(); ++x)
            best = std::max(best, contrast(image.pixelColor(x, y), inside));
    return best;
}

// How the indicator itself (ticked or not) stands out from the window
// around it: the strongest contrast between a pixel of its outline and the
// background just outside it.
double outlineContrast(QAbstractButton *button, QStyle::SubElement element)
{
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect indicator = button->style()->subElementRect(element, &option, button);
    const QImage image = button->grab().toImage();
    // Above or below it, clear of the caption beside it.
    QPoint outside(indicator.center().x(), indicator.top() - 2);
    if (!image.rect().contains(outside))
        outside = QPoint(indicator.center().x(), indicator.bottom() + 2);
    if (!image.rect().contains(outside))
        return 0;
    const QColor around = image.pixelColor(outside);
    double best = 1;
    for (int x = indicator.left(); x <= indicator.right(); ++x)
        for (const int y : {indicator.top(), indicator.top() + 1, indicator.center().y()})
            best = std::max(best, contrast(image.pixelColor(x, y), around));
    return best;
}

QList<QVariantList> entries()
{
    return {dreamRow(1, QStringLiteral("ماء"), QStringLiteral("شرب الماء الصافي"), QStringLiteral("حياة طيبة ورزق حلال")),
            dreamRow(2, QStringLiteral("بحر"), QStringLiteral("الغرق في البحر"), QStringLiteral("الوقوع في فتنة"))};
}

} // namespace

class TestDarkDesktop : public QObject {
    Q_OBJECT

    QPalette light_;
    QString style_;

private slots:
    void initTestCase()
    {
        light_ = QApplication::palette();
        style_ = QApplication::style()->name();
    }
    // Each case starts from the desktop's dark palette and another style,
    // as they are when the program starts.
    void init()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
        QApplication::setPalette(darkDesktop());
    }
    void cleanupTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(style_));
        QApplication::setPalette(light_);
    }

    // The chosen search kind and the ticked check box show: the option
    // button's dot and the check mark stand out at least 3:1.
    void choicesStayVisible()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        const DreamControls &c = form.ui();
        QVERIFY(c.Option1->isChecked());
        const double dot = markContrast(c.Option1, QStyle::SE_RadioButtonIndicator);
        QVERIFY2(dot >= 3.0, qPrintable(QStringLiteral("the chosen option's dot: %1:1").arg(dot)));
        c.Check1->setChecked(true);
        const double tick = markContrast(c.Check1, QStyle::SE_CheckBoxIndicator);
        QVERIFY2(tick >= 3.0, qPrintable(QStringLiteral("the check mark: %1:1").arg(tick)));
        qInfo("contrast of the option's dot %.2f:1, of the check mark %.2f:1", dot, tick);
        // The boxes themselves, ticked or not, against the window.
        c.Check1->setChecked(false);
        for (QAbstractButton *button : std::initializer_list<QAbstractButton *>{c.Option1, c.Option2, c.Check1}) {
            const auto element = qobject_cast<QCheckBox *>(button) ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator;
            const double outline = outlineContrast(button, element);
            QVERIFY2(outline >= 3.0, qPrintable(QStringLiteral("%1's outline: %2:1").arg(button->objectName()).arg(outline)));
            qInfo("%s outline %.2f:1", qPrintable(button->objectName()), outline);
        }
    }

    // Captions, typed text, the entry's text and a selection in it read at
    // least 4.5:1 against what is behind them.
    void textStaysReadable()
    {
        Harness h;
        DreamForm &form = h.showDictionary(entries());
        const DreamControls &c = form.ui();
        struct Pair {
            const char *what;
            QColor fore, back;
        };
        const QPalette box = c.discrpt->palette();
        const QPalette search = c.Text1->palette();
        const QColor frame = c.Option1->parentWidget()->palette().color(QPalette::Window);
        const Pair pairs[] = {
            {"option caption", c.Option1->palette().color(QPalette::WindowText), frame},
            {"check box caption", c.Check1->palette().color(QPalette::WindowText), frame},
            {"search box", search.color(QPalette::Text), search.color(QPalette::Base)},
            {"interpretation", box.color(QPalette::Text), box.color(QPalette::Base)},
            {"selection", box.color(QPalette::Active, QPalette::HighlightedText), box.color(QPalette::Active, QPalette::Highlight)},
            {"grid", c.MSFlexGrid1->palette().color(QPalette::Text), c.MSFlexGrid1->palette().color(QPalette::Base)},
        };
        for (const Pair &p : pairs) {
            const double ratio = contrast(p.fore, p.back);
            QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1: %2:1").arg(QLatin1String(p.what)).arg(ratio)));
            qInfo("%s %.2f:1", p.what, ratio);
        }
    }

    // The design's look whatever the desktop set: the very pixels of the
    // window on a light desktop.
    void theDesignedLook()
    {
        QImage onDark;
        {
            Harness h;
            onDark = h.showDictionary(entries()).window()->grab().toImage();
        }
        QApplication::setStyle(QStyleFactory::create(style_));
        QApplication::setPalette(light_);
        Harness h;
        const QImage onLight = h.showDictionary(entries()).window()->grab().toImage();
        QCOMPARE(onDark, onLight);
    }
};

QTEST_MAIN(TestDarkDesktop)
#include "tst_darkdesktop.moc"
