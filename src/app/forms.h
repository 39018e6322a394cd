#pragma once

#include "app/form.h"

#include <QProcessEnvironment>
#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace velkaram {

enum class MessageIcon { None, Information, Warning, Critical };

struct MessageRequest {
    QString prompt;
    QString title;
    MessageIcon icon = MessageIcon::None;
    bool rightToLeft = false; // right-aligned text, right-to-left reading
};

// The program's windows by name, created on first use, and the services
// every window shares: message boxes, the error report, the program folder.
class Forms {
public:
    using Factory = std::function<std::unique_ptr<Form>(Forms &)>;
    using MessageBoxes = std::function<void(const MessageRequest &)>;
    using FatalHandler = std::function<void(int number, const QString &description)>;
    using DocumentOpener = std::function<void(const QString &path)>;

    explicit Forms(QString programFolder);
    ~Forms();

    void registerForm(const QString &name, Factory factory);
    Form &form(const QString &name);
    template <typename T>
    T &get(const QString &name) { return dynamic_cast<T &>(form(name)); }

    const QString &programFolder() const { return programFolder_; }
    // The program folder followed by a literal such as "\kelvra.mdb".
    QString programPath(const QString &literal) const;

    // A modal box with one OK button.
    void message(const MessageRequest &request) const { messageBoxes_(request); }
    void setMessageBoxes(MessageBoxes boxes) { messageBoxes_ = std::move(boxes); }

    // The default error report: the error's number and description in a
    // modal box, then the program ends.
    void reportFatal(int number, const QString &description) const { fatal_(number, description); }
    void setFatalHandler(FatalHandler handler) { fatal_ = std::move(handler); }

    // Hands a document to the desktop's viewer ("open"); what happens then is
    // the desktop's business.
    void openDocument(const QString &path) const { opener_(path); }
    void setDocumentOpener(DocumentOpener opener) { opener_ = std::move(opener); }
    // What the programs it starts get: the environment the user gave the
    // program, not the one start-up adjusted for the libraries it loads.
    void setChildEnvironment(QProcessEnvironment environment) { childEnvironment_ = std::move(environment); }

    // Ends the program at once: no window's unload handler runs.
    void end(int exitCode = 0) const { ender_(exitCode); }
    void setEnd(std::function<void(int exitCode)> ender) { ender_ = std::move(ender); }

private:
    QString programFolder_;
    std::map<QString, Factory> factories_;
    std::map<QString, std::unique_ptr<Form>> forms_;
    MessageBoxes messageBoxes_;
    FatalHandler fatal_;
    DocumentOpener opener_;
    QProcessEnvironment childEnvironment_{QProcessEnvironment::InheritFromParent};
    std::function<void(int)> ender_;
};

inline const QString ProgramTitle = QStringLiteral("Velkaram");

} // namespace velkaram
