#include "members/ExpiredList.h"

#include "lists/ListRecords.h"
#include "lists/ListRows.h"
#include "printing/ListTemplate.h"
#include "rules/RecordSearch.h"
#include "shell/ListActions.h"
#include "shell/ListPanel.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Archives.h"
#include "storage/Messages.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace tavorel {

ExpiredList::ExpiredList(QWidget* owner, const Kind& kind, CaricaIscritto carica)
    : FixedDialog(owner, kind.name, kind.caption, QSize(1000, 620)), kind_(kind), carica_(std::move(carica)),
      report_(ListTemplate::create(ListKind::Data))
{
    QFrame* pannello = look::card(this, QStringLiteral("panContainer"));
    elenco = new ListPanel(pannello, kind.banner,
                           QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"));
    auto* margini = new QVBoxLayout(pannello);
    margini->setContentsMargins(14, 14, 14, 10);
    margini->addWidget(elenco);
    btnChiudi = look::button(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    btnStampa = look::button(this, QStringLiteral("btnStampa"), QStringLiteral("Stampa"));
    look::stackWindow(this, {pannello}, {btnChiudi}, {btnStampa});

    setTabOrder(elenco->txtTrova, elenco->lstRecords);
    setTabOrder(elenco->lstRecords, btnStampa);
    setTabOrder(btnStampa, elenco->btnTrova);
    setTabOrder(elenco->btnTrova, btnChiudi);

    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnStampa, &QPushButton::clicked, this, &ExpiredList::btnStampaClick);
    connect(elenco, &ListPanel::rigaScelta, this, &ExpiredList::lstRecordsDblClick);
}

bool ExpiredList::righeScadute(RecordFile& file, QString TSchedaIscritto::*date, ListRows::Writer row,
                               const QDate& today, RowTable& rows, ScanDamage& damage)
{
    damage = {};
    const StoredField field = storedFieldOf<TSchedaIscritto>(date);
    if (field.offset < 0)
        return false;
    return righeDaArchivio<TSchedaIscritto>(
        file,
        [&](QByteArrayView bytes) {
            // Only the tested date is read from every record.
            const QDate expiry = storedDate(bytes, field);
            if (!expiry.isValid())
                return Kept::Unreadable;
            return today > expiry ? Kept::Yes : Kept::No;
        },
        row, rows, damage);
}

void ExpiredList::FormShow()
{
    elenco->azzeraTrova();
    elenco->clear();
    RowTable rows;
    ScanDamage damage;
    RecordFile file;
    // An archive that cannot be opened or read to its end is told, as the searches tell it: an
    // empty or short list alone would say that nobody has to renew. What was found stays listed.
    const bool read = OpenMemberArchive(platform().programFolder(), file) &&
                      righeScadute(file, kind_.date, kind_.row, platform().today(), rows, damage);
    file.close();
    elenco->setRows(std::move(rows), ListModel::Order::Sorted);
    elenco->txtTrova->setFocus();
    if (!read)
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
    else
        ListActions::avvisaSchedeIlleggibili(this, damage.records(), memberArchivePath(platform().programFolder()));
}

void ExpiredList::btnStampaClick()
{
    elenco->stampa(report_, kind_.title);
}

void ExpiredList::lstRecordsDblClick()
{
    QString selected;
    RecordFile file;
    if (elenco->selectedRow(selected) && OpenMemberArchive(platform().programFolder(), file)) {
        caricaRiga<TSchedaIscritto>(file, selected, kind_.row, [&](const TSchedaIscritto& m, qint64 k) {
            if (carica_)
                carica_(m, k);
        });
    }
    accept();
}

void ExpiredList::done(int result)
{
    elenco->clear();
    FixedDialog::done(result);
}

} // namespace tavorel
