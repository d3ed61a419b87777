#pragma once

#include "members/MemberTargets.h"
#include "printing/Report.h"
#include "shell/SearchDialog.h"

namespace tavorel {

class StoredCriteria;

// Finds members in the member archive by up to ten criteria and lists them sorted. A double click
// hands the member to whoever opened the search: in mode "tiratori" the whole record goes to the
// member editor, in mode "ricevuta" the payer and practitioner data go to the receipt being
// written. It only reads the archive.
class TfrmTrovaTiratori : public SearchDialog {
    Q_OBJECT
public:
    TfrmTrovaTiratori(QWidget* owner, CaricaIscritto caricaIscritto, ImportaPagatore importaPagatore);

    StoredCriteria criteriRicerca() const;

protected:
    bool cerca(RowTable& rows, ScanDamage& damage) override;
    QString archivio() const override;
    bool ordinata() const override { return true; }
    QString testoTrovate(int rows) const override;
    Report& modelloStampa() override { return report_; }
    QString titoloStampa() const override;
    void carica(const QString& row) override;

private:
    CaricaIscritto caricaIscritto_;
    ImportaPagatore importaPagatore_;
    Report report_;
};

} // namespace tavorel
