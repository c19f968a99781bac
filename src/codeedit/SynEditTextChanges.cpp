#include "codeedit/SynEditTextChanges.h"

#include <utility>

void TSynEditChangeLog::Replaced(BufferPosition begin, BufferPosition end,
                                 std::string_view inserted) {
    if (lost)
        return;
    bytes += inserted.size() + sizeof(TSynTextChange);
    if (bytes > kMaxBytes) {
        Lose();
        return;
    }
    changes.push_back({begin, end, std::string(inserted)});
}

void TSynEditChangeLog::Lose() {
    lost = true;
    changes.clear();
    bytes = 0;
}

void TSynEditChangeLog::Restart() {
    Lose();
    lost = false;
}

std::vector<TSynTextChange> TSynEditChangeLog::Take() {
    bytes = 0;
    return std::exchange(changes, {});
}
