#include "shell/ExportGridModel.h"

#include <QAbstractItemModelTester>
#include <QtTest>

using namespace tavorel;

namespace {

QList<ExportColumn> columns()
{
    // The record number, a read-only column and two that can be typed over.
    return {
        {"colNum", QStringLiteral("N."), 40, true, {}, 0},
        {"colData", QStringLiteral("Data"), 80, true, QStringLiteral("Data"), 10},
        {"colPagatore", QStringLiteral("Pagatore"), 200, false, QStringLiteral("Pagatore"), 30},
        {"colNote", QStringLiteral("Note"), 200, false, QStringLiteral("Note"), 30},
    };
}

QString row(const QStringList& cells)
{
    return cells.join(ExportGridModel::kSeparator);
}

} // namespace

class tst_ExportGridModel : public QObject {
    Q_OBJECT
private slots:
    void editsKeepTheOtherCells_data();
    void editsKeepTheOtherCells();
};

void tst_ExportGridModel::editsKeepTheOtherCells_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("cells"); // columns 0..3 of row 1 afterwards

    const QString n = QStringLiteral("2");
    QTest::newRow("payer typed over") << 2 << QStringLiteral("Verdi") << true
                                      << QStringList{n, QStringLiteral("02/01/2024"), QStringLiteral("Verdi"), {}};
    QTest::newRow("last cell typed over")
        << 3 << QStringLiteral("saldo") << true
        << QStringList{n, QStringLiteral("02/01/2024"), QStringLiteral("Neri"), QStringLiteral("saldo")};
    QTest::newRow("a typed separator becomes a blank")
        << 2 << QStringLiteral("a") + ExportGridModel::kSeparator + QStringLiteral("b") << true
        << QStringList{n, QStringLiteral("02/01/2024"), QStringLiteral("a b"), {}};
    QTest::newRow("read-only column refused")
        << 1 << QStringLiteral("x") << false
        << QStringList{n, QStringLiteral("02/01/2024"), QStringLiteral("Neri"), {}};
    QTest::newRow("record number refused") << 0 << QStringLiteral("9") << false
                                           << QStringList{n, QStringLiteral("02/01/2024"), QStringLiteral("Neri"), {}};
}

// The model under Qt's model tester, which checks every answer it gives a view while the grid is
// filled, reset and edited; an edit changes its cell only, and only where the column allows it.
void tst_ExportGridModel::editsKeepTheOtherCells()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QStringList, cells);

    ExportGridModel model(columns(), nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.resize(3);
    model.setRow(0, row({QStringLiteral("01/01/2024"), QStringLiteral("Rossi"), QStringLiteral("nota")}));
    model.setRow(1, row({QStringLiteral("02/01/2024"), QStringLiteral("Neri"), QString()}));
    // Row 3 left empty, as a record that could not be read leaves it.
    model.rowsChanged();

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QCOMPARE(model.setData(model.index(1, column), typed, Qt::EditRole), accepted);
    QCOMPARE(changed.size(), accepted ? 1 : 0);
    QCOMPARE(bool(model.flags(model.index(1, column)) & Qt::ItemIsEditable), column >= 2);
    for (int c = 0; c < cells.size(); ++c)
        QCOMPARE(model.cell(1, c), cells[c]);
    QCOMPARE(model.cell(0, 3), QStringLiteral("nota"));
    QCOMPARE(model.cell(2, 0), QStringLiteral("3"));
    QCOMPARE(model.cell(2, 2), QString());
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Pagatore"));
}

QTEST_MAIN(tst_ExportGridModel)
#include "tst_ExportGridModel.moc"
