// The dictionary window's controls: kinds, places (twips), captions, tab
// order, fonts and colours.
#include "dictionary/dreamform.h"

#include "app/design.h"
#include "app/reading.h"
#include "core/layout/twips.h"
#include "platform/grid/flexgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace velkaram {

namespace {

using K = ControlKind;

QWidget *createGrid(QWidget *parent)
{
    return new FlexGrid(parent);
}

const ControlDesign Design[] = {
    {"Frame1", K::Frame, nullptr, 0, 0, 11895, 8415, {}, -1},
    {"Frame3", K::Frame, "Frame1", 120, 360, 11655, 1455, {}, -1},
    {"Commmand1", K::Button, "Frame3", 120, 240, 1575, 495, QStringLiteral("تنفيذ البحث"), 12},
    {"Commmand2", K::Button, "Frame3", 120, 840, 1575, 495, QStringLiteral("عرض  كافة السجلات"), 13},
    {"Text1", K::TextBox, "Frame3", 1800, 240, 3015, 375, {}, 6},
    // The option buttons and the check box are a little taller and wider
    // than first drawn, so that their Arabic captions are not cut.
    {"Option2", K::OptionButton, "Frame3", 1800, 840, 2160, 300, QStringLiteral("مطابق لحالة الأحرف"), 4},
    {"Option1", K::OptionButton, "Frame3", 4080, 840, 735, 300, QStringLiteral("شامل"), 5},
    {"Check1", K::CheckBox, "Frame3", 5040, 240, 2295, 300, QStringLiteral("بحث بدلالة حقل معين"), 3},
    {"Combo1", K::ComboBox, "Frame3", 5280, 720, 2055, 315, {}, 2},
    {"Command2", K::Button, "Frame3", 7560, 240, 1215, 495, QStringLiteral("About حول"), 23},
    {"Command3", K::Button, "Frame3", 7560, 840, 1215, 495, QStringLiteral("Back عودة"), 22},
    {"Cmd_last", K::Button, "Frame3", 9000, 240, 1215, 495, QStringLiteral("Last الاخير"), 15},
    {"Cmd_Next", K::Button, "Frame3", 9000, 840, 1215, 495, QStringLiteral("Next التالي"), 17},
    {"Command1", K::Button, "Frame3", 10320, 240, 1215, 495, QStringLiteral("First الاول"), 14},
    {"Cmd_Prev", K::Button, "Frame3", 10320, 840, 1215, 495, QStringLiteral("Prev السابق"), 16},
    {"SkinLabel1", K::SkinLabel, "Frame1", 120, 1920, 11655, 375, QStringLiteral("المفتاح"), 18},
    {"key", K::MultiLineText, "Frame1", 120, 2280, 11655, 615, {}, 11},
    {"SkinLabel3", K::SkinLabel, "Frame1", 120, 3000, 11655, 375, QStringLiteral("الرؤيا"), 20},
    {"Item", K::MultiLineText, "Frame1", 120, 3360, 11655, 615, {}, 9},
    {"SkinLabel2", K::SkinLabel, "Frame1", 120, 4080, 11655, 375, QStringLiteral("تفسير الرؤيا"), 19},
    {"discrpt", K::MultiLineText, "Frame1", 120, 4440, 11655, 1815, {}, 10},
    {"SkinLabel4", K::SkinLabel, "Frame1", 120, 6360, 11655, 375, QStringLiteral("نتائج البحث"), 21},
    {"MSFlexGrid1", K::Custom, "Frame1", 120, 6720, 11685, 1650, {}, 7, createGrid},
    // Wide enough for its whole text, in the strip above the search frame,
    // on the right where an Arabic reader starts.
    {"LabRecord", K::Label, "Frame1", 7920, 0, 3855, 360, QStringLiteral("السجل رقم ( 0 ) من ( 0 )"), 8},
};

const QColor WindowColour(210, 196, 217);

} // namespace

