#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace velkaram {

// The borderless windows open in the middle of the screen.
inline void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->geometry().center() - window->rect().center());
}

} // namespace velkaram
