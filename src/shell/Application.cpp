#include "shell/Application.h"

#include "shell/ProcessFormats.h"

namespace tavorel {

struct Application::Screens {
};

Application::Application() = default;

Application::~Application() = default;

void Application::start()
{
    applyProcessFormats();
    installItalianTranslations();
    screens_ = std::make_unique<Screens>();
}

} // namespace tavorel
