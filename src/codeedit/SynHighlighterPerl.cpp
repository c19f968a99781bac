#include "codeedit/SynHighlighterPerl.h"

#include "codeedit/SynHighlighterKeywords.h"

#include <array>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace {

using SynChars::IsDigit;
using SynChars::IsLineBreakOrNul;

using K = TPerlTokenKind;

constexpr int MaxKey = 2167;

constexpr bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Characters that continue a word once its hashed part has ended.
constexpr bool IsWordChar(unsigned char c) {
    return IsLetter(c) || IsDigit(c);
}
constexpr TSynCharClass wordChars(IsWordChar);

constexpr bool IsHashedChar(unsigned char c) {
    return IsWordChar(c) || c == '$' || c == '%' || c == '@';
}
constexpr TSynCharClass hashedChars(IsHashedChar);

constexpr bool IsNumberChar(unsigned char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == '-' || c == '.' ||
           c == 'X' || c == 'x' || c == '_';
}

struct TPerlWords {
    K kind;
    std::initializer_list<const char*> list;
};

const TSynKeywordTable& WordTable() {
    static const TSynKeywordTable table = [] {
        TSynWeights weights{};
        for (int c = 0; c < 256; ++c) {
            if (IsHashedChar(static_cast<unsigned char>(c))) {
                weights[static_cast<std::size_t>(c)] = c;
            }
        }
        TSynKeywordTable t(weights, MaxKey, TSynKeywordCase::Exact);
        const TPerlWords words[] = {
            {K::Key,
             {"m",
              "q",
              "lc",
              "if",
              "do",
              "uc",
              "no",
              "qq",
              "tr",
              "my",
              "qw",
              "qx",
              "die",
              "abs",
              "eof",
              "ref",
              "chr",
              "vec",
              "map",
              "tie",
              "log",
              "hex",
              "ord",
              "cos",
              "oct",
              "for",
              "sin",
              "sub",
              "int",
              "use",
              "exp",
              "pop",
              "pos",
              "each",
              "read",
              "bind",
              "pack",
              "getc",
              "glob",
              "exec",
              "rand",
              "seek",
              "eval",
              "else",
              "chop",
              "redo",
              "send",
              "kill",
              "grep",
              "pipe",
              "link",
              "time",
              "recv",
              "join",
              "tell",
              "open",
              "fork",
              "last",
              "wait",
              "dump",
              "warn",
              "goto",
              "exit",
              "keys",
              "stat",
              "next",
              "push",
              "sort",
              "sqrt",
              "atan2",
              "chdir",
              "local",
              "chmod",
              "alarm",
              "flock",
              "undef",
              "elsif",
              "close",
              "mkdir",
              "fcntl",
              "chomp",
              "index",
              "srand",
              "sleep",
              "while",
              "bless",
              "ioctl",
              "shift",
              "rmdir",
              "chown",
              "umask",
              "times",
              "reset",
              "semop",
              "utime",
              "untie",
              "lstat",
              "write",
              "split",
              "print",
              "crypt",
              "study",
              "accept",
              "caller",
              "delete",
              "scalar",
              "rename",
              "fileno",
              "splice",
              "select",
              "length",
              "unpack",
              "gmtime",
              "semget",
              "msgget",
              "shmget",
              "semctl",
              "socket",
              "format",
              "rindex",
              "msgctl",
              "shmctl",
              "msgsnd",
              "listen",
              "chroot",
              "values",
              "unlink",
              "msgrcv",
              "unless",
              "import",
              "return",
              "exists",
              "substr",
              "system",
              "package",
              "defined",
              "foreach",
              "readdir",
              "binmode",
              "shmread",
              "dbmopen",
              "seekdir",
              "connect",
              "getppid",
              "telldir",
              "opendir",
              "waitpid",
              "lcfirst",
              "getpgrp",
              "sysread",
              "syscall",
              "reverse",
              "require",
              "ucfirst",
              "unshift",
              "setpgrp",
              "sprintf",
              "symlink",
              "dbmclose",
              "readlink",
              "getgrgid",
              "getgrnam",
              "closedir",
              "endgrent",
              "getlogin",
              "formline",
              "getgrent",
              "getpwnam",
              "endpwent",
              "truncate",
              "getpwuid",
              "setgrent",
              "getpwent",
              "shmwrite",
              "setpwent",
              "shutdown",
              "syswrite",
              "localtime",
              "endnetent",
              "rewinddir",
              "getnetent",
              "quotemeta",
              "wantarray",
              "setnetent",
              "socketpair",
              "endhostent",
              "endservent",
              "getsockopt",
              "gethostent",
              "getservent",
              "setsockopt",
              "sethostent",
              "setservent",
              "getpeername",
              "getsockname",
              "endprotoent",
              "getprotoent",
              "getpriority",
              "setprotoent",
              "setpriority",
              "getnetbyaddr",
              "getnetbyname",
              "gethostbyaddr",
              "gethostbyname",
              "getservbyname",
              "getservbyport",
              "getprotobyname",
              "getprotobynumber"}},
            {K::Operator, {"ge", "le", "ne", "eq", "gt", "lt", "or", "and", "cmp", "not", "xor"}},
            {K::Pragma,
             {"less", "vars", "subs", "locale", "strict", "integer", "sigtrap", "constant",
              "diagnostics"}},
            {K::Variable,
             {"$NR",
              "$RS",
              "$GID",
              "$ARG",
              "%INC",
              "$PID",
              "$UID",
              "$SIG",
              "$ENV",
              "$ORS",
              "@INC",
              "$EGID",
              "$EUID",
              "$ARGV",
              "$OFMT",
              "@ARGV",
              "$MATCH",
              "$ERRNO",
              "$PERLDB",
              "$SUBSEP",
              "$WARNING",
              "$BASETIME",
              "$PREMATCH",
              "$OS_ERROR",
              "$DEBUGGING",
              "$POSTMATCH",
              "$PROCESS_ID",
              "$EVAL_ERROR",
              "$ACCUMULATOR",
              "$FORMAT_NAME",
              "$CHILD_ERROR",
              "$INPLACE_EDIT",
              "$PROGRAM_NAME",
              "$REAL_USER_ID",
              "$PERL_VERSION",
              "$REAL_GROUP_ID",
              "$SYSTEM_FD_MAX",
              "$LIST_SEPARATOR",
              "$EXECUTABLE_NAME",
              "$FORMAT_FORMFEED",
              "$FORMAT_TOP_NAME",
              "$LAST_PAREN_MATCH",
              "$OUTPUT_AUTOFLUSH",
              "$EFFECTIVE_USER_ID",
              "$FORMAT_LINES_LEFT",
              "$INPUT_LINE_NUMBER",
              "$MULTILINE_MATCHING",
              "$EFFECTIVE_GROUP_ID",
              "$FORMAT_PAGE_NUMBER",
              "$SUBSCRIPT_SEPARATOR",
              "$FORMAT_LINES_PER_PAGE",
              "$INPUT_RECORD_SEPARATOR",
              "$OUTPUT_FIELD_SEPARATOR",
              "$FORMAT_LINE_BREAK_CHARACTERS"}},
        };
        for (const auto& group : words) {
            for (const char* word : group.list) {
                t.Add(word, static_cast<int>(group.kind));
            }
        }
        return t;
    }();
    return table;
}

