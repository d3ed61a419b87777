#pragma once

#include "lists/RowTable.h"
#include "storage/Messages.h"

#include <QString>
#include <QStringList>

namespace tavorel {

// The find-in-list procedure of the list screens, without the screen: which row to select.
class ListFind {
public:
    struct Result {
        bool emptyList = false; // nothing to search: the screen says so and changes nothing
        bool found = false;
        int row = -1; // the row to select: the match, else the row selected before
                      // (the first one when none was)
    };

    // `selected` is the selected row (-1 for none), `typed` the search text as typed. A key that
    // differs from `rememberedKey` starts a new search from the first row, testing it first; the
    // same key goes on after the selected row, wrapping round to it. The key is remembered.
    static Result find(const RowTable& rows, int selected, const QString& typed, QString& rememberedKey);
};

} // namespace tavorel
