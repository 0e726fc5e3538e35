// SPDX-License-Identifier: Apache-2.0
#include "cli/UsageErrors.h"

#include "cli/CliSupport.h"
#include "common/LanguageNames.h"
#include "common/TextTable.h"

#include <CLI/CLI.hpp>

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <map>
#include <string_view>

namespace kestra::cli {

namespace {

constexpr std::string_view kLanguageOption = "--lang";

bool IsLanguageOption(std::string_view word)
{
    return word == kLanguageOption || word.substr(0, kLanguageOption.size() + 1) == "--lang=";
}

bool IsOption(std::string_view word)
{
    return word.size() > 1 && word.front() == '-';
}

// The parsed command and its parsed subcommand, outermost first.
std::vector<const CLI::App*> ChosenCommands(const CLI::App& program)
{
    std::vector<const CLI::App*> chain{&program};
    for (;;) {
        const std::vector<CLI::App*> chosen = chain.back()->get_subcommands();
        if (chosen.empty())
            return chain;
        chain.push_back(chosen.front());
    }
}

// "card write"; the program's own name when no command was read.
QString CommandPath(const std::vector<const CLI::App*>& chain)
{
    QStringList names;
    for (std::size_t i = chain.size() > 1 ? 1 : 0; i < chain.size(); ++i)
        names << FromStd(chain[i]->get_name());
    return names.join(QLatin1Char(' '));
}

const CLI::Option* FindOption(const std::vector<const CLI::App*>& chain, const QString& name)
{
    const std::string wanted = name.toStdString();
    // The innermost command first: its option shadows one of the same name.
    for (std::size_t i = chain.size(); i-- > 0;) {
        for (const CLI::Option* option : chain[i]->get_options()) {
            if (option->get_name() == wanted)
                return option;
        }
    }
    return nullptr;
}

// What the line gave an option, as it gave it.
QString GivenValue(const CLI::Option* option)
{
    if (option == nullptr || option->results().empty())
        return {};
    return FromStd(option->results().back());
}

// What an option takes, as its help names it ("0-255", "DIR"), without the
// validator's description CLI11 adds after a colon; "N" is a count.
QString Accepted(const CLI::Option* option, bool chinese)
{
    if (option == nullptr)
        return {};
    QString type = FromStd(option->get_type_name()).section(QLatin1Char(':'), 0, 0);
    if (type == u"N")
        return chinese ? QStringLiteral("1 或更大的整数") : QStringLiteral("a whole number 1 or more");
    return type;
}

// The words no parser took, in the order the line has them (CLI11 keeps
// them per command, and says them last first).
QStringList UnexpectedWords(const CLI::App& program, const std::vector<std::string>& words)
{
    std::map<std::string, int> left;
    for (const std::string& word : program.remaining(true))
        ++left[word];
    QStringList inOrder;
    for (std::size_t i = 1; i < words.size(); ++i) {
        auto it = left.find(words[i]);
        if (it != left.end() && it->second > 0) {
            --it->second;
            inOrder << FromStd(words[i]);
        }
    }
    return inOrder;
}

QString Text(bool chinese, const char* english, const char* chineseText)
{
    return ChineseEnglishText{english, chineseText}.text(chinese);
}

QString Match(const QString& text, const char* pattern, int group = 1)
{
    const QRegularExpressionMatch match = QRegularExpression(QString::fromLatin1(pattern)).match(text);
    return match.hasMatch() ? match.captured(group) : QString();
}

} // namespace

std::vector<std::string> WithSharedOptionsAfterCommand(int argc, const char* const* argv)
{
    std::vector<std::string> words;
    if (argc > 0)
        words.emplace_back(argv[0]);
    std::vector<std::string> shared;
    int i = 1;
    while (i < argc && IsLanguageOption(argv[i])) {
        shared.emplace_back(argv[i]);
        if (argv[i] == kLanguageOption && i + 1 < argc)
            shared.emplace_back(argv[++i]);
        ++i;
    }
    // The command, and the card command's action with it.
    if (i < argc && !IsOption(argv[i])) {
        const std::string_view command = argv[i];
        words.emplace_back(argv[i++]);
        if (command == "card" && i < argc && !IsOption(argv[i]))
            words.emplace_back(argv[i++]);
    }
    words.insert(words.end(), shared.begin(), shared.end());
    for (; i < argc; ++i)
        words.emplace_back(argv[i]);
    return words;
}

int LanguageOfLine(const std::vector<std::string>& words)
{
    int language = 0;
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] == kLanguageOption && i + 1 < words.size())
            language = LanguageFromWord(FromStd(words[++i]));
        else if (IsLanguageOption(words[i]))
            language = LanguageFromWord(FromStd(words[i].substr(kLanguageOption.size() + 1)));
    }
    return language;
}

