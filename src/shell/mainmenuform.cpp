#include "shell/mainmenuform.h"

#include "shell/smallwindow.h"

namespace velkaram {

MainMenuForm::MainMenuForm(Forms &forms) : Form(forms, QStringLiteral("A")) {}

void MainMenuForm::createControls(QWidget *window)
{
    setUpSmallWindow(window);
    on(addButton(window, QStringLiteral("قاموس الأحلام"), {40, 24, 240, 48}), &QPushButton::clicked, [this] {
        hide();
        forms().form(QStringLiteral("dream")).show();
    });
    on(addButton(window, QStringLiteral("خروج"), {40, 88, 240, 48}), &QPushButton::clicked, [] { Forms::end(0); });
}

// Closing the hub ends the program: no other window would be left to use.
void MainMenuForm::Form_Unload(int &)
{
    Forms::end(0);
}

} // namespace velkaram
