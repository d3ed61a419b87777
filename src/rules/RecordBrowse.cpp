#include "rules/RecordBrowse.h"

#include "rules/TextRules.h"

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

} // namespace tavorel
