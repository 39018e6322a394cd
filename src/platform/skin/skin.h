#pragma once

#include <QString>

class QWidget;

namespace velkaram {

// The look of a window, kept in a skin file (a Qt style sheet).
class Skin {
public:
    // Raises when the file cannot be read.
    void LoadSkin(const QString &path);
    void ApplySkin(QWidget *window) const;

private:
    QString sheet_;
    bool loaded_ = false;
};

} // namespace velkaram
