#include "ExpandOptions.h"

#include "Expansion.h"

namespace {

// "--name=value" or "--name value".
bool TakeValue(const QStringList& arguments, qsizetype& i, const QString& name, QString* value)
{
    const QString& argument = arguments[i];
    if (argument.startsWith(name + u'=')) {
        *value = argument.sliced(name.size() + 1);
        return true;
    }
    if (argument != name)
        return false;
    if (i + 1 >= arguments.size())
        throw QStringLiteral("%1 needs a value").arg(name);
    *value = arguments[++i];
    return true;
}

} // namespace

std::variant<ExpandOptions, QString> ParseExpandOptions(const QStringList& arguments)
{
    ExpandOptions options;
    bool fileGiven = false;
    bool optionsEnded = false;
    try {
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            const QString& argument = arguments[i];
            QString value;
            if (optionsEnded || argument == u"-" || !argument.startsWith(u'-')) {
                if (fileGiven)
                    return QStringLiteral("only one template file can be given");
                fileGiven = true;
                options.file = argument;
            } else if (argument == u"--") {
                optionsEnded = true;
            } else if (argument == u"--help" || argument == u"-h") {
                options.help = true;
            } else if (argument == u"--compact") {
                options.compactStyle = true;
            } else if (argument == u"--show-prompts") {
                options.showPrompts = true;
            } else if (argument == u"--fields") {
                options.fields = true;
            } else if (argument == u"--null") {
                options.nullTerminated = true;
            } else if (TakeValue(arguments, i, QStringLiteral("--answer"), &value)) {
                options.answers.append(value);
            } else if (TakeValue(arguments, i, QStringLiteral("--set"), &value)) {
                const qsizetype equals = value.indexOf(u'=');
                if (equals != 1)
                    return QStringLiteral("--set wants NAME=VALUE with a one-character NAME, not \"%1\"")
                        .arg(value);
                options.fixed.append({value[0], value.sliced(2)});
            } else {
                return QStringLiteral("unknown option %1").arg(argument);
            }
        }
    } catch (const QString& error) {
        return error;
    }
    if (options.nullTerminated && !options.fields)
        return QStringLiteral("--null only applies to --fields");
    return options;
}

QString ExpandHelpText()
{
    return QStringLiteral(
               "Usage: vellumatic-expand [options] [FILE]\n"
               "\n"
               "Expands a Vellumatic template and writes the result, exactly as the result pane\n"
               "would hold it, to standard output. The template is read from FILE, or from\n"
               "standard input when FILE is absent or \"-\". Input and output are UTF-8.\n"
               "\n"
               "Options:\n"
               "  --compact           compact style: no line break after each counter step\n"
               "  --answer TEXT       answer to the next prompt, in the order prompts are asked;\n"
               "                      repeatable. Prompts beyond the answers given get the empty\n"
               "                      answer, which means 1.\n"
               "  --set NAME=VALUE    answer every prompt for the one-character bound name NAME\n"
               "                      (letter case ignored) with VALUE, without using an --answer\n"
               "  --show-prompts      write each prompt, one per line, to standard error\n"
               "  --fields            write the field list of the result instead of the result,\n"
               "                      each entry followed by a line feed\n"
               "  --null              with --fields: end entries with NUL instead\n"
               "  -h, --help          show this help\n"
               "\n"
               "Results longer than %1 characters are refused (exit status 4) rather than\n"
               "exhausting memory.\n"
               "\n"
               "Exit status:\n"
               "  0  result written (also when the template has no groups)\n"
               "  1  usage or file error\n"
               "  2  the template could not be parsed\n"
               "  3  generation stopped: a bound is not a whole number or overflows 32 bits\n"
               "  4  refused: the result would be too large\n")
        .arg(kMaxResultLength);
}
