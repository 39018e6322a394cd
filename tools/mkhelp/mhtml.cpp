#include "mhtml.h"

#include <QRegularExpression>

namespace mkhelp {

namespace {

// Base64 never holds '-' or '_', so no body line can look like this boundary.
const QByteArray Boundary = "----=_Velkaram_Help_Part";

const QRegularExpression &shotReference()
{
    static const QRegularExpression re(QStringLiteral(R"re(src="shot:([A-Za-z0-9_-]+)")re"));
    return re;
}

QString referenceOf(const QString &name)
{
    return QStringLiteral("src=\"shot:%1\"").arg(name);
}

// Removes the figure around a missing picture, or the lone <img> tag.
void dropPicture(QString &page, const QString &name)
{
    const QString reference = referenceOf(name);
    qsizetype at;
    while ((at = page.indexOf(reference)) >= 0) {
        const qsizetype figureOpen = page.lastIndexOf(QStringLiteral("<figure"), at);
        const qsizetype lastClose = page.lastIndexOf(QStringLiteral("</figure>"), at);
        const qsizetype figureClose = page.indexOf(QStringLiteral("</figure>"), at);
        if (figureOpen >= 0 && lastClose < figureOpen && figureClose > at) {
            page.remove(figureOpen, figureClose + 9 - figureOpen);
            continue;
        }
        const qsizetype tagOpen = page.lastIndexOf(QLatin1Char('<'), at);
        const qsizetype tagClose = page.indexOf(QLatin1Char('>'), at);
        page.remove(tagOpen, tagClose + 1 - tagOpen);
    }
}

void appendHeader(QByteArray &out, const QByteArray &line)
{
    out += line;
    out += "\r\n";
}

} // namespace

QString contentId(const QString &name)
{
    return QStringLiteral("shot-%1@velkaram.help").arg(name);
}

QStringList pictureNames(const QByteArray &html)
{
    QStringList names;
    auto it = shotReference().globalMatch(QString::fromUtf8(html));
    while (it.hasNext()) {
        const QString name = it.next().captured(1);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

QByteArray linkPictures(const QByteArray &html, const Pictures &pictures, QStringList *missing)
{
    QString page = QString::fromUtf8(html);
    for (const QString &name : pictureNames(html)) {
        if (pictures.contains(name)) {
            page.replace(referenceOf(name), QStringLiteral("src=\"cid:%1\"").arg(contentId(name)));
        } else {
            dropPicture(page, name);
            if (missing)
                *missing << name;
        }
    }
    return page.toUtf8();
}

QByteArray base64Lines(const QByteArray &data)
{
    const QByteArray encoded = data.toBase64();
    QByteArray out;
    out.reserve(encoded.size() + encoded.size() / 76 * 2 + 2);
    for (qsizetype at = 0; at < encoded.size(); at += 76) {
        out += encoded.mid(at, 76);
        out += "\r\n";
    }
    return out;
}

QByteArray packArchive(const QByteArray &html, const Pictures &pictures, QStringList *missing)
{
    const QByteArray page = linkPictures(html, pictures, missing);
    QByteArray out;
    appendHeader(out, "From: <Velkaram>");
    appendHeader(out, "Subject: =?utf-8?B?" + QStringLiteral("مساعدة Velkaram").toUtf8().toBase64() + "?=");
    appendHeader(out, "MIME-Version: 1.0");
    appendHeader(out, "Content-Type: multipart/related; type=\"text/html\"; boundary=\"" + Boundary + "\"");
    appendHeader(out, "");
    appendHeader(out, "--" + Boundary);
    appendHeader(out, "Content-Type: text/html; charset=\"utf-8\"");
    appendHeader(out, "Content-Transfer-Encoding: base64");
    appendHeader(out, "");
    out += base64Lines(page);
    for (const QString &name : pictureNames(html)) {
        const auto picture = pictures.find(name);
        if (picture == pictures.end())
            continue;
        appendHeader(out, "--" + Boundary);
        appendHeader(out, "Content-Type: image/png");
        appendHeader(out, "Content-Transfer-Encoding: base64");
        appendHeader(out, "Content-ID: <" + contentId(name).toLatin1() + ">");
        appendHeader(out, "");
        out += base64Lines(picture->second);
    }
    appendHeader(out, "--" + Boundary + "--");
    return out;
}

} // namespace mkhelp
