#include "ExpandOptions.h"

#include "Expansion.h"

#include <algorithm>

namespace {

// "--name=value" or "--name value".
bool TakeValue(const QList<QByteArray>& arguments, qsizetype& i, const QByteArray& name, QByteArray* value)
{
    const QByteArray& argument = arguments[i];
    if (argument.startsWith(name + '=')) {
        *value = argument.sliced(name.size() + 1);
        return true;
    }
    if (argument != name)
        return false;
    if (i + 1 >= arguments.size())
        throw QStringLiteral("%1 needs a value").arg(QString::fromLatin1(name));
    *value = arguments[++i];
    return true;
}

} // namespace

std::variant<ExpandOptions, QString> ParseExpandOptions(const QList<QByteArray>& arguments)
{
    ExpandOptions options;
    bool fileGiven = false;
    bool optionsEnded = false;
    try {
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            const QByteArray& argument = arguments[i];
            QByteArray value;
            if (optionsEnded || argument == "-" || !argument.startsWith('-')) {
                if (fileGiven)
                    return QStringLiteral("only one template file can be given");
                fileGiven = true;
                options.file = argument;
            } else if (argument == "--") {
                optionsEnded = true;
            } else if (argument == "--help" || argument == "-h") {
                options.help = true;
            } else if (argument == "--version") {
                options.version = true;
            } else if (argument == "--compact") {
                options.compactStyle = true;
            } else if (argument == "--show-prompts") {
                options.showPrompts = true;
            } else if (argument == "--fields") {
                options.fields = true;
            } else if (argument == "--null") {
                options.nullTerminated = true;
            } else if (argument == "--strict") {
                options.strict = true;
            } else if (argument == "--list") {
                options.list = true;
            } else if (argument == "--save") {
                options.save = true;
            } else if (TakeValue(arguments, i, "--data", &value)) {
                if (value.isEmpty())
                    return QStringLiteral("--data needs a folder");
                options.data = value;
            } else if (TakeValue(arguments, i, "--template", &value)) {
                options.templatePath = QString::fromUtf8(value);
            } else if (TakeValue(arguments, i, "--answer", &value)) {
                options.answers.append(QString::fromUtf8(value));
            } else if (TakeValue(arguments, i, "--output", &value)) {
                if (value.isEmpty())
                    return QStringLiteral("--output needs a file name");
                options.output = value;
            } else if (TakeValue(arguments, i, "--fill", &value)) {
                const QString text = QString::fromUtf8(value);
                const qsizetype equals = text.indexOf(u'=');
                const QStringView name = QStringView(text).first(std::max<qsizetype>(equals, 0));
                if (name.isEmpty() || name.contains(u'$') || name.contains(u'!'))
                    return QStringLiteral("--fill wants NAME=VALUE with a field's NAME, not \"%1\"").arg(text);
                options.fills.append({u'$' + name.toString() + u'!', text.sliced(equals + 1)});
            } else if (TakeValue(arguments, i, "--rows", &value)) {
                if (value.isEmpty())
                    return QStringLiteral("--rows needs a file name");
                options.rows = value;
            } else if (TakeValue(arguments, i, "--type-map", &value)) {
                if (value.isEmpty())
                    return QStringLiteral("--type-map needs a file name");
                options.typeMap = value;
            } else if (TakeValue(arguments, i, "--set", &value)) {
                const QString text = QString::fromUtf8(value);
                const qsizetype equals = text.indexOf(u'=');
                if (equals != 1)
                    return QStringLiteral("--set wants NAME=VALUE with a one-character NAME, not \"%1\"")
                        .arg(text);
                options.fixed.append({text[0], text.sliced(2)});
            } else {
                return QStringLiteral("unknown option %1").arg(QString::fromLocal8Bit(argument));
            }
        }
    } catch (const QString& error) {
        return error;
    }
    if (options.nullTerminated && !options.fields)
        return QStringLiteral("--null only applies to --fields");
    if (options.list && !options.templatePath.isNull())
        return QStringLiteral("--list and --template cannot be combined");
    if (options.list && (!options.fills.isEmpty() || !options.rows.isEmpty() || !options.typeMap.isEmpty()))
        return QStringLiteral("--fill, --rows and --type-map need a template, not --list");
    if (options.save && options.templatePath.isNull())
        return QStringLiteral("--save only applies to --template");
    if (fileGiven && options.usesCatalogue())
        return QStringLiteral("a template file cannot be given with --data, --list or --template");
    return options;
}

