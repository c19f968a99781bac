#pragma once
// The names Save new version gives: "report.txt" → "report_2.txt" → "report_3.txt". Does not
// save anything; the caller writes the document under the name returned.

#include <functional>
#include <string>
#include <string_view>

// s + "_2" when s has no "_"; otherwise, when the text after the last "_" reads as a 32-bit
// integer n (leading spaces, a sign, decimal digits or hexadecimal ones after "$", "x", "X",
// "0x" or "0X", nothing after them), that text becomes n + 1 in decimal; otherwise "_2" is
// appended. n + 1 is computed without overflow: "_2147483647" becomes "_2147483648", which is
// no 32-bit integer any more and so gains "_2" the next time.
std::string NextVersionName(std::string_view stem);

// The first free name after `path` in its folder: the stem goes through NextVersionName until
// `exists` says no entry has the candidate's name; folder and extension stay.
std::string NextFreeVersionPath(std::string_view path,
                                const std::function<bool(const std::string&)>& exists);
// The same against the file system: any entry, a folder or a dangling link too, takes a name.
std::string NextFreeVersionPath(std::string_view path);
