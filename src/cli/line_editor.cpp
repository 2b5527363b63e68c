#include "line_editor.h"

#include <cstdio>
#include <histedit.h>

namespace quorvix::cli {

namespace {
constexpr int kRemembered = 1000; // as many entries as the window's input history keeps
} // namespace

LineEditor::LineEditor(const char* programName, Completer completer)
    : m_editor(el_init(programName, stdin, stdout, stderr)), m_history(history_init()),
      m_completer(std::move(completer)) {
    HistEvent event;
    history(m_history, &event, H_SETSIZE, kRemembered);
    history(m_history, &event, H_SETUNIQUE, 1);
    el_set(m_editor, EL_CLIENTDATA, this);
    el_set(m_editor, EL_EDITOR, "emacs");
    el_set(m_editor, EL_HIST, history, m_history);
    el_set(m_editor, EL_PROMPT, &LineEditor::promptOf);
    // While a line is edited, Ctrl+C is a key like any other rather than the terminal's
    // interrupt; the evaluation that follows gets the interrupt back.
    el_set(m_editor, EL_SETTY, "-d", "-isig", nullptr);
    // The wide form keeps these constant names as they are; the narrow one copies them and
    // never frees the copies.
    el_wset(m_editor, EL_ADDFN, L"quorvix-complete", L"Complete the name before the cursor",
            &LineEditor::completeKey);
    el_wset(m_editor, EL_ADDFN, L"quorvix-cancel", L"Clear the line", &LineEditor::cancelKey);
    el_set(m_editor, EL_BIND, "^I", "quorvix-complete", nullptr);
    el_set(m_editor, EL_BIND, "^C", "quorvix-cancel", nullptr);
    el_set(m_editor, EL_BIND, "^R", "em-inc-search-prev", nullptr);
    // The user's own ~/.editrc may rebind keys, as for every program that uses the library.
    el_source(m_editor, nullptr);
}

LineEditor::~LineEditor() {
    el_end(m_editor);
    history_end(m_history);
}

LineEditor& LineEditor::of(editline* editor) {
    void* self = nullptr;
    el_get(editor, EL_CLIENTDATA, &self);
    return *static_cast<LineEditor*>(self);
}

char* LineEditor::promptOf(editline* editor) {
    return of(editor).m_prompt.data();
}

EditedLine LineEditor::read(const QString& prompt) {
    m_prompt = prompt.toUtf8();
    m_cancelled = false;
    int count = 0;
    const char* line = el_gets(m_editor, &count);
    if (m_cancelled) {
        return {EditedLine::Kind::Cancelled, {}};
    }
    if (line == nullptr || count <= 0) {
        // The shell's prompt, or the next line, starts on a line of its own.
        std::fputs("\n", stdout);
        std::fflush(stdout);
        return {EditedLine::Kind::End, {}};
    }
    QString text = QString::fromUtf8(line, count);
    if (text.endsWith(u'\n')) {
        text.chop(1);
    }
    return {EditedLine::Kind::Text, text};
}

void LineEditor::remember(const QString& entry) {
    HistEvent event;
    history(m_history, &event, H_ENTER, entry.toUtf8().constData());
}

unsigned char LineEditor::cancelKey(editline* editor, int) {
    LineEditor& self = of(editor);
    self.m_cancelled = true;
    std::fputs("^C\n", stdout);
    std::fflush(stdout);
    return CC_NEWLINE;
}

unsigned char LineEditor::completeKey(editline* editor, int) {
    return of(editor).complete();
}

unsigned char LineEditor::complete() {
    const LineInfo* info = el_line(m_editor);
    const QString before =
        QString::fromUtf8(info->buffer, static_cast<qsizetype>(info->cursor - info->buffer));
    const QString text =
        before +
        QString::fromUtf8(info->cursor, static_cast<qsizetype>(info->lastchar - info->cursor));
    const Completion completion = m_completer(text, before.size());
    if (completion.names.isEmpty()) {
        return CC_REFRESH_BEEP;
    }
    const QString typed = before.mid(completion.from);
    const QString shared = sharedStart(completion.names);
    if (completion.names.size() > 1 && shared.size() <= typed.size()) {
        // Nothing more to add: show what the name may become, then the line again.
        std::fputs("\n", stdout);
        for (const QString& name : completion.names) {
            std::printf("%s  ", name.toUtf8().constData());
        }
        std::fputs("\n", stdout);
        return CC_REDISPLAY;
    }
    el_deletestr(m_editor, static_cast<int>(typed.toUcs4().size()));
    const QString replacement = completion.names.size() == 1 ? completion.names.front() : shared;
    el_insertstr(m_editor, replacement.toUtf8().constData());
    return CC_REFRESH;
}

QString sharedStart(const QStringList& names) {
    if (names.isEmpty()) {
        return {};
    }
    qsizetype length = names.front().size();
    for (const QString& name : names) {
        qsizetype same = 0;
        while (same < length && same < name.size() &&
               names.front()[same].toCaseFolded() == name[same].toCaseFolded()) {
            ++same;
        }
        length = same;
    }
    return names.front().left(length);
}

} // namespace quorvix::cli