// Operators by first character, longest first.
const std::array<std::vector<std::string_view>, 128>& Operators() {
    static const std::array<std::vector<std::string_view>, 128> operators = [] {
        std::array<std::vector<std::string_view>, 128> o;
        o['!'] = {"!=", "!~"};
        o['&'] = {"&&=", "&&", "&="};
        o['*'] = {"**=", "**", "*="};
        o['+'] = {"++", "+="};
        o['-'] = {"--", "-=", "->"};
        o['/'] = {"/="};
        o['^'] = {"^="};
        o[':'] = {"::"};
        o['<'] = {"<<=", "<=>", "<<", "<="};
        o['='] = {"==", "=>", "=~"};
        o['>'] = {">>=", ">>", ">="};
        o['|'] = {"||=", "||", "|="};
        return o;
    }();
    return operators;
}

const bool registered = (TSynHighlighterList::Instance().Add("TSynPerlSyn"), true);

} // namespace

struct TPerlDispatch {
    static constexpr TSynDispatchTable<TSynPerlSyn> Build() {
        auto t = TSynPerlSyn::SharedDispatch<TSynPerlSyn>(&TSynPerlSyn::UnknownProc);
        for (int c = 33; c < 128; ++c) {
            const auto byte = static_cast<unsigned char>(c);
            if (IsLetter(byte)) {
                t[byte] = &TSynPerlSyn::WordProc;
            } else if (IsDigit(byte)) {
                t[byte] = &TSynPerlSyn::NumberOrDotProc;
            }
        }
        SetDispatch(t, "!&*+-/:<=>^|",
                    &TSynPerlSyn::OperatorProc); // the first characters of Operators()
        SetDispatch(t, "$%@", &TSynPerlSyn::WordProc);
        t['.'] = &TSynPerlSyn::NumberOrDotProc;
        t['#'] = &TSynPerlSyn::CommentProc;
        t['"'] = &TSynPerlSyn::DoubleQuoteProc;
        t['\''] = &TSynPerlSyn::SingleQuoteProc;
        SetDispatch(t, "(),;?[]{}~\\", &TSynPerlSyn::SymbolProc);
        return t;
    }
};

namespace {

constexpr TSynAttributeDescriptor perlAttributes[] = {
    {"Comment", SYN_ATTR_COMMENT, Kinds(K::Comment), fsItalic},
    {"Identifier", SYN_ATTR_IDENTIFIER, Kinds(K::Identifier)},
    {"Illegal char", kNoRole, Kinds(K::Unknown)},
    {"Reserved word", SYN_ATTR_KEYWORD, Kinds(K::Key), fsBold},
    {"Number", kNoRole, Kinds(K::Number)},
    {"Operator", kNoRole, Kinds(K::Operator)},
    {"Pragma", kNoRole, Kinds(K::Pragma), fsBold},
    {"Space", SYN_ATTR_WHITESPACE, Kinds(K::Space), 0, clWindow},
    {"String", SYN_ATTR_STRING, Kinds(K::String)},
    {"Symbol", SYN_ATTR_SYMBOL, Kinds(K::Symbol)},
    {"Variable", kNoRole, Kinds(K::Variable), fsBold},
};

} // namespace

