#pragma once

// One function per picture of the program. The click pictures are drawn over
// the part of the menu background they cover, so they match it when shown
// opaque.

#include <QImage>

namespace art {

QImage drawMenu();                              // 640 x 480
QImage drawHelp(const QImage &menu);            // 45 x 52 at (592, 0)
QImage drawMinimize(const QImage &menu);        // 32 x 32 at (592, 56)
QImage drawExit(const QImage &menu);            // 45 x 53 at (592, 104)
QImage drawAbout(const QImage &menu);           // 48 x 48 at (280, 272)
QImage drawHand();                              // 32 x 32, hot spot (12, 4)
QImage drawSplash();                            // 800 x 183
QImage drawSaying();                            // 378 x 121
QImage drawAboutPicture();                      // 572 x 383

} // namespace art
