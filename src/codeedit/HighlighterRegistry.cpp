#include "codeedit/HighlighterRegistry.h"

#include "codeedit/SynHighlighterCpp.h"
#include "codeedit/SynHighlighterCss.h"
#include "codeedit/SynHighlighterHtml.h"
#include "codeedit/SynHighlighterIni.h"
#include "codeedit/SynHighlighterJava.h"
#include "codeedit/SynHighlighterPHP.h"
#include "codeedit/SynHighlighterPas.h"
#include "codeedit/SynHighlighterPerl.h"
#include "codeedit/SynHighlighterSQL.h"
#include "codeedit/SynHighlighterVB.h"
#include "codeedit/SynHighlighterXML.h"

#include <algorithm>

namespace {

template <class Highlighter> std::unique_ptr<TSynCustomHighlighter> Create() {
    return std::make_unique<Highlighter>();
}

} // namespace

const std::vector<THighlighterClass>& HighlighterClasses() {
    // One row per language.
    static const std::vector<THighlighterClass> classes = {
        {"TSynPHPSyn",
         "SynPHPSyn1",
         {".php", ".php3", ".php4", ".php5"},
         &phpLanguage,
         Create<TSynPHPSyn>},
        {"TSynHTMLSyn", "SynHTMLSyn1", {".html", ".htm"}, &htmlLanguage, Create<TSynHTMLSyn>},
        {"TSynXMLSyn", "SynXMLSyn1", {".xml", ".rss"}, &xmlLanguage, Create<TSynXMLSyn>},
        {"TSynSQLSyn", "SynSQLSyn1", {".sql"}, &sqlLanguage, Create<TSynSQLSyn>},
        {"TSynIniSyn", "SynIniSyn1", {".ini"}, &iniLanguage, Create<TSynIniSyn>},
        {"TSynVBSyn", "SynVBSyn1", {".vb", ".bas"}, &vbLanguage, Create<TSynVBSyn>},
        {"TSynPasSyn", "SynPasSyn1", {".pas"}, &pasLanguage, Create<TSynPasSyn>},
        {"TSynCssSyn", "SynCssSyn1", {".css"}, &cssLanguage, Create<TSynCssSyn>},
        {"TSynCppSyn", "SynCppSyn1", {".cpp", ".c"}, &cppLanguage, Create<TSynCppSyn>},
        {"TSynJavaSyn", "SynJavaSyn1", {".java"}, &javaLanguage, Create<TSynJavaSyn>},
        {"TSynPerlSyn", "SynPerlSyn1", {".perl", ".pl"}, &perlLanguage, Create<TSynPerlSyn>},
    };
    return classes;
}

const THighlighterClass* FindHighlighterClass(std::string_view extension) {
    for (const auto& highlighterClass : HighlighterClasses()) {
        const auto& extensions = highlighterClass.extensions;
        if (std::find(extensions.begin(), extensions.end(), extension) != extensions.end()) {
            return &highlighterClass;
        }
    }
    return nullptr;
}

std::unique_ptr<TSynCustomHighlighter> CreateHighlighter(std::string_view extension) {
    const auto* highlighterClass = FindHighlighterClass(extension);
    return highlighterClass != nullptr ? highlighterClass->create() : nullptr;
}
