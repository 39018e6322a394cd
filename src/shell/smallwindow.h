#pragma once

#include "app/design.h"
#include "app/forms.h"

#include <QPushButton>
#include <QWidget>

namespace velkaram {

// The small shell windows: the program's title, the dictionary's colours.
inline void setUpSmallWindow(QWidget *window)
{
    window->setWindowTitle(ProgramTitle);
    window->setFixedSize(320, 160);
    setBackground(window, QColor(210, 196, 217));
}

inline QPushButton *addButton(QWidget *window, const QString &caption, const QRect &where)
{
    auto *button = new QPushButton(caption, window);
    button->setGeometry(where);
    button->setFont(designFont(QStringLiteral("Tahoma"), 14.25, true));
    return button;
}

} // namespace velkaram
