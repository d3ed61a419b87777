#include "help/TMisc.h"

#include "shell/Platform.h"

namespace tavorel {

void TMisc::Open(const QString& command)
{
    platform().shellOpen(command);
}

} // namespace tavorel
