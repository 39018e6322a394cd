#pragma once

#include "app/form.h"

namespace velkaram {

// The about box: the program's name and a way back to the main menu.
class AboutForm : public Form {
public:
    explicit AboutForm(Forms &forms);

protected:
    void createControls(QWidget *window) override;
    void releaseControls() override {}
};

} // namespace velkaram
