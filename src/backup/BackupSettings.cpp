#include "backup/BackupSettings.h"

#include "backup/Backup.h"
#include "storage/IniFile.h"
#include "storage/Trim.h"

#include <QDir>

namespace tavorel {

namespace {

const QString kSection = QStringLiteral("Copie di sicurezza");
const QString kFolderKey = QStringLiteral("Cartella");
const QString kAutomaticKey = QStringLiteral("Automatica");

QString settingsPath(const QString& programFolder)
{
    return QDir(programFolder).filePath(BackupSettings::fileName());
}

} // namespace

QString BackupSettings::fileName()
{
    return QStringLiteral("Copie_di_sicurezza.ini");
}

QString BackupSettings::folder(const QString& programFolder)
{
    const QString chosen =
        TrimSpazi(IniFile::readValue(settingsPath(programFolder), kSection, kFolderKey).value_or(QString()));
    return chosen.isEmpty() ? defaultBackupFolder(programFolder) : QDir::cleanPath(QDir::fromNativeSeparators(chosen));
}

bool BackupSettings::setFolder(const QString& programFolder, const QString& folder)
{
    return IniFile::writeValue(settingsPath(programFolder), kSection, kFolderKey, QDir::toNativeSeparators(folder));
}

bool BackupSettings::automatic(const QString& programFolder)
{
    return TrimSpazi(IniFile::readValue(settingsPath(programFolder), kSection, kAutomaticKey).value_or(QString())) !=
           QStringLiteral("0");
}

bool BackupSettings::setAutomatic(const QString& programFolder, bool on)
{
    return IniFile::writeValue(settingsPath(programFolder), kSection, kAutomaticKey,
                               on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace tavorel
