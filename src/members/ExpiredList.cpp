#include "members/ExpiredList.h"

#include "lists/ListRecords.h"
#include "lists/ListRows.h"
#include "members/ExpiryMail.h"
#include "printing/ListTemplate.h"
#include "rules/Expiry.h"
#include "rules/RecordSearch.h"
#include "shell/FieldKeys.h"
#include "shell/ListActions.h"
#include "shell/ListPanel.h"
#include "shell/Platform.h"
#include "shell/ScreenLook.h"
#include "storage/Archives.h"
#include "storage/Messages.h"
#include "storage/Trim.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace tavorel {

namespace {

// The days-left column: its label and the width the number is right-aligned in, so that the
// days of every row line up (a date ended more than 27 years ago takes one more place).
const QByteArray kGiorniLabel = QByteArrayLiteral("  Giorni: ");
constexpr int kGiorniWidth = 5;

// Appends the rows of the members whose tested date `keep` accepts, as `row` writes them.
template <typename Row>
bool righe(RecordFile& file, StoredField date, const QDate& today, int giorni, Row&& row, RowTable& rows,
           ScanDamage& damage)
{
    return righeDaArchivio<TSchedaIscritto>(
        file,
        [&](QByteArrayView bytes) {
            // Only the tested date is read from every record.
            const QDate expiry = storedDate(bytes, date);
            if (!expiry.isValid())
                return Kept::Unreadable;
            return scadenzaInElenco(expiry, today, giorni) ? Kept::Yes : Kept::No;
        },
        row, rows, damage);
}

} // namespace

