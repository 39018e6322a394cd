#include "shell/aboutform.h"

#include "shell/smallwindow.h"

#include <QLabel>

namespace velkaram {

AboutForm::AboutForm(Forms &forms) : Form(forms, QStringLiteral("aboutme")) {}

void AboutForm::createControls(QWidget *window)
{
    setUpSmallWindow(window);
    auto *title = new QLabel(QStringLiteral("Velkaram\nقاموس تفسير الأحلام"), window);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(designFont(QStringLiteral("Tahoma"), 14.25, true));
    title->setGeometry(20, 12, 280, 72);
    on(addButton(window, QStringLiteral("عودة"), {100, 100, 120, 40}), &QPushButton::clicked, [this] {
        forms().form(QStringLiteral("A")).show();
        unload();
    });
}

} // namespace velkaram
