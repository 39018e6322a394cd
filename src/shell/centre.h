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

// The splash, the menu and the about box: no frame, a fixed size, centred.
inline void makeBorderless(QWidget *window, int width, int height)
{
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window->setFixedSize(width, height);
    centreOnScreen(window);
}

} // namespace velkaram
