#include "shell/Platform.h"

#include "shell/Camera.h"
#include "shell/QtPlatform.h"
#include "storage/Messages.h"
#include "storage/Trim.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QUrlQuery>

namespace tavorel {

namespace {
Platform* installed = nullptr;
}

Platform::~Platform() = default;

void Platform::terminate()
{
    QCoreApplication::quit();
}

std::unique_ptr<Camera> Platform::camera()
{
    return nullptr;
}

Platform& platform()
{
    if (installed)
        return *installed;
    static QtPlatform real;
    return real;
}

bool openOnDesktop(QWidget* parent, const QString& command)
{
    // Said the way the user knows it: the file by its name, the address as written.
    QString target = TrimSpazi(command);
    if (target.size() >= 2 && target.startsWith(QLatin1Char('"')) && target.endsWith(QLatin1Char('"')))
        target = target.mid(1, target.size() - 2);
    // A file that is not there is said as such: the desktop would blame its programs.
    if (const QUrl url = QtPlatform::shellUrl(command, platform().programFolder()); url.isLocalFile()) {
        const QFileInfo file(url.toLocalFile());
        if (!file.exists()) {
            platform().message(parent, MessageKind::Warning,
                               kMsgFileNonTrovato.arg(file.fileName(), QDir::toNativeSeparators(file.path())));
            return false;
        }
    }
    if (platform().shellOpen(command))
        return true;
    QString text;
    if (target.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive)) {
        // The address, or the hidden copies of a message to many (the expiry reminder).
        QString address = target.mid(7).section(QLatin1Char('?'), 0, 0);
        if (address.isEmpty())
            address = QUrlQuery(target.section(QLatin1Char('?'), 1)).queryItemValue(QStringLiteral("bcc"));
        address = QUrl::fromPercentEncoding(address.toUtf8()).replace(QLatin1Char(','), QStringLiteral(", "));
        text = kMsgNessunProgrammaPosta.arg(address.isEmpty() ? QStringLiteral("un nuovo destinatario") : address);
    } else if (target.contains(QStringLiteral("://")))
        text = kMsgNessunProgrammaSito.arg(target);
    else
        text = kMsgNessunProgrammaFile.arg(QFileInfo(target).fileName());
    platform().message(parent, MessageKind::Warning, text);
    return false;
}

void setPlatform(Platform* p)
{
    installed = p;
}

} // namespace tavorel
