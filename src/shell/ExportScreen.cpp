#include "shell/ExportScreen.h"

#include "shell/Colors.h"
#include "shell/ExportGridModel.h"
#include "shell/InfoBar.h"
#include "shell/PictureButton.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/LinkGuard.h"
#include "storage/Messages.h"
#include "storage/RecordFile.h"
#include "storage/RecordLayout.h"
#include "storage/SafeFile.h"
#include "storage/SpreadsheetFile.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSvgWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace tavorel {

namespace {

const QString kInfoIniziale = QStringLiteral("Esportazione archivio in Microsoft Excel.");
const QString kHintEsporta = QStringLiteral("Esporta l'archivio in formato Microsoft Excel.");
const QString kHintGuida = QStringLiteral("Visualizza la pagina della guida sensibile al contesto.");
const QString kHintEsci = QStringLiteral("Esci da questo ambiente di lavoro.");

constexpr QSize kWindow(1000, 640);
constexpr int kRowHeight = 21;

} // namespace

ExportScreen::ExportScreen(QWidget* owner, const QString& name, const QString& caption,
                           const QList<ExportColumn>& columns, const QString& fileName, const QString& worksheet)
    : FixedDialog(owner, name, caption, kWindow, false), columns_(columns), fileName_(fileName), worksheet_(worksheet),
      model_(new ExportGridModel(columns, this))
{
    // The white strip: banner, pointing hand and the three commands.
    QFrame* striscia = look::card(this, QStringLiteral("bkgTitolo"));
    imgTitolo = new QLabel(QStringLiteral("ESPORTAZIONE IN EXCEL"), striscia);
    imgTitolo->setObjectName(QStringLiteral("imgTitolo"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPointSize(22);
    titleFont.setBold(true);
    imgTitolo->setFont(titleFont);
    imgTitolo->setStyleSheet(QStringLiteral("color: %1;").arg(colors::kSteelBlue.name()));
    imgMano = new QSvgWidget(QStringLiteral(":/assets/mano.svg"), striscia);
    imgMano->setObjectName(QStringLiteral("imgMano"));
    imgMano->setFixedSize(44, 44);
    cmdEsporta = new PictureButton(QStringLiteral("cmdEsporta"), QStringLiteral(":/assets/esporta.svg"), striscia);
    cmdGuida = new PictureButton(QStringLiteral("cmdGuida"), QStringLiteral(":/assets/guida.svg"), striscia);
    cmdEsci = new PictureButton(QStringLiteral("cmdEsci"), QStringLiteral(":/assets/esci.svg"), striscia);
    auto* strip = new QHBoxLayout(striscia);
    strip->setContentsMargins(18, 8, 18, 8);
    strip->setSpacing(14);
    strip->addWidget(imgTitolo);
    strip->addStretch();
    strip->addWidget(imgMano);
    for (PictureButton* b : {cmdEsporta, cmdGuida, cmdEsci}) {
        b->setFixedSize(48, 48);
        strip->addWidget(b);
    }

    grdRecords = new QTableView(this);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setModel(model_);
    grdRecords->setAlternatingRowColors(true);
    QPalette rows = grdRecords->palette();
    rows.setColor(QPalette::AlternateBase, colors::kAliceBlue);
    grdRecords->setPalette(rows);
    grdRecords->verticalHeader()->hide();
    grdRecords->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRecords->setSelectionBehavior(QAbstractItemView::SelectItems);
    for (int c = 0; c < columns_.size(); ++c)
        grdRecords->setColumnWidth(c, columns_[c].width);

    // The information bar on its slate blue strip.
    panInfo = new InfoBar(this, colors::kSlateBlue);
    panInfo->setText(kInfoIniziale);
    panInfo->addHint(cmdEsporta, kHintEsporta);
    panInfo->addHint(cmdGuida, kHintGuida);
    panInfo->addHint(cmdEsci, kHintEsci);
    panInfo->addBackground(this);
    panInfo->addBackground(striscia);
    panInfo->addBackground(imgTitolo);
    panInfo->addBackground(grdRecords->viewport());
    panInfo->addBackground(panInfo);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(12, 12, 12, 12);
    content->setSpacing(10);
    content->addWidget(striscia);
    content->addWidget(grdRecords, 1);
    main->addLayout(content, 1);
    main->addWidget(panInfo);

    connect(cmdEsporta, &PictureButton::clicked, this, &ExportScreen::cmdEsportaClick);
    connect(cmdGuida, &PictureButton::clicked, this, &ExportScreen::cmdGuidaClick);
    connect(cmdEsci, &PictureButton::clicked, this, &ExportScreen::cmdEsciClick);
}

ExportScreen::~ExportScreen() = default;

void ExportScreen::FormShow()
{
    leggiArchivio();
    model_->rowsChanged();
}

void ExportScreen::cmdEsportaClick()
{
    if (platform().message(this, MessageKind::Confirmation, kMsgEsportaDomanda) == Answer::No)
        return;
    const QString path = filePath();
    if (!scriviFile(path)) {
        platform().message(this, MessageKind::Error, kMsgEsportaNegata);
        return;
    }
    if (platform().message(this, MessageKind::Confirmation, kMsgEsportaRiuscita) != Answer::No)
        openOnDesktop(this, QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"'));
}

void ExportScreen::cmdGuidaClick()
{
    emit apriGuida();
}

void ExportScreen::cmdEsciClick()
{
    reject();
}

QString ExportScreen::filePath() const
{
    return QDir(platform().programFolder()).filePath(fileName_);
}

bool ExportScreen::scriviFile(const QString& path) const
{
    // The spreadsheet goes into the program folder: a link left there in its name would put it
    // somewhere else.
    if (passesThroughLink(platform().programFolder(), path))
        return false;
    QList<SpreadsheetColumn> header;
    QList<int> exported;
    for (int c = 0; c < columns_.size(); ++c) {
        if (!columns_[c].fileTitle.isEmpty()) {
            header.append({columns_[c].fileTitle, columns_[c].fileWidth});
            exported.append(c);
        }
    }
    return replaceFileContents(path, [&](QIODevice& out) {
        SpreadsheetWriter writer(out, worksheet_, header);
        // Both lists are reused from row to row: archives of many thousands of rows.
        QList<QStringView> grid;
        QList<QStringView> cells(exported.size());
        for (qsizetype r = 0; r < model_->rows().size(); ++r) {
            ExportGridModel::split(model_->rows().at(r), grid);
            for (qsizetype i = 0; i < exported.size(); ++i) {
                const int c = exported[i] - 1; // column 0, the record number, is never exported
                cells[i] = c >= 0 && c < grid.size() ? grid[c] : QStringView();
            }
            writer.writeRow(cells);
        }
        return writer.finish();
    });
}

QString ExportScreen::cella(int row, int column) const
{
    return model_->cell(row, column);
}

int ExportScreen::righe() const
{
    return model_->rowCount();
}

void ExportScreen::impostaRighe(qint64 count)
{
    model_->resize(count);
}

void ExportScreen::leggiRecord(RecordFile& file, const QList<StoredField>& campi)
{
    impostaRighe(file.count());
    // Each row is put together in one working text and kept as an exact copy of it: a hundred
    // thousand rows take what they hold, no more.
    QString row;
    file.forEachStored([&](qint64 k, QByteArrayView record) {
        if (record.size() < file.recordSize())
            return false;
        row.resize(0);
        for (qsizetype i = 0; i < campi.size(); ++i) {
            if (i > 0)
                row += ExportGridModel::kSeparator;
            const qsizetype from = row.size();
            appendDecodedField(row, record.data() + campi[i].offset, campi[i].capacity);
            // A damaged record may hold a zero byte inside a field.
            for (qsizetype j = from; j < row.size(); ++j) {
                if (row[j] == ExportGridModel::kSeparator)
                    row[j] = QLatin1Char(' ');
            }
        }
        model_->setRow(k - 1, QString(row.constData(), row.size()));
        return true;
    });
}

} // namespace tavorel
