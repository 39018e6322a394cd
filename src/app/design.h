#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <span>

class QWidget;

namespace velkaram {

// A window's design as data: what each control is, where it sits and what it
// says. Positions are in design units (twips for most windows).
enum class ControlKind { Frame, Button, TextBox, MultiLineText, OptionButton, CheckBox, ComboBox, SkinLabel, Label, Custom };

struct ControlDesign {
    const char *name;
    ControlKind kind;
    const char *parent; // nullptr: the window itself
    int left, top, width, height;
    QString caption;
    int tabIndex; // -1: not in the tab order
    QWidget *(*create)(QWidget *parent) = nullptr; // for ControlKind::Custom
};

enum class DesignUnits { Twips, Pixels };

// Creates the controls as children of window, named after the design, and
// chains the tab order.
void buildDesign(QWidget *window, std::span<const ControlDesign> design, DesignUnits units);

// A font by the design's family, followed by families that carry Arabic.
QFont designFont(const QString &family, double pointSize, bool bold);
// The same with an Arabic face of compact line metrics, for dense lists.
QFont compactDesignFont(const QString &family, double pointSize, bool bold);

void setBackground(QWidget *widget, const QColor &colour);

// Draws every window in the design's colours with Qt's Fusion style,
// whatever palette and style the desktop sets: under a dark desktop palette
// the chosen option's dot vanished into its light background.
void useDesignedLook();

// The control of the window's design by that name; the design made it, so
// it is there.
template <typename T>
void findControl(QWidget *window, T *&control, const char *name)
{
    control = window->findChild<T *>(QString::fromLatin1(name));
    Q_ASSERT(control);
}

} // namespace velkaram
