#include "shell/mainmenuform.h"

#include "app/controls.h"
#include "app/forms.h"
#include "core/layout/keyboardmoves.h"
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
    // What a screen reader calls it, in UTF-8; nullptr: the keyboard passes it by.
    const char *spoken;
};

constexpr Area Areas[] = {
    {"Label4", 256, 8, 249, 33, nullptr, false, nullptr},
    {"Label2", 136, 80, 65, 33, nullptr, true, "الموسوعة"},
    {"Label3", 520, 80, 65, 33, nullptr, true, "تشغيل الصوت"},
    {"Label1", 240, 336, 145, 25, nullptr, true, "فسر حلمك"},
    {"Image6", 280, 272, 48, 48, ":/art/about.png", true, "حول البرنامج"},
    {"Image3", 592, 0, 45, 52, ":/art/help.png", true, "المساعدة"},
    {"Image5", 592, 56, 32, 32, ":/art/minimize.png", true, "تصغير"},
    {"Image1", 592, 104, 45, 53, ":/art/exit.png", true, "خروج"},
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
    background_->setAccessibleName(QStringLiteral("تفسير الأحلام"));

    std::vector<ClickLabel *> pressable;
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
        if (a.spoken) {
            label->makePressable(QString::fromUtf8(a.spoken));
            pressable.push_back(label);
        }
    }
    // The title strip it lies over, for a screen reader; not a button.
    area("Label4")->setAccessibleName(QStringLiteral("قاموس تفسير الأحلام"));
    // The design's state: the track is stopped.
    area("Label3")->setToolTip(SoundOffTip);
    setUpKeyboard(window, pressable);

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

// Tab and Shift+Tab go round the areas in reading order, the arrows to the
// nearest area that way; whenever the menu shows, the keyboard is on the
// dictionary, so that Enter opens it at once.
void MainMenuForm::setUpKeyboard(QWidget *window, const std::vector<ClickLabel *> &areas)
{
    std::vector<QRect> places;
    for (const ClickLabel *a : areas)
        places.push_back(a->geometry());
    const std::vector<int> order = readingOrder(places);
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(areas[size_t(order[i - 1])], areas[size_t(order[i])]);

    ring_ = new FocusRing(FocusRing::Gold, window);
    ring_->setObjectName(QStringLiteral("focusRing"));
    for (size_t i = 0; i < areas.size(); ++i) {
        ring_->follow(areas[i]);
        onKeyDown(areas[i], [areas, places, i](int key, Qt::KeyboardModifiers modifiers) {
            Towards towards;
            switch (key) {
            case Qt::Key_Left: towards = Towards::Left; break;
            case Qt::Key_Right: towards = Towards::Right; break;
            case Qt::Key_Up: towards = Towards::Up; break;
            case Qt::Key_Down: towards = Towards::Down; break;
            default: return false;
            }
            if (modifiers & ~Qt::KeypadModifier)
                return false;
            const int to = neighbour(places, int(i), towards);
            if (to >= 0)
                areas[size_t(to)]->setFocus(Qt::TabFocusReason);
            return true;
        });
    }
    onEvent(window, QEvent::Show, [this] { focusDictionary(); });
}

// Showing a window also activates it (Form::show), with or without a
// window manager; the keyboard then lands here.
void MainMenuForm::focusDictionary()
{
    area("Label1")->setFocus(Qt::ActiveWindowFocusReason);
}

void MainMenuForm::releaseControls()
{
    background_ = nullptr;
    ring_ = nullptr;
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
        label3->setAccessibleName(SoundOffTip);
        setTextColour(label3, QColor(0, 0, 0));
    } else if (label3->toolTip() == SoundOffTip) {
        mm.setCommand(QStringLiteral("open"));
        mm.setCommand(QStringLiteral("play"));
        label3->setToolTip(SoundOnTip);
        label3->setAccessibleName(SoundOnTip);
        setTextColour(label3, QColor(255, 0, 0));
        forms().message({QStringLiteral("اســـــــتمع.... هنا كان يوجد ملف صوتي كبير حول الرؤيا و الحديث عنها لذلك استبدلته"),
                         QString(), MessageIcon::None, false});
    }
}

} // namespace velkaram
