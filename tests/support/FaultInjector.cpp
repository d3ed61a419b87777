#include "support/FaultInjector.h"

#include "support/FaultCalls.h"

#include <QDir>
#include <QFileInfo>

namespace tavorel::test {

static_assert(unsigned(FaultInjector::Open) == TAVOREL_FAULT_OPEN &&
              unsigned(FaultInjector::Write) == TAVOREL_FAULT_WRITE &&
              unsigned(FaultInjector::Flush) == TAVOREL_FAULT_FLUSH &&
              unsigned(FaultInjector::Rename) == TAVOREL_FAULT_RENAME &&
              unsigned(FaultInjector::Copy) == TAVOREL_FAULT_COPY);

FaultInjector::FaultInjector(const QString& folder, int failAt, int error, unsigned steps)
{
    const QString absolute = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QString resolved = QFileInfo(folder).canonicalFilePath();
    tavorel_faults_arm(QFile::encodeName(absolute).constData(),
                       QFile::encodeName(resolved.isEmpty() ? absolute : resolved).constData(), failAt, error, steps);
}

FaultInjector::~FaultInjector()
{
    tavorel_faults_disarm();
}

int FaultInjector::steps() const
{
    return tavorel_faults_steps();
}

bool FaultInjector::fired() const
{
    return tavorel_faults_fired() != 0;
}

QString FaultInjector::firedAt() const
{
    return QString::fromLatin1(tavorel_faults_fired_at());
}

} // namespace tavorel::test
