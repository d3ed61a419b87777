#pragma once

#include "shell/ExportScreen.h"

namespace tavorel {

// The whole member archive of the program folder in a grid, exported to "Archivio_Iscritti.xls".
// Whoever opens it (the member editor) creates a fresh one, runs it through platform().runModal
// and connects apriGuida to the help screen.
class TfrmExpTiratori : public ExportScreen {
    Q_OBJECT
public:
    explicit TfrmExpTiratori(QWidget* owner);

protected:
    void leggiArchivio() override;
};

} // namespace tavorel
