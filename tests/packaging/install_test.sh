#!/usr/bin/env bash
# Installs the build into a temporary root and checks that every file is in place, the command
# link points at the program's folder and the desktop entry is valid.
set -u
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail=0
check() { # description, test...
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; fail=1; fi
}

DESTDIR=$root cmake --install "$build" >/dev/null || { echo "FAIL cmake --install"; exit 1; }

prefix=$root/opt/quorvix
check "program in its folder" test -x "$prefix/quorvix"
check "headless evaluator beside it" test -x "$prefix/quorvix-eval"
check "JavaScript worker beside it" test -x "$prefix/quorvix-javascript"
check "read-me beside the program" test -s "$prefix/Readme.txt"
for command in quorvix quorvix-eval; do
    check "$command link points into the folder" \
        test "$(readlink "$root/usr/bin/$command")" = "/opt/quorvix/$command"
    check "$command manual page" test -s "$root/usr/share/man/man1/$command.1.gz"
    check "$command tells its version" test "$("$prefix/$command" --version)" = "$command 0.1.0"
    check "$command tells its usage" test "$("$prefix/$command" --help | head -c 6)" = usage:
done
# What Tab offers after quorvix-eval, as bash computes it from the installed completion.
completions() { # the words typed, the last one being completed
    bash -c '. "$0"; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _quorvix_eval; echo "${COMPREPLY[*]}"' \
        "$root/usr/share/bash-completion/completions/quorvix-eval" quorvix-eval "$@"
}
check "completion offers the options" test "$(completions --l)" = --lang
check "completion offers the languages" test "$(completions --lang j)" = javascript
desktop=$root/usr/share/applications/quorvix.desktop
check "desktop entry" test -f "$desktop"
check "desktop entry runs the command" grep -qx 'Exec=quorvix' "$desktop"
if command -v desktop-file-validate >/dev/null; then
    check "desktop entry is valid" desktop-file-validate "$desktop"
else
    echo "FAIL desktop-file-validate is not installed"; fail=1
fi
check "AppStream metadata" test -s "$root/usr/share/metainfo/example.quorvix.Quorvix.metainfo.xml"
check "copyright" test -s "$root/usr/share/doc/quorvix/copyright"
for size in 16 32 48 64 128 256; do
    check "${size}px icon" test -s "$root/usr/share/icons/hicolor/${size}x${size}/apps/quorvix.png"
done
check "scalable icon" test -s "$root/usr/share/icons/hicolor/scalable/apps/quorvix.svg"
check "installed program answers" test "$("$prefix/quorvix-eval" -e "2(3)")" = 6
check "installed program answers in JavaScript" \
    test "$("$prefix/quorvix-eval" --lang javascript -e "Math.sqrt(16)")" = 4
exit $fail
