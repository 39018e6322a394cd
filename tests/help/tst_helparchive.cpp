// The help packer's archive read back the way a mail or web reader would:
// CRLF lines, a multipart/related body, parts that decode to what went in.
#include "mhtml.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using mkhelp::Pictures;

namespace {

struct Part {
    QMap<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;                      // decoded
};

struct Archive {
    QByteArray contentType;
    QList<Part> parts;
};

QMap<QByteArray, QByteArray> readHeaders(const QList<QByteArray> &lines, qsizetype &at)
{
    QMap<QByteArray, QByteArray> headers;
    for (; at < lines.size() && !lines[at].isEmpty(); ++at) {
        const qsizetype colon = lines[at].indexOf(':');
        headers[lines[at].left(colon).trimmed().toLower()] = lines[at].mid(colon + 1).trimmed();
    }
    ++at; // the empty line
    return headers;
}

// Splits at CRLF only; fails the test on a bare CR or LF.
Archive parse(const QByteArray &mht)
{
    Archive archive;
    const QByteArray bare = QByteArray(mht).replace("\r\n", "");
    if (bare.contains('\r') || bare.contains('\n')) {
        QTest::qFail("a line ends in something other than CRLF", __FILE__, __LINE__);
        return archive;
    }
    const QList<QByteArray> lines = mht.split('\n');
    QList<QByteArray> text;
    for (const QByteArray &line : lines)
        text << (line.endsWith('\r') ? line.chopped(1) : line);
    if (text.last().isEmpty())
        text.removeLast();

    qsizetype at = 0;
    const auto top = readHeaders(text, at);
    archive.contentType = top.value("content-type");
    const QRegularExpression boundaryParam(QStringLiteral(R"re(boundary="([^"]+)")re"));
    const QByteArray boundary = boundaryParam.match(QString::fromLatin1(archive.contentType)).captured(1).toLatin1();
    if (boundary.isEmpty())
        return archive;
    while (at < text.size() && text[at] != "--" + boundary)
        ++at;
    while (at < text.size() && text[at] == "--" + boundary) {
        ++at;
        Part part;
        part.headers = readHeaders(text, at);
        QByteArray encoded;
        for (; at < text.size() && !text[at].startsWith("--" + boundary); ++at) {
            if (text[at].size() > 76)
                QTest::qFail("a body line is longer than 76 characters", __FILE__, __LINE__);
            encoded += text[at];
        }
        if (part.headers.value("content-transfer-encoding") == "base64")
            part.body = QByteArray::fromBase64(encoded, QByteArray::AbortOnBase64DecodingErrors);
        archive.parts << part;
    }
    if (at >= text.size() || text[at] != "--" + boundary + "--")
        QTest::qFail("the archive does not end with its closing boundary", __FILE__, __LINE__);
    return archive;
}

QStringList cidReferences(const QByteArray &html)
{
    QStringList ids;
    auto it = QRegularExpression(QStringLiteral(R"re(src="cid:([^"]+)")re")).globalMatch(QString::fromUtf8(html));
    while (it.hasNext())
        ids << it.next().captured(1);
    return ids;
}

// Bytes that exercise every base64 line: all byte values, CR and LF among them.
QByteArray fakePng(char seed)
{
    QByteArray bytes("\x89PNG\r\n\x1a\n");
    for (int i = 0; i < 700; ++i)
        bytes += char((i * 7 + seed) & 0xff);
    return bytes;
}

const QByteArray SamplePage = QStringLiteral(
    "<!DOCTYPE html><html dir=\"rtl\" lang=\"ar\"><head><meta charset=\"utf-8\"></head><body>\n"
    "<p>قاموس تفسير الأحلام: رؤية الماء الصافي خير.</p>\n"
    "<figure class=\"shot\"><img src=\"shot:dream\" alt=\"القاموس\"><figcaption>نافذة القاموس</figcaption></figure>\n"
    "<figure class=\"shot\"><img src=\"shot:aa\" alt=\"البداية\"><figcaption>نافذة البداية</figcaption></figure>\n"
    "<p>قبل <img src=\"shot:A\"> بعد</p>\n"
    "<p>مرة ثانية <img src=\"shot:dream\"></p>\n"
    "</body></html>\n").toUtf8();

} // namespace

class TestHelpArchive : public QObject {
    Q_OBJECT

private slots:
    void archiveIsMultipartRelatedWithThePageFirst()
    {
        const Archive archive = parse(mkhelp::packArchive(SamplePage, {{"dream", fakePng(1)}}));
        QVERIFY(archive.contentType.startsWith("multipart/related;"));
        QVERIFY(archive.contentType.contains("type=\"text/html\""));
        QCOMPARE(archive.parts.size(), 2);
        QCOMPARE(archive.parts[0].headers.value("content-type"), QByteArray("text/html; charset=\"utf-8\""));
        QCOMPARE(archive.parts[1].headers.value("content-type"), QByteArray("image/png"));
    }

    void pageDecodesToTheArabicSource()
    {
        const Archive archive = parse(mkhelp::packArchive(SamplePage, {{"dream", fakePng(1)}}));
        QVERIFY(!archive.parts.isEmpty());
        const QString page = QString::fromUtf8(archive.parts[0].body);
        QVERIFY(page.contains(QStringLiteral("<p>قاموس تفسير الأحلام: رؤية الماء الصافي خير.</p>")));
        QCOMPARE(archive.parts[0].body, mkhelp::linkPictures(SamplePage, {{"dream", fakePng(1)}}));
    }

    void everyReferenceHasItsPictureByteForByte()
    {
        const Pictures pictures{{"dream", fakePng(1)}, {"aa", fakePng(2)}, {"A", fakePng(3)}};
        const Archive archive = parse(mkhelp::packArchive(SamplePage, pictures));
        QCOMPARE(archive.parts.size(), 4);
        const QByteArray page = archive.parts[0].body;
        QVERIFY(!page.contains("shot:"));
        const QStringList references = cidReferences(page);
        QCOMPARE(references.size(), 4); // dream twice
        for (const auto &[name, png] : pictures) {
            const QString id = mkhelp::contentId(name);
            QVERIFY2(references.contains(id), qPrintable(name));
            int found = 0;
            for (const Part &part : archive.parts) {
                if (part.headers.value("content-id") == "<" + id.toLatin1() + ">") {
                    ++found;
                    QCOMPARE(part.body, png);
                }
            }
            QVERIFY2(found == 1, qPrintable(name));
        }
    }

    void missingPictureTakesItsFigureAlong()
    {
        QStringList missing;
        const Archive archive = parse(mkhelp::packArchive(SamplePage, {{"dream", fakePng(1)}}, &missing));
        QCOMPARE(missing, QStringList({"aa", "A"}));
        const QString page = QString::fromUtf8(archive.parts.value(0).body);
        QVERIFY(!page.contains(QStringLiteral("shot:")));
        QVERIFY(!page.contains(QStringLiteral("نافذة البداية")));
        QVERIFY(page.contains(QStringLiteral("نافذة القاموس")));
        QVERIFY(page.contains(QStringLiteral("<p>قبل  بعد</p>")));
        QCOMPARE(page.count(QStringLiteral("<figure")), page.count(QStringLiteral("</figure>")));
        QCOMPARE(cidReferences(page.toUtf8()).size(), 2);
    }

    // The shipped page: every picture it names can be linked, and without
    // pictures it keeps no image at all.
    void shippedPageLinksEveryWindow()
    {
        QFile file(QStringLiteral(VELKARAM_SOURCE_DIR "/resources/help/help.html"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray page = file.readAll();
        const QStringList names = mkhelp::pictureNames(page);
        for (const char *window : {"aa", "A", "dream", "encyclopidia", "aboutme"})
            QVERIFY2(names.contains(QLatin1String(window)), window);

        Pictures all;
        for (const QString &name : names)
            all[name] = fakePng(char(name.size()));
        const QByteArray linked = mkhelp::linkPictures(page, all);
        QCOMPARE(cidReferences(linked).size(), names.size());

        const QByteArray bare = mkhelp::linkPictures(page, {});
        QVERIFY(!bare.contains("<img"));
        QVERIFY(!bare.contains("<figure"));
        QVERIFY(QString::fromUtf8(bare).contains(QStringLiteral("نافذة القاموس")));
    }
};

QTEST_GUILESS_MAIN(TestHelpArchive)
#include "tst_helparchive.moc"
