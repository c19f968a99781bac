#pragma once
// The edits made to an engine's text since it last matched a known text (its file as loaded or
// saved), as replacements a reader can play back over that text: what a recovery journal
// records. An edit it cannot express as a replacement (a whole text replaced, line breaks
// converted, the list changed behind the engine) loses the log until it is restarted; so does
// a log grown past its limit, so that nobody draining it costs unbounded memory.

#include "codeedit/SynEditPosition.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// From begin to end (in the text as it was before) became inserted ('\n' between lines).
struct TSynTextChange {
    BufferPosition begin;
    BufferPosition end;
    std::string inserted;

    friend bool operator==(const TSynTextChange&, const TSynTextChange&) = default;
};

class TSynEditChangeLog {
public:
    static constexpr std::size_t kMaxBytes = std::size_t(8) << 20;

    void Replaced(BufferPosition begin, BufferPosition end, std::string_view inserted);
    void Lose();
    // Nothing since the known text, and nothing lost.
    void Restart();
    bool Lost() const { return lost; }
    // The changes since the last call; empty once lost.
    std::vector<TSynTextChange> Take();

private:
    std::vector<TSynTextChange> changes;
    std::size_t bytes = 0;
    bool lost = true;
};
