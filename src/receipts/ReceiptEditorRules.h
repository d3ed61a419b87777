#pragma once

#include "rules/RecordBrowse.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace tavorel {

// The receipt editor's decisions that need no screen: which number "Nuovo" proposes (the browse
// buttons follow the rule both editors share).

// The receipt number "Nuovo" proposes: the numbering start plus the receipts already in the
// archive. The start is a whole number, optionally signed, blanks around it allowed; nullopt when
// it is anything else or the sum does not fit.
std::optional<qint64> NumeroProposto(const QString& start, qint64 count);

} // namespace tavorel