void DreamForm::createControls(QWidget *window)
{
    buildDesign(window, Design, DesignUnits::Twips);
    window->setFixedSize(pixels(11880), pixels(8445));
    setBackground(window, WindowColour);
    window->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, false));

    c_ = std::make_unique<DreamControls>();
    DreamControls &c = *c_;
    const auto find = [window](auto *&control, const char *name) { findControl(window, control, name); };
    find(c.Frame1, "Frame1");
    find(c.Frame3, "Frame3");
    find(c.Commmand1, "Commmand1");
    find(c.Commmand2, "Commmand2");
    find(c.Command1, "Command1");
    find(c.Command2, "Command2");
    find(c.Command3, "Command3");
    find(c.Cmd_last, "Cmd_last");
    find(c.Cmd_Next, "Cmd_Next");
    find(c.Cmd_Prev, "Cmd_Prev");
    find(c.Text1, "Text1");
    find(c.Option1, "Option1");
    find(c.Option2, "Option2");
    find(c.Check1, "Check1");
    find(c.Combo1, "Combo1");
    find(c.SkinLabel1, "SkinLabel1");
    find(c.SkinLabel2, "SkinLabel2");
    find(c.SkinLabel3, "SkinLabel3");
    find(c.SkinLabel4, "SkinLabel4");
    find(c.LabRecord, "LabRecord");
    find(c.key, "key");
    find(c.Item, "Item");
    find(c.discrpt, "discrpt");
    find(c.MSFlexGrid1, "MSFlexGrid1");

    // The option buttons and the check box show the frame's colour through.
    setBackground(c.Frame1, WindowColour);
    setBackground(c.Frame3, WindowColour);

    const QFont headings = designFont(QStringLiteral("Tahoma"), 14.25, true);
    for (QLabel *label : {c.SkinLabel1, c.SkinLabel2, c.SkinLabel3, c.SkinLabel4})
        label->setFont(headings);
    c.key->setFont(headings);
    c.Item->setFont(designFont(QStringLiteral("Arial"), 14.25, true));
    c.discrpt->setFont(designFont(QStringLiteral("Arial"), 12, true));
    c.LabRecord->setFont(designFont(QStringLiteral("Arial"), 12, true));
    c.MSFlexGrid1->setFont(compactDesignFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    c.MSFlexGrid1->setLayoutDirection(Qt::RightToLeft);

    // The counter in the system's window colours, as a plain text field.
    QPalette counter = c.LabRecord->palette();
    counter.setColor(QPalette::Window, counter.color(QPalette::Base));
    counter.setColor(QPalette::WindowText, counter.color(QPalette::Text));
    c.LabRecord->setPalette(counter);
    c.LabRecord->setAutoFillBackground(true);
    c.LabRecord->setLayoutDirection(Qt::RightToLeft);

    c.Option1->setChecked(true);
    c.Combo1->setEnabled(false);

    // For a screen reader: the search controls by what they hold, the boxes
    // and the grid by the headings above them, which are their labels.
    c.Text1->setAccessibleName(QStringLiteral("نص البحث"));
    // A list is named by the label that points at it (its own name is the
    // field chosen); this one's heading is the check box beside it, so a
    // label nobody sees points at it.
    auto *fieldLabel = new QLabel(QStringLiteral("حقل البحث"), c.Frame3);
    fieldLabel->setObjectName(QStringLiteral("Combo1Label"));
    fieldLabel->setBuddy(c.Combo1);
    fieldLabel->hide();
    const std::pair<QLabel *, QWidget *> headed[] = {
        {c.SkinLabel1, c.key}, {c.SkinLabel3, c.Item}, {c.SkinLabel2, c.discrpt}, {c.SkinLabel4, c.MSFlexGrid1}};
    for (const auto &[heading, control] : headed) {
        heading->setBuddy(control);
        control->setAccessibleName(heading->text());
    }
    // The reader starts by typing what they dreamt.
    c.Text1->setFocus(Qt::OtherFocusReason);

    connectHandlers();
    createSuggestions(window);

    // Beyond the design, for reading: the text's size, the whole entry
    // copied or printed, back and forward among the entries read.
    followZoom(window, {c.key, c.Item, c.discrpt, c.MSFlexGrid1});
    addReadingMenu(window, {c.key, c.Item, c.discrpt}, [this] {
        const DreamControls &c = *c_;
        return EntryText{c.key->toPlainText(), {c.Item->toPlainText(), c.discrpt->toPlainText()}};
    });
    onBackAndForward(window, [this](bool forward) { revisit(forward); });
}

void DreamForm::releaseControls()
{
    c_.reset();
}

} // namespace velkaram
