#include "app/forms.h"
#include "core/text/paths.h"
#include "platform/sound/audiologging.h"
#include "programwindows.h"
#include "startup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    const QProcessEnvironment userEnvironment = velkaram::prepareProcess();
    // Docks and task bars match the windows to the launcher by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.velkaram"));
    QApplication app(argc, argv);
    velkaram::quietAudioLogging();
    // Windows are hidden and shown by the program; hiding the last one does
    // not end it.
    app.setQuitOnLastWindowClosed(false);
    // Qt's own words (the OK button) in Arabic. The translation would also
    // turn every window right to left; the windows set their direction
    // control by control instead.
    QTranslator qtArabic;
    if (qtArabic.load(QStringLiteral("qtbase_ar"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtArabic);
    app.setLayoutDirection(Qt::LeftToRight);
    // The desktop's launcher icon, on every window too.
    QIcon icon;
    for (const int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/icon/%1.png").arg(size));
    app.setWindowIcon(icon);

    velkaram::Forms forms(velkaram::defaultProgramFolder());
    forms.setChildEnvironment(userEnvironment);
    velkaram::registerProgramWindows(forms);

    velkaram::Form &splash = forms.form(QStringLiteral("aa"));
    splash.guarded([&] { splash.show(); });
    return app.exec();
}
