#include "programwindows.h"

#include "app/forms.h"
#include "dictionary/dreamform.h"
#include "encyclopedia/encyclopediaform.h"
#include "shell/aboutform.h"
#include "shell/mainmenuform.h"
#include "shell/splashform.h"

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
    add<SplashForm>(forms, "aa");
    add<MainMenuForm>(forms, "A");
    add<DreamForm>(forms, "dream");
    add<EncyclopediaForm>(forms, "encyclopidia");
    add<AboutForm>(forms, "aboutme");
}

} // namespace velkaram
