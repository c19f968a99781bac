// Scanning must not change when highlighter code is reorganised. Every language (and the Pascal
// and SQL variants) scans the lines of its reference inputs, edited copies of them and random
// lines made of their pieces, each from every start range and from values that are no range;
// the dump of tokens, ranges and attribute tables is hashed and compared with the hash recorded
// in tests/data/highlight-stability.hashes. Set TABRIX_TOKEN_DUMP_DIR to a folder to get the
// full dumps there (record them on two commits and diff them to see what changed).

#include "codeedit/HighlighterRegistry.h"
#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/SynHighlighterPas.h"
#include "codeedit/SynHighlighterSQL.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iomanip>
#include <iterator>
#include <limits>
#include <map>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path dataRoot = TABRIX_TEST_DATA;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of every reference input the class highlights.
std::vector<std::string> InputLines(std::string_view className) {
    std::vector<fs::path> inputs;
    for (const auto& entry : fs::recursive_directory_iterator(dataRoot / "highlight")) {
        const auto* found = FindHighlighterClass(entry.path().extension().string());
        if (entry.is_regular_file() && found != nullptr && found->className == className) {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    std::vector<std::string> lines;
    for (const auto& input : inputs) {
        TSynEditStringList list;
        list.LoadFromBuffer(ReadFile(input));
        for (int i = 0; i < list.Count(); ++i) {
            lines.emplace_back(list.Get(LineIndex(i)));
        }
    }
    return lines;
}

// Edited and random lines from the input lines; the same for every run (mt19937 is specified
// to the bit, and only its raw output is used).
class LineMaker {
public:
    LineMaker(const std::vector<std::string>& lines, std::uint32_t seed)
        : lines(lines), random(seed) {}

    std::string Edited() {
        std::string line = Line();
        const unsigned edits = 1 + Below(3);
        for (unsigned e = 0; e < edits; ++e) {
            const std::size_t at = Below(static_cast<unsigned>(line.size() + 1));
            switch (Below(3)) {
            case 0:
                line.insert(at, Piece());
                break;
            case 1:
                line.erase(at, Below(8));
                break;
            default:
                line.insert(at, 1, Special());
            }
        }
        return line;
    }

    std::string Random() {
        std::string line;
        const unsigned pieces = 1 + Below(6);
        for (unsigned p = 0; p < pieces; ++p) {
            line += Below(5) == 0 ? std::string(1, Special()) : Piece();
        }
        return line;
    }

private:
    unsigned Below(unsigned bound) { return bound == 0 ? 0 : random() % bound; }
    const std::string& Line() { return lines[Below(static_cast<unsigned>(lines.size()))]; }
    std::string Piece() {
        // Words and marks that open or close a state in one language or another, so that
        // every language meets the others' too.
        static constexpr std::string_view marks[] = {
            "package", "requires", "contains", "asm",    "end",       "property", "exports",
            "begin",   "select",   "from",     "class",  "sub",       "<?php",    "?>",
            "<%",      "%>",       "<!--",     "-->",    "<![CDATA[", "]]>",      "<!DOCTYPE",
            "/*",      "*/",       "(*",       "*)",     "{$",        "//",       "#include",
            "&amp;",   "&#",       "\\",       "\"\"\"", "R\"(",      "'''",      "--"};
        if (Below(6) == 0) {
            return std::string(marks[Below(std::size(marks))]);
        }
        const std::string& from = Line();
        const std::size_t start = Below(static_cast<unsigned>(from.size() + 1));
        return from.substr(start, 1 + Below(12));
    }
    // Bytes scanners treat apart: NUL, line breaks, TAB, quotes, escapes, high bytes.
    char Special() {
        static constexpr char specials[] = {'\0', '\r', '\n', '\t', '"',    '\'',   '\\',  '<',
                                            '>',  '&',  '#',  '$',  '@',    '{',    '}',   '(',
                                            '*',  '/',  '-',  ';',  '\xA0', '\xE9', '\xFF'};
        return specials[Below(sizeof specials)];
    }

    const std::vector<std::string>& lines;
    std::mt19937 random;
};

std::uint32_t SeedOf(std::string_view name) {
    std::uint32_t seed = 2166136261u;
    for (const char c : name) {
        seed = (seed ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return seed;
}

std::string Hex(const TSynCharSet& set) {
    std::ostringstream out;
    for (int c = 0; c < 256; c += 4) {
        int nibble = 0;
        for (int b = 0; b < 4; ++b) {
            nibble |= set.test(static_cast<std::size_t>(c + b)) ? 1 << b : 0;
        }
        out << std::hex << nibble;
    }
    return out.str();
}

int AttributeIndex(const TSynCustomHighlighter& highlighter, const TSynHighlighterAttributes* a) {
    for (int i = 0; i < highlighter.AttributeCount(); ++i) {
        if (highlighter.AttributeAt(i) == a) {
            return i;
        }
    }
    return a == nullptr ? -1 : -2;
}

void DumpAttributes(const TSynCustomHighlighter& highlighter, std::ostream& out) {
    for (int i = -1; i <= highlighter.AttributeCount(); ++i) {
        const auto* a = highlighter.AttributeAt(i);
        out << "attribute " << i;
        if (a != nullptr) {
            out << ' ' << a->Name() << ' ' << a->Foreground() << ' ' << a->Background() << ' '
                << int(a->Style()) << ' ' << a->ForegroundStored() << a->BackgroundStored()
                << a->StyleStored();
        }
        out << '\n';
    }
}

void DumpProperties(TSynCustomHighlighter& highlighter, std::ostream& out) {
    out << "language " << highlighter.LanguageName() << "\nfilter " << highlighter.DefaultFilter()
        << ' ' << highlighter.DefaultFilterStored() << "\ncapabilities "
        << highlighter.Capabilities() << "\nenabled " << highlighter.Enabled() << "\nsample "
        << highlighter.SampleSource().size() << ' ' << SeedOf(highlighter.SampleSource())
        << "\nidentifier " << Hex(highlighter.IdentifierChars()) << "\nbreak "
        << Hex(highlighter.WordBreakChars()) << '\n';
    for (int role = -1; role <= 6; ++role) {
        out << "role " << role << ' '
            << AttributeIndex(highlighter, highlighter.DefaultAttribute(role)) << '\n';
    }
    DumpAttributes(highlighter, out);
}

// One row per line and start range: start range | start,length,kind,attribute[,k] ... | range.
// Starts wider than a byte are no range a line can hold; they are dumped as the initial range
// that they restored to when ranges were wider, so that the dumps stay comparable.
void DumpLine(TSynCustomHighlighter& highlighter, const std::string& line, LineIndex index,
              std::uint64_t start, std::ostream& out) {
    if (start <= std::numeric_limits<TSynRange>::max())
        highlighter.RestoreRange(static_cast<TSynRange>(start));
    else
        highlighter.ClearRange();
    out << start << '>' << unsigned{highlighter.CurrentRange()} << '|';
    highlighter.StartLine(line, index);
    for (int guard = 0; guard <= static_cast<int>(line.size()) + 1; ++guard) {
        const std::string text = highlighter.TokenText();
        out << highlighter.TokenStart().Value() << ',' << text.size() << ','
            << highlighter.TokenKind() << ','
            << AttributeIndex(highlighter, highlighter.TokenAttribute());
        if (highlighter.TokenLength() != text.size()) {
            out << ",length " << highlighter.TokenLength();
        }
        if (highlighter.IsKeywordText(text)) {
            out << ",k";
        }
        out << ' ';
        if (highlighter.AtLineEnd()) {
            break;
        }
        highlighter.NextToken();
    }
    out << '|' << unsigned{highlighter.CurrentRange()} << '\n';
}

struct Variant {
    std::string name;
    std::string className;
    std::function<void(TSynCustomHighlighter&)> setUp;
};

std::vector<Variant> Variants() {
    std::vector<Variant> variants;
    for (const auto& highlighterClass : HighlighterClasses()) {
        variants.push_back({std::string(highlighterClass.className),
                            std::string(highlighterClass.className), nullptr});
    }
    for (int version = 0; version <= static_cast<int>(TDelphiVersion::dvDelphi6); ++version) {
        for (const bool package : {false, true}) {
            variants.push_back({"TSynPasSyn.dvDelphi" + std::to_string(version + 1) +
                                    (package ? ".package" : ".program"),
                                "TSynPasSyn", [version, package](TSynCustomHighlighter& h) {
                                    auto& pas = dynamic_cast<TSynPasSyn&>(h);
                                    pas.SetDelphiVersion(static_cast<TDelphiVersion>(version));
                                    pas.SetPackageSource(package);
                                }});
        }
    }
    variants.push_back({"TSynSQLSyn.tables", "TSynSQLSyn", [](TSynCustomHighlighter& h) {
                            dynamic_cast<TSynSQLSyn&>(h).SetTableNames(
                                {"Loans", "orders", "members", "select", "book_copies"});
                        }});
    return variants;
}

std::string Dump(const Variant& variant) {
    const THighlighterClass* highlighterClass = nullptr;
    for (const auto& c : HighlighterClasses()) {
        if (c.className == variant.className) {
            highlighterClass = &c;
        }
    }
    auto highlighter = highlighterClass->create();
    if (variant.setUp) {
        variant.setUp(*highlighter);
    }
    std::ostringstream out;
    DumpProperties(*highlighter, out);

    std::vector<std::string> lines = InputLines(variant.className);
    if (lines.empty()) {
        return {};
    }
    LineMaker maker(lines, SeedOf(variant.className));
    // Languages with few reference lines get as many made-up lines as the others.
    const std::size_t madeUp = std::max<std::size_t>(lines.size(), 400);
    for (std::size_t i = 0; i < madeUp; ++i) {
        lines.push_back(maker.Edited());
        lines.push_back(maker.Random());
    }
    std::vector<std::uint64_t> starts;
    for (std::uint64_t r = 0; r <= 24; ++r) {
        starts.push_back(r);
    }
    for (const std::uint64_t r :
         {std::uint64_t{255}, std::uint64_t{256}, std::uint64_t{0x10003}, ~std::uint64_t{0}}) {
        starts.push_back(r);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (const std::uint64_t start : starts) {
            DumpLine(*highlighter, lines[i], LineIndex(static_cast<int>(i)), start, out);
        }
    }
    highlighter->ClearRange();
    out << "clear " << unsigned{highlighter->CurrentRange()} << '\n';
    highlighter->ApplyFormDefaults();
    DumpAttributes(*highlighter, out);
    return out.str();
}

std::string HashOf(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    std::ostringstream out;
    out << std::hex << std::setw(16) << std::setfill('0') << hash << ' ' << std::dec << text.size();
    return out.str();
}

// variant name -> "hash size"
std::map<std::string, std::string> RecordedHashes() {
    std::map<std::string, std::string> hashes;
    std::ifstream in(dataRoot / "highlight-stability.hashes");
    std::string name, hash, size;
    while (in >> name >> hash >> size) {
        hashes[name] = hash + ' ' + size;
    }
    return hashes;
}

TEST(HighlighterStability, DumpsMatchTheRecording) {
    const auto recorded = RecordedHashes();
    ASSERT_FALSE(recorded.empty()) << "no recording in " << dataRoot;
    const char* dumpDir = std::getenv("TABRIX_TOKEN_DUMP_DIR");
    std::ostringstream table;
    for (const auto& variant : Variants()) {
        const std::string dump = Dump(variant);
        ASSERT_FALSE(dump.empty()) << "no reference input for " << variant.className;
        if (dumpDir != nullptr) {
            std::ofstream(fs::path(dumpDir) / (variant.name + ".dump"), std::ios::binary) << dump;
        }
        const std::string hash = HashOf(dump);
        table << variant.name << ' ' << hash << '\n';
        const auto found = recorded.find(variant.name);
        if (found == recorded.end()) {
            ADD_FAILURE() << "no recorded hash for " << variant.name;
        } else {
            EXPECT_EQ(hash, found->second) << "the scan of " << variant.name << " changed";
        }
    }
    EXPECT_EQ(recorded.size(), Variants().size()) << "recorded variants no longer exist";
    if (testing::Test::HasFailure()) {
        std::cout << "current hashes:\n" << table.str();
    }
}

} // namespace
