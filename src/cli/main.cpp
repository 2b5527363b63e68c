// quorvix-eval: the calculator without a window. Each input line is handled as if typed into the
// input line and evaluated; the output box's text is printed after each.

#include "answer_text.h"
#include "engine_host.h"
#include "evaluation_command.h"
#include "line_reader.h"
#include "terminal_interrupt.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

constexpr const char* kUsage =
    "usage: quorvix-eval [--lang vbscript|javascript] [--raw] [--script PROGRAM] [-e TEXT]...\n"
    "                    [FILE]\n"
    "  Evaluates each -e TEXT in order, else each line of FILE or of standard input,\n"
    "  as the calculator's input line, and prints the output box after each.\n"
    "  --script PROGRAM  run the whole file PROGRAM first, as one program in the global\n"
    "         scope, so that the inputs see its procedures and variables; when it fails,\n"
    "         print \"PROGRAM, line N: error\" to standard error and exit with status 1.\n"
    "  --raw  skip the shorthand rewrites: a line beginning with \"!\" is executed as a\n"
    "         statement, any other line is evaluated and its answer printed.\n";

struct Options {
    quorvix::ScriptLanguage language = quorvix::ScriptLanguage::VBScript;
    bool raw = false;
    QStringList expressions;
    std::optional<QString> file;
    std::optional<QString> script;
};

std::optional<Options> parseArguments(const QStringList& args) {
    Options options;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--raw")) {
            options.raw = true;
        } else if (arg == QLatin1String("--lang") && i + 1 < args.size()) {
            const std::optional<quorvix::ScriptLanguage> language =
                quorvix::languageNamed(args[++i]);
            if (!language) {
                return std::nullopt;
            }
            options.language = *language;
        } else if (arg == QLatin1String("--script") && i + 1 < args.size() && !options.script) {
            options.script = args[++i];
        } else if (arg == QLatin1String("-e") && i + 1 < args.size()) {
            options.expressions.append(args[++i]);
        } else if (arg.startsWith(u'-') && arg != QLatin1String("-")) {
            return std::nullopt;
        } else if (!options.file) {
            options.file = arg;
        } else {
            return std::nullopt;
        }
    }
    if (options.file && !options.expressions.isEmpty()) {
        return std::nullopt;
    }
    return options;
}

// One line without the shorthand rules: a statement after "!", else an expression's answer.
QString runRaw(quorvix::EngineHost& engine, const quorvix::UserLocale& locale,
               const QString& line) {
    if (line.startsWith(u'!')) {
        return engine.executeStatement(line.mid(1)) ? QString() : engine.errorDescription();
    }
    const std::optional<quorvix::ScriptValue> value = engine.eval(line);
    if (!value) {
        return engine.errorDescription();
    }
    const std::optional<QString> text =
        quorvix::answerText(*value, locale.decimalSeparator, locale.dates);
    return text ? *text : engine.noTextFormDescription(*value);
}

// The program file as UTF-8 (a leading byte-order mark dropped), named as the user gave it; a
// file that cannot be read comes back with its problem instead of its text.
quorvix::LibraryScript readProgram(const QString& path) {
    quorvix::LibraryScript program;
    program.fileName = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        program.problem =
            QStringLiteral("quorvix-eval: cannot read %1: %2").arg(path, file.errorString());
        return program;
    }
    program.source = QString::fromUtf8(file.readAll());
    if (program.source.startsWith(QChar(0xfeff))) {
        program.source.remove(0, 1);
    }
    return program;
}

// Runs the program as --raw runs its lines, straight in the engine, without Pi.
std::optional<QString> runRawProgram(quorvix::EngineHost& engine,
                                     const quorvix::LibraryScript& program) {
    if (engine.executeStatement(program.source)) {
        return std::nullopt;
    }
    return quorvix::libraryFailureMessage(program.fileName, program.source, engine.errorPosition(),
                                          engine.errorDescription());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::optional<Options> options = parseArguments(QCoreApplication::arguments());
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    // The user's locale, read once here: the engine and the command read none of their own.
    const quorvix::UserLocale locale = quorvix::userLocaleOf(QLocale());
    quorvix::EngineHost engine(quorvix::kScriptTimeLimit, locale);
    engine.setLanguage(options->language);
    quorvix::EvaluationCommand command(engine, locale);
    // At a terminal, Ctrl+C stops the running evaluation; from a file or a pipe it ends the
    // program as it always did.
    const bool atTerminal = options->expressions.isEmpty() &&
                            (!options->file || *options->file == QLatin1String("-")) &&
                            ::isatty(STDIN_FILENO);
    std::unique_ptr<quorvix::cli::TerminalInterrupt> interrupt;
    if (atTerminal) {
        interrupt = std::make_unique<quorvix::cli::TerminalInterrupt>(engine);
    }
    QString outputBox;
    QTextStream out(stdout);

    if (options->script) {
        const quorvix::LibraryScript program = readProgram(*options->script);
        if (!program.problem.isEmpty()) {
            // As for an unreadable FILE: the command line was at fault, not the program.
            std::fprintf(stderr, "%s\n", qPrintable(program.problem));
            return 2;
        }
        const std::optional<QString> failure =
            options->raw ? runRawProgram(engine, program) : command.runProgram(program);
        if (failure) {
            std::fprintf(stderr, "%s\n", qPrintable(*failure));
            return 1;
        }
    }

    auto handle = [&](const QString& line) {
        if (options->raw) {
            out << runRaw(engine, locale, line) << '\n';
        } else {
            if (interrupt) {
                interrupt->runStarts();
            }
            const quorvix::EvaluationResult result = command.run(line);
            if (interrupt) {
                interrupt->runEnds();
            }
            if (const std::optional<QString> shown = result.shownOutput()) {
                outputBox = *shown;
            }
            out << outputBox << '\n';
        }
        out.flush();
    };

    if (!options->expressions.isEmpty()) {
        for (const QString& text : options->expressions) {
            handle(text);
        }
        return 0;
    }

    QFile input;
    if (options->file && *options->file != QLatin1String("-")) {
        input.setFileName(*options->file);
        if (!input.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "quorvix-eval: cannot read %s: %s\n", qPrintable(*options->file),
                         qPrintable(input.errorString()));
            return 2;
        }
    } else if (!input.open(stdin, QIODevice::ReadOnly)) {
        std::fputs("quorvix-eval: cannot read standard input\n", stderr);
        return 2;
    }
    quorvix::cli::LineReader lines(input, quorvix::kMaxInputLength);
    while (const std::optional<quorvix::cli::InputLine> line = lines.next()) {
        if (line->text) {
            handle(*line->text);
        } else {
            // As the window refuses such a paste: the line is not evaluated, the session goes on.
            outputBox = QStringLiteral("Too long to evaluate: the input line takes at most %1 "
                                       "characters")
                            .arg(quorvix::kMaxInputLength);
            out << outputBox << '\n';
            out.flush();
        }
    }
    return 0;
}
