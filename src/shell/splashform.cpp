#include "shell/splashform.h"

#include "app/controls.h"
#include "app/design.h"
#include "app/forms.h"
#include "platform/sound/soundcontrol.h"
#include "core/layout/twips.h"

#include <QPainter>
#include <QTimer>

namespace velkaram {

namespace {

const QColor WindowColour(192, 192, 255);
const QColor BarBack(255, 255, 255);
const QColor BarFore(128, 128, 255);
const QColor FrameColour(64, 0, 64);

} // namespace

SplashForm::SplashForm(Forms &forms) : Form(forms, QStringLiteral("aa")) {}

SplashForm::~SplashForm() = default;

void SplashForm::createControls(QWidget *window)
{
    makeBorderless(pixels(10185), pixels(2640));
    window->setWindowTitle(QStringLiteral("Delvo Soft"));
    setBackground(window, WindowColour);

    image2_ = new QLabel(window);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->setGeometry(pixels(120), pixels(120), pixels(9960), pixels(2265));
    image2_->setScaledContents(true);
    image2_->setPixmap(QPixmap(QStringLiteral(":/art/splash.png")));
    image2_->setAccessibleName(QStringLiteral("قاموس تفسير الأحلام"));

    picture2_ = new PictureBox(BarBack, BarFore, window);
    picture2_->setObjectName(QStringLiteral("Picture2"));
    picture2_->setGeometry(pixels(120), pixels(2160), pixels(9975), pixels(375));
    picture2_->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    picture2_->setAccessibleName(QStringLiteral("تقدم التحميل"));
    picture2_->showsProgress(0);

    shpRect_ = new ShapeRect(FrameColour, 3, window);
    shpRect_->setObjectName(QStringLiteral("shpRect"));

    timer_ = new QTimer(window);
    timer_->setInterval(150);
    on(timer_.data(), &QTimer::timeout, [this] { Timer1_Timer(); });

    mm_ = new SoundControl(window);
}

void SplashForm::releaseControls()
{
    image2_ = nullptr;
    picture2_ = nullptr;
    shpRect_ = nullptr;
    timer_ = nullptr;
    mm_ = nullptr;
}

void SplashForm::Form_Load()
{
    timer_->start();
    SkipOnError resume;
    resume([&] { shpRect_->frameWindow(); });
    resume([&] { ProgressCount = 0; });
    // The splash shows first; the hidden menu and the sound are prepared as
    // soon as it has painted, rather than keep it from the screen.
    afterFirstPaint([this] { prepareMenuAndSound(); });
}

void SplashForm::prepareMenuAndSound()
{
    SkipOnError resume;
    resume([&] {
        Form &menu = forms().form(QStringLiteral("A"));
        menu.load();
        menu.window()->update();
    });
    QString soundPath;
    resume([&] { soundPath = forms().programPath(QStringLiteral("s0.wav")); });
    resume([&] { mm_->setDeviceType(QStringLiteral("waveaudio")); });
    resume([&] { mm_->setFileName(soundPath); });
    resume([&] { mm_->setCommand(QStringLiteral("open")); });
    resume([&] { mm_->setCommand(QStringLiteral("play")); });
}

void SplashForm::Timer1_Timer()
{
    ProgressCount += 5;
    if (ProgressCount >= 101) {
        Timer1()->stop();
        ProgressCount = 100;
        forms().form(QStringLiteral("A")).show();
        hide();
    }
    DrawProgress(*Picture2(), ProgressCount);
}

void SplashForm::DrawProgress(PictureBox &box, double value)
{
    QImage &picture = box.picture();
    picture.fill(box.BackColor());
    QPainter painter(&picture);
    // 100 units across, the height in pixels.
    const double unit = picture.width() / 100.0;
    const QString text = QString::number(int(value)) + QLatin1Char('%');
    QFont font = box.font();
    // Whole pixels only, so the bar turns every text pixel cleanly white.
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double left = (100.0 - metrics.horizontalAdvance(text) / unit) / 2.0;
    const double top = (picture.height() - metrics.height()) / 2.0;
    painter.setPen(box.ForeColor());
    painter.drawText(QPointF(left * unit, top + metrics.ascent()), text);
    // Not-xor-pen: white turns to the bar's colour, the text's colour to
    // white, so the part of the text under the bar reads white.
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.fillRect(QRectF(0, 0, (value + 0.5) * unit, picture.height()), box.ForeColor());
    painter.end();
    box.update();
    box.showsProgress(int(value));
}

} // namespace velkaram
