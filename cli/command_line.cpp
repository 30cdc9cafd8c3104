// The arguments of a command, parsed by Qt's command-line parser from the options of the command's
// entry in the table, and the command's help made from that entry.

#include <algorithm>
#include <cstring>
#include <string_view>

#include "cli/command_support.h"

#include <QCommandLineParser>

namespace korvane::cli {

namespace {

// "--clock=x" and "-clock" name the option "clock".
QString bareName(const std::string& token) {
    std::string_view name(token);
    name.remove_prefix(name.starts_with("--") ? 2 : 1);
    return QString::fromLatin1(name.substr(0, name.find('=')));
}

// Arguments pass through the parser byte for byte: every byte is one Latin-1 character on the way, so
// a file name in any encoding comes back as it was given.
QString fromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string toBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

// What is wrong, in the words the command line has always used.
std::string problem(const Command& command, const QCommandLineParser& parser, const std::vector<std::string>& args) {
    auto isOption = [](const std::string& a) { return a.size() > 1 && a[0] == '-'; };
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString unknown = parser.unknownOptionNames().first();
        for (const std::string& a : args)
            if (isOption(a) && bareName(a) == unknown)
                return Say(kTxtCliUnknownOption, {a});
    }
    if (!args.empty() && isOption(args.back()) && args.back().find('=') == std::string::npos) {
        const QString name = bareName(args.back());
        const auto& options = command.options;
        if (std::any_of(options.begin(), options.end(),
                        [&](const Option& o) { return o.takesValue && bareName(o.name()) == name; }))
            return Say(kTxtCliOptionNeedsValue, {args.back()});
    }
    return parser.errorText().toStdString();
}

} // namespace

std::string Option::name() const {
    const char* end = std::strchr(label, ' ');
    return end ? std::string(label, end) : std::string(label);
}

void Arguments::needPositional(std::size_t n) const {
    if (positional.size() < n)
        throw UsageError{Say(kTxtCliMissingFile)};
    if (positional.size() > n)
        throw UsageError{Say(kTxtCliUnexpectedArgument, {positional[n]})};
}

std::string HelpText(const Command& command) {
    std::string text =
        std::string("usage: korvane-cli ") + command.name + " " + command.synopsis + "\n" + command.about;
    std::size_t width = 0;
    for (const Option& o : command.options)
        if (o.help)
            width = std::max(width, std::strlen(o.label));
    // The help of each option in one column, two spaces after the longest label.
    const std::string indent(width + 4, ' ');
    for (const Option& o : command.options) {
        if (!o.help)
            continue;
        std::string label = o.label;
        label.resize(width + 2, ' ');
        text += "  " + label;
        for (const char c : std::string_view(o.help))
            text += c == '\n' ? "\n" + indent : std::string(1, c);
        text += "\n";
    }
    return text + command.closing;
}

Arguments ParseArguments(const Command& command, const std::vector<std::string>& args) {
    QCommandLineParser parser;
    // One dash or two: "-o OUT", "--clock T".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const Option& o : command.options)
        parser.addOption(
            QCommandLineOption(bareName(o.name()), QString(), o.takesValue ? QStringLiteral("value") : QString()));
    QStringList raw{QStringLiteral("korvane-cli")};
    for (const std::string& a : args)
        raw << fromBytes(a);
    if (!parser.parse(raw))
        throw UsageError{problem(command, parser, args)};
    Arguments out;
    for (const QString& p : parser.positionalArguments())
        out.positional.push_back(toBytes(p));
    for (const Option& o : command.options)
        if (const QString name = bareName(o.name()); parser.isSet(name))
            out.options[o.name()] = o.takesValue ? toBytes(parser.value(name)) : std::string();
    return out;
}

} // namespace korvane::cli
