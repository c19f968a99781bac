// Reference dumps: every file under tests/data/highlight/<language>/ is scanned with the
// highlighter its extension picks and compared with the reviewed <file>.tokens beside it. On a
// mismatch the output goes to <file>.actual for review.

#include "codeedit/HighlighterRegistry.h"
#include "codeedit/TokenDump.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ReferenceInputs() {
    std::vector<fs::path> inputs;
    const fs::path root = fs::path(TABRIX_TEST_DATA) / "highlight";
    std::error_code missing;
    for (const auto& entry : fs::recursive_directory_iterator(root, missing)) {
        const auto extension = entry.path().extension();
        const bool hidden = entry.path().filename().string().front() == '.';
        if (entry.is_regular_file() && !hidden && extension != ".tokens" &&
            extension != ".actual") {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class HighlighterReferenceDump : public testing::TestWithParam<fs::path> {};

TEST_P(HighlighterReferenceDump, MatchesReviewedTokens) {
    const fs::path input = GetParam();
    auto highlighter = CreateHighlighter(input.extension().string());
    ASSERT_NE(highlighter, nullptr) << "no highlighter for " << input;
    TSynEditStringList lines;
    lines.LoadFromBuffer(ReadFile(input));
    std::ostringstream dump;
    DumpTokens(lines, *highlighter, dump);

    fs::path expectedPath = input;
    expectedPath += ".tokens";
    fs::path actualPath = input;
    actualPath += ".actual";
    ASSERT_TRUE(fs::exists(expectedPath)) << "missing " << expectedPath;
    if (dump.str() == ReadFile(expectedPath)) {
        fs::remove(actualPath);
        return;
    }
    std::ofstream(actualPath, std::ios::binary) << dump.str();
    ADD_FAILURE() << "tokens differ from " << expectedPath << "; see " << actualPath;
}

INSTANTIATE_TEST_SUITE_P(Files, HighlighterReferenceDump, testing::ValuesIn(ReferenceInputs()),
                         [](const auto& info) {
                             std::string name = info.param.parent_path().filename().string() + "_" +
                                                info.param.stem().string();
                             for (auto& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return name;
                         });

// Without inputs the suite above has no cases and would pass unseen.
TEST(HighlighterReferenceDumps, EveryLanguageHasReviewedInputs) {
    const auto inputs = ReferenceInputs();
    for (const auto& highlighterClass : HighlighterClasses()) {
        const bool found = std::any_of(inputs.begin(), inputs.end(), [&](const fs::path& input) {
            const auto* picked = FindHighlighterClass(input.extension().string());
            return picked != nullptr && picked->className == highlighterClass.className;
        });
        EXPECT_TRUE(found) << "no reference input for " << std::string(highlighterClass.className)
                           << " under " << TABRIX_TEST_DATA;
    }
}

} // namespace
