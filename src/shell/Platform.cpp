#include "shell/Platform.h"

#include "shell/Camera.h"
#include "shell/QtPlatform.h"

#include <QCoreApplication>

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

void setPlatform(Platform* p)
{
    installed = p;
}

} // namespace tavorel
