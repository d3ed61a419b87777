#include "printing/Report.h"
#include "printing/ReportLayout.h"

#include <QtTest>

using namespace tavorel;

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(14, 30, 5));

bool near(double a, double b, double tolerance = 0.01)
{
    return std::abs(a - b) <= tolerance;
}

bool nearRect(const QRectF& a, const QRectF& b, double tolerance = 0.01)
{
    return near(a.left(), b.left(), tolerance) && near(a.top(), b.top(), tolerance) &&
           near(a.width(), b.width(), tolerance) && near(a.height(), b.height(), tolerance);
}

ReportMemo memo(const QString& name, QRectF rect, const QString& text)
{
    ReportMemo m;
    m.name = name;
    m.rect = rect;
    m.font = ReportFont::points(QStringLiteral("Arial"), 9);
    m.wordWrap = false;
    m.setText(text);
    return m;
}

// A one-page report with margins and one object of each kind directly on the page.
Report pageReport()
{
    Report r(QStringLiteral("Prova"));
    r.page().leftMarginMm = 10;
    r.page().topMarginMm = 15;
    ReportShape shape;
    shape.name = QStringLiteral("shpBox");
    shape.rect = mmRect(5, 6, 50, 9);
    shape.fill = QColor(0xF0, 0xF8, 0xFF);
    r.add(shape);
    r.add(memo(QStringLiteral("txtNome"), mmRect(7, 8, 40, 5), QStringLiteral("Mario Rossi")));
    ReportLine line;
    line.name = QStringLiteral("lineTop");
    line.rect = mmRect(0, 0, 190, 0);
    r.add(line);
    ReportPicture picture;
    picture.name = QStringLiteral("imgLogo");
    picture.rect = mmRect(100, 20, 40, 22);
    picture.setPicture(QImage(297, 184, QImage::Format_RGB32));
    r.add(picture);
    return r;
}

} // namespace

class tst_ReportLayout : public QObject {
    Q_OBJECT
private slots:
    void objectsLandWhereTheTemplatePutsThem_data();
    void objectsLandWhereTheTemplatePutsThem();
    void reportIsACopyableValue();
    void longTextIsCutAtTheMemoEdgesNotWrapped();
    void memoShowsOnlyTheLinesItsHeightHolds();
    void wordWrapBreaksBetweenWords();
    void verticalCentreAndPitch();
    void pictureFitsKeepingProportions_data();
    void pictureFitsKeepingProportions();
    void systemVariables_data();
    void systemVariables();
    void bandTallerThanTwoPagesSplitsBetweenLines();
    void bandThatDoesNotSplitMovesToTheNextPage();
};

void tst_ReportLayout::objectsLandWhereTheTemplatePutsThem_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QRectF>("expected"); // mm, from the sheet's corner

    // Page objects are measured from the area inside the margins (left 10, top 15).
    QTest::newRow("shape") << "shpBox" << QRectF(15, 21, 50, 9);
    QTest::newRow("memo fill-less line box") << "txtNome" << QRectF(17, 23, 40, 5);
    QTest::newRow("line") << "lineTop" << QRectF(10, 15, 190, 0);
    QTest::newRow("picture box") << "imgLogo" << QRectF(110, 35, 40, 22);
}

void tst_ReportLayout::objectsLandWhereTheTemplatePutsThem()
{
    QFETCH(QString, object);
    QFETCH(QRectF, expected);
    const PreparedReport prepared = ReportLayout::prepare(pageReport(), kNow);
    QCOMPARE(prepared.pages.size(), size_t(1));
    const PreparedPage& page = prepared.pages[0];
    QVERIFY(near(page.size.width(), mmToPx(210)) && near(page.size.height(), mmToPx(297)));

    const QRectF want = mmRect(expected.left(), expected.top(), expected.width(), expected.height());
    QRectF got;
    if (const PreparedRect* r = page.rect(object))
        got = r->rect;
    else if (const PreparedLine* l = page.line(object))
        got = QRectF(l->line.p1(), l->line.p2());
    else if (const PreparedImage* i = page.image(object))
        got = i->box;
    else if (!page.texts(object).empty())
        got = page.texts(object).front()->clip;
    QVERIFY2(nearRect(got, want), qPrintable(QStringLiteral("%1: %2,%3 %4x%5")
                                                 .arg(object)
                                                 .arg(got.left())
                                                 .arg(got.top())
                                                 .arg(got.width())
                                                 .arg(got.height())));
}

