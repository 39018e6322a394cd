#include "shell/programwindows.h"

#include "app/forms.h"
#include "dictionary/dreamform.h"
#include "shell/aboutform.h"
#include "shell/mainmenuform.h"

namespace velkaram {

namespace {

template <typename T>
void add(Forms &forms, const char *name)
{
    forms.registerForm(QString::fromLatin1(name), [](Forms &f) { return std::make_unique<T>(f); });
}

} // namespace

void registerProgramWindows(Forms &forms)
{
    add<MainMenuForm>(forms, "A");
    add<DreamForm>(forms, "dream");
    add<AboutForm>(forms, "aboutme");
}

} // namespace velkaram
