#pragma once

#include "shell/InfoBar.h"
#include "shell/PictureButton.h"

#include <QSize>
#include <QString>

#include <span>

namespace tavorel {

// One picture command of a screen: the member that holds it, its object name, its picture in the
// assets, its size, the info-bar hint and what a click runs (a handler, or a signal for what the
// application wires).
template <typename Screen>
struct CommandRow {
    PictureButton* Screen::*button;
    const char* name;
    const char* picture;
    QSize size;
    const char* hint;
    void (Screen::*click)();
};

// Builds a screen's picture commands from its table on `parent`: each button gets its picture,
// size and hint on the screen's info bar, and its click is wired.
template <typename Screen>
void buildPictureCommands(Screen* screen, QWidget* parent, InfoBar* infoBar, std::span<const CommandRow<Screen>> rows)
{
    for (const CommandRow<Screen>& c : rows) {
        auto* b = new PictureButton(QLatin1StringView(c.name),
                                    QStringLiteral(":/assets/%1.svg").arg(QLatin1StringView(c.picture)), parent);
        b->setFixedSize(c.size);
        infoBar->addHint(b, QString::fromUtf8(c.hint));
        screen->*c.button = b;
        QObject::connect(b, &PictureButton::clicked, screen, c.click);
    }
}

} // namespace tavorel
