#pragma once

class QWidget;

namespace tavorel {

// Two habits of every window of the desktop, kept in one place for the whole program (an event
// filter on the application, made by the first screen):
//  - Enter, like Space, presses the button that has the focus: a push button, a picture button or a
//    tool button, in a dialog or a window, whatever its default-button settings;
//  - a window remembers where its focus was when another window (a message box, a dialog, another
//    program) took the keyboard, so that a field getting the focus back with it can tell a return
//    from a first visit or from a move the program made meanwhile.
// Installing again does nothing.
void installWindowHabits();

// Whether the focus that `widget` gets with its window's activation is the focus coming back: the
// window was left for another since it was last shown, and then its focus was on `widget` or on
// nothing. False for a window shown afresh, and for a widget the program gave the focus to while
// the window was not the active one (a search filling the editor, a check pointing at a field).
bool focusComesBack(const QWidget* widget);

} // namespace tavorel
