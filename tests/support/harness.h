#pragma once

#include "app/forms.h"
#include "dictionary/dreamform.h"

#include <QList>
#include <QTemporaryDir>
#include <memory>

// A program folder of its own with the skin file, the windows registered as
// in the program, and the message boxes, the error report and the documents
// handed to the desktop recorded instead of shown.
class Harness {
public:
    // programFolder: the folder the windows believe they run from; by
    // default a temporary one with the skin file in it.
    explicit Harness(const QString &programFolder = {});
    ~Harness();

    // Writes <folder>/kelvra.mdb with table dream.
    void writeDictionary(const QList<QVariantList> &rows);
    void writeDictionary(const QStringList &columns, const QList<QVariantList> &rows);
    // Adds table encyclopidia (suubtopi, text) to <folder>/kelvra.mdb.
    void writeEncyclopedia(const QList<QVariantList> &rows);
    // Copies a database file in as the program's kelvra.mdb.
    void useDictionaryFile(const QString &path);
    QString folder() const { return dir_.path(); }

    // Writes the rows and opens the dictionary window on them.
    velkaram::DreamForm &showDictionary(const QList<QVariantList> &rows);
    velkaram::DreamForm &showDictionary(const QStringList &columns, const QList<QVariantList> &rows);

    velkaram::Forms &forms() { return *forms_; }
    velkaram::DreamForm &dream();

    struct Fatal {
        int number;
        QString description;
    };
    QList<velkaram::MessageRequest> messages;
    QStringList opened; // documents handed to the desktop
    QList<int> ended;   // exit codes the program would have ended with
    QList<Fatal> fatals;

private:
    QTemporaryDir dir_;
    std::unique_ptr<velkaram::Forms> forms_;
};
