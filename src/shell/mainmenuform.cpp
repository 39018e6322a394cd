#include "shell/mainmenuform.h"

#include "app/design.h"
#include "app/forms.h"

#include <QPushButton>

namespace velkaram {

MainMenuForm::MainMenuForm(Forms &forms) : Form(forms, QStringLiteral("A")) {}

void MainMenuForm::createControls(QWidget *window)
{
    window->setWindowTitle(ProgramTitle);
    window->setFixedSize(320, 160);
    setBackground(window, QColor(210, 196, 217));
    const QFont font = designFont(QStringLiteral("Tahoma"), 14.25, true);
    dictionary_ = new QPushButton(QStringLiteral("قاموس الأحلام"), window);
    dictionary_->setGeometry(40, 24, 240, 48);
    dictionary_->setFont(font);
    exit_ = new QPushButton(QStringLiteral("خروج"), window);
    exit_->setGeometry(40, 88, 240, 48);
    exit_->setFont(font);
    on(dictionary_, &QPushButton::clicked, [this] {
        hide();
        forms().form(QStringLiteral("dream")).show();
    });
    on(exit_, &QPushButton::clicked, [] { Forms::end(0); });
}

void MainMenuForm::releaseControls()
{
    dictionary_ = nullptr;
    exit_ = nullptr;
}

// Closing the hub ends the program: no other window would be left to use.
void MainMenuForm::Form_Unload(int &)
{
    Forms::end(0);
}

} // namespace velkaram
