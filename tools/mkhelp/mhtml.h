#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>

namespace mkhelp {

// Pictures by the name the page uses for them (src="shot:NAME"), PNG bytes.
using Pictures = std::map<QString, QByteArray>;

// The Content-ID of a named picture, without angle brackets.
QString contentId(const QString &name);

// The names the page refers to with src="shot:NAME", in page order.
QStringList pictureNames(const QByteArray &html);

// Points every src="shot:NAME" at the picture's cid: address. A picture that
// is missing takes its <figure> with it (or only its <img> when it stands
// alone), so the page never shows a broken image. Missing names go to
// *missing when given.
QByteArray linkPictures(const QByteArray &html, const Pictures &pictures, QStringList *missing = nullptr);

// Base64 in lines of 76 characters, each ended by CRLF.
QByteArray base64Lines(const QByteArray &data);

// A complete MHTML archive: multipart/related with the page first, then one
// image/png part per picture the page refers to. Every line ends in CRLF;
// browsers show a blank page otherwise.
QByteArray packArchive(const QByteArray &html, const Pictures &pictures, QStringList *missing = nullptr);

} // namespace mkhelp
