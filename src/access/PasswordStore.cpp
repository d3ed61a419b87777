#include "PasswordStore.h"

#include "access/Crypt.h"
#include "rules/TextRules.h"
#include "storage/IniFile.h"
#include "storage/Trim.h"

#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace tavorel {

namespace {

const QString kSection = QString::fromLatin1(kPasswordStoreSection);
const QString kKey = QString::fromLatin1(kPasswordStoreKey);

} // namespace

QString PasswordStore::filePath(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(kPasswordStoreFile));
}

PasswordStore::Reading PasswordStore::read(const QString& folder)
{
    IniFile ini;
    if (!ini.load(filePath(folder)))
        return {Status::Failed, {}};
    if (!ini.contains(kSection, kKey))
        return {Status::Missing, {}};
    try {
        return {Status::Ok, TrimSpazi(DecifraTesto(ini.value(kSection, kKey)))};
    } catch (const std::invalid_argument&) {
        return {Status::Failed, {}};
    }
}

QString PasswordStore::normalise(const QString& typed)
{
    return TrimSpazi(MaiuscoleAZ(typed));
}

bool PasswordStore::storable(const QString& password)
{
    if (password.isEmpty() || password.size() > 255)
        return false;
    for (const QChar c : password) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

bool PasswordStore::write(const QString& folder, const QString& newPassword)
{
    const QString password = normalise(newPassword);
    if (!storable(password))
        return false;
    return IniFile::writeValue(filePath(folder), kSection, kKey, TrimSpazi(CifraTesto(password)));
}

bool InstallaArchivioPassword(const QString& folder, const QString& password)
{
    if (!QFileInfo(folder).isDir())
        return false;
    const QFileInfo store(PasswordStore::filePath(folder));
    if (store.exists())
        return store.isFile();
    return PasswordStore::write(folder, password);
}

} // namespace tavorel
