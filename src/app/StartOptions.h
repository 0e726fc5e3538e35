// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

#include <cstdio>

namespace kestra {

// What the arguments of kestra-setup, the windowed program, ask for, read
// before any display is touched. It takes --lang LANGUAGE (or --lang=LANGUAGE),
// --help, --version (-V) and Qt's own options (-platform NAME, -style NAME,
// -reverse, ...); the commands (camera, card, inspect, ...) are
// kestra-setup-cli's, and any other word, wherever it stands, is taken for one
// of them.
struct StartOptions {
    int languageCode = 0;    // --lang's language; 0: not given (the stored one stands)
    QString languageRefusal; // why --lang was refused; empty when it was not
    // The command the line names: the first word that names one of
    // kestra-setup-cli's commands, else the first word that is neither an
    // option nor an option's value.
    QString commandWord;
    QString unknownOption; // the first option neither this program nor Qt takes
    bool help = false;     // --help or -h
    bool version = false;  // --version or -V
};
StartOptions ReadStartOptions(int argc, const char* const* argv);

// The one line that sends a command to kestra-setup-cli, in Chinese or English.
QString CommandProgramLine(const QString& commandWord, bool chinese);
// The one line that refuses an option the windowed program does not take.
QString UnknownOptionLine(const QString& option, bool chinese);

// What --help and --version print.
QString StartHelpText();
QString StartVersionText();

// Writes `line` and a line end to `stream` (stdout or stderr). On Windows
// the windowed program has no console of its own: a stream that leads nowhere
// is pointed at the console the program was started from, and a console gets
// the text as wide characters, so that Chinese reads whole; a file or a pipe
// gets UTF-8, as everywhere else.
void SayLine(std::FILE* stream, const QString& line);

} // namespace kestra
