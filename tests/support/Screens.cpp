#include "support/Screens.h"

#include <QApplication>
#include <QWidget>

namespace tavorel::test {

QWidget* topLevelScreen(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

} // namespace tavorel::test
