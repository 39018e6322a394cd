#include "platform/skin/skin.h"

#include "core/runtimeerror.h"
#include "core/text/paths.h"

#include <QDir>
#include <QFile>
#include <QWidget>

namespace velkaram {

void Skin::LoadSkin(const QString &path)
{
    QFile file(resolveFileNameCase(QDir::fromNativeSeparators(path)));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw RuntimeError(err::SkinFileNotFound, QStringLiteral("تعذر فتح ملف المظهر %1.").arg(quotedName(path)));
    sheet_ = QString::fromUtf8(file.readAll());
    loaded_ = true;
}

void Skin::ApplySkin(QWidget *window) const
{
    if (loaded_ && window)
        window->setStyleSheet(sheet_);
}

} // namespace velkaram
