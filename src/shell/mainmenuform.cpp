#include "shell/mainmenuform.h"

#include "app/controls.h"
#include "app/forms.h"
#include "platform/sound/soundcontrol.h"

#include <QBitmap>
#include <QCursor>

namespace velkaram {

namespace {

struct Area {
    const char *name;
    int left, top, width, height;
    const char *picture; // nullptr: an invisible label over the background
    bool hand;
};

constexpr Area Areas[] = {
    {"Label4", 256, 8, 249, 33, nullptr, false},
    {"Label2", 136, 80, 65, 33, nullptr, true},
    {"Label3", 520, 80, 65, 33, nullptr, true},
    {"Label1", 240, 336, 145, 25, nullptr, true},
    {"Image6", 280, 272, 48, 48, ":/art/about.png", true},
    {"Image3", 592, 0, 45, 52, ":/art/help.png", true},
    {"Image5", 592, 56, 32, 32, ":/art/minimize.png", true},
    {"Image1", 592, 104, 45, 53, ":/art/exit.png", true},
};

// One hand pointer for every area, its fingertip at (12, 4).
const QCursor &handCursor()
{
    static const QCursor hand(QPixmap(QStringLiteral(":/art/hand.png")), 12, 4);
    return hand;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

MainMenuForm::MainMenuForm(Forms &forms) : Form(forms, QStringLiteral("A")) {}

MainMenuForm::~MainMenuForm() = default;

void MainMenuForm::createControls(QWidget *window)
{
    makeBorderless(640, 480);

    background_ = new QLabel(window);
    background_->setGeometry(0, 0, 640, 480);
    background_->setPixmap(QPixmap(QStringLiteral(":/art/menu.png")));

    for (const Area &a : Areas) {
        auto *label = new ClickLabel(window);
        label->setObjectName(QString::fromLatin1(a.name));
        label->setGeometry(a.left, a.top, a.width, a.height);
        if (a.picture)
            label->setPixmap(QPixmap(QString::fromLatin1(a.picture)));
        else
            label->setAttribute(Qt::WA_TranslucentBackground);
        if (a.hand)
            label->setCursor(handCursor());
    }
    // The design's state: the track is stopped.
    area("Label3")->setToolTip(SoundOffTip);

    on(area("Label1"), &ClickLabel::Click, [this] { Label1_Click(); });
    on(area("Label2"), &ClickLabel::Click, [this] { Label2_Click(); });
    on(area("Label3"), &ClickLabel::Click, [this] { Label3_Click(); });
    on(area("Image1"), &ClickLabel::Click, [this] { Image1_Click(); });
    on(area("Image3"), &ClickLabel::Click, [this] { Image3_Click(); });
    on(area("Image5"), &ClickLabel::Click, [this] { Image5_Click(); });
    on(area("Image6"), &ClickLabel::Click, [this] { Image6_Click(); });

    shpRect_ = new ShapeRect(Qt::black, 3, window);
    shpRect_->setObjectName(QStringLiteral("shpRect"));
    mm11_ = new SoundControl(window);
}

void MainMenuForm::releaseControls()
{
    background_ = nullptr;
    shpRect_ = nullptr;
    mm11_ = nullptr;
}

ClickLabel *MainMenuForm::area(const char *name)
{
    return window()->findChild<ClickLabel *>(QString::fromLatin1(name));
}

void MainMenuForm::Form_Load()
{
    shpRect_->frameWindow();
    window()->setWindowTitle(ProgramTitle);
    area("Label1")->setToolTip(QStringLiteral("أدخل هنا وفسر حلمك بنفسك"));
    area("Label2")->setToolTip(QStringLiteral("موسوعة Velkaram"));
    area("Label4")->setToolTip(QStringLiteral("برمجة: Orva  Kelvra"));
    area("Image3")->setToolTip(QStringLiteral("المساعدة"));
    area("Image5")->setToolTip(QStringLiteral("تصغير"));
    area("Image1")->setToolTip(QStringLiteral("خروج"));
    area("Image6")->setToolTip(QStringLiteral("حول البرنامج"));
}

void MainMenuForm::Label1_Click()
{
    hide();
    forms().form(QStringLiteral("dream")).show();
}

void MainMenuForm::Label2_Click()
{
    forms().form(QStringLiteral("encyclopidia")).show();
    hide();
}

void MainMenuForm::Image6_Click()
{
    forms().form(QStringLiteral("aboutme")).show();
    hide();
}

void MainMenuForm::Image5_Click()
{
    minimize();
}

void MainMenuForm::Image3_Click()
{
    forms().openDocument(forms().programPath(QStringLiteral("\\HELP.mht")));
}

void MainMenuForm::Image1_Click()
{
    mm11()->setCommand(QStringLiteral("close"));
    forms().end(0);
}

QString MainMenuForm::soundTrackPath() const
{
    return forms().programPath(QStringLiteral("kelvra.wav"));
}

void MainMenuForm::Label3_Click()
{
    const QString path = soundTrackPath();
    SoundControl &mm = *mm11();
    mm.setDeviceType(QStringLiteral("waveaudio"));
    mm.setFileName(path);
    ClickLabel *label3 = area("Label3");
    if (label3->toolTip() == SoundOnTip) {
        mm.setCommand(QStringLiteral("stop"));
        mm.setCommand(QStringLiteral("close"));
        label3->setToolTip(SoundOffTip);
        setTextColour(label3, QColor(0, 0, 0));
    } else if (label3->toolTip() == SoundOffTip) {
        mm.setCommand(QStringLiteral("open"));
        mm.setCommand(QStringLiteral("play"));
        label3->setToolTip(SoundOnTip);
        setTextColour(label3, QColor(255, 0, 0));
        forms().message({QStringLiteral("اســـــــتمع.... هنا كان يوجد ملف صوتي كبير حول الرؤيا و الحديث عنها لذلك استبدلته"),
                         QString(), MessageIcon::None, false});
    }
}

} // namespace velkaram
