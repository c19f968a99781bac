#pragma once
// Failures print line indices, columns and positions as numbers rather than as bytes.

#include "codeedit/SynEditPosition.h"

#include <ostream>

// Readable in failure messages (found by GoogleTest through the global namespace).
template <typename Tag, typename Rep>
void PrintTo(const StrongValue<Tag, Rep>& value, std::ostream* out) {
    *out << value.Value();
}

inline void PrintTo(const BufferPosition& position, std::ostream* out) {
    *out << "(" << position.line.Value() << ", " << position.column.Value() << ")";
}
