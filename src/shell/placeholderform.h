#pragma once

#include "app/form.h"

namespace velkaram {

// A small window that names what it stands for and leads back to the main
// menu, for the windows still to come.
class PlaceholderForm : public Form {
public:
    PlaceholderForm(Forms &forms, const QString &name, QString title);

protected:
    void createControls(QWidget *window) override;
    void releaseControls() override {}
    void closeRequested() override { backToMenu(); }

private:
    void backToMenu();
    QString title_;
};

} // namespace velkaram
