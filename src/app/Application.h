#pragma once

#include <memory>

namespace tavorel {

// Starts the program the way a user meets it: formats, translations, the long-lived screens in
// their order, the navigation between them, and the login screen shown first.
class Application {
public:
    Application();
    ~Application();
    void start();

private:
    struct Screens;
    std::unique_ptr<Screens> screens_;
};

} // namespace tavorel
