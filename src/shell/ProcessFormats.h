#pragma once

namespace tavorel {

// The formats every screen works with, set once at start-up: Italian conventions (decimal comma,
// dates written dd/mm/yyyy by the program), and Qt's Italian texts on the standard buttons.
void applyProcessFormats();
void installItalianTranslations();

} // namespace tavorel