void tst_ReportLayout::reportIsACopyableValue()
{
    Report original = pageReport();
    Report copy = original;
    copy.findMemo(QStringLiteral("txtNome"))->setText(QStringLiteral("Luigi Bianchi"));
    copy.findPicture(QStringLiteral("imgLogo"))->setPicture(QImage(10, 10, QImage::Format_RGB32));
    QCOMPARE(original.findMemo(QStringLiteral("txtNome"))->text(), QStringLiteral("Mario Rossi"));
    QCOMPARE(original.findPicture(QStringLiteral("imgLogo"))->picture.size(), QSize(297, 184));
    // Lookup is by kind as well as name.
    QVERIFY(original.findPicture(QStringLiteral("txtNome")) == nullptr);
    QVERIFY(original.findObject(QStringLiteral("lineTop")) != nullptr);
    QVERIFY(original.findMemo(QStringLiteral("nessuno")) == nullptr);
}

void tst_ReportLayout::longTextIsCutAtTheMemoEdgesNotWrapped()
{
    Report r;
    const QString address(250, QLatin1Char('W'));
    r.add(memo(QStringLiteral("txtIndirizzo"), mmRect(85, 71, 109, 4.4), address));
    r.add(memo(QStringLiteral("txtCap"), mmRect(85, 80, 20, 4.4), QStringLiteral("10122")));
    const PreparedPage page = ReportLayout::prepare(r, kNow).pages.at(0);
    const auto texts = page.texts(QStringLiteral("txtIndirizzo"));
    QCOMPARE(texts.size(), size_t(1));
    QCOMPARE(texts[0]->text, address);
    // Cut 1 mm inside the memo's right edge, clear of whatever follows; a text that fits keeps the
    // whole memo.
    QVERIFY(nearRect(texts[0]->clip, mmRect(85, 71, 108, 4.4)));
    QVERIFY(nearRect(page.texts(QStringLiteral("txtCap")).at(0)->clip, mmRect(85, 80, 20, 4.4)));
    // Inset 2 px left and right, 1 px from the top.
    QVERIFY(near(texts[0]->rect.left(), mmToPx(85) + 2));
    QVERIFY(near(texts[0]->rect.right(), mmToPx(85 + 109) - 2));
    QVERIFY(near(texts[0]->rect.top(), mmToPx(71) + 1));
}

void tst_ReportLayout::memoShowsOnlyTheLinesItsHeightHolds()
{
    Report r;
    ReportMemo m = memo(QStringLiteral("txtNote"), QRectF(0, 0, 200, 40), QString());
    for (int i = 0; i < 10; ++i)
        m.addLine(QStringLiteral("riga %1").arg(i));
    const double pitch = ReportLayout::linePitch(m);
    r.add(m);
    const PreparedPage page = ReportLayout::prepare(r, kNow).pages.at(0);
    const auto texts = page.texts();
    // Each line takes its pitch less the 2 px gap; only whole lines are shown, from the first one.
    QVERIFY(texts.size() >= 1 && texts.size() < 10);
    for (size_t i = 0; i < texts.size(); ++i) {
        QCOMPARE(texts[i]->text, QStringLiteral("riga %1").arg(i));
        QVERIFY(texts[i]->rect.top() + pitch - 2 <= 40 + 1e-6);
        QCOMPARE(texts[i]->clip, QRectF(0, 0, 200, 40));
    }
    QVERIFY(texts.back()->rect.top() + pitch + pitch - 2 > 40); // the next one would not fit

    // A box lower than its font still shows its one line, cut at the edge.
    Report tight;
    tight.add(memo(QStringLiteral("txtBasso"), QRectF(0, 0, 200, 6), QStringLiteral("uno\r\ndue")));
    QCOMPARE(ReportLayout::prepare(tight, kNow).pages.at(0).textLines(), QStringList{QStringLiteral("uno")});
}

void tst_ReportLayout::wordWrapBreaksBetweenWords()
{
    Report r;
    ReportMemo m = memo(QStringLiteral("txtTitolo"), QRectF(0, 0, 120, 200),
                        QStringLiteral("Riepilogo certificati medici scaduti"));
    m.wordWrap = true;
    r.add(m);
    const QStringList lines = ReportLayout::prepare(r, kNow).pages.at(0).textLines();
    QVERIFY(lines.size() > 1);
    QCOMPARE(lines.join(QLatin1Char(' ')), QStringLiteral("Riepilogo certificati medici scaduti"));
}

