#!/usr/bin/env bash
# Builds the .deb with CPack, checks its metadata and contents with lintian and appstreamcli and
# by hand, unpacks it into a fresh root and
# starts the installed program under Xvfb as a normal user: it shows its read-me and, since it
# cannot write beside itself, keeps its settings in that user's configuration folder.
set -u
build=$1
tool=$2
. "$(dirname "$0")/../x_session.sh"
require_tools cpack dpkg-deb Xvfb xdotool xclip
# The set-up command installs these; a package that is not checked must not pass.
for t in lintian appstreamcli; do
    command -v "$t" >/dev/null || { echo "FAIL: $t is not installed (tools/install-deps.sh)"; exit 1; }
done

chmod 755 "$WORK"

(cd "$build" && cpack -G DEB -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1) ||
    { cat "$WORK/cpack.log"; fail "cpack"; }
deb=$(ls "$WORK"/pkg/quorvix_*_amd64.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no quorvix_<version>_amd64.deb was built"
echo "ok: built $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6qml6 libqt6gui6 libqt6core6 libpcre2-16-0 "fonts-liberation2 | fonts-croscore"; do
    case "$depends" in *"$lib"*) ;; *) fail "Depends lacks $lib: $depends" ;; esac
done
echo "ok: depends on Debian's Qt 6 and PCRE2 packages and the window's fonts"
program=usr/lib/quorvix
metainfo=usr/share/metainfo/example.quorvix.Quorvix.metainfo.xml
contents=$(dpkg-deb -c "$deb")
for f in ./$program/quorvix ./$program/quorvix-javascript ./$program/Readme.txt ./usr/bin/quorvix \
    ./usr/bin/quorvix-eval ./usr/share/man/man1/quorvix-eval.1.gz \
    ./usr/share/bash-completion/completions/quorvix-eval ./usr/share/applications/quorvix.desktop ./usr/share/icons/hicolor/32x32/apps/quorvix.png \
    ./$metainfo ./usr/share/doc/quorvix/copyright ./usr/share/man/man1/quorvix.1.gz; do
    grep -q " $f" <<<"$contents" || fail "package lacks $f"
done
echo "ok: package holds the program, read-me, command link, desktop entry, metadata and icons"

# Warnings count as failures too: every one that remains is mended or argued in an override.
lintian --fail-on error,warning "$deb" >"$WORK/lintian.log" 2>&1 ||
    { grep -v 'root privileges' "$WORK/lintian.log"; fail "lintian"; }
echo "ok: lintian finds no error or warning"

root=$WORK/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
appstreamcli validate --no-net "$root/$metainfo" >"$WORK/appstream.log" 2>&1 ||
    { cat "$WORK/appstream.log"; fail "appstreamcli validate"; }
echo "ok: the AppStream metadata is valid"
[ "$(readlink "$root/usr/bin/quorvix")" = ../lib/quorvix/quorvix ] ||
    fail "usr/bin/quorvix points at $(readlink "$root/usr/bin/quorvix")"
[ "$(cd / && "$root/usr/bin/quorvix-eval" -e 1+1)" = 2 ] || fail "usr/bin/quorvix-eval does not answer"
man -l "$root/usr/share/man/man1/quorvix-eval.1.gz" 2>/dev/null | grep -q 'quorvix-eval - ' ||
    fail "the manual page of quorvix-eval does not open"
echo "ok: quorvix-eval answers from any folder and its manual page opens"
chmod -R a-w "$root/$program"

# A normal user: as root, run as nobody; otherwise as ourselves (the folder is read-only).
home=$WORK/home
mkdir -p "$home"
chmod 700 "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$home"
    as_user=(runuser -u nobody --)
fi

start_xvfb

"${as_user[@]}" env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home" \
    QT_QPA_PLATFORM=xcb "$root/$program/quorvix" >"$WORK/quorvix.log" 2>&1 &
APP_PID=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvix$' | head -n1)
[ -n "$main" ] || fail "the installed program showed no window"
xdotool windowfocus --sync "$main"
sleep 0.3

# The read-me: open help, copy all of its text.
xdotool key alt+h
help=$(timeout 10 xdotool search --sync --onlyvisible --name '^Quorvix Help$' | head -n1)
[ -n "$help" ] || fail "no help window"
xdotool windowfocus --sync "$help"
sleep 0.3
xdotool key ctrl+a ctrl+c
first_line=$(head -n1 "$root/$program/Readme.txt" | tr -d '\r')
shows_first_line() {
    got=$(xclip -o -selection clipboard 2>/dev/null | head -n1 | tr -d '\r')
    [ "$got" = "$first_line" ]
}
wait_until shows_first_line || fail "help window shows \"$got\", not the read-me"
echo "ok: the installed program shows its read-me"

# Close both windows as a window manager would: the main window writes its settings.
"$tool" close "$help"
"$tool" close "$main"
wait_until program_ended || fail "the program did not end"
APP_PID=
ini=$home/.config/Quorvix/Quorvix.ini
[ -f "$ini" ] || fail "no settings in the user's configuration folder"
[ "$(od -An -c "$ini" | tr -s ' ')" = "$(printf 'lang=0\r\npad=1\r\n' | od -An -c | tr -s ' ')" ] ||
    fail "settings hold $(od -An -c "$ini")"
[ -e "$root/$program/Quorvix.ini" ] && fail "settings written beside the read-only program"
echo "ok: settings kept in the user's configuration folder"
echo PASS
