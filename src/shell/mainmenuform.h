#pragma once

#include "app/controls.h"
#include "app/form.h"
#include "platform/sound/soundcontrol.h"

#include <QPointer>
#include <vector>

namespace velkaram {

// The main menu, the hub: a picture with click areas that open the other
// windows, switch the sound track, open the help, minimize and end the
// program.
class MainMenuForm : public Form {
public:
    explicit MainMenuForm(Forms &forms);
    ~MainMenuForm() override;

    void Label1_Click();
    void Label2_Click();
    void Label3_Click();
    void Image1_Click();
    void Image3_Click();
    void Image5_Click();
    void Image6_Click();

    // The click areas and pictures by name.
    ClickLabel *area(const char *name);
    SoundControl *mm11() { window(); return mm11_; }
    ShapeRect *shpRect() { window(); return shpRect_; }
    FocusRing *focusRing() { window(); return ring_; }

protected:
    void createControls(QWidget *window) override;
    void releaseControls() override;
    void Form_Load() override;
    // Closing the hub from the desktop ends the program as Exit does, rather
    // than leave it running with no window.
    void closeRequested() override { guarded([this] { Image1_Click(); }); }

private:
    QString soundTrackPath() const;
    void setUpKeyboard(QWidget *window, const std::vector<ClickLabel *> &areas);
    void focusDictionary();

    QPointer<QLabel> background_;
    QPointer<FocusRing> ring_;
    QPointer<ShapeRect> shpRect_;
    QPointer<SoundControl> mm11_;
};

inline const QString SoundOffTip = QStringLiteral("تشغيل الصوت");
inline const QString SoundOnTip = QStringLiteral("إيقاف الصوت");

} // namespace velkaram
