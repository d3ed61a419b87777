#pragma once

#include <QString>

class QComboBox;
class QWidget;

namespace tavorel::test {

// The top-level screen with that object name (frmAvvio, frmRicevuta...), or null.
QWidget* topLevelScreen(const QString& name);

// Shows a top-level window and waits until it is the active one, as a person's click leaves it:
// focus tests need it. A window that never becomes active fails the test.
void showActive(QWidget& window);

// Picks an entry of a drop-down list with the mouse, as the user does (lists that cannot be typed
// into); fails the test when the entry is missing or the pick does not take.
void pickFromList(QComboBox* list, const QString& entry);

} // namespace tavorel::test
