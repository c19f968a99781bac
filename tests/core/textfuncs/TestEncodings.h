#pragma once
// The encodings the text-function tests run their cases in.

#include "platform/Encoding.h"

inline const Encoding& Windows1251() {
    return *Encoding::ForCodePage(1251);
}
inline const Encoding& Windows1252() {
    return *Encoding::ForCodePage(1252);
}
inline const Encoding& Utf8() {
    return *Encoding::ForCodePage(Encoding::Utf8CodePage);
}
