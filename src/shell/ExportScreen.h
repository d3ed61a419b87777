#pragma once

#include "shell/FixedWindow.h"
#include "storage/RecordLayout.h"

#include <QList>
#include <QStringList>

class QLabel;
class QSvgWidget;
class QTableView;

namespace tavorel {

class InfoBar;
class PictureButton;
class ExportGridModel;
class RecordFile;

// One column of an export grid and, when exported, of the spreadsheet file.
struct ExportColumn {
    const char* name; // colNum, colTiratore...
    QString title;    // grid header
    int width = 0;    // grid width
    bool readOnly = true;
    QString fileTitle; // header in the file; empty for a column that is not exported
    int fileWidth = 0;
};

// The export screens of the receipts and of the members: the whole archive in a grid whose
// editable cells can be typed over, written on request to a spreadsheet file in the program folder
// and offered for opening. The grid is the export's only source: edits reach the file, never the
// archive. The screens differ in their columns, their archive and their file name.
class ExportScreen : public FixedDialog {
    Q_OBJECT
public:
    ExportScreen(QWidget* owner, const QString& name, const QString& caption, const QList<ExportColumn>& columns,
                 const QString& fileName, const QString& worksheet);
    ~ExportScreen() override;

    // Fills the grid from the archive, once per showing.
    void FormShow() override;
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    // The spreadsheet file in the program folder.
    QString filePath() const;
    // Writes the grid as it stands into `path` through a whole-file replace: on failure the
    // previous file is left as it was. False on failure.
    bool scriviFile(const QString& path) const;
    // The text of a grid cell (column 0 is the record number).
    QString cella(int row, int column) const;
    int righe() const;

signals:
    // The help button; whoever opened the screen shows the screen's help topic.
    void apriGuida();

protected:
    // Reads the archive into the grid, with leggiRecord. Failures leave the grid as far as it
    // got, without a message.
    virtual void leggiArchivio() = 0;
    // One grid row per record of `file`, filled in file order; the rows after a failed read stay
    // empty. The text of grid column c (from 1) lies in each record at campi[c - 1].
    void leggiRecord(RecordFile& file, const QList<StoredField>& campi);
    // One grid row per record, all empty.
    void impostaRighe(qint64 count);

private:
    QList<ExportColumn> columns_;
    QString fileName_;
    QString worksheet_;
    ExportGridModel* model_;

    QLabel* imgTitolo;
    QSvgWidget* imgMano;
    PictureButton* cmdEsporta;
    PictureButton* cmdGuida;
    PictureButton* cmdEsci;
    QTableView* grdRecords;
    InfoBar* panInfo;
};

} // namespace tavorel
