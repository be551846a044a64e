#!/bin/sh
# Runs the example driver as the environment does and checks what it leaves behind: the error
# log byte for byte, the program it builds and what that program prints.
# Usage: driver-test.sh <driver> <examples folder>. Ends with 77 (skipped) without yabasic.
driver=$1 examples=$2
command -v yabasic >/dev/null 2>&1 || { echo "SKIP: yabasic is not installed"; exit 77; }

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
app=$work/app docs=$work/docs
mkdir -p "$app" "$docs"
cp "$examples"/*.bas "$docs"/
printf 'sub twice(x)\r\n  return 2 * x\r\nend sub\r\n' >"$docs/lib.bas"
printf 'print twice(21)\r\nprint system$("pwd")\r\n' >"$docs/main.bas"
printf 'section .text\r\n  nop\r\n  movx eax, 1\r\n' >"$docs/bad.asm"
project() { # <name> <basic members...> -- <assembly members...>
    name=$1; shift
    { printf 'Veldra Studio Project File\r\n 100 \r\n 64000 \r\n[Basic Files]\r\n'
      for m; do [ "$m" = -- ] && m='[Assembly Files]' || m=$docs/$m; printf '%s\r\n' "$m"; done
    } >"$docs/$name"
}
project good.vdp main.bas lib.bas --
project faulty.vdp main.bas faulty.bas --
project asm.vdp main.bas lib.bas -- bad.asm

failures=0
# name | source (copied to vd~tmp.bas) or project | input | run | expected log | expected output
while IFS='|' read -r name source input run log output; do
    [ -n "$name" ] || continue
    if [ "$name" = "assembly error" ] && ! command -v nasm >/dev/null 2>&1; then
        echo "SKIP: $name (nasm is not installed)"; continue
    fi
    printf '1,stale error\r\n' >"$app/errfound.log"
    rm -f "$app/vd~tmp.exe"
    case $source in
    *.vdp) set -- -project "$docs/$source" ;;
    *) cp "$docs/$source" "$app/vd~tmp.bas"; set -- -normal vd~tmp.bas ;;
    esac
    set -- "$@" "$app/vd~tmp.exe" "$app"
    [ "$run" = yes ] && set -- "$@" -run "$docs"
    actual=$(printf "$input" | "$driver" "$@" 2>&1)
    [ "$run" = exe ] && actual=$(printf "$input" | "$app/vd~tmp.exe" 2>&1)
    expected_log=$(printf "$log" | od -c)
    if [ "$(od -c <"$app/errfound.log")" != "$expected_log" ] ||
        { [ -n "$output" ] && ! printf '%s\n' "$actual" | grep -qF -- "$output"; }; then
        echo "FAIL: $name"; od -c "$app/errfound.log"; printf '%s\n' "$actual"
        failures=$((failures + 1))
    else
        echo "PASS: $name"
    fi
done <<TABLE
run with input|hello.bas|Ann\n4\n|yes||4 squared is 16
create exe, then run it|countdown.bas|3\n|exe||3 2 1 lift-off!
syntax error|faulty.bas||yes|9,syntax error\r\n|
project runs in its folder|good.vdp||yes||$docs
error in a project member|faulty.vdp||yes|9,syntax error\r\n$docs/faulty.bas\r\n|
assembly error|asm.vdp||no|3,parser: instruction expected\r\n$docs/bad.asm\r\n|
TABLE
exit $((failures > 0))
