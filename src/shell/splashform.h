#pragma once

#include "app/controls.h"
#include "app/form.h"
#include "platform/sound/soundcontrol.h"

#include <QPointer>
#include <QTimer>
#include <functional>

namespace velkaram {

// The start-up splash: loads the main menu hidden, plays the start-up sound,
// fills its progress bar in three seconds, then hands over to the menu and
// hides for the rest of the run.
class SplashForm : public Form {
public:
    explicit SplashForm(Forms &forms);
    ~SplashForm() override;

    void Timer1_Timer();
    // Draws the bar for value (0 to 100) into the box's kept picture.
    static void DrawProgress(PictureBox &box, double value);

    int ProgressCount = 0;

    QTimer *Timer1() { window(); return timer_; }
    PictureBox *Picture2() { window(); return picture2_; }
    SoundControl *mm() { window(); return mm_; }
    ShapeRect *shpRect() { window(); return shpRect_; }

protected:
    void createControls(QWidget *window) override;
    void releaseControls() override;
    void Form_Load() override;
    // The splash goes away by itself; the desktop cannot close it early.
    void closeRequested() override {}

private:
    // Loads the main menu hidden and starts the sound.
    void prepareMenuAndSound();

    QPointer<QLabel> image2_;
    QPointer<PictureBox> picture2_;
    QPointer<ShapeRect> shpRect_;
    QPointer<QTimer> timer_;
    QPointer<SoundControl> mm_;
};

} // namespace velkaram
