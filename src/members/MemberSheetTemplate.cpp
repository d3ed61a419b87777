#include "members/MemberSheetTemplate.h"

#include "rules/TextRules.h"
#include "storage/TSchedaIscritto.h"

namespace tavorel {

namespace {

const QColor kRoyalBlue{0x41, 0x69, 0xE1};

// One labelled box: a blue header bar with its caption and, below it, a framed value. Millimetres
// inside the margins. The zero offsets take the common rule: caption 1.0 in from the bar's top-left
// and 2.0 narrower than the bar, value 1.0 in and 1.4 below the value box's top, 2.0 narrower.
struct Box {
    double left, width, top;
    const char16_t* caption;
    const char* value; // the memo, named after the editor field
    double captionTop = 1.0;
    double captionWidth = 0.0;
    double valueTop = 1.4;
    double valueWidth = 0.0;
    const char* captionName = nullptr;
};

// clang-format off
const Box kBoxes[] = {
    // left    width  top    caption                                   value memo
    {  1.0,   58.0, 153.0, u"LUOGO DI NASCITA",                      "txtLuogoNasc"},
    { 61.0,   32.0, 153.0, u"DATA DI NASCITA",                       "txtDataNasc"},
    { 95.0,   16.0, 153.0, u"SESSO",                                 "txtSesso"},
    {113.0,   76.0, 153.0, u"INDIRIZZO",                             "txtIndirizzo"},
    {  1.0,   58.0, 167.0, u"CITTA'",                                "txtCitta"},
    { 61.0,   32.0, 167.0, u"CAP",                                   "txtCap"},
    { 95.0,   45.0, 167.0, u"NAZIONE",                               "txtNazione"},
    {142.0,   47.0, 167.0, u"CODICE FISCALE",                        "txtCodFisc"},
    {  1.0,   92.0, 181.0, u"DATA DI SCADENZA CERTIFICATO MEDICO",   "txtStudio"},
    { 95.0,   94.0, 181.0, u"ATTIVITA' SPORTIVA",                    "txtEnte"},
    {  1.0,   92.0, 195.0, u"PROFESSIONE",                           "txtProfessione", 1.0, 89.8, 1.0, 89.9},
    { 95.0,   45.0, 195.0, u"GRUPPO SANGUIGNO",                      "txtGruppo"},
    {142.0,   47.0, 195.0, u"CITTADINANZA",                          "txtCittadinanza"},
    {  1.0,   62.0, 209.0, u"TESSERA N.",                            "txtTessera"},
    { 65.0,   28.0, 209.0, u"QUOTA: €",                              "txtQuota"},
    { 95.0,   45.0, 209.0, u"DATA DI RILASCIO",                      "txtInizioTes"},
    {142.0,   47.0, 209.0, u"DATA DI SCADENZA",                      "txtFineTes"},
    {  1.0,   92.0, 223.0, u"E-MAIL",                                "txtEmail"},
    { 95.0,   45.0, 223.0, u"TEL. CASA",                             "txtTel"},
    {142.0,   47.0, 223.0, u"TEL. CELLULARE",                        "txtCel"},
    // the practitioner
    {  1.0,   92.0, 237.0, u"PRATICANTE",                            "txtArmi",        1.0, 89.8},
    { 95.0,   94.0, 237.0, u"LUOGO DI NASCITA",                      "txtPorto"},
    {  1.0,   45.0, 251.0, u"DATA DI NASCITA",                       "txtInizioPor"},
    { 48.0,  141.0, 251.0, u"INDIRIZZO",                             "txtFinePor"},
    {  1.0,  188.0, 265.0, u"NOTE",                                  "txtNote",        0.6, 185.8, 1.0, 0.0, "titRaccomandazioni"},
};
// clang-format on

ReportShape shape(const QString& name, const QRectF& rect, const QColor& fill, const QColor& frame)
{
    ReportShape s;
    s.name = name;
    s.rect = rect;
    s.fill = fill;
    s.frame = frame;
    return s;
}

ReportMemo memo(const QString& name, const QRectF& rect, const ReportFont& font, HAlign hAlign, const QString& text)
{
    ReportMemo m;
    m.name = name;
    m.rect = rect;
    m.font = font;
    m.hAlign = hAlign;
    m.vAlign = VAlign::Center;
    m.wordWrap = false;
    m.allowExpressions = false; // texts are printed literally, brackets included
    m.setText(text);
    return m;
}

void addBox(Report& report, const Box& b)
{
    const QString value = QLatin1String(b.value);
    const QString base = value.mid(3); // "txtCitta" -> "Citta"
    report.add(shape(QStringLiteral("shpTit") + base, mmRect(b.left, b.top, b.width, 4.8), kRoyalBlue, kRoyalBlue));
    report.add(
        memo(b.captionName ? QLatin1String(b.captionName) : QStringLiteral("tit") + base,
             mmRect(b.left + 1.0, b.top + b.captionTop, b.captionWidth > 0 ? b.captionWidth : b.width - 2.0, 3.6),
             ReportFont::points(QStringLiteral("Arial"), 8, FontStyle::Bold, Qt::white), HAlign::Left,
             QString::fromUtf16(b.caption)));
    report.add(shape(QStringLiteral("shp") + base, mmRect(b.left, b.top + 5.0, b.width, 6.0), QColor(), Qt::black));
    report.add(memo(
        value, mmRect(b.left + 1.0, b.top + 5.0 + b.valueTop, b.valueWidth > 0 ? b.valueWidth : b.width - 2.0, 4.0),
        ReportFont::points(QStringLiteral("Arial"), 8, FontStyle::None, Qt::black),
        value == QLatin1String("txtSesso") ? HAlign::Center : HAlign::Left, QString()));
}

} // namespace

Report MemberSheetTemplate::create()
{
    Report report(QStringLiteral("Scheda Iscritto"));
    ReportPage& page = report.page();
    page.paperWidthMm = 210.0;
    page.paperHeightMm = 297.0;
    page.paperSize = kPaperA4;
    page.orientation = Orientation::Portrait;
    page.leftMarginMm = page.topMarginMm = page.rightMarginMm = page.bottomMarginMm = 10.0;

    report.add(shape(QStringLiteral("shpTitolo"), mmRect(1.0, 1.0, 188.0, 8.0), kRoyalBlue, kRoyalBlue));
    report.add(memo(QStringLiteral("txtTiratore"), mmRect(2.0, 2.2, 186.0, 6.0),
                    ReportFont::points(QStringLiteral("Arial"), 12, FontStyle::None, Qt::white), HAlign::Center,
                    QStringLiteral("Nome")));
    ReportPicture photo;
    photo.name = QStringLiteral("imgLogo");
    photo.rect = mmRect(1.0, 11.0, 188.0, 140.0);
    photo.keepAspect = true;
    photo.center = true;
    report.add(std::move(photo));

    for (const Box& b : kBoxes)
        addBox(report, b);
    return report;
}

void MemberSheetTemplate::fill(Report& report, const TSchedaIscritto& fields, const QImage& photo)
{
    report.setOrientation(Orientation::Portrait);
    report.findPicture(QStringLiteral("imgLogo"))->setPicture(photo);
    // The first 26 fields of the record are the editor's fields, in its order; the attachments
    // after them are not printed.
    const auto& recordFields = TSchedaIscritto::fields();
    for (size_t i = 0; i < 26; ++i) {
        const auto& f = recordFields[i];
        ReportMemo* m = report.findMemo(QStringLiteral("txt") + QLatin1String(f.name));
        if (!m)
            throw ReportError("member sheet template without the memo of a field");
        // Each value is the one line of its box: a line break pasted into a field (or read from
        // the archive) prints as a blank, never as a second line over the box below.
        QString text = TrimSpazi(fields.*(f.member));
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        m->setText(text);
    }
}

} // namespace tavorel
