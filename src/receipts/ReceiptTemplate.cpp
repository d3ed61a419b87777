#include "receipts/ReceiptTemplate.h"

#include "receipts/ReceiptEditorRules.h"
#include "rules/ReceiptFiscal.h"
#include "rules/TextRules.h"
#include "shell/Colors.h"

#include <iterator>

namespace tavorel {

namespace {

enum class Kind { Line, Picture, Shape, Text };
enum class Fill { None, AliceBlue, Snow, White };
enum class Art { None, Logo, Euro, Comma, Scissors };

constexpr FontStyle R = FontStyle::None;
constexpr FontStyle B = FontStyle::Bold;
constexpr FontStyle BI = FontStyle::BoldItalic;
constexpr HAlign L = HAlign::Left;
constexpr HAlign C = HAlign::Center;
constexpr HAlign Rt = HAlign::Right;
constexpr VAlign T = VAlign::Top;
constexpr VAlign M = VAlign::Center;

// The cut line between the copies: 100 hyphens, longer than its box, so it runs to the box's edge.
constexpr char16_t kCutLine[] =
    u"----------------------------------------------------------------------------------------------------";
static_assert(std::size(kCutLine) == 100 + 1);

// One object of the upper copy and its twin in the lower copy (lower == nullptr: an object between
// the copies, drawn once). Millimetres from the top-left corner of the sheet; Arial throughout.
struct ReceiptObject {
    Kind kind;
    const char* upper;
    const char* lower;
    double left, leftB;
    double top, topB;
    double width;
    double height, heightB;
    double points;
    FontStyle style;
    HAlign hAlign;
    VAlign vAlign;
    Fill fill, fillB;
    const char16_t* text;
    const char16_t* textB;
    Art art;
};

// clang-format off
const ReceiptObject kReceiptObjects[] = {
    // kind          upper             lower              left   leftB  top    topB   width  h     hB    pt  style hA  vA  fill             fillB       text, textB                                  art
    {Kind::Line,    "lineTop",        "Line1",            10.0, 10.0,  10.0, 165.0, 190.0,  0.0,  0.0, 0, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Line,    "lineLeft",       "Line2",            10.0, 10.0,  10.0, 165.0,   0.0,115.0,115.0, 0, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Line,    "lineRight",      "Line3",           200.0,200.0,  10.0, 165.0,   0.0,115.0,115.0, 0, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Picture, "imgLogo",        "imgLogo_B",        14.0, 14.0,  14.0, 169.0,  39.4, 22.0, 22.0, 0, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::Logo},
    {Kind::Text,    "txtRicevente01", "txtRicevente01_B", 55.0, 55.0,  14.0, 169.0,  87.0,  4.0,  4.0, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "txtRicevente02", "txtRicevente02_B", 55.0, 55.0,  20.0, 175.0,  87.0,  4.0,  4.0, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "txtRicevente03", "txtRicevente03_B", 55.0, 55.0,  26.0, 181.0,  87.0,  4.0,  4.0, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "txtRicevente04", "txtRicevente04_B", 55.0, 55.0,  32.0, 187.0,  87.0,  4.0,  4.0, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Shape,   "shpNumFatt",     "Shape6",          144.0,144.0,  14.0, 169.0,  52.0,  9.0,  9.0, 0, R, L, T, Fill::AliceBlue, Fill::Snow, nullptr, nullptr, Art::None},
    {Kind::Text,    "txtNumRic",      "txtNumRic_B",     146.0,146.0,  16.0, 171.0,  49.0,  5.0,  5.0,12, B, L, M, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Shape,   "Shape12",        "Shape13",         144.0,144.0,  27.0, 182.0,  52.0,  9.0,  9.0, 0, R, L, T, Fill::AliceBlue, Fill::Snow, nullptr, nullptr, Art::None},
    {Kind::Text,    "txtData",        "txtData_B",       146.0,146.0,  29.0, 184.0,  49.0,  5.0,  6.0,12, R, L, M, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Shape,   "shpContratto",   "Shape7",           14.0, 14.0,  39.0, 194.0, 182.0, 39.0, 39.0, 0, R, L, T, Fill::White, Fill::White, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo5",          "Memo27",           17.0, 17.0,  41.0, 196.0,  24.0,  4.4,  4.4, 9,BI, L, T, Fill::None, Fill::None, u"Riceviamo da", nullptr, Art::None},
    {Kind::Text,    "txtPagatore",    "txtPagatore_B",    42.0, 42.0,  41.0, 196.0,  88.0,  4.4,  4.4, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo3",          "Memo30",          131.0,131.0,  41.0, 196.0,  26.0,  4.4,  4.4, 9,BI, L, T, Fill::None, Fill::None, u"codice fiscale:", nullptr, Art::None},
    {Kind::Text,    "txtCodFisc",     "txtCodFisc_B",    158.0,158.0,  41.0, 196.0,  36.0,  4.4,  4.4, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo2",          "Memo31",           17.0, 17.0,  46.0, 201.0,  34.0,  4.4,  4.4, 9,BI, L, T, Fill::None, Fill::None, u"per l'attività sportiva", nullptr, Art::None},
    {Kind::Text,    "txtSport",       "txtSport_B",       52.0, 52.0,  46.0, 201.0,  78.0,  4.4,  4.4, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo19",         "Memo35",          131.0,131.0,  46.0, 201.0,   7.4,  4.4,  4.4, 9,BI, L, T, Fill::None, Fill::None, u"dal", nullptr, Art::None},
    {Kind::Text,    "txtDal",         "txtDal_B",        139.4,139.4,  46.0, 201.0,  23.0,  4.4,  4.4, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo16",         "Memo33",          164.0,164.0,  46.0, 201.0,   6.0,  4.4,  4.4, 9,BI, L, T, Fill::None, Fill::None, u"al", nullptr, Art::None},
    {Kind::Text,    "txtAl",          "txtAl_B",         171.0,171.0,  46.0, 201.0,  23.0,  4.4,  4.4, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Picture, "Picture2",       "Picture7",         17.0, 17.0,  53.0, 209.0,   6.4,  6.0,  6.0, 0, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::Euro},
    {Kind::Shape,   "Shape1",         "Shape11",          25.0, 25.0,  53.0, 209.0, 169.0,  6.0,  6.0, 0, R, L, T, Fill::AliceBlue, Fill::Snow, nullptr, nullptr, Art::None},
    {Kind::Text,    "txtImpLettere",  "txtImpLettere_B",  26.2, 26.0,  54.0, 210.0, 167.0,  4.0,  4.0, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "titUfficioTer",  "Memo23",           25.0, 25.0,  60.0, 216.0, 169.0,  3.4,  3.4, 7, R, C, T, Fill::None, Fill::None, u"(IN LETTERE)", nullptr, Art::None},
    {Kind::Text,    "Memo6",          "Memo28",           17.0, 17.0,  66.0, 221.0,  19.0,  4.4,  4.4, 9,BI, L, T, Fill::None, Fill::None, u"Praticante:", nullptr, Art::None},
    {Kind::Text,    "txtPraticante",  "txtPraticante_B",  37.0, 37.0,  66.0, 221.0,  63.0,  4.4,  4.4, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo17",         "Memo37",          101.0,101.0,  66.0, 221.0,  28.0,  4.4,  4.4, 9,BI, L, T, Fill::None, Fill::None, u"luogo di nascita:", nullptr, Art::None},
    {Kind::Text,    "txtLuogoNasc",   "txtLuogoNasc_B",  130.0,130.0,  66.0, 221.0,  64.0,  4.4,  4.4, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo4",          "Memo38",           17.0, 17.0,  71.0, 226.0,  26.0,  4.4,  4.4, 9,BI, L, T, Fill::None, Fill::None, u"data di nascita:", nullptr, Art::None},
    {Kind::Text,    "txtDataNasc",    "txtDataNasc_B",    44.0, 44.0,  71.0, 226.0,  23.0,  4.4,  4.4, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo21",         "Memo40",           68.0, 68.0,  71.0, 226.0,  16.4,  4.4,  4.4, 9,BI, L, T, Fill::None, Fill::None, u"indirizzo:", nullptr, Art::None},
    {Kind::Text,    "txtIndirizzo",   "txtIndirizzo_B",   85.0, 85.0,  71.0, 226.0, 109.0,  4.4,  4.4, 9, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Shape,   "icoBollo",       "Shape8",           14.0, 14.0,  81.0, 236.0,  55.0, 40.0, 40.0, 0, R, L, T, Fill::White, Fill::White, nullptr, nullptr, Art::None},
    {Kind::Text,    "titBollo",       "Memo18",           15.0, 15.5,  96.0, 251.4,  53.0,  5.0,  5.0, 8, R, C, M, Fill::None, Fill::None, u"BOLLO VIGENTE", u"BOLLO APPOSTO SULL'ORIGINALE", Art::None},
    {Kind::Text,    "Memo11",         "Memo22",           15.0, 15.5, 101.0, 256.4,  53.0,  5.0,  5.0, 8, R, C, M, Fill::None, Fill::None, u"(OVE RICHIESTO)", nullptr, Art::None},
    {Kind::Text,    "Memo7",          "Memo8",            80.0, 80.0,  88.8, 243.8,  37.0,  8.0,  8.0,18, R,Rt, T, Fill::None, Fill::None, u"TOTALE :", nullptr, Art::None},
    {Kind::Picture, "Picture4",       "Picture5",        119.0,119.5,  88.0, 243.0,   9.4,  9.0,  9.0, 0, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::Euro},
    {Kind::Shape,   "Shape2",         "Shape9",          131.0,131.0,  88.0, 243.0,  51.0,  9.0,  9.0, 0, R, L, T, Fill::White, Fill::White, nullptr, nullptr, Art::None},
    {Kind::Text,    "txtImporto",     "txtImporto_B",    132.0,132.0,  89.2, 244.4,  49.0,  7.0,  7.0,16, B,Rt, M, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Picture, "Picture1",       "Picture6",        182.8,182.8,  94.0, 249.0,   1.4,  3.0,  3.0, 0, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::Comma},
    {Kind::Shape,   "Shape3",         "Shape10",         185.0,185.0,  88.0, 243.0,  11.0,  9.0,  9.0, 0, R, L, T, Fill::AliceBlue, Fill::Snow, nullptr, nullptr, Art::None},
    {Kind::Text,    "txtCents",       "txtCents_B",      186.0,186.0,  89.2, 244.4,   9.0,  7.0,  7.0,16, B, C, M, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo10",         "Memo9",           131.0,131.0,  98.0, 253.0,  65.0,  3.4,  3.4, 7, R, C, T, Fill::None, Fill::None, u"(IN CIFRE)", nullptr, Art::None},
    {Kind::Line,    "lineFirma",      "Line4",            99.0, 99.0, 116.0, 271.0,  90.0,  0.0,  0.0, 0, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo12",         "Memo14",           99.0, 99.0, 117.0, 272.0,  90.0,  3.4,  3.4, 7, R, C, T, Fill::None, Fill::None, u"(FIRMA)", nullptr, Art::None},
    // How the receipt was paid (two lines at most: a long way of payment and a reference need them)
    // and the club's VAT wording, between "(IN CIFRE)" and the signature line; the stamp exemption's
    // wording, wrapped inside the stamp box. Empty unless the club set its
    // fiscal data or the receipt says how it was paid: the receipt then prints as it always did.
    {Kind::Text,    "txtRigaPagamento", "txtRigaPagamento_B", 72.0, 72.0, 102.2, 257.2, 124.0, 7.6, 7.6, 8, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "txtDicituraIva", "txtDicituraIva_B", 72.0, 72.0, 110.2, 265.2, 124.0,  3.8,  3.8, 8, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Text,    "txtEsenzioneBollo", "txtEsenzioneBollo_B", 16.0, 16.0, 101.6, 256.6, 51.0, 14.0, 14.0, 7, R, C, T, Fill::None, Fill::None, nullptr, nullptr, Art::None},
    {Kind::Shape,   "Shape4",         "Shape5",           10.0, 10.0, 125.0, 280.0, 190.0,  6.0,  6.0, 0, R, L, T, Fill::AliceBlue, Fill::Snow, nullptr, nullptr, Art::None},
    {Kind::Text,    "Memo13",         "Memo15",           11.5, 11.5, 126.0, 281.0, 187.0,  4.4,  4.4, 8, R, L, M, Fill::None, Fill::None, u"COPIA PER IL PAGATORE", u"COPIA PER IL RICEVENTE", Art::None},
    // between the copies
    {Kind::Picture, "Picture3",       nullptr,            10.0,  0.0, 144.6,   0.0,   9.4,  9.0,  0.0, 0, R, L, T, Fill::None, Fill::None, nullptr, nullptr, Art::Scissors},
    {Kind::Text,    "Memo1",          nullptr,            16.0,  0.0, 143.2,   0.0, 185.0,  8.0,  0.0,18, R, L, T, Fill::None, Fill::None, kCutLine, nullptr, Art::None},
};
// clang-format on

QColor colourOf(Fill fill)
{
    switch (fill) {
    case Fill::AliceBlue:
        return colors::kAliceBlue;
    case Fill::Snow:
        return colors::kSnow;
    case Fill::White:
        return colors::kWhite;
    case Fill::None:
        break;
    }
    return QColor();
}

QImage pictureOf(Art art, const ReceiptPictures& pictures)
{
    switch (art) {
    case Art::Euro:
        return pictures.euro;
    case Art::Comma:
        return pictures.comma;
    case Art::Scissors:
        return pictures.scissors;
    case Art::Logo: // set at print time
    case Art::None:
        break;
    }
    return QImage();
}

QString textOf(const ReceiptObject& o, bool lower)
{
    const char16_t* text = lower && o.textB ? o.textB : o.text;
    return text ? QString::fromUtf16(text) : QString();
}

void addObject(Report& report, const ReceiptObject& o, bool lower, const ReceiptPictures& pictures)
{
    const QString name = QLatin1String(lower ? o.lower : o.upper);
    const QRectF rect = mmRect(lower ? o.leftB : o.left, lower ? o.topB : o.top, o.width, lower ? o.heightB : o.height);
    switch (o.kind) {
    case Kind::Line: {
        ReportLine line;
        line.name = name;
        line.rect = rect;
        report.add(std::move(line));
        break;
    }
    case Kind::Picture: {
        ReportPicture picture;
        picture.name = name;
        picture.rect = rect;
        picture.keepAspect = true;
        picture.center = false;
        picture.setPicture(pictureOf(o.art, pictures));
        report.add(std::move(picture));
        break;
    }
    case Kind::Shape: {
        ReportShape shape;
        shape.name = name;
        shape.rect = rect;
        shape.fill = colourOf(lower ? o.fillB : o.fill);
        shape.frame = Qt::black;
        report.add(std::move(shape));
        break;
    }
    case Kind::Text: {
        ReportMemo memo;
        memo.name = name;
        memo.rect = rect;
        memo.font = ReportFont::points(QStringLiteral("Arial"), o.points, o.style, Qt::black);
        memo.hAlign = o.hAlign;
        memo.vAlign = o.vAlign;
        // Only the payment line and the stamp exemption's wording wrap, inside their boxes; every other
        // text is one line.
        memo.wordWrap = qstrcmp(o.upper, "txtRigaPagamento") == 0 || qstrcmp(o.upper, "txtEsenzioneBollo") == 0;
        memo.allowExpressions = false;
        memo.setText(textOf(o, lower));
        report.add(std::move(memo));
        break;
    }
    }
}

// The receipt into the memos of one copy; `suffix` is "" for the upper copy, "_B" for the lower.
// Each memo is named after the record field it prints.
void fillCopy(Report& report, const TSchedaRicevuta& d, const QString& suffix)
{
    // Every value is one line of the receipt: a line break pasted into a field (or read from an
    // archive) is printed as a blank, never as a second line over the next row of the form.
    const auto set = [&](const char* memo, QString text) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        report.findMemo(QLatin1String(memo) + suffix)->setText(text);
    };
    set("txtNumRic", QStringLiteral("Ricevuta n. ") + TrimSpazi(d.NumRic));
    set("txtData", QStringLiteral("Data:  ") + TrimSpazi(d.Data));
    set("txtRicevente01", TrimSpazi(d.Ricevente01));
    set("txtRicevente02", TrimSpazi(d.Ricevente02));
    set("txtRicevente03", TrimSpazi(d.Ricevente03));
    set("txtRicevente04", TrimSpazi(d.Ricevente04));
    set("txtPagatore", TrimSpazi(d.Pagatore));
    set("txtCodFisc", TrimSpazi(d.CodFisc));
    set("txtSport", TrimSpazi(d.Sport));
    set("txtDal", TrimSpazi(d.Dal));
    set("txtAl", TrimSpazi(d.Al));
    set("txtPraticante", TrimSpazi(d.Praticante));
    set("txtLuogoNasc", TrimSpazi(d.LuogoNasc));
    set("txtDataNasc", TrimSpazi(d.DataNasc));
    set("txtIndirizzo", TrimSpazi(d.Indirizzo));
    set("txtImporto", TrimSpazi(d.Importo));
    set("txtCents", TrimSpazi(d.Cents));
    set("txtImpLettere", TrimSpazi(d.ImpLettere) + QLatin1Char('/') + TrimSpazi(d.CentLettere));
}

// The payment line, the VAT wording and the stamp box of one copy.
void fillFiscal(Report& report, const TSchedaRicevuta& d, const TSchedaPagamento& p, const DatiFiscali& dati,
                const QString& suffix)
{
    const auto set = [&](const char* memo, const QString& text) {
        report.findMemo(QLatin1String(memo) + suffix)->setText(text);
    };
    set("txtRigaPagamento", rigaPagamento(p.Causale, p.Pagamento, p.DataPag, d.Data, p.RifPag));
    set("txtDicituraIva", dati.regime == Regime::NonIndicato ? QString() : TrimSpazi(dati.dicituraIva));
    const RigheBollo bollo = righeBollo(dati, p.Causale, CentesimiRicevuta(d));
    if (bollo.invariato)
        return;
    // The stamp box's two lines keep their old names in each copy.
    const bool upper = suffix.isEmpty();
    report.findMemo(QLatin1String(upper ? "titBollo" : "Memo18"))->setText(bollo.prima);
    ReportMemo* second = report.findMemo(QLatin1String(upper ? "Memo11" : "Memo22"));
    if (dati.regime == Regime::Asd) {
        // The exemption's wording is long: it wraps inside the box, under the title.
        second->setText(QString());
        set("txtEsenzioneBollo", bollo.seconda);
    } else {
        second->setText(bollo.seconda);
    }
}

} // namespace

Report ReceiptTemplate::create()
{
    return create(receiptPictures());
}

Report ReceiptTemplate::create(const ReceiptPictures& pictures)
{
    Report report(QStringLiteral("Ricevuta di Pagamento"));
    ReportPage& page = report.page();
    page.paperWidthMm = 210.0;
    page.paperHeightMm = 297.0;
    page.paperSize = kPaperCustom;
    page.orientation = Orientation::Portrait;
    page.leftMarginMm = page.topMarginMm = page.rightMarginMm = page.bottomMarginMm = 0.0;

    // Upper copy, the cut line, lower copy: the order they are drawn in.
    for (const ReceiptObject& o : kReceiptObjects)
        if (o.lower)
            addObject(report, o, false, pictures);
    for (const ReceiptObject& o : kReceiptObjects)
        if (!o.lower)
            addObject(report, o, false, pictures);
    for (const ReceiptObject& o : kReceiptObjects)
        if (o.lower)
            addObject(report, o, true, pictures);
    return report;
}

void ReceiptTemplate::fill(Report& report, const TSchedaRicevuta& data, const QImage& logo)
{
    fill(report, data, logo, {}, DatiFiscali::predefiniti());
}

void ReceiptTemplate::fill(Report& report, const TSchedaRicevuta& data, const QImage& logo,
                           const TSchedaPagamento& pagamento, const DatiFiscali& dati)
{
    report.setOrientation(Orientation::Portrait);
    report.findPicture(QStringLiteral("imgLogo"))->setPicture(logo);
    fillCopy(report, data, QString());
    fillFiscal(report, data, pagamento, dati, QString());
    report.findPicture(QStringLiteral("imgLogo_B"))->setPicture(logo);
    fillCopy(report, data, QStringLiteral("_B"));
    fillFiscal(report, data, pagamento, dati, QStringLiteral("_B"));
}

} // namespace tavorel
