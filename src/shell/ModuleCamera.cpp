#include "shell/ModuleCamera.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QtDebug>

namespace tavorel {

QString WebcamModule::defaultPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/tavorel_webcam");
}

OpenVideoInput WebcamModule::load(const QString& path, QString* error)
{
    QLibrary module(path);
    if (!module.load()) {
        *error = module.errorString();
        return nullptr;
    }
    // Never unloaded: the cameras it made may live as long as the program.
    auto open = reinterpret_cast<OpenVideoInput>(module.resolve(kOpenVideoInputSymbol));
    if (!open)
        *error = module.errorString();
    return open;
}

ModuleCamera::ModuleCamera(std::unique_ptr<VideoInput> input) : input_(std::move(input))
{
    input_->setFrameSink([this](const QImage& frame) { emit frameArrived(frame); });
}

ModuleCamera::~ModuleCamera()
{
    input_->setFrameSink({});
}

std::unique_ptr<Camera> ModuleCamera::openDefault(const QString& path)
{
    QString error;
    const OpenVideoInput open = WebcamModule::load(path, &error);
    if (!open) {
        qWarning().noquote() << "The webcam module cannot be loaded:" << error;
        return nullptr;
    }
    std::unique_ptr<VideoInput> input(open());
    if (!input)
        return nullptr;
    return std::make_unique<ModuleCamera>(std::move(input));
}

void ModuleCamera::start()
{
    input_->start();
}

void ModuleCamera::stop()
{
    input_->stop();
}

bool ModuleCamera::isActive() const
{
    return input_->isActive();
}

} // namespace tavorel
