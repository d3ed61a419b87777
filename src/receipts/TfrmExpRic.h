#pragma once

#include "shell/ExportScreen.h"

namespace tavorel {

// The receipts of the year open in the receipt editor, in a grid, exported to "Ricevute.xls" in
// the program folder (whatever the year: each export replaces the last one).
class TfrmExpRic : public ExportScreen {
    Q_OBJECT
public:
    // `archivePath`: the archive the receipt editor works on (its lblFile).
    TfrmExpRic(QWidget* owner, const QString& archivePath);

protected:
    void leggiArchivio() override;

private:
    QString archivePath_;
};

} // namespace tavorel
