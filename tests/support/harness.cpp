#include "harness.h"

#include "fixturedb.h"
#include "platform/sound/audiologging.h"
#include "programwindows.h"

#include <QFile>
#include <QTest>

Harness::Harness(const QString &programFolder)
{
    // As the program does where it starts.
    velkaram::quietAudioLogging();
    QVERIFY2(QFile::copy(QStringLiteral(VELKARAM_SOURCE_DIR "/resources/skin/KELVRA.qss"), dir_.filePath(QStringLiteral("KELVRA"))),
             "skin file");
    forms_ = std::make_unique<velkaram::Forms>(programFolder.isEmpty() ? dir_.path() : programFolder);
    forms_->setMessageBoxes([this](const velkaram::MessageRequest &request) { messages << request; });
    forms_->setFatalHandler([this](int number, const QString &description) { fatals << Fatal{number, description}; });
    forms_->setDocumentOpener([this](const QString &path) { opened << path; });
    forms_->setEnd([this](int code) { ended << code; });
    velkaram::registerProgramWindows(*forms_);
}

Harness::~Harness()
{
    forms_.reset();
    // Unloaded windows are deleted from the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Harness::writeDictionary(const QList<QVariantList> &rows)
{
    writeDictionary(dreamColumns(), rows);
}

void Harness::writeDictionary(const QStringList &columns, const QList<QVariantList> &rows)
{
    const QString path = dir_.filePath(QStringLiteral("kelvra.mdb"));
    QFile::remove(path);
    writeTable(path, QStringLiteral("dream"), columns, rows);
}

void Harness::writeEncyclopedia(const QList<QVariantList> &rows)
{
    writeTable(dir_.filePath(QStringLiteral("kelvra.mdb")), QStringLiteral("encyclopidia"),
               {QStringLiteral("suubtopi"), QStringLiteral("text")}, rows);
}

void Harness::useDictionaryFile(const QString &path)
{
    const QString target = dir_.filePath(QStringLiteral("kelvra.mdb"));
    QFile::remove(target);
    QVERIFY2(QFile::copy(path, target), qPrintable(path));
}

velkaram::DreamForm &Harness::showDictionary(const QList<QVariantList> &rows)
{
    return showDictionary(dreamColumns(), rows);
}

velkaram::DreamForm &Harness::showDictionary(const QStringList &columns, const QList<QVariantList> &rows)
{
    writeDictionary(columns, rows);
    dream().show();
    return dream();
}

velkaram::DreamForm &Harness::dream()
{
    return forms_->get<velkaram::DreamForm>(QStringLiteral("dream"));
}
