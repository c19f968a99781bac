#pragma once
// The window side of Functions > Voice: "Speak" reads the plain editor's selection, or its whole
// text, aloud through the Cyrillic-to-Latin transliteration; "Speak Settings" starts the
// desktop's sound settings.

class Dialogs;
class Registry;
class Speech;
class TMemo;

// Returns when the text has been spoken. Meanwhile the window takes no input, except that
// Escape stops speaking. An engine or sound device that fails is reported; the document never
// changes.
void SpeakText(Dialogs& dialogs, Speech& speech, const TMemo& plainEditor);

// Starts the settings program without waiting for it. A desktop without one, or a program
// that would not start, is reported: nothing else would show that the command failed.
void OpenSpeechSettings(Dialogs& dialogs, Registry& registry);
