#include "app/forms.h"

#include "app/design.h"

#include "app/accessible.h"

#include "core/text/messagetext.h"
#include "core/text/paths.h"

#include <QApplication>
#include <QProcess>
#include <QUrl>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace velkaram {

namespace {

void showMessageBox(const MessageRequest &request)
{
    QMessageBox box;
    box.setWindowTitle(request.title.isEmpty() ? ProgramTitle : request.title);
    box.setText(request.rightToLeft ? withPathsOnTheirOwnLines(request.prompt) : request.prompt);
    box.setStandardButtons(QMessageBox::Ok);
    switch (request.icon) {
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::None: break;
    }
    if (request.rightToLeft)
        box.setLayoutDirection(Qt::RightToLeft);
    box.exec();
}

void openWithDesktop(const QString &path, const QProcessEnvironment &environment)
{
    // The desktop's "open" (xdg-open, as Qt's own desktop services use on X),
    // started detached so nothing waits on it. Its output goes nowhere: with
    // no viewer it lists every browser it failed to find. The result is not
    // examined.
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({QUrl::fromLocalFile(path).toString()});
    opener.setStandardOutputFile(QProcess::nullDevice());
    opener.setStandardErrorFile(QProcess::nullDevice());
    opener.setProcessEnvironment(environment);
    opener.startDetached();
}

// The program keeps nothing to save: it leaves without running any window's
// unload handler.
void endNow(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace

Forms::Forms(QString programFolder)
    : programFolder_(std::move(programFolder)), messageBoxes_(showMessageBox),
      opener_([this](const QString &path) { openWithDesktop(path, childEnvironment_); }), ender_(endNow)
{
    installAccessibleControls();
    useDesignedLook();
    fatal_ = [this](int number, const QString &description) {
        message({QStringLiteral("خطأ في التشغيل رقم %1:\n\n%2").arg(number).arg(description), ProgramTitle,
                 MessageIcon::Critical, true});
        end(1);
    };
}

Forms::~Forms()
{
    // Windows go before the services they use.
    forms_.clear();
}

void Forms::registerForm(const QString &name, Factory factory)
{
    factories_[name] = std::move(factory);
}

Form &Forms::form(const QString &name)
{
    auto it = forms_.find(name);
    if (it == forms_.end())
        it = forms_.emplace(name, factories_.at(name)(*this)).first;
    return *it->second;
}

QString Forms::programPath(const QString &literal) const
{
    return joinProgramPath(programFolder_, literal);
}



} // namespace velkaram
