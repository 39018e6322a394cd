#include "shell/placeholderform.h"

#include "app/design.h"
#include "app/forms.h"

#include <QLabel>
#include <QPushButton>

namespace velkaram {

PlaceholderForm::PlaceholderForm(Forms &forms, const QString &name, QString title)
    : Form(forms, name), title_(std::move(title))
{
}

void PlaceholderForm::createControls(QWidget *window)
{
    window->setWindowTitle(ProgramTitle);
    window->setFixedSize(320, 160);
    setBackground(window, QColor(210, 196, 217));
    const QFont font = designFont(QStringLiteral("Tahoma"), 14.25, true);
    auto *title = new QLabel(title_, window);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(font);
    title->setGeometry(20, 12, 280, 72);
    auto *back = new QPushButton(QStringLiteral("عودة"), window);
    back->setGeometry(100, 100, 120, 40);
    back->setFont(font);
    on(back, &QPushButton::clicked, [this] { backToMenu(); });
}

void PlaceholderForm::backToMenu()
{
    forms().form(QStringLiteral("A")).show();
    unload();
}

} // namespace velkaram
