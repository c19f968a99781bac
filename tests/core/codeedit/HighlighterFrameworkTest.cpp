#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynHighlighterHtml.h"

#include <gtest/gtest.h>

namespace {

// The smallest concrete highlighter: attributes only, every line one null token.
class BareHighlighter : public TSynCustomHighlighter {
public:
    explicit BareHighlighter(std::vector<std::string> names = {}) {
        for (auto& name : names) {
            AddAttribute(std::make_unique<TSynHighlighterAttributes>(name));
        }
        SetAttributesOnChange();
    }
    using TSynCustomHighlighter::AddAttribute;
    TSynHighlighterAttributes* DefaultAttribute(int) const override { return nullptr; }
    bool AtLineEnd() const override { return true; }
    std::string TokenText() const override { return {}; }
    TSynHighlighterAttributes* TokenAttribute() const override { return nullptr; }
    int TokenKind() const override { return 0; }
    ByteColumn TokenStart() const override { return ByteColumn(0); }
    void NextToken() override {}
    void StartLine(std::string_view, LineIndex) override {}
};

std::vector<std::string> AttributeNames(const TSynCustomHighlighter& highlighter) {
    std::vector<std::string> names;
    for (int i = 0; i < highlighter.AttributeCount(); ++i) {
        names.push_back(highlighter.AttributeAt(i)->Name());
    }
    return names;
}

TEST(HighlighterFramework, AttributesAreListedByNameAndDuplicatesRefused) {
    BareHighlighter highlighter({"Symbol", "Comment", "space"});
    EXPECT_EQ(AttributeNames(highlighter),
              (std::vector<std::string>{"Comment", "space", "Symbol"}));
    EXPECT_THROW(highlighter.AddAttribute(std::make_unique<TSynHighlighterAttributes>("Comment")),
                 std::invalid_argument);
    EXPECT_EQ(highlighter.AttributeCount(), 3);
    EXPECT_EQ(highlighter.AttributeAt(-1), nullptr);
    EXPECT_EQ(highlighter.AttributeAt(3), nullptr);
}

TEST(HighlighterFramework, BaseDefaults) {
    BareHighlighter highlighter;
    TSynCharSet identifier;
    for (int c = 33; c <= 255; ++c) {
        identifier.set(static_cast<std::size_t>(c));
    }
    EXPECT_EQ(highlighter.IdentifierChars(), identifier);
    TSynCharSet wordBreak;
    for (unsigned char c : std::string("!\"'()*+,-./:;=?[\\]^{|}")) {
        wordBreak.set(c);
    }
    EXPECT_EQ(highlighter.WordBreakChars(), wordBreak);
    EXPECT_FALSE(highlighter.WordBreakChars().test(' '));
    EXPECT_EQ(highlighter.LanguageName(), "<Unknown>");
    EXPECT_EQ(highlighter.Capabilities(), static_cast<unsigned>(hcRegistry));
    EXPECT_EQ(highlighter.DefaultFilter(), "");
    EXPECT_EQ(highlighter.SampleSource(), "");
    EXPECT_TRUE(highlighter.Enabled());
    EXPECT_FALSE(highlighter.IsKeywordText("if"));
    std::vector<std::string> settings = {"old"};
    highlighter.ListUserSettings(settings);
    EXPECT_TRUE(settings.empty());
}

TEST(HighlighterFramework, AttributeChangeReachesEveryHookOnlyForRealChanges) {
    BareHighlighter highlighter({"Comment"});
    int first = 0, second = 0;
    highlighter.HookAttributeChange([&] { ++first; });
    const int handle = highlighter.HookAttributeChange([&] { ++second; });
    auto* comment = highlighter.AttributeAt(0);
    comment->SetForeground(clRed);
    comment->SetForeground(clRed);
    comment->SetBackground(clNone);
    comment->SetStyle(fsBold | fsItalic);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 2);
    highlighter.UnhookAttributeChange(handle);
    comment->SetBackground(clBlue);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 2);
}

