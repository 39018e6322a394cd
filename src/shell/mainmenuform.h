#pragma once

#include "app/form.h"

namespace velkaram {

// The main menu, the hub every window returns to. For now it offers the
// dictionary and the way out.
class MainMenuForm : public Form {
public:
    explicit MainMenuForm(Forms &forms);

protected:
    void createControls(QWidget *window) override;
    void releaseControls() override {}
    void Form_Unload(int &cancel) override;
};

} // namespace velkaram