void tst_ReportLayout::verticalCentreAndPitch()
{
    Report r;
    ReportMemo m = memo(QStringLiteral("txtNumRic"), mmRect(146, 16, 49, 5), QStringLiteral("Ricevuta n. 12"));
    m.vAlign = VAlign::Center;
    m.hAlign = HAlign::Right;
    r.add(m);
    ReportMemo two = memo(QStringLiteral("txtDue"), QRectF(0, 300, 100, 100), QStringLiteral("a\r\nb"));
    two.linePitch = 20;
    r.add(two);
    const PreparedPage page = ReportLayout::prepare(r, kNow).pages.at(0);
    const PreparedText* t = page.texts(QStringLiteral("txtNumRic")).at(0);
    QVERIFY(near(t->rect.center().y(), mmRect(146, 16, 49, 5).center().y()));
    QCOMPARE(t->hAlign, HAlign::Right);
    const auto lines = page.texts(QStringLiteral("txtDue"));
    QCOMPARE(lines.size(), size_t(2));
    QVERIFY(near(lines[1]->rect.top() - lines[0]->rect.top(), 20));
}

void tst_ReportLayout::pictureFitsKeepingProportions_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRectF>("box"); // mm
    QTest::addColumn<bool>("center");
    QTest::addColumn<QRectF>("target"); // mm

    // A portrait photo grows to the full height of the photo area and is centred across it.
    const double w = 140.0 * 307.0 / 394.0; // about 109 mm
    QTest::newRow("photo centred") << QSize(307, 394) << QRectF(11, 21, 188, 140) << true
                                   << QRectF(11 + (188 - w) / 2, 21, w, 140);
    QTest::newRow("photo top-left") << QSize(307, 394) << QRectF(11, 21, 188, 140) << false << QRectF(11, 21, w, 140);
    // A wide logo shrinks to the box's width... or height, whichever binds first.
    QTest::newRow("logo") << QSize(297, 184) << QRectF(14, 14, 39.4, 22) << false
                          << QRectF(14, 14, 22.0 * 297 / 184, 22);
    QTest::newRow("scissors") << QSize(276, 159) << QRectF(10, 144.6, 9.4, 9) << false
                              << QRectF(10, 144.6, 9.4, 9.4 * 159 / 276);
}

void tst_ReportLayout::pictureFitsKeepingProportions()
{
    QFETCH(QSize, picture);
    QFETCH(QRectF, box);
    QFETCH(bool, center);
    QFETCH(QRectF, target);
    Report r;
    ReportPicture p;
    p.name = QStringLiteral("imgLogo");
    p.rect = mmRect(box.left(), box.top(), box.width(), box.height());
    p.center = center;
    p.setPicture(QImage(picture, QImage::Format_RGB32));
    r.add(p);
    const PreparedPage page = ReportLayout::prepare(r, kNow).pages.at(0);
    const PreparedImage* image = page.image(QStringLiteral("imgLogo"));
    QVERIFY(image);
    QVERIFY(nearRect(image->target, mmRect(target.left(), target.top(), target.width(), target.height())));
    QVERIFY(nearRect(image->box, p.rect));
}

void tst_ReportLayout::systemVariables_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expressions");
    QTest::addColumn<QString>("printed");

    QTest::newRow("date") << "Stampa eseguita in data [DATE]" << true << "Stampa eseguita in data 05/03/2024";
    QTest::newRow("date and time") << "[DATE] alle ore [TIME]" << true << "05/03/2024 alle ore 14:30:05";
    QTest::newRow("other brackets stay") << "Rossi [SOCIO] [date]" << true << "Rossi [SOCIO] [date]";
    QTest::newRow("expressions off") << "[DATE]" << false << "[DATE]";
}

void tst_ReportLayout::systemVariables()
{
    QFETCH(QString, text);
    QFETCH(bool, expressions);
    QFETCH(QString, printed);
    Report r;
    ReportMemo m = memo(QStringLiteral("txtPagina"), QRectF(0, 0, 700, 20), text);
    m.allowExpressions = expressions;
    r.add(m);
    QCOMPARE(ReportLayout::prepare(r, kNow).pages.at(0).textLines(), QStringList{printed});
}

