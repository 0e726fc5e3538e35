// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace CLI {
class App;
class ParseError;
} // namespace CLI

namespace kestra::cli {

// The command line as the program reads it: the options every command takes
// (--lang) moved from before the command to just after it, where the
// command's parser looks for them; the words in their order otherwise.
std::vector<std::string> WithSharedOptionsAfterCommand(int argc, const char* const* argv);

// The language a line's --lang asks for (0 when none or a word no language
// has), read before any parser: the parser's own refusals are said in it.
int LanguageOfLine(const std::vector<std::string>& words);

// Whether the line asks a command that offers --json for it: its failures are
// then printed as a JSON object as well.
bool AsksForJson(const std::vector<std::string>& words);

// CLI11's refusal of a line in our own words, Chinese or English: it names
// the option, value or command concerned as the line spells them, in the
// line's order.
QString UsageErrorText(const CLI::ParseError& error, const CLI::App& program, const std::vector<std::string>& words,
                       bool chinese);

} // namespace kestra::cli
