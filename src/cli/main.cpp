// quorvix-eval: the calculator without a window. Each input line is handled as if typed into the
// input line and evaluated; the output box's text is printed after each.

#include "answer_text.h"
#include "engine_host.h"
#include "evaluation_command.h"
#include "line_editor.h"
#include "line_reader.h"
#include "name_candidates.h"
#include "settings_file.h"
#include "settings_home.h"
#include "terminal_colour.h"
#include "terminal_history.h"
#include "terminal_interrupt.h"
#include "terminal_session.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

constexpr const char* kUsage =
    "usage: quorvix-eval [--lang vbscript|javascript] [--raw] [--script PROGRAM] [-e TEXT]...\n"
    "                    [FILE]\n"
    "       quorvix-eval --help | --version\n"
    "  Evaluates each -e TEXT in order, else each line of FILE or of standard input,\n"
    "  as the calculator's input line, and prints the output box after each.\n"
    "  --script PROGRAM  run the whole file PROGRAM first, as one program in the global\n"
    "         scope, so that the inputs see its procedures and variables; when it fails,\n"
    "         print \"PROGRAM, line N: error\" to standard error and exit with status 1.\n"
    "  --raw  skip the shorthand rewrites: a line beginning with \"!\" is executed as a\n"
    "         statement, any other line is evaluated and its answer printed.\n"
    "  At a terminal, answers are bold and errors red, unless NO_COLOR is set.\n";

struct Options {
    bool help = false;
    bool version = false;
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
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--version")) {
            options.version = true;
        } else if (arg == QLatin1String("--raw")) {
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

struct Printed {
    QString text;
    quorvix::cli::OutputKind kind = quorvix::cli::OutputKind::Answer;
};

// One line without the shorthand rules: a statement after "!", else an expression's answer.
Printed runRaw(quorvix::EngineHost& engine, const quorvix::UserLocale& locale,
               const QString& line) {
    using quorvix::cli::OutputKind;
    if (line.startsWith(u'!')) {
        return engine.executeStatement(line.mid(1))
                   ? Printed{}
                   : Printed{engine.errorDescription(), OutputKind::Failure};
    }
    const std::optional<quorvix::ScriptValue> value = engine.eval(line);
    if (!value) {
        return {engine.errorDescription(), OutputKind::Failure};
    }
    const std::optional<QString> text =
        quorvix::answerText(*value, locale.decimalSeparator, locale.dates);
    return text ? Printed{*text, OutputKind::Answer}
                : Printed{engine.noTextFormDescription(*value), OutputKind::Failure};
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
    if (options->help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options->version) {
        std::printf("quorvix-eval %s\n", QUORVIX_VERSION);
        return 0;
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
    const bool colour =
        quorvix::cli::colourWanted(::isatty(STDOUT_FILENO) != 0, std::getenv("NO_COLOR"));
    auto print = [&](const Printed& printed) {
        out << (colour ? quorvix::cli::coloured(printed.text, printed.kind) : printed.text) << '\n';
        out.flush();
    };

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

    // At the terminal's prompt a run that leaves the output box as it was, or empty, prints
    // nothing; from a file or a pipe every line prints the box, so that lines pair up.
    auto handle = [&](const QString& line) {
        if (options->raw) {
            const Printed printed = runRaw(engine, locale, line);
            if (!atTerminal || !printed.text.isEmpty()) {
                print(printed);
            }
        } else {
            if (interrupt) {
                interrupt->runStarts();
            }
            const quorvix::EvaluationResult result = command.run(line);
            if (interrupt) {
                interrupt->runEnds();
            }
            const std::optional<QString> shown = result.shownOutput();
            if (shown) {
                outputBox = *shown;
            }
            if (atTerminal && (!shown || shown->isEmpty())) {
                return;
            }
            print({outputBox, command.showsFailure() ? quorvix::cli::OutputKind::Failure
                                                     : quorvix::cli::OutputKind::Answer});
        }
    };

    if (!options->expressions.isEmpty()) {
        for (const QString& text : options->expressions) {
            handle(text);
        }
        return 0;
    }

    const QString tooLong = QStringLiteral("Too long to evaluate: the input line takes at most %1 "
                                           "characters")
                                .arg(quorvix::kMaxInputLength);
    auto refuseTooLong = [&] {
        // As the window refuses such a paste: the line is not evaluated, the session goes on.
        outputBox = tooLong;
        print({outputBox, quorvix::cli::OutputKind::Failure});
    };

    if (atTerminal) {
        // Tab offers what the window's completion offers: the language's words and the names
        // the session defined.
        const quorvix::ScriptLanguage language = options->language;
        auto completeName = [&](const QString& text, qsizetype cursor) {
            const std::optional<quorvix::app::NameCandidates> found =
                quorvix::app::nameCandidates(text, cursor, language, engine.globalNames(),
                                             [](const QString& name) { return name; });
            return found ? quorvix::cli::Completion{found->prefix.start, found->names}
                         : quorvix::cli::Completion{};
        };
        quorvix::cli::LineEditor editor("quorvix-eval", completeName);
        // Kept where the window keeps its history, under a name of its own.
        const quorvix::app::SettingsFile settings(
            QCoreApplication::applicationDirPath(),
            quorvix::app::userSettingsFolder(quorvix::app::UserEnvironment::current()));
        const quorvix::cli::TerminalHistory history(
            settings.keptFile(quorvix::cli::kTerminalHistoryFileName));
        for (const QString& entry : history.load()) {
            editor.remember(entry);
        }
        quorvix::cli::TerminalSession session;
        session.continuesLines = options->language == quorvix::ScriptLanguage::VBScript;
        session.maxLength = quorvix::kMaxInputLength;
        session.evaluate = handle;
        session.refuseTooLong = refuseTooLong;
        session.remember = [&](const QString& entry) {
            editor.remember(entry);
            history.record(entry);
        };
        quorvix::cli::runTerminalSession(editor, session);
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
            refuseTooLong();
        }
    }
    return 0;
}