QString ExpandHelpText()
{
    return QStringLiteral(
               "Usage: vellumatic-expand [options] [FILE]\n"
               "       vellumatic-expand [--data DIR] --template PATH [--save] [options]\n"
               "       vellumatic-expand [--data DIR] --list\n"
               "\n"
               "Expands a Vellumatic template and writes the result, exactly as the result pane\n"
               "would hold it, to standard output. The template is read from FILE, or from\n"
               "standard input when FILE is absent or \"-\", or is a template stored in the\n"
               "catalogue (--template). Input and output are UTF-8.\n"
               "\n"
               "The catalogue:\n"
               "  --data DIR          the Data folder (Tempalates.app, Values.app and the\n"
               "                      bodies). Without it, the folder Vellumatic itself opens:\n"
               "                      the Data folder beside the program when it is there and\n"
               "                      writable, else the per-user one; a missing or empty one\n"
               "                      is made from the sample catalogue, as the program does\n"
               "  --list              write every template's path, one a line, in tree order\n"
               "  --template PATH     expand the stored template at PATH: its names from the\n"
               "                      root joined by \"/\" without \"Main\", a \"/\" inside a\n"
               "                      name written \"\\/\", a backslash \"\\\\\"; letter case is\n"
               "                      ignored. The text expanded is the template pane's, as the\n"
               "                      window's Run reads it. A path naming no template or more\n"
               "                      than one is refused (exit status 1). Groups are templates\n"
               "                      too. Names no --set or --answer answers take 1, as the\n"
               "                      empty answer does\n"
               "  --save              also store the result in the template's body, as Run\n"
               "                      does, for the window to show next time. Without it\n"
               "                      nothing in the Data folder changes\n"
               "\n"
               "Options:\n"
               "  --compact           compact style: no line break after each counter step\n"
               "  --answer TEXT       answer for the next bound name; repeatable. Each name is\n"
               "                      asked once, as the window asks it, in the order the names\n"
               "                      first stand in the template: in [(a|n-1|n+1)] one answer\n"
               "                      serves both bounds. Bounds written as numbers (-5, .5) are\n"
               "                      used as written. Names beyond the answers given get the\n"
               "                      empty answer, which means 1.\n"
               "  --set NAME=VALUE    answer the one-character bound name NAME (letter case\n"
               "                      ignored) with VALUE, without using an --answer\n"
               "  --fill NAME=VALUE   fill the field $NAME! of the result (NAME as it stands\n"
               "                      between \"$\" and \"!\", such as Col0001 or Class; letter\n"
               "                      case ignored) with VALUE, and each of its mirrors\n"
               "                      ($NAME:pascal!, $Type:csharp!) in the mirror's spelling;\n"
               "                      repeatable. Filled before --rows\n"
               "  --rows FILE         fill repetition k of the result (the fields numbered k)\n"
               "                      from row k of the table in FILE: tab-separated, or\n"
               "                      comma-separated (quoted values may hold commas, quotes and\n"
               "                      line breaks) when the name ends in .csv; UTF-8. Its header\n"
               "                      names the fields (\"Col\" fills $Col0001!, $Col0002!, ...;\n"
               "                      letter case ignored); fields no header names take the\n"
               "                      remaining columns in order. When the template has exactly\n"
               "                      one bound name and no --set or --answer gives it, it is\n"
               "                      the number of data rows. Repetitions beyond the rows stay\n"
               "                      fields, and a note on standard error says so\n"
               "  --type-map FILE     the type map mirrors such as $Type:csharp! write types\n"
               "                      through: a tab-separated file, database type patterns\n"
               "                      first, then one column per language. Default: the Data\n"
               "                      folder's TypeMaps.tsv with --data or --template (when it\n"
               "                      cannot be used, a note says why and the shipped map\n"
               "                      serves), else the map shipped with the program. A type\n"
               "                      the map lacks is written as given and named in a note\n"
               "  --show-prompts      write the prompt for each name, once, one per line, to\n"
               "                      standard error\n"
               "  --fields            write the field list of the result instead of the result,\n"
               "                      each entry followed by a line feed\n"
               "  --null              with --fields: end entries with NUL instead\n"
               "  --output FILE       write to FILE instead of standard output; a file is\n"
               "                      replaced only once the whole output is written, and left\n"
               "                      as it was when anything fails. A symbolic link is followed\n"
               "                      (the file it names is replaced, the link stays); a FIFO or\n"
               "                      a device is written straight into; a directory or a socket\n"
               "                      is refused\n"
               "  --strict            stop (exit status 3) at any bound that is not a whole\n"
               "                      number in the 32-bit range, naming it\n"
               "  --version           show the version number\n"
               "  -h, --help          show this help\n"
               "\n"
               "Bounds that are not whole numbers: a token's counter runs from its smallest lower\n"
               "bound to its largest upper bound, and the search for those stops quietly at the\n"
               "first bound that is not a whole number in the 32-bit range (such as 2147483648,\n"
               "or a name answered with \"abc\"). Such a bound therefore often leaves its token\n"
               "empty, and the run still ends with exit status 0. Only when a counter step has to\n"
               "use the bound, or an offset such as n+1 has to be added to the answer, does the\n"
               "run stop with exit status 3. Give --strict to stop at every such bound.\n"
               "\n"
               "Results longer than %1 characters are refused (exit status 4) rather than\n"
               "exhausting memory.\n"
               "\n"
               "Exit status:\n"
               "  0  result written (also when the template has no groups)\n"
               "  1  usage error, or the template or the output could not be read or written\n"
               "  2  the template could not be parsed (the place and the reason follow)\n"
               "  3  generation stopped: a bound is not a whole number or overflows 32 bits\n"
               "  4  refused: the result would be too large\n")
        .arg(kMaxResultLength);
}