const TSynLanguageDescriptor perlLanguage = {
    .name = "Perl",
    .filter = "Perl Files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi",
    .identifierChars = "$%@",
    .attributes = perlAttributes,
};

TSynPerlSyn::TSynPerlSyn()
    : TSynScanningHighlighter(perlLanguage, static_cast<int>(K::Null), static_cast<int>(K::Space)) {
}

void TSynPerlSyn::NextToken() {
    tokenPos = run;
    // Words and blanks are most of the tokens: tests and direct calls are predicted far better
    // than the jump through the table.
    const unsigned char c = At(run);
    if (IsLetter(c)) {
        WordProc();
    } else if (c == ' ' || c == '\t') {
        SpaceProc();
    } else {
        (this->*dispatchTable<TPerlDispatch>[c])();
    }
}

void TSynPerlSyn::WordProc() {
    if (!SpecialWord()) {
        HashedWord();
    }
}

bool TSynPerlSyn::SpecialWord() {
    // Looked up for every "$": a table rather than a search.
    static constexpr auto punctuationVariables = [] {
        std::array<bool, 256> set{};
        for (unsigned char c : std::string_view("!\"#$%&'()*+-./0123456789:;<=>?@[\\]_`|~")) {
            set[c] = true;
        }
        return set;
    }();
    static constexpr std::string_view caretVariables = "ADFILPTWX";
    const unsigned char next = At(run + 1);
    switch (At(run)) {
    case '$':
        if (punctuationVariables[next]) {
            Take(2, K::Variable);
            return true;
        }
        if (next == '^') {
            const unsigned char after = At(run + 2);
            if (IsLineBreakOrNul(after)) {
                Take(2, K::Variable);
                return true;
            }
            if (caretVariables.find(static_cast<char>(after)) != std::string_view::npos) {
                Take(3, K::Variable);
                return true;
            }
        }
        return false;
    case '%':
        // A "%" that starts no word is the modulus operator.
        if (next == '=') {
            Take(2, K::Symbol);
            return true;
        }
        if (!IsHashedChar(next)) {
            Take(1, K::Symbol);
            return true;
        }
        return false;
    case 'x':
        if (IsLineBreakOrNul(next)) {
            Take(1, K::Symbol);
            return true;
        }
        if (next == '=') {
            Take(2, K::Symbol);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void TSynPerlSyn::HashedWord() {
    const int kind = ScanKeyword(hashedChars, WordTable(), static_cast<int>(K::Identifier));
    TakeWord(wordChars);
    tokenKind = kind;
}

void TSynPerlSyn::NumberOrDotProc() {
    if (At(run) == '.') {
        const unsigned char next = At(run + 1);
        if (next == '.') {
            Take(At(run + 2) == '.' ? 3 : 2, K::Symbol);
            return;
        }
        if (next == '=') {
            Take(2, K::Symbol);
            return;
        }
        if (IsLetter(next)) {
            Take(1, K::Symbol);
            return;
        }
    }
    ++run;
    while (IsNumberChar(At(run))) {
        const unsigned char c = line[run];
        const unsigned char next = At(run + 1);
        if ((c == '-' && next != 'e' && next != 'E') || (c == '.' && next == '.')) {
            break;
        }
        ++run;
    }
    SetKind(K::Number);
}

void TSynPerlSyn::CommentProc() {
    Take(length - run, K::Comment);
}

void TSynPerlSyn::DoubleQuoteProc() {
    run += At(run + 1) == '"' && At(run + 2) == '"' ? 3 : 1;
    while (!AtEnd(run)) {
        const unsigned char c = line[run];
        ++run;
        if (c == '"') {
            break;
        }
        if (c == '\\' && At(run) == '"') {
            ++run;
        }
    }
    SetKind(K::String);
}

void TSynPerlSyn::SingleQuoteProc() {
    ++run;
    while (!AtEnd(run)) {
        if (line[run++] == '\'') {
            break;
        }
    }
    SetKind(K::String);
}

void TSynPerlSyn::OperatorProc() {
    // Operators are a few bytes long: compared in place rather than through memcmp.
    const auto matches = [this](std::string_view op) {
        for (std::size_t i = 0; i < op.size(); ++i) {
            if (AtEnd(run + i) || line[run + i] != op[i]) {
                return false;
            }
        }
        return true;
    };
    for (const auto op : Operators()[At(run)]) {
        if (matches(op)) {
            Take(op.size(), K::Symbol);
            return;
        }
    }
    Take(1, K::Symbol);
}

void TSynPerlSyn::SymbolProc() {
    Take(1, K::Symbol);
}

void TSynPerlSyn::UnknownProc() {
    Take(1, K::Unknown);
}
