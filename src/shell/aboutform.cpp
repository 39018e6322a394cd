#include "shell/aboutform.h"

#include "app/design.h"
#include "app/forms.h"

#include <QLabel>
#include <QPushButton>

namespace velkaram {

AboutForm::AboutForm(Forms &forms) : Form(forms, QStringLiteral("aboutme")) {}

void AboutForm::createControls(QWidget *window)
{
    window->setWindowTitle(ProgramTitle);
    window->setFixedSize(320, 160);
    setBackground(window, QColor(210, 196, 217));
    auto *title = new QLabel(QStringLiteral("Velkaram\nقاموس تفسير الأحلام"), window);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(designFont(QStringLiteral("Tahoma"), 14.25, true));
    title->setGeometry(20, 12, 280, 72);
    back_ = new QPushButton(QStringLiteral("عودة"), window);
    back_->setGeometry(100, 100, 120, 40);
    on(back_, &QPushButton::clicked, [this] {
        forms().form(QStringLiteral("A")).show();
        unload();
    });
}

void AboutForm::releaseControls()
{
    back_ = nullptr;
}

} // namespace velkaram
