#include "cli/consoleprompts.h"
#include "cli/verb.h"

#include <QCoreApplication>

namespace {

// Both scripts are written from the verbs as registered, so that a new verb or option is
// completed without anyone editing them; the words after an option are completed as files.
// caseLine is the shell's case arm for one verb: %1 its name, %2 its option words.
QString script(QString text, const QString &caseLine)
{
    QStringList names {QStringLiteral("help")};
    QString cases;
    for (const Verb *verb : Verb::all()) {
        names << verb->name();
        cases += caseLine.arg(verb->name(), verb->optionWords().join(u' '));
    }
    return text.arg(names.join(u' '), cases);
}

QString bashScript()
{
    return script(QStringLiteral("# bash completion for kestrix-cli\n"
                                 "_kestrix_cli()\n"
                                 "{\n"
                                 "    local cur=${COMP_WORDS[COMP_CWORD]} options=\n"
                                 "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
                                 "        COMPREPLY=($(compgen -W \"%1\" -- \"$cur\"))\n"
                                 "        return\n"
                                 "    fi\n"
                                 "    case ${COMP_WORDS[1]} in\n"
                                 "%2"
                                 "    esac\n"
                                 "    if [[ $cur == -* ]]; then\n"
                                 "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
                                 "    else\n"
                                 "        COMPREPLY=()\n"
                                 "    fi\n"
                                 "}\n"
                                 "complete -o default -F _kestrix_cli kestrix-cli"),
                  QStringLiteral("        %1) options=\"%2\" ;;\n"));
}

QString zshScript()
{
    return script(QStringLiteral("#compdef kestrix-cli\n"
                                 "_kestrix_cli()\n"
                                 "{\n"
                                 "    if (( CURRENT == 2 )); then\n"
                                 "        compadd -- %1\n"
                                 "    elif [[ $PREFIX == -* ]]; then\n"
                                 "        case $words[2] in\n"
                                 "%2"
                                 "        esac\n"
                                 "    else\n"
                                 "        _files\n"
                                 "    fi\n"
                                 "}\n"
                                 "_kestrix_cli \"$@\""),
                  QStringLiteral("            %1) compadd -- %2 ;;\n"));
}

int runCompletion(const Arguments &args)
{
    const QString shell = args.plain().first();
    if (shell == QStringLiteral("bash"))
        ConsolePrompts::print(bashScript());
    else if (shell == QStringLiteral("zsh"))
        ConsolePrompts::print(zshScript());
    else
        throw UsageError(
            QCoreApplication::translate("kestrix-cli", "SHELL is bash or zsh, not \"%1\".")
                .arg(shell));
    return 0;
}

const Verb completionVerb(
    "completion",
    QT_TRANSLATE_NOOP("kestrix-cli",
                      "Prints the shell completion of kestrix-cli for bash or zsh (the "
                      "package installs both)."),
    {}, runCompletion, {"SHELL", QT_TRANSLATE_NOOP("kestrix-cli", "bash or zsh."), 1, 1});

} // namespace
