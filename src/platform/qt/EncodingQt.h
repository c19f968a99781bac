#pragma once
// The one crossing between the program's bytes and Qt's strings. Lossless: a byte that is no
// character of the encoding travels as the lone surrogate U+DC00 + byte and comes back as itself.

#include "platform/Encoding.h"

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

QString ToQString(std::string_view bytes, const Encoding& encoding);
// Characters the encoding cannot hold become '?'.
std::string FromQString(const QString& text, const Encoding& encoding);
// The characters of text the encoding cannot hold: those FromQString turns into '?'.
std::size_t UnencodableCount(const QString& text, const Encoding& encoding);
