#pragma once

#include "shell/ListModel.h"

#include <QFrame>
#include <QPointer>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace tavorel {

class Report;

// The part every list screen shares, built and wired once: the banner, the find instructions, the
// find box txtTrova with its button btnTrova, the list lstRecords over a ListModel, and the crimson
// hint lblRigo03 below it; an empty banner or hint is not shown. Enter in txtTrova moves to btnTrova;
// btnTrova finds in the list with the remembered key; a double click on a row emits rigaScelta. The
// screen adds its own buttons.
class ListPanel : public QFrame {
    Q_OBJECT
public:
    ListPanel(QWidget* parent, const QString& banner, const QString& hint);

    void setRows(RowTable rows, ListModel::Order order);
    void clear();
    int count() const;
    // The rows as text (a copy: for the screens' tests and small lists).
    QStringList rows() const;
    // The rows as listed, as their stored bytes.
    const RowTable& rowTable() const;
    // The text of the selected row; false when no row is selected.
    bool selectedRow(QString& text) const;

    // What a screen does when it is shown: the remembered key is emptied, the selection goes to
    // the first row and txtTrova is emptied.
    void azzeraTrova();
    // "Trova" with the text of txtTrova.
    void btnTrovaClick();
    // "Stampa" with the rows as listed.
    void stampa(Report& report, const QString& title);
    // The income summary's "Stampa riepilogo": the rows with the interval and the total.
    void stampaIncassi(Report& report, const QString& interval, const QString& total);

    // The focus in the find box, emptied first when `emptied`.
    void focusFind(bool emptied = false);
    // Tab goes from the find box to its button, to the list and then to `next`.
    void setTabOrderTo(QWidget* next);
    // The expiry lists' order: the find box, the list, then `afterList` and what the screen chains
    // after it up to `beforeFind`, then the find button and `afterFind`.
    void setTabOrderAround(QWidget* afterList, QWidget* beforeFind, QWidget* afterFind);
    // Enter in `field` moves to the list.
    void enterMovesToList(QLineEdit* field);

    // The income summary keeps its key for the whole run: it hands its own store here.
    void setRememberedKey(QString* key);
    const QString& rememberedKey() const { return *key_; }

signals:
    // A row was double-clicked; the screen reads selectedRow().
    void rigaScelta();

private:
    QString ownKey_;
    QString* key_ = &ownKey_;

    // The find box, its button and the list.
    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    QListView* lstRecords;
    QLabel* imgBanner;
    QLabel* imgIstruzioni;
    QLabel* lblRigo03;
    ListModel* model;
};

} // namespace tavorel
