#include "lists/ListFind.h"

#include "rules/TextRules.h"

namespace tavorel {

ListFind::Result ListFind::find(const RowTable& rows, int selected, const QString& typed, QString& rememberedKey)
{
    Result result;
    const int count = int(rows.size());
    if (count == 0) {
        result.emptyList = true;
        return result;
    }
    if (selected < 0 || selected >= count)
        selected = 0;
    result.row = selected;

    const QString key = MinuscoleAZ(typed);
    const bool again = key == rememberedKey;
    rememberedKey = key;

    // A new search tests rows 0 .. n-1; searching again tests the rows after the selected one and,
    // last, the selected row itself.
    const int start = again ? selected + 1 : 0;
    for (int i = 0; i < count; ++i) {
        const int row = (start + i) % count;
        if (ContieneAZ(rows.at(row), key)) {
            result.found = true;
            result.row = row;
            break;
        }
    }
    return result;
}

} // namespace tavorel
