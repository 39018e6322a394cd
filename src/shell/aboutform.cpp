#include "shell/aboutform.h"

#include "app/design.h"
#include "app/forms.h"
#include "core/layout/twips.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QTextOption>

namespace velkaram {

namespace {

const QColor Black(0, 0, 0);
const QColor Red(255, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor Blue(0, 0, 255);

const QString WebAddress = QStringLiteral("www.example.org/velkaram");

// More than 15 ms from the end of one step to the next: at most 62.5
// pixels a second.
constexpr int StepIntervalMs = 16;

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// Qt breaks lines at LF; the CR of each CR LF would otherwise be laid out.
QString withLineFeeds(const QString &text)
{
    QString lines = text;
    return lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

AboutForm::AboutForm(Forms &forms) : Form(forms, QStringLiteral("aboutme")) {}

AboutForm::~AboutForm() = default;

QString AboutForm::creditsText()
{
    const QStringList lines = {
        QStringLiteral("برنامج Velkaram والأحلام"),
        QString(),
        QString(),
        QStringLiteral("برمجة Orva Kelvra"),
        QString(),
        WebAddress,
        QStringLiteral("لا تنسونا من دعوة صالحة"),
        QString(),
        QStringLiteral("QUELDAR"),
        QStringLiteral("الحمد لله رب العالمين"),
        QString(),
        QStringLiteral("ORVA"),
        QStringLiteral("السلام عليكم ورحمة الله وبركاته"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void AboutForm::createControls(QWidget *window)
{
    makeBorderless(pixels(11415), pixels(7620));
    setBackground(window, Black);

    aaa_ = new ClickLabel(window);
    aaa_->setObjectName(QStringLiteral("aaa"));
    aaa_->setGeometry(pixels(120), pixels(120), pixels(11175), pixels(735));
    aaa_->setAlignment(Qt::AlignCenter);
    aaa_->setFont(designFont(QStringLiteral("Arial"), 27.75, true));
    setTextColour(aaa_, Red);
    on(aaa_.data(), &ClickLabel::Click, [this] { aaa_Click(); });

    image1_ = new ClickLabel(window);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(pixels(1320), pixels(840), pixels(8580), pixels(5745));
    image1_->setPixmap(QPixmap(QStringLiteral(":/art/aboutpic.png")));
    image1_->setAccessibleName(QStringLiteral("صورة البرنامج"));
    on(image1_.data(), &ClickLabel::Click, [this] { Image1_Click(); });

    // The design's colours; Form_Load sets the text colour and size.
    picScroll_ = new PictureBox(Black, Black, window);
    picScroll_->setObjectName(QStringLiteral("picScroll"));
    picScroll_->setGeometry(pixels(120), pixels(6480), pixels(11175), pixels(1095));
    picScroll_->setFont(designFont(QStringLiteral("Tahoma"), 8.25, true));
    on(picScroll_.data(), &PictureBox::Click, [this] { picScroll_Click(); });
    // The credits as a text for a screen reader, which reads them when the
    // box opens, since the strip takes the keyboard; its ring shows that.
    picScroll_->setAccessibleName(QStringLiteral("شكر وتقدير"));
    picScroll_->showsText(withLineFeeds(creditsText()));
    picScroll_->setFocusPolicy(Qt::TabFocus);
    picScroll_->setFocus(Qt::OtherFocusReason);
    ring_ = new FocusRing(FocusRing::Gold, window);
    ring_->keepUnder(image1_);
    ring_->follow(picScroll_);

    // Placed on activation; until then it has no size and draws nothing.
    shpRect_ = new ShapeRect(Blue, 3, window);
    shpRect_->setObjectName(QStringLiteral("shpRect"));
    shpRect_->setGeometry(0, 0, 0, 0);

    mm_ = new SoundControl(window);
    on(mm_.data(), &SoundControl::StatusUpdate, [this] { mm_StatusUpdate(); });

    stepTimer_ = new QTimer(window);
    stepTimer_->setTimerType(Qt::PreciseTimer);
    stepTimer_->setSingleShot(true);
    stepTimer_->setInterval(StepIntervalMs);
    on(stepTimer_.data(), &QTimer::timeout, [this] { scrollStep(); });

    // The window that opened the box hides right after showing it, so the
    // start waits for the event loop. Without a window manager activation
    // may never be reported; being shown is enough.
    onEvent(window, QEvent::Show, [this] { later([this] { activateOnce(); }); });
    onEvent(window, QEvent::WindowActivate, [this] { activateOnce(); });
}

void AboutForm::releaseControls()
{
    ring_ = nullptr;
    aaa_ = nullptr;
    image1_ = nullptr;
    picScroll_ = nullptr;
    shpRect_ = nullptr;
    mm_ = nullptr;
    stepTimer_ = nullptr;
}

void AboutForm::Form_Load()
{
    // Every opening is a new about box: nothing carries over from the last.
    StopScroll = false;
    activated_ = false;
    scroll_ = CreditsScroll();
    credits_ = QImage();
    framesDrawn_ = 0;

    setTextColour(picScroll_, Yellow);
    QFont font = picScroll_->font();
    font.setPointSizeF(33);
    picScroll_->setFont(font);
    window()->setWindowTitle(QStringLiteral("حول البرنامج"));
    aaa_->setText(WebAddress);
    aaa_->setToolTip(QStringLiteral("Orva Kelvra"));
}

void AboutForm::activateOnce()
{
    if (activated_ || !isVisible())
        return;
    activated_ = true;
    Form_Activate();
}

void AboutForm::Form_Activate()
{
    const QString soundPath = forms().programPath(QStringLiteral("kelvra.wav"));
    mm_->setDeviceType(QStringLiteral("waveaudio"));
    mm_->setFileName(soundPath);
    mm_->setCommand(QStringLiteral("open"));
    mm_->setCommand(QStringLiteral("play"));
    SkipOnError resume;
    resume([&] { shpRect_->frameWindow(); });
    resume([&] { ScrollCredits(); });
}

// Starts the steps; they come from the step timer, so the program idles
// between frames instead of spinning.
void AboutForm::ScrollCredits()
{
    window()->repaint();
    const QString text = creditsText();
    const int height = measureCredits(picScroll_->font(), text, &picScroll_->picture());
    if (height == 0) {
        forms().message({QStringLiteral("Error scrolling text"), ProgramTitle, MessageIcon::Warning, false});
        StopScroll = true;
        forms().form(QStringLiteral("A")).show();
        unload();
        return;
    }
    const QRect strip = picScroll_->contentsRect();
    scroll_ = CreditsScroll(strip.width(), strip.height(), height);
    credits_ = layOutCredits(text, picScroll_->font(), picScroll_->palette().color(QPalette::WindowText),
                             picScroll_->BackColor(), scroll_.right() - scroll_.left(), height);
    scrollStep();
}

void AboutForm::scrollStep()
{
    if (StopScroll || !isLoaded() || credits_.isNull()) {
        if (stepTimer_)
            stepTimer_->stop();
        return;
    }
    try {
        QImage &frame = picScroll_->picture();
        frame.fill(picScroll_->BackColor());
        // The text was laid out once, clipped to its rectangle; copying that
        // picture to the rectangle's place draws the same pixels.
        QPainter painter(&frame);
        painter.drawImage(scroll_.rect().topLeft(), credits_);
        painter.end();
        scroll_.step();
        ++framesDrawn_;
        picScroll_->update();
        // Counted from the end of this step, so a late step never makes the
        // next one come early.
        stepTimer_->start();
    } catch (const std::exception &) {
        // A failed step ends the scroller and leaves the box open and still.
        stepTimer_->stop();
    }
}

int AboutForm::measureCredits(const QFont &font, const QString &text, QPaintDevice *device)
{
    const QFontMetrics metrics(font, device);
    return metrics.size(0, withLineFeeds(text)).height();
}

QImage AboutForm::layOutCredits(const QString &text, const QFont &font, const QColor &fore, const QColor &back,
                                int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(back);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(fore);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    // The credits are an Arabic text: a line mixing Arabic and Latin words
    // reads from the right.
    option.setTextDirection(Qt::RightToLeft);
    painter.setClipRect(image.rect());
    painter.drawText(QRectF(image.rect()), withLineFeeds(text), option);
    return image;
}

void AboutForm::mm_StatusUpdate()
{
    if (mm_->position() == mm_->length()) {
        mm_->setCommand(QStringLiteral("prev"));
        mm_->setCommand(QStringLiteral("play"));
    }
}

void AboutForm::Form_Unload(int &)
{
    StopScroll = true;
    if (stepTimer_)
        stepTimer_->stop();
    SkipOnError resume;
    resume([&] { mm_->setCommand(QStringLiteral("prev")); });
    resume([&] { mm_->setCommand(QStringLiteral("stop")); });
}

void AboutForm::Image1_Click()
{
    forms().form(QStringLiteral("A")).show();
    unload();
}

// Enter and Escape leave as a click on the strip does.
void AboutForm::Form_KeyPress(int &keyAscii)
{
    if (keyAscii != 13 && keyAscii != 27)
        return;
    keyAscii = 0;
    picScroll_Click();
}

void AboutForm::picScroll_Click()
{
    forms().form(QStringLiteral("A")).show();
    unload();
}

void AboutForm::aaa_Click()
{
    // The scroller waits while the message is open, as it would if it ran
    // inside the handler that shows it.
    const bool scrolling = isScrolling();
    if (scrolling)
        stepTimer_->stop();
    forms().message({QStringLiteral("برمجة Orva Kelvra"), ProgramTitle, MessageIcon::None, false});
    if (scrolling && isLoaded() && !StopScroll)
        stepTimer_->start();
}

} // namespace velkaram
