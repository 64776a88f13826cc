#include "runlist/runlist.h"

#include <string>

#include "text/error.h"
#include "text/textrules.h"
#include "text/texts.h"

namespace qm {

void deleteSelected(RunList& list) {
    // From the end, so that every position still to be visited stays valid.
    for (int i = list.count(); i-- > 0;) {
        if (list.isSelected(i)) list.remove(i);
    }
}

void removeAll(RunList& list) {
    list.removeAll();
}

void selectAll(RunList& list) {
    const int n = list.count();
    for (int i = 0; i < n; ++i) list.setSelected(i, true);
    list.settleSelection(n > 0 ? 0 : -1, n - 1);
}

void invertSelection(RunList& list) {
    const int n = list.count();
    int first = -1, last = -1;
    for (int i = 0; i < n; ++i) {
        const bool select = !list.isSelected(i);
        list.setSelected(i, select);
        if (select) {
            if (first < 0) first = i;
            last = i;
        }
    }
    list.settleSelection(first, last);
}

void throwIndexError(int pos) {
    const std::string number = std::to_string(pos);
    throw AppError(formatMessage(texts::kErrListIndex, std::u16string(number.begin(), number.end())));
}

}  // namespace qm
