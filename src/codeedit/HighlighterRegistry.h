#pragma once
// The one table of highlighter classes: each language's descriptor, which extensions pick its
// class (as ChangeSyn compares them: the whole extension with its dot, case-sensitive) and how
// to create one. It does not own instances; the main window and tabrix-cli create their own.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynHighlighterLanguage.h"

#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

struct THighlighterClass {
    std::string_view className;    // "TSynHTMLSyn"
    std::string_view instanceName; // the main window's instance, "SynHTMLSyn1"
    std::vector<std::string_view> extensions;
    const TSynLanguageDescriptor* language;
    std::unique_ptr<TSynCustomHighlighter> (*create)();
};

// Every class, in the order of the extension table.
const std::vector<THighlighterClass>& HighlighterClasses();

// The class an extension picks, or nothing.
const THighlighterClass* FindHighlighterClass(std::string_view extension);

// A new highlighter for an extension, or nothing.
std::unique_ptr<TSynCustomHighlighter> CreateHighlighter(std::string_view extension);
