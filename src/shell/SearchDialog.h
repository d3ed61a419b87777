#pragma once

#include "lists/RowTable.h"
#include "shell/FixedWindow.h"

#include <QList>
#include <QString>
#include <QStringList>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavorel {

class ListPanel;
class Report;
struct ScanDamage;

// One criterion edit of a search screen, in tab and Enter order.
struct CriterionEdit {
    QString name;   // txtPagatore...
    QString label;  // shown above the edit
    QString halo;   // name of its yellow halo
    bool fullWidth; // a row of its own instead of half a row
};

// What the receipt search and the member search share: the criteria panel panAvvio (ten edits
// with labels, halos and a closed Enter chain, Chiudi, the waiting label and Cerca) and, after a
// search, the results panel panContainer (the ListPanel, Chiudi, the count and Stampa). A search
// screen says how to search, what the count reads, what it prints and what a double click loads.
class SearchDialog : public FixedDialog {
    Q_OBJECT
public:
    SearchDialog(QWidget* owner, const QString& name, const QString& caption, const QList<CriterionEdit>& criteria,
                 const QString& hint);
    ~SearchDialog() override;

    // The mode tag set by the screen that opens this one ("ricevuta", "tiratori").
    void setMode(const QString& mode);
    QString mode() const;

    void FormShow() override;
    void btnCercaClick();
    void btnStampaClick();
    void lstRecordsDblClick();

protected:
    // The criterion typed into the edit of that name.
    QString criterio(const QString& name) const;
    // Fills `rows` with the rows of the records found and `damage` with what could not be read;
    // false on an archive failure.
    virtual bool cerca(RowTable& rows, ScanDamage& damage) = 0;
    // The archive searched, as the user knows it by its file name.
    virtual QString archivio() const = 0;
    virtual bool ordinata() const = 0;
    virtual QString testoTrovate(int rows) const = 0;
    virtual Report& modelloStampa() = 0;
    virtual QString titoloStampa() const = 0;
    // Loads the records whose row is `row`; any failure just ends the load.
    virtual void carica(const QString& row) = 0;

    void done(int result) override;

private:
    QFrame* panAvvio;
    QLabel* imgIstruzioni;
    QList<QLineEdit*> criteri;
    QPushButton* btnAnnulla;
    QLabel* lblAttendere;
    QPushButton* btnCerca;
    QFrame* panContainer;
    ListPanel* elenco;
    QPushButton* btnChiudi;
    QLabel* lblTrovate;
    QPushButton* btnStampa;
    QLabel* lblMemory;
    QLabel* lblConta;
};

} // namespace tavorel
