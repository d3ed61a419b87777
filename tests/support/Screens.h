#pragma once

#include <QAnyStringView>
#include <QObject>
#include <QString>

class QComboBox;
class QWidget;

namespace tavorel::test {

// The control of that object name and type inside `parent` (txtAnno, btnStampa...), found as the
// desktop finds it: a screen's widgets are its own. A control that is missing or of another type
// stops the test run with its name, rather than leaving a null for the test to trip over.
void noSuchControl(const QObject* parent, const char* type, QAnyStringView name);

template <typename T>
T* child(const QObject* parent, QAnyStringView name)
{
    T* found = parent->findChild<T*>(name.toString());
    if (!found)
        noSuchControl(parent, T::staticMetaObject.className(), name);
    return found;
}

// The top-level screen with that object name (frmAvvio, frmRicevuta...), or null.
QWidget* topLevelScreen(const QString& name);

// Shows a top-level window and waits until it is the active one, as a person's click leaves it:
// focus tests need it. A window that never becomes active fails the test.
void showActive(QWidget& window);

// Picks an entry of a drop-down list with the mouse, as the user does (lists that cannot be typed
// into); fails the test when the entry is missing or the pick does not take.
void pickFromList(QComboBox* list, const QString& entry);

} // namespace tavorel::test
