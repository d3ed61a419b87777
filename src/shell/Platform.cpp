#include "shell/Platform.h"

#include "shell/QtPlatform.h"

namespace tavorel {

namespace {
Platform* installed = nullptr;
}

Platform::~Platform() = default;

Platform& platform()
{
    if (installed)
        return *installed;
    static QtPlatform real;
    return real;
}

void setPlatform(Platform* p)
{
    installed = p;
}

} // namespace tavorel
