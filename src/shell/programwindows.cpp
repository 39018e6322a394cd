#include "shell/programwindows.h"

#include "app/forms.h"
#include "dictionary/dreamform.h"
#include "shell/mainmenuform.h"
#include "shell/placeholderform.h"
#include "shell/splashform.h"

namespace velkaram {

namespace {

template <typename T>
void add(Forms &forms, const char *name)
{
    forms.registerForm(QString::fromLatin1(name), [](Forms &f) { return std::make_unique<T>(f); });
}

void addPlaceholder(Forms &forms, const char *name, const QString &title)
{
    forms.registerForm(QString::fromLatin1(name), [name, title](Forms &f) {
        return std::make_unique<PlaceholderForm>(f, QString::fromLatin1(name), title);
    });
}

} // namespace

void registerProgramWindows(Forms &forms)
{
    add<SplashForm>(forms, "aa");
    add<MainMenuForm>(forms, "A");
    add<DreamForm>(forms, "dream");
    addPlaceholder(forms, "encyclopidia", QStringLiteral("موسوعة الأحلام"));
    addPlaceholder(forms, "aboutme", QStringLiteral("Velkaram\nقاموس تفسير الأحلام"));
}

} // namespace velkaram