ExpiredList::ExpiredList(QWidget* owner, const Kind& kind, CaricaIscritto carica)
    : FixedDialog(owner, kind.name, kind.caption, QSize(1000, 660)), kind_(kind), carica_(std::move(carica)),
      report_(ListTemplate::create(ListKind::Data)), giorniValidi_(kGiorniPreavviso)
{
    QFrame* pannello = look::card(this, QStringLiteral("panContainer"));
    elenco = new ListPanel(pannello, kind.banner,
                           QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"));

    // The look ahead: "Mostra anche quelle in scadenza entro [30] giorni".
    chkInScadenza = new QCheckBox(QStringLiteral("Mostra anche quelle in scadenza entro"), pannello);
    chkInScadenza->setObjectName(QStringLiteral("chkInScadenza"));
    chkInScadenza->setFont(look::font(QStringLiteral("Verdana"), 9, true));
    chkInScadenza->setCursor(Qt::PointingHandCursor);
    txtGiorni = new QLineEdit(QString::number(kGiorniPreavviso), pannello);
    txtGiorni->setObjectName(QStringLiteral("txtGiorni"));
    txtGiorni->setMaxLength(3);
    txtGiorni->setFixedWidth(48);
    txtGiorni->setAlignment(Qt::AlignRight);
    txtGiorni->setFont(look::font(QStringLiteral("Verdana"), 9, true));
    FieldKeys::of(txtGiorni)->setFilter(KeyFilter::Digits);
    elenco->enterMovesToList(txtGiorni);
    lblGiorni = look::label(pannello, QStringLiteral("giorni"), 9, true, QStringLiteral("lblGiorni"));
    auto* avanti = new QHBoxLayout;
    avanti->setSpacing(8);
    avanti->addWidget(chkInScadenza);
    avanti->addWidget(txtGiorni);
    avanti->addWidget(lblGiorni);
    avanti->addStretch(1);

    auto* margini = new QVBoxLayout(pannello);
    margini->setContentsMargins(14, 14, 14, 10);
    margini->addWidget(elenco, 1);
    margini->addLayout(avanti);
    btnChiudi = look::button(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    btnStampa = look::button(this, QStringLiteral("btnStampa"), QStringLiteral("Stampa"));
    btnEmail = look::button(this, QStringLiteral("btnEmail"), QStringLiteral("Scrivi a tutti"));
    look::stackWindow(this, {pannello}, {btnChiudi}, {btnEmail, btnStampa});

    setTabOrder(chkInScadenza, txtGiorni);
    setTabOrder(txtGiorni, btnStampa);
    setTabOrder(btnStampa, btnEmail);
    elenco->setTabOrderAround(chkInScadenza, btnEmail, btnChiudi);

    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnStampa, &QPushButton::clicked, this, &ExpiredList::btnStampaClick);
    connect(btnEmail, &QPushButton::clicked, this, &ExpiredList::btnEmailClick);
    connect(chkInScadenza, &QCheckBox::clicked, this, &ExpiredList::chkInScadenzaClick);
    // Enter or leaving the field builds the list with the days typed.
    connect(txtGiorni, &QLineEdit::editingFinished, this, &ExpiredList::txtGiorniExit);
    connect(elenco, &ListPanel::rigaScelta, this, &ExpiredList::lstRecordsDblClick);
}

bool ExpiredList::righeScadute(RecordFile& file, QString TSchedaIscritto::*date, ListRows::Writer row,
                               const QDate& today, RowTable& rows, ScanDamage& damage)
{
    damage = {};
    const StoredField field = storedFieldOf<TSchedaIscritto>(date);
    if (field.offset < 0)
        return false;
    return righe(file, field, today, 0, row, rows, damage);
}

void ExpiredList::scriviRiga(const Criteri& criteri, QByteArrayView bytes, QByteArray& out) const
{
    const qsizetype start = out.size();
    kind_.row(bytes, out);
    if (criteri.giorni <= 0)
        return;
    const StoredField field = storedFieldOf<TSchedaIscritto>(kind_.date);
    const qint64 giorni = giorniAllaScadenza(storedDate(bytes, field), criteri.today);
    out.remove(start + kind_.strettoAt, kind_.strettoDi);
    // Right after the tested date; a date written short ("1/2/2027") is padded to its column first.
    const qsizetype at = start + kind_.giorniAt;
    if (out.size() < at)
        out.append(at - out.size(), ' ');
    out.insert(at, kGiorniLabel + QByteArray::number(giorni).rightJustified(kGiorniWidth, ' '));
}

int ExpiredList::giorniDigitati() const
{
    bool ok = false;
    const int giorni = TrimSpazi(txtGiorni->text()).toInt(&ok);
    return ok && giorni >= kGiorniMinimi && giorni <= kGiorniMassimi ? giorni : 0;
}

QString ExpiredList::titolo() const
{
    if (criteri_.giorni <= 0)
        return kind_.title;
    return kind_.title + QStringLiteral(" e in scadenza entro %1 %2")
                             .arg(criteri_.giorni)
                             .arg(criteri_.giorni == 1 ? QStringLiteral("giorno") : QStringLiteral("giorni"));
}

void ExpiredList::mostraAncheInScadenza()
{
    chkInScadenza->setChecked(true);
}

void ExpiredList::FormShow()
{
    elenco->azzeraTrova();
    costruisciLista();
    elenco->focusFind();
}

void ExpiredList::costruisciLista()
{
    elenco->clear();
    criteri_ = {platform().today(), chkInScadenza->isChecked() ? giorniValidi_ : 0};
    const StoredField field = storedFieldOf<TSchedaIscritto>(kind_.date);
    RowTable rows;
    ScanDamage damage;
    RecordFile file;
    // An archive that cannot be opened or read to its end is told, as the searches tell it: an
    // empty or short list alone would say that nobody has to renew. What was found stays listed.
    // The rows are written on the scan's threads: the writer reads only what it is handed.
    const Criteri criteri = criteri_;
    const bool read =
        OpenMemberArchive(platform().programFolder(), file) &&
        righe(
            file, field, criteri.today, criteri.giorni,
            [this, criteri](QByteArrayView bytes, QByteArray& out) { scriviRiga(criteri, bytes, out); }, rows, damage);
    file.close();
    elenco->setRows(std::move(rows), ListModel::Order::Sorted);
    if (!read)
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
    else
        ListActions::avvisaSchedeIlleggibili(this, damage.records(), memberArchivePath(platform().programFolder()));
}

void ExpiredList::chkInScadenzaClick()
{
    costruisciLista();
}

void ExpiredList::txtGiorniExit()
{
    const int giorni = giorniDigitati();
    if (giorni == 0) {
        // The list stays as it was built, and so do the days it was built with.
        txtGiorni->setText(QString::number(giorniValidi_));
        platform().message(this, MessageKind::Warning, kMsgGiorniInScadenza);
        txtGiorni->setFocus();
        txtGiorni->selectAll();
        return;
    }
    txtGiorni->setText(QString::number(giorni));
    if (giorni == giorniValidi_)
        return;
    giorniValidi_ = giorni;
    if (chkInScadenza->isChecked())
        costruisciLista();
}

void ExpiredList::btnStampaClick()
{
    elenco->stampa(report_, titolo());
}

void ExpiredList::lstRecordsDblClick()
{
    QString selected;
    RecordFile file;
    if (elenco->selectedRow(selected) && OpenMemberArchive(platform().programFolder(), file)) {
        // The rows as they were built, days included, so that the row chosen is found again.
        const Criteri criteri = criteri_;
        caricaRiga<TSchedaIscritto>(
            file, selected, [this, criteri](QByteArrayView bytes, QByteArray& out) { scriviRiga(criteri, bytes, out); },
            [&](const TSchedaIscritto& m, qint64 k) {
                if (carica_)
                    carica_(m, k);
            });
    }
    accept();
}

void ExpiredList::btnEmailClick()
{
    const RowTable& listed = elenco->rowTable();
    if (listed.isEmpty()) {
        platform().message(this, MessageKind::Warning, kMsgScriviATuttiVuoto);
        return;
    }
    // The members listed, found again by their rows and taken in the list's order: a member saved
    // since the list was built is not on it and is not written to.
    QHash<QByteArray, qsizetype> posizione;
    for (qsizetype i = listed.size() - 1; i >= 0; --i)
        posizione.insert(listed.bytesAt(i).toByteArray(), i);
    const StoredField field = storedFieldOf<TSchedaIscritto>(kind_.date);
    const Criteri criteri = criteri_;
    QList<std::pair<qsizetype, ExpiryMail::Iscritto>> trovati;
    QByteArray riga;
    RecordFile file;
    const bool read =
        OpenMemberArchive(platform().programFolder(), file) && file.forEachStored([&](qint64, QByteArrayView bytes) {
            if (!recordIsWhole<TSchedaIscritto>(bytes))
                return true;
            const QDate expiry = storedDate(bytes, field);
            if (!scadenzaInElenco(expiry, criteri.today, criteri.giorni))
                return true;
            riga.resize(0);
            scriviRiga(criteri, bytes, riga);
            const auto at = posizione.constFind(riga);
            if (at != posizione.cend()) {
                const TSchedaIscritto m = decodeRecord<TSchedaIscritto>(bytes.toByteArray());
                trovati.append({*at, {m.Tiratore, m.Email, m.Tel, m.Cel, expiry}});
            }
            return true;
        });
    file.close();
    if (!read) {
        platform().message(this, MessageKind::Error, kMsgAccessoArchivio);
        return;
    }
    std::stable_sort(trovati.begin(), trovati.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<ExpiryMail::Iscritto> iscritti;
    for (const auto& t : std::as_const(trovati))
        iscritti.append(t.second);

    const ExpiryMail::Messaggi messaggi = ExpiryMail::prepara(
        kind_.certificato ? ExpiryMail::Oggetto::Certificato : ExpiryMail::Oggetto::Tessera, iscritti, criteri.today);
    const qsizetype parti = messaggi.mailto.size();
    for (qsizetype i = 0; i < parti; ++i) {
        // A message split in parts: each part is asked for, so the secretary sends one before the next.
        if (parti > 1 && platform().message(this, MessageKind::Confirmation,
                                            msgScriviATuttiParte(int(i + 1), int(parti))) == Answer::No)
            break;
        if (!openOnDesktop(this, messaggi.mailto[i]))
            break; // no mail program: the next parts would fail the same way
    }
    if (!messaggi.senzaIndirizzo.isEmpty())
        platform().message(this, MessageKind::Plain,
                           msgScriviATuttiSenzaIndirizzo(messaggi.senzaIndirizzo, messaggi.destinatari > 0));
}

void ExpiredList::done(int result)
{
    elenco->clear();
    FixedDialog::done(result);
}

} // namespace tavorel
