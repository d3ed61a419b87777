// Prints the user manual "Guida.pdf" from the help texts, so the manual and the help screen never
// tell different stories.
//   tavorel-manual OUTPUT.pdf
#include "help/HelpTexts.h"

#include "shell/Colors.h"
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

using namespace tavorel;

namespace {

QString html(const QString& text)
{
    return text.toHtmlEscaped();
}

QString chapter(const QString& title, const QStringList& paragraphs, bool newPage = true)
{
    QString out = newPage ? QStringLiteral("<h1 style=\"page-break-before: always\">") : QStringLiteral("<h1>");
    out += html(title) + QStringLiteral("</h1>");
    for (const QString& p : paragraphs)
        out += QStringLiteral("<p>") + html(p) + QStringLiteral("</p>");
    return out;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tavorel-manual OUTPUT.pdf\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);

    // The overview opens with an introduction and closes with a few paragraphs of its own (network,
    // USB drive, password, conclusion); between them are the apps' topics, which get their own
    // chapters here.
    const QStringList overview = helpParagraphs(HelpTopic::Panoramica);
    const QStringList ending = overview.mid(overview.size() - 4);
    if (overview.size() < 5)
        return 1;

    QString body =
        QStringLiteral("<html><head><style>"
                       "body { font-family: 'Verdana'; font-size: 11pt; }"
                       "h1 { font-family: 'Arial'; font-size: 18pt; color: %1; margin-top: 0; margin-bottom: 14px; }"
                       "p { margin-bottom: 10px; text-align: justify; }"
                       ".cover { font-family: 'Arial'; font-size: 34pt; font-weight: bold; color: %2; }"
                       ".sub { font-size: 15pt; color: %3; }"
                       "</style></head><body>")
            .arg(colors::kCrimson.name(), colors::kRed.name(), colors::kSubtitleText.name());
    body += QStringLiteral("<p class=\"cover\">Tavorel</p><p class=\"sub\">Guida all'utilizzo del software</p><br/>");
    body += chapter(helpTitle(HelpTopic::Panoramica), {overview.first()}, false);
    for (HelpTopic topic : {HelpTopic::ArchivioIscritti, HelpTopic::StampaRicevute, HelpTopic::RiepilogoIncassi,
                            HelpTopic::EsportaRicevute, HelpTopic::EsportaIscritti})
        body += chapter(helpTitle(topic), helpParagraphs(topic));
    body += chapter(QStringLiteral("Rete locale, chiavetta USB e password"), ending);
    body += QStringLiteral("</body></html>");

    QPdfWriter writer(path);
    writer.setTitle(QStringLiteral("Tavorel - Guida all'utilizzo del software"));
    writer.setCreator(QStringLiteral("Tavorel"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                     QPageLayout::Millimeter));
    writer.setResolution(300);

    QTextDocument doc;
    doc.setHtml(body);
    doc.print(&writer);
    return 0;
}
