#!/bin/sh
# Installs the program to a temporary prefix and runs the installed copy as a user who cannot
# write to its folder, on a virtual X server, driven by keys as a user would: New, Open
# (cancelled), Run, Exit. A Run must reach the driver beside the executable with the per-user
# folder as the application folder, and Exit must write the settings file there; nothing may
# be written beside the executable or into ~/.config.
# Usage: InstallTest.sh <build folder>. Ends with 77 (skipped) when a tool it needs is missing.
build=$1
for tool in Xvfb xdotool setpriv; do
    command -v $tool >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d) || exit 1
xpid= apid=
cleanup() {
    [ -n "$apid" ] && kill "$apid" 2>/dev/null
    [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
    wait
    chmod -R u+w "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*"; exit 1; }
# until_true <what> <command...>: waits for a condition, up to a generous minute.
until_true() {
    what=$1; shift
    i=0
    until "$@"; do
        i=$((i + 1)); [ $i -le 600 ] || fail "waited in vain for $what"
        sleep 0.1
    done
}

prefix=$work/prefix home=$work/home
cmake --install "$build" --prefix "$prefix" --strip >/dev/null || fail "cmake --install"
exe_folder=$prefix/lib/veldra-studio
[ -x "$exe_folder/veldra-studio" ] || exe_folder=$(dirname "$(find "$prefix" -name veldra-studio -type f)")
# A driver shipped for every user, beside the executable: it records its arguments in the
# application folder it is given and reports success.
cat >"$exe_folder/make" <<'DRIVER'
#!/bin/sh
printf '%s\n' "$*" >"$4/driver-calls.txt"
: >"$4/errfound.log"
DRIVER
chmod 755 "$work" "$exe_folder/make"
chmod -R a+rX "$prefix"
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"

# The executable's folder is made unwritable in a way root cannot bypass: the program runs as
# the user nobody, for whom the root-owned prefix is read-only.
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$home" "$work/runtime"
    as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups"
else
    chmod a-w "$exe_folder"
    as_user=
fi

Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
xpid=$!
until_true "the X server" test -s "$work/display"
DISPLAY=:$(cat "$work/display"); export DISPLAY

env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u QT_QPA_PLATFORM HOME="$home" \
    XDG_RUNTIME_DIR="$work/runtime" $as_user "$exe_folder/veldra-studio" &
apid=$!
found_window() { wid=$(xdotool search --onlyvisible --name '^Veldra Studio' 2>/dev/null | head -n 1); [ -n "$wid" ]; }
until_true "the main window" found_window
xdotool windowfocus --sync "$wid"
user_folder=$home/.local/share/veldra-studio

xdotool key --delay 200 alt+f n
dialog_up() { xdotool search --onlyvisible --name '^Open' >/dev/null 2>&1; }
xdotool key --delay 200 alt+f o
until_true "the Open dialog" dialog_up
xdotool key Escape
until_true "the Open dialog to close" sh -c '! xdotool search --onlyvisible --name "^Open" >/dev/null 2>&1'
xdotool windowfocus --sync "$wid"
xdotool key F5
until_true "the driver" test -s "$user_folder/driver-calls.txt"
expected="-normal vd~tmp.bas $user_folder/vd~tmp.exe $user_folder -run $user_folder"
[ "$(cat "$user_folder/driver-calls.txt")" = "$expected" ] ||
    fail "driver arguments: $(cat "$user_folder/driver-calls.txt")"

# Keys pressed while the driver runs are ignored: the build has ended once its temporary source
# is gone.
build_ended() { [ ! -e "$user_folder/vd~tmp.bas" ]; }
until_true "the build to end" build_ended
xdotool key --delay 200 alt+f x
# The new document is unsaved: the save question, titled by the window, is answered No.
asked() { xdotool search --onlyvisible --name '^Untitled' >/dev/null 2>&1 || ! kill -0 "$apid" 2>/dev/null; }
until_true "the save question" asked
kill -0 "$apid" 2>/dev/null && xdotool key n
until_true "the program to end" sh -c "! kill -0 $apid 2>/dev/null"
wait "$apid"; apid=

[ -f "$user_folder/veldstudio.ini" ] || fail "no settings file in $user_folder"
[ "$(ls "$exe_folder")" = "$(printf 'make\nveldra-studio')" ] ||
    fail "written beside the executable: $(ls "$exe_folder")"
[ ! -e "$home/.config" ] || fail "written into ~/.config: $(find "$home/.config")"
echo "PASS: installed program runs the shipped driver and keeps its files in $user_folder"
