#pragma once

#include "app/controls.h"
#include "app/form.h"
#include "core/credits/creditsscroll.h"
#include "platform/sound/soundcontrol.h"

#include <QImage>
#include <QPointer>
#include <QTimer>

namespace velkaram {

// The about box: a picture, the web address and a strip in which the credits
// rise without end while the sound track loops. A click on the picture or the
// strip returns to the main menu.
class AboutForm : public Form {
public:
    explicit AboutForm(Forms &forms);
    ~AboutForm() override;

    void Image1_Click();
    void picScroll_Click();
    void aaa_Click();
    void mm_StatusUpdate();

    bool StopScroll = false;

    // The thirteen credit lines joined by CR LF.
    static QString creditsText();
    // The height of the text's lines, breaking only at CR LF; 0 when the
    // text cannot be measured.
    static int measureCredits(const QFont &font, const QString &text, QPaintDevice *device);
    // The text as it shows in a rectangle width x height: each line centred
    // and right to left, a line wider than the rectangle wrapped at word
    // boundaries, whatever falls below the height cut away.
    static QImage layOutCredits(const QString &text, const QFont &font, const QColor &fore, const QColor &back,
                                int width, int height);

    ClickLabel *aaa() { window(); return aaa_; }
    ClickLabel *Image1() { window(); return image1_; }
    PictureBox *picScroll() { window(); return picScroll_; }
    ShapeRect *shpRect() { window(); return shpRect_; }
    SoundControl *mm() { window(); return mm_; }

    // The scroller: whether its steps are due, where the text stands, how
    // many frames this opening has drawn; scrollStep() is one step.
    bool isScrolling() const { return stepTimer_ && stepTimer_->isActive(); }
    const CreditsScroll &scroll() const { return scroll_; }
    int framesDrawn() const { return framesDrawn_; }
    void scrollStep();

protected:
    void createControls(QWidget *window) override;
    void releaseControls() override;
    void Form_Load() override;
    void Form_Unload(int &cancel) override;
    void Form_KeyPress(int &keyAscii) override;
    // Leaving by the keyboard goes back to the menu too, so that the user is
    // never left without a window.
    void closeRequested() override { guarded([this] { Image1_Click(); }); }

private:
    void activateOnce();
    void Form_Activate();
    void ScrollCredits();

    QPointer<ClickLabel> aaa_;
    QPointer<ClickLabel> image1_;
    QPointer<PictureBox> picScroll_;
    QPointer<ShapeRect> shpRect_;
    QPointer<SoundControl> mm_;
    QPointer<QTimer> stepTimer_;
    QPointer<FocusRing> ring_;

    bool activated_ = false;
    CreditsScroll scroll_;
    QImage credits_; // laid out once per opening
    int framesDrawn_ = 0;
};

} // namespace velkaram