void tst_ReportLayout::bandTallerThanTwoPagesSplitsBetweenLines()
{
    Report r;
    r.page().topMarginMm = r.page().bottomMarginMm = 10;
    ReportBand title;
    title.name = QStringLiteral("ReportTitle");
    title.kind = BandKind::ReportTitle;
    title.height = 40;
    title.add(memo(QStringLiteral("txtTitolo"), QRectF(0, 0, 300, 30), QStringLiteral("Titolo")));
    r.addBand(title);
    ReportBand body;
    body.name = QStringLiteral("MasterData");
    body.allowSplit = true;
    ReportMemo lines = memo(QStringLiteral("txtRighe"), QRectF(10, 5, 600, 0), QString());
    lines.linePitch = 17; // no multiple of it meets a page edge exactly
    for (int i = 0; i < 150; ++i)
        lines.addLine(QStringLiteral("%1").arg(i));
    lines.setHeight(150 * 17.0);
    body.height = lines.rect.height() + 30;
    body.add(lines);
    r.addBand(body);
    ReportBand footer;
    footer.name = QStringLiteral("Footer");
    footer.kind = BandKind::Footer;
    footer.height = 20;
    footer.add(memo(QStringLiteral("txtPiede"), QRectF(0, 2, 300, 16), QStringLiteral("Fine")));
    r.addBand(footer);

    const PreparedReport prepared = ReportLayout::prepare(r, kNow);
    const QRectF area = r.page().printableRectPx();
    QVERIFY(prepared.pages.size() >= 3);
    QStringList all;
    for (size_t p = 0; p < prepared.pages.size(); ++p) {
        const PreparedPage& page = prepared.pages[p];
        QCOMPARE(page.texts(QStringLiteral("txtTitolo")).size(), size_t(p == 0 ? 1 : 0));
        const auto rows = page.texts(QStringLiteral("txtRighe"));
        QVERIFY(!rows.empty());
        for (const PreparedText* t : rows) {
            // Whole lines only: each one lies inside the printable area and inside its clip.
            QVERIFY(t->rect.top() >= area.top() - 1e-6 && t->rect.bottom() <= area.bottom() + 1e-6);
            QVERIFY(t->clip.contains(QPointF(t->rect.left(), t->rect.bottom() - 0.01)));
            all.append(t->text);
        }
        // The pitch holds across a page: consecutive lines on one page are 17 px apart.
        for (size_t i = 1; i < rows.size(); ++i)
            QVERIFY(near(rows[i]->rect.top() - rows[i - 1]->rect.top(), 17));
        if (p > 0) // continues at the top of the area (5 px memo offset is on the first part only)
            QVERIFY(rows.front()->rect.top() < area.top() + 17);
    }
    QStringList expected;
    for (int i = 0; i < 150; ++i)
        expected.append(QString::number(i));
    QCOMPARE(all, expected);

    // The footer once, after the last line, on the last page.
    const PreparedPage& last = prepared.pages.back();
    QCOMPARE(last.texts(QStringLiteral("txtPiede")).size(), size_t(1));
    for (size_t p = 0; p + 1 < prepared.pages.size(); ++p)
        QVERIFY(prepared.pages[p].texts(QStringLiteral("txtPiede")).empty());
    const double lastLine = last.texts(QStringLiteral("txtRighe")).back()->rect.top();
    // The band ends 30 px below the memo, whose last line starts one pitch (less the 1 px inset)
    // before the memo's end; the footer's memo lies 2 px into the footer.
    const double expectedFooter = lastLine + (17 - 1) + 25 + 2;
    QVERIFY2(near(last.texts(QStringLiteral("txtPiede")).front()->clip.top(), expectedFooter),
             qPrintable(QString::number(last.texts(QStringLiteral("txtPiede")).front()->clip.top())));
}

void tst_ReportLayout::bandThatDoesNotSplitMovesToTheNextPage()
{
    Report r;
    ReportBand first;
    first.name = QStringLiteral("Primo");
    first.height = 800;
    first.add(memo(QStringLiteral("txtPrimo"), QRectF(0, 0, 100, 20), QStringLiteral("uno")));
    r.addBand(first);
    ReportBand second = first;
    second.name = QStringLiteral("Secondo");
    second.objects.clear();
    second.add(memo(QStringLiteral("txtSecondo"), QRectF(0, 0, 100, 20), QStringLiteral("due")));
    r.addBand(second);
    const PreparedReport prepared = ReportLayout::prepare(r, kNow);
    QCOMPARE(prepared.pages.size(), size_t(2));
    QCOMPARE(prepared.pages[1].textLines(), QStringList{QStringLiteral("due")});
    QCOMPARE(prepared.pages[1].texts().front()->rect.top(), 1.0);
}

QTEST_MAIN(tst_ReportLayout)
#include "tst_ReportLayout.moc"