TEST(HighlighterFramework, UpdateCounterDefersOneNotification) {
    BareHighlighter highlighter({"Comment"});
    int calls = 0;
    highlighter.HookAttributeChange([&] { ++calls; });
    highlighter.BeginUpdate();
    highlighter.BeginUpdate();
    highlighter.AttributeAt(0)->SetForeground(clRed);
    highlighter.AttributeAt(0)->SetForeground(clBlue);
    highlighter.EndUpdate();
    EXPECT_EQ(calls, 0);
    highlighter.EndUpdate();
    EXPECT_EQ(calls, 1);
    highlighter.BeginUpdate();
    highlighter.EndUpdate();
    EXPECT_EQ(calls, 1);
}

TEST(HighlighterFramework, EnabledNotifiesOnlyWhenItChanges) {
    BareHighlighter highlighter;
    int calls = 0;
    highlighter.HookAttributeChange([&] { ++calls; });
    highlighter.SetEnabled(true);
    EXPECT_EQ(calls, 0);
    highlighter.SetEnabled(false);
    EXPECT_FALSE(highlighter.Enabled());
    EXPECT_EQ(calls, 1);
}

TEST(HighlighterFramework, DefaultsAreTheConstructorsValues) {
    TSynHTMLSyn html;
    auto* key = html.KeyAttri();
    EXPECT_FALSE(key->ForegroundStored());
    key->SetForeground(clGreen);
    EXPECT_TRUE(key->ForegroundStored());
    key->SetForeground(RGB(128, 0, 255));
    EXPECT_FALSE(key->ForegroundStored());
    EXPECT_FALSE(key->StyleStored());
    key->SetStyle(0);
    EXPECT_TRUE(key->StyleStored());
}

TEST(HighlighterFramework, AttributeAssignCopiesAndNotifiesOnce) {
    TSynHighlighterAttributes target("Target"), source("Source");
    source.SetForeground(clRed);
    source.SetBackground(clBlue);
    source.SetStyle(fsUnderline);
    int changes = 0;
    target.OnChange = [&](TSynHighlighterAttributes* sender) {
        EXPECT_EQ(sender, &target);
        ++changes;
    };
    target.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Name(), "Source");
    EXPECT_EQ(target.Foreground(), clRed);
    EXPECT_EQ(target.Background(), clBlue);
    EXPECT_EQ(target.Style(), fsUnderline);
    target.Assign(source);
    EXPECT_EQ(changes, 1);
}

TEST(HighlighterFramework, AssignCopiesAttributesByNameAndSettings) {
    TSynHTMLSyn source;
    source.CommentAttri()->SetForeground(clGreen);
    source.TextAttri()->SetStyle(fsItalic);
    source.SetDefaultFilter("Pages|*.htm");
    source.SetEnabled(false);
    TSynCharSet breaks;
    breaks.set(' ');
    source.AssignWordBreakChars(breaks);

    BareHighlighter target({"Comment", "Other"});
    target.Assign(source);
    EXPECT_EQ(target.AttributeAt(0)->Foreground(), clGreen);
    EXPECT_EQ(target.AttributeAt(1)->Foreground(), clNone);
    EXPECT_EQ(target.DefaultFilter(), "Pages|*.htm");
    EXPECT_FALSE(target.Enabled());
    EXPECT_EQ(target.WordBreakChars(), breaks);

    TSynHTMLSyn html;
    html.Assign(source);
    EXPECT_EQ(html.TextAttri()->Style(), fsItalic);
    EXPECT_EQ(html.CommentAttri()->Foreground(), clGreen);
}

TEST(HighlighterFramework, ClassListHoldsEachClassOnce) {
    auto& list = TSynHighlighterList::Instance();
    const int before = list.Count();
    list.Add("TSynHTMLSyn");
    EXPECT_EQ(list.Count(), before);
    int found = 0;
    for (int i = 0; i < list.Count(); ++i) {
        found += list.At(i) == "TSynHTMLSyn";
    }
    EXPECT_EQ(found, 1);
}

} // namespace
