#pragma once
// The commands of tabrix-cli. Each takes its own arguments (the shared platform options already
// taken out) and returns the exit status; it reports errors on err and never throws.

#include <iosfwd>
#include <string>
#include <vector>

struct CliStreams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// Exit statuses.
constexpr int ExitOk = 0;
constexpr int ExitFailure = 1; // a file could not be read
constexpr int ExitUsage = 2;   // bad arguments, unknown syntax or code page

// tokens --syntax EXT [FILE]
int RunTokens(const std::vector<std::string>& arguments, CliStreams streams);

// apply NAME [--seed N]: runs a text function on standard input as the plain editor would and
// writes the resulting text to standard output.
int RunApply(const std::vector<std::string>& arguments, CliStreams streams);

// find --find TEXT [--match-case] [--selection START,LENGTH] [--dialog find|replace]: one Find
// Next on standard input; prints "selection START LENGTH", "not found" or "closed".
int RunFind(const std::vector<std::string>& arguments, CliStreams streams);

// replace --find TEXT --with TEXT [--all] [--match-case] [--selection START,LENGTH]: one press
// of Replace, or Replace All; writes the text to standard output and the selection (and how
// the run ended) to standard error.
int RunReplace(const std::vector<std::string>& arguments, CliStreams streams);
// export-html --variant 0|1|2 --convert yes|no [--font NAME] [--size N]: standard input taken as
// the plain editor's text, standard output the bytes File > Export writes for it.
int RunExportHtml(const std::vector<std::string>& arguments, CliStreams streams);

// html --syntax EXT [FILE]: the coloured HTML page of FILE (standard input without FILE) as the
// code editor colours it with its default look, to standard output, streamed.
int RunHtml(const std::vector<std::string>& arguments, CliStreams streams);

// shell-folder NAME: the user's folder of that name (AppData, Desktop, Programs), as the
// program finds it; the install step places its shortcuts there.
int RunShellFolder(const std::vector<std::string>& arguments, CliStreams streams);

// styles: the shipped style files the Style menu lists, found from the program's own place.
int RunStyles(const std::vector<std::string>& arguments, CliStreams streams);