bool AsksForJson(const std::vector<std::string>& words)
{
    if (words.size() < 2)
        return false;
    const bool offers = words[1] == "inspect" || words[1] == "mail-test"
                        || (words[1] == "card" && words.size() > 2 && words[2] == "list");
    return offers && std::any_of(words.begin() + 1, words.end(), [](const std::string& word) {
               return word == "--json" || word.rfind("--json=", 0) == 0;
           });
}

QString UsageErrorText(const CLI::ParseError& error, const CLI::App& program, const std::vector<std::string>& words,
                       bool chinese)
{
    const std::vector<const CLI::App*> chain = ChosenCommands(program);
    const QString command = CommandPath(chain);
    const QString what = FromStd(error.what());

    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        QStringList unexpected = UnexpectedWords(program, words);
        if (unexpected.isEmpty())
            unexpected << what.section(QStringLiteral(": "), 1);
        return Text(chinese, "%1 does not take %2", "%1 不接受 %2").arg(command, unexpected.join(QLatin1Char(' ')));
    }
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
        if (what.startsWith(QStringLiteral("A subcommand")) || what.startsWith(QStringLiteral("Requires at least"))) {
            QStringList names;
            for (const CLI::App* sub : chain.back()->get_subcommands([](const CLI::App*) { return true; }))
                names << FromStd(sub->get_name());
            return Text(chinese, "%1 needs a command: %2", "%1 需要一个命令：%2")
                .arg(command, names.join(QStringLiteral(", ")));
        }
        const QString name = Match(what, "^(.+) is required$");
        if (!name.isEmpty()) {
            const QString accepted = Accepted(FindOption(chain, name), chinese);
            return (accepted.isEmpty() ? Text(chinese, "%1: %2 is required", "%1：必须给出 %2")
                                       : Text(chinese, "%1: %2 is required (%3)", "%1：必须给出 %2（%3）"))
                .arg(command, name, accepted);
        }
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        const QString missing = Match(what, R"(^(.+): \d+ required (.*) missing$)");
        if (!missing.isEmpty())
            return Text(chinese, "%1 needs a value (%2)", "%1 缺少值（%2）")
                .arg(missing, Match(what, R"(^(.+): \d+ required (.*) missing$)", 2).section(QLatin1Char(':'), 0, 0));
        const QString repeated = Match(what, R"(^(.+): At Most \d+ required but received \d+$)");
        if (!repeated.isEmpty())
            return Text(chinese, "%1 is given %2 times; give it once", "%1 给了 %2 次；只能给一次")
                .arg(repeated, Match(what, R"(received (\d+)$)"));
        const QString flag = Match(what, "^(.+) was given a disallowed flag override$");
        if (!flag.isEmpty())
            return Text(chinese, "%1 takes no value", "%1 不带值").arg(flag);
    }
    if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr
        || dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
        QString name = Match(what, "^Could not convert: (.+) = ");
        if (name.isEmpty())
            name = Match(what, "^The value .* is not an allowed value for (.+)$");
        if (name.isEmpty())
            name = Match(what, "^([^:]+):");
        const CLI::Option* option = FindOption(chain, name);
        if (option != nullptr)
            return Text(chinese, "%1: \"%2\" is not accepted; give %3", "%1：\"%2\" 无效；请给出 %3")
                .arg(name, GivenValue(option), Accepted(option, chinese));
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr) {
        const QString first = Match(what, "^(.+) excludes (.+)$");
        if (!first.isEmpty())
            return Text(chinese, "%1 and %2 cannot be given together", "%1 和 %2 不能同时给出")
                .arg(first, Match(what, "^(.+) excludes (.+)$", 2));
    }
    if (dynamic_cast<const CLI::RequiresError*>(&error) != nullptr) {
        const QString first = Match(what, "^(.+) requires (.+)$");
        if (!first.isEmpty())
            return Text(chinese, "%1 is given only with %2", "%1 只能与 %2 一起给出")
                .arg(first, Match(what, "^(.+) requires (.+)$", 2));
    }
    return chinese ? QStringLiteral("命令行有误：%1").arg(what) : what;
}

} // namespace kestra::cli
