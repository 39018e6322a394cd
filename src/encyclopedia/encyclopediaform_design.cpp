// The encyclopedia window's controls: kinds, places (pixels), captions, fonts
// and colours.
#include "encyclopedia/encyclopediaform.h"

#include "app/design.h"
#include "app/reading.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>

namespace velkaram {

namespace {

using K = ControlKind;

QWidget *createPictureBox(QWidget *parent)
{
    return new QWidget(parent);
}

QWidget *createSaying(QWidget *parent)
{
    auto *image = new QLabel(parent);
    image->setPixmap(QPixmap(QStringLiteral(":/art/saying.png")));
    return image;
}

// Image1 is one pixel wider than Picture2, which clips it, as first drawn.
const ControlDesign Design[] = {
    {"Frame1", K::Frame, nullptr, 0, 0, 793, 569, {}, -1},
    {"suubtopi", K::TextBox, "Frame1", 8, 16, 777, 49, {}, 0},
    {"text", K::MultiLineText, "Frame1", 8, 72, 777, 353, {}, 1},
    {"Picture2", K::Custom, "Frame1", 8, 440, 377, 121, {}, -1, createPictureBox},
    {"Image1", K::Custom, "Picture2", 0, 0, 378, 121, {}, -1, createSaying},
    {"Text1", K::MultiLineText, "Frame1", 392, 440, 169, 121, {}, 2},
    {"Command1", K::Button, "Frame1", 680, 440, 105, 33, QStringLiteral("First الاول"), 3},
    {"Cmd_last", K::Button, "Frame1", 568, 440, 105, 33, QStringLiteral("Last الاخير"), 4},
    {"Cmd_Next", K::Button, "Frame1", 680, 480, 105, 33, QStringLiteral("Next التالي"), 5},
    {"Cmd_Prev", K::Button, "Frame1", 568, 480, 105, 33, QStringLiteral("Prev السابق"), 6},
    {"Command2", K::Button, "Frame1", 568, 520, 217, 41, QStringLiteral("Exit خروج "), 7},
};

const QColor WindowColour(144, 140, 112);

} // namespace

void EncyclopediaForm::createControls(QWidget *window)
{
    buildDesign(window, Design, DesignUnits::Pixels);
    window->setFixedSize(792, 566);
    setBackground(window, WindowColour);
    window->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, false));

    c_ = std::make_unique<EncyclopediaControls>();
    EncyclopediaControls &c = *c_;
    const auto find = [window](auto *&control, const char *name) { findControl(window, control, name); };
    find(c.Frame1, "Frame1");
    find(c.suubtopi, "suubtopi");
    find(c.text, "text");
    find(c.Picture2, "Picture2");
    find(c.Image1, "Image1");
    find(c.Text1, "Text1");
    find(c.Command1, "Command1");
    find(c.Cmd_last, "Cmd_last");
    find(c.Cmd_Next, "Cmd_Next");
    find(c.Cmd_Prev, "Cmd_Prev");
    find(c.Command2, "Command2");

    setBackground(c.Frame1, WindowColour);
    c.suubtopi->setFont(designFont(QStringLiteral("Arial"), 15.75, true));
    c.suubtopi->setAlignment(Qt::AlignCenter);
    // Nothing typed here is kept: the next move overwrites it.
    c.suubtopi->setReadOnly(true);
    c.text->setFont(designFont(QStringLiteral("Arial"), 14.25, true));

    c.suubtopi->setAccessibleName(QStringLiteral("عنوان المقال"));
    c.text->setAccessibleName(QStringLiteral("المقال"));
    c.Image1->setAccessibleName(QStringLiteral("حديث الرؤيا"));
    c.Text1->setAccessibleName(QStringLiteral("شرح الحديث"));

    setPlacement(Placement::Centred);
    connectHandlers();

    // Beyond the design, for reading: the text's size, the article copied
    // or printed.
    followZoom(window, {c.text, c.Text1});
    addReadingMenu(window, {c.text}, [this] {
        const EncyclopediaControls &c = ui();
        return EntryText{c.suubtopi->text(), {c.text->toPlainText()}};
    });
}

void EncyclopediaForm::releaseControls()
{
    c_.reset();
}

} // namespace velkaram
