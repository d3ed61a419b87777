#include "rules/RecordBrowse.h"

#include "rules/TextRules.h"
#include "storage/RecordFile.h"

namespace tavorel {

qint64 PosizioneDaEtichetta(const QString& label)
{
    bool ok = false;
    const qint64 k = TrimSpazi(label).toLongLong(&ok);
    return ok && k > 0 ? k : 0;
}

qint64 RecordDaMostrare(BrowseCommand command, qint64 position, qint64 count)
{
    switch (command) {
    case BrowseCommand::Primo:
        return 1;
    case BrowseCommand::Ultimo:
        return count;
    case BrowseCommand::Avanti:
        return position < count ? position + 1 : 0;
    case BrowseCommand::Indietro:
        if (position == 1)
            return 0;
        return position == 0 ? 1 : position - 1;
    }
    return 0;
}

BrowseRead LeggiPerSfoglia(RecordFile& file, BrowseCommand command, qint64 position)
{
    BrowseRead result;
    const qint64 n = file.count();
    if (n <= 0) {
        file.close();
        result.outcome = BrowseRead::Outcome::Empty;
        return result;
    }
    result.k = RecordDaMostrare(command, position, n);
    if (result.k == 0) {
        file.close();
        return result;
    }
    const bool read = file.read(result.k, result.bytes);
    file.close();
    result.outcome = read ? BrowseRead::Outcome::Read : BrowseRead::Outcome::Unreadable;
    return result;
}

} // namespace tavorel
