#include "Report.h"

#include <QRegularExpression>

namespace tavorel {

QRectF ReportPage::printableRectPx() const
{
    const double width = printedWidthMm() - leftMarginMm - rightMarginMm;
    const double height = printedHeightMm() - topMarginMm - bottomMarginMm;
    return mmRect(leftMarginMm, topMarginMm, width, height);
}

void ReportMemo::setText(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    lines = text.isEmpty() ? QStringList() : text.split(lineEnd);
}

ReportBand& Report::addBand(ReportBand band)
{
    bands_.push_back(std::move(band));
    return bands_.back();
}

const ReportItem* Report::findItem(const QString& name) const
{
    const auto byName = [&name](const ReportItem& item) {
        return std::visit([&name](const ReportObject& o) { return o.name == name; }, item);
    };
    for (const ReportItem& item : objects_)
        if (byName(item))
            return &item;
    for (const ReportBand& band : bands_)
        for (const ReportItem& item : band.objects)
            if (byName(item))
                return &item;
    return nullptr;
}

const ReportObject* Report::findObject(const QString& name) const
{
    const ReportItem* item = findItem(name);
    if (!item)
        return nullptr;
    return std::visit([](const ReportObject& o) { return &o; }, *item);
}

ReportObject* Report::findObject(const QString& name)
{
    return const_cast<ReportObject*>(static_cast<const Report*>(this)->findObject(name));
}

const ReportBand* Report::findBand(const QString& name) const
{
    for (const ReportBand& band : bands_)
        if (band.name == name)
            return &band;
    return nullptr;
}

ReportBand* Report::findBand(const QString& name)
{
    return const_cast<ReportBand*>(static_cast<const Report*>(this)->findBand(name));
}

} // namespace tavorel
