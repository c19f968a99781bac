#pragma once
// Handing things to the desktop: opening a file or link with its default program, and starting
// a command line without waiting for it. Results are not watched.

#include <QString>

// A URL ("https://...", "mailto:...", "file:///...") or a local path; false when the desktop
// had no program for it.
bool ShellOpen(const QString& pathOrUrl);
// Splits the command line like a shell (quotes group words) and starts it detached; false when
// it could not be started.
bool ShellStart(const QString& commandLine);
