#pragma once
// Each language's own constructs, for tests that build random lines of a language: the ranges
// tests and the tests of scans taken up in the middle of long lines.

#include "HighlighterTestSupport.h"
#include "codeedit/HighlighterRegistry.h"

#include <gtest/gtest.h>
#include <string_view>
#include <vector>

// Each language's own constructs that open or close a state spanning lines, with enough
// ordinary text between them. Languages that keep no state between lines still run, so that
// state they might start to hide shows up.
struct LanguageFragments {
    std::string_view className;
    std::vector<std::string_view> fragments;
    bool spansLines;
};

inline const std::vector<LanguageFragments>& Fragments() {
    static const std::vector<LanguageFragments> table = {
        {"TSynHTMLSyn",
         {"<!--",  "-->", "<%", "%>", "<a",   "<b>", ">", "=", "\"", "href", "x=\"y\"",
          "&amp;", "&#1", ";",  " ",  "text", "\t",  "<", "/", "-",  "%",    "&"},
         true},
        {"TSynPHPSyn",
         {"<?php", "?>", "/*", "*/", "'", "\"", "//", "#", "$a", "echo", "\\", " ", "x", "<"},
         true},
        {"TSynXMLSyn",
         {"<!--", "-->",     "<![CDATA[", "]]>", "<?xml", "?>", "<!DOCTYPE x", "[",     "]",
          "<a",   "</a>",    ">",         "/>",  "=",     "\"", "'",           "&amp;", "&",
          ";",    "xmlns:n", " ",         "t",   "<"},
         true},
        {"TSynSQLSyn", {"/*", "*/", "'", "\"", "--", "select", " ", "x", "*"}, true},
        {"TSynIniSyn", {"[s]", ";", "=", "k", "\"", " ", "[", "]"}, false},
        {"TSynVBSyn", {"\"", "'", "REM", "_", "x", " ", "Sub", "&H1"}, false},
        {"TSynPasSyn",
         {"{", "}", "(*", "*)", "asm", "end", "property", "exports", ";", "'", "//", " ", "x",
          "begin", "{$I x}"},
         true},
        {"TSynCssSyn", {"/*", "*/", "{", "}", ":", ";", "a", " ", "\"", "@media"}, true},
        {"TSynCppSyn",
         {"/*", "*/", "\"", "\\", "#define X", "#", "//", "'", " ", "x", "#include <a>"},
         true},
        {"TSynJavaSyn", {"/*", "/**", "*/", "\"", "//", "x", " ", "'", "\\"}, true},
        {"TSynPerlSyn",
         {"=pod", "=cut", "<<EOT", "EOT", "\"", "'", "#", "$x", "q{", "}", " ", "s/a/b/"},
         false},
    };
    return table;
}

inline const LanguageFragments& FragmentsOf(std::string_view className) {
    for (const LanguageFragments& language : Fragments()) {
        if (language.className == className)
            return language;
    }
    ADD_FAILURE() << className << " has no fragments of its own";
    return Fragments().front();
}
