#include "help/HelpTexts.h"

#include <QFile>
#include <QRegularExpression>

namespace tavorel {

namespace {

// A text file of the resources: paragraphs separated by an empty line; a paragraph may run over
// several lines, which are joined with a blank.
QStringList paragraphsOf(const QString& resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList paragraphs;
    static const QRegularExpression emptyLine(QStringLiteral("\n[ \t]*\n"));
    for (QString p : text.split(emptyLine, Qt::SkipEmptyParts)) {
        p = p.simplified();
        if (!p.isEmpty())
            paragraphs.append(p);
    }
    return paragraphs;
}

// Where the member archive's first paragraph is cut in two in the overview: after its list of
// fields, before the photo.
const QString kSecondaParteIscritti = QStringLiteral("Ciascuna scheda può essere corredata");

// The overview's own paragraphs: the introduction, then the closing ones.
constexpr int kIntroduzione = 1;

QStringList overview()
{
    const QStringList own = paragraphsOf(QStringLiteral(":/help/texts/panoramica.txt"));
    QStringList members = helpParagraphs(HelpTopic::ArchivioIscritti);
    QStringList out = own.mid(0, kIntroduzione);
    if (!members.isEmpty()) {
        const QString first = members.takeFirst();
        const qsizetype cut = first.indexOf(kSecondaParteIscritti);
        if (cut > 0) {
            out << first.left(cut).trimmed() << first.mid(cut);
        } else {
            out << first;
        }
    }
    out << members << helpParagraphs(HelpTopic::StampaRicevute) << helpParagraphs(HelpTopic::RiepilogoIncassi)
        << own.mid(kIntroduzione);
    return out;
}

} // namespace

QString helpTitle(HelpTopic topic)
{
    switch (topic) {
    case HelpTopic::Panoramica:
        return QStringLiteral("Uno sguardo a Tavorel");
    case HelpTopic::ArchivioIscritti:
        return QStringLiteral("App Archivio Iscritti");
    case HelpTopic::StampaRicevute:
        return QStringLiteral("App Stampa Ricevute");
    case HelpTopic::RiepilogoIncassi:
        return QStringLiteral("App Riepilogo Incassi");
    case HelpTopic::EsportaRicevute:
        return QStringLiteral("Esportazione archivio ricevute in Microsoft Excel");
    case HelpTopic::EsportaIscritti:
        return QStringLiteral("Esportazione archivio iscritti in Microsoft Excel");
    }
    return {};
}

QStringList helpParagraphs(HelpTopic topic)
{
    switch (topic) {
    case HelpTopic::Panoramica:
        return overview();
    case HelpTopic::ArchivioIscritti:
        return paragraphsOf(QStringLiteral(":/help/texts/archivio_iscritti.txt"));
    case HelpTopic::StampaRicevute:
        return paragraphsOf(QStringLiteral(":/help/texts/stampa_ricevute.txt"));
    case HelpTopic::RiepilogoIncassi:
        return paragraphsOf(QStringLiteral(":/help/texts/riepilogo_incassi.txt"));
    case HelpTopic::EsportaRicevute:
        return paragraphsOf(QStringLiteral(":/help/texts/esporta_ricevute.txt"));
    case HelpTopic::EsportaIscritti:
        return paragraphsOf(QStringLiteral(":/help/texts/esporta_iscritti.txt"));
    }
    return {};
}

QString helpText(HelpTopic topic)
{
    return helpParagraphs(topic).join(QStringLiteral("\r\n\r\n"));
}

} // namespace tavorel
