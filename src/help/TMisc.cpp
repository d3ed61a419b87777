#include "help/TMisc.h"

#include "shell/Platform.h"

namespace tavorel {

bool TMisc::Open(QWidget* parent, const QString& command)
{
    return openOnDesktop(parent, command);
}

} // namespace tavorel
