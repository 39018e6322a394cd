#include "app/design.h"

#include "app/controls.h"
#include "core/layout/twips.h"
#include "core/text/spokenname.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTextEdit>
#include <algorithm>
#include <map>
#include <vector>

namespace velkaram {

namespace {

QWidget *createControl(const ControlDesign &d, QWidget *parent)
{
    switch (d.kind) {
    case ControlKind::Frame: {
        auto *frame = new QFrame(parent);
        frame->setFrameShape(QFrame::StyledPanel);
        return frame;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(d.caption, parent);
        // The caption as shown; a screen reader gets it in one language.
        if (const QString spoken = spokenName(d.caption); spoken != d.caption)
            button->setAccessibleName(spoken);
        pressOnReturn(button);
        return button;
    }
    case ControlKind::TextBox: {
        auto *edit = new QLineEdit(d.caption, parent);
        // Plain AlignRight is mirrored for Arabic text and would show it left.
        edit->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        edit->setLayoutDirection(Qt::RightToLeft);
        return edit;
    }
    case ControlKind::MultiLineText: {
        auto *box = new QTextEdit(parent);
        box->setReadOnly(true);
        box->setAcceptRichText(false);
        box->setLayoutDirection(Qt::RightToLeft);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Each paragraph takes its direction from its own text: an Arabic
        // sentence reads right to left and ends with its full stop on the left.
        QTextOption paragraphs(Qt::AlignHCenter);
        paragraphs.setTextDirection(Qt::LayoutDirectionAuto);
        box->document()->setDefaultTextOption(paragraphs);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        return box;
    }
    case ControlKind::OptionButton: {
        auto *option = new QRadioButton(d.caption, parent);
        option->setLayoutDirection(Qt::RightToLeft);
        return option;
    }
    case ControlKind::CheckBox: {
        auto *check = new QCheckBox(d.caption, parent);
        check->setLayoutDirection(Qt::RightToLeft);
        return check;
    }
    case ControlKind::ComboBox: {
        auto *combo = new QComboBox(parent);
        combo->setLayoutDirection(Qt::RightToLeft);
        return combo;
    }
    case ControlKind::SkinLabel:
    case ControlKind::Label: {
        auto *label = new QLabel(d.caption, parent);
        label->setAlignment(Qt::AlignCenter);
        label->setProperty("skinLabel", d.kind == ControlKind::SkinLabel);
        return label;
    }
    case ControlKind::Custom: return d.create(parent);
    }
    return nullptr;
}

} // namespace

void buildDesign(QWidget *window, std::span<const ControlDesign> design, DesignUnits units)
{
    std::map<QString, QWidget *> byName;
    std::vector<std::pair<int, QWidget *>> tabOrder;
    const auto px = [units](int length) { return units == DesignUnits::Twips ? pixels(length) : length; };
    for (const ControlDesign &d : design) {
        QWidget *parent = d.parent ? byName.at(QString::fromLatin1(d.parent)) : window;
        QWidget *control = createControl(d, parent);
        control->setObjectName(QString::fromLatin1(d.name));
        control->setGeometry(px(d.left), px(d.top), px(d.width), px(d.height));
        byName[control->objectName()] = control;
        if (d.tabIndex >= 0 && control->focusPolicy() != Qt::NoFocus)
            tabOrder.emplace_back(d.tabIndex, control);
    }
    std::sort(tabOrder.begin(), tabOrder.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

namespace {

QFont fontOf(const QStringList &families, double pointSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont designFont(const QString &family, double pointSize, bool bold)
{
    return fontOf({family, QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Naskh Arabic"),
                   QStringLiteral("DejaVu Sans")},
                  pointSize, bold);
}

QFont compactDesignFont(const QString &family, double pointSize, bool bold)
{
    return fontOf({family, QStringLiteral("Noto Sans Arabic UI"), QStringLiteral("Noto Sans Arabic"),
                   QStringLiteral("DejaVu Sans")},
                  pointSize, bold);
}

namespace {

// Fusion, with the dark outline the design's check boxes and option buttons
// had: Fusion's own is a light grey that stood 1.1:1 to 1.5:1 against the
// windows' light purple, so that an unticked box could hardly be seen.
class DesignedStyle : public QProxyStyle {
public:
    DesignedStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (element != PE_IndicatorCheckBox && element != PE_IndicatorRadioButton)
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, element == PE_IndicatorRadioButton);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(IndicatorOutline, 1));
        const QRectF box = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        if (element == PE_IndicatorRadioButton)
            painter->drawEllipse(box);
        else
            painter->drawRect(box);
        painter->restore();
    }

    static inline const QColor IndicatorOutline{90, 90, 90};
};

} // namespace

void useDesignedLook()
{
    if (!dynamic_cast<DesignedStyle *>(QApplication::style()))
        QApplication::setStyle(new DesignedStyle);
    QApplication::setPalette(QApplication::style()->standardPalette());
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace velkaram
