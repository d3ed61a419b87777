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
// hint lblRigo03 below it. Enter in txtTrova moves to btnTrova; btnTrova finds in the list with the
// remembered key; a double click on a row emits rigaScelta. The screen adds its own buttons.
class ListPanel : public QFrame {
    Q_OBJECT
public:
    ListPanel(QWidget* parent, const QString& banner, const QString& hint);

    QLabel* imgBanner;
    QLabel* imgIstruzioni;
    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    QListView* lstRecords;
    QLabel* lblRigo03;
    ListModel* model;

    void setRows(RowTable rows, ListModel::Order order);
    void clear();
    int count() const;
    // The rows as text (a copy: for the screens' tests and small lists).
    QStringList rows() const;
    // The text of the selected row; false when no row is selected.
    bool selectedRow(QString& text) const;

    // What a screen does when it is shown: the remembered key is emptied, the selection goes to
    // the first row and txtTrova is emptied.
    void azzeraTrova();
    // "Trova" with the text of txtTrova.
    void btnTrovaClick();
    // "Stampa" with the rows as listed.
    void stampa(Report& report, const QString& title);

    // The income summary keeps its key for the whole run: it hands its own store here.
    void setRememberedKey(QString* key);
    const QString& rememberedKey() const { return *key_; }

signals:
    // A row was double-clicked; the screen reads selectedRow().
    void rigaScelta();

private:
    QString ownKey_;
    QString* key_ = &ownKey_;
};

} // namespace tavorel
