#!/bin/bash
# The bash completion by table: the words after korvaline, the last under the
# cursor (bash splits --opt=VALUE into three words), and what completes it,
# quoted as the shell needs; the names in directories under every
# combination of the globbing options that could change them or print.
# Usage: completion_test.sh COMPLETION KORVALINE
# shellcheck source=../../completion/korvaline.bash
source "$1" && korvaline=$2 && cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD" "$PWD.err"' EXIT
mkdir frames sub sub/inner sub/ver2.100 ./- && touch ./-/dash1.001 abc1.001 ABC1.001 abc1.p4p lab.ini frames.txt "sub/my proj1.001" \
    sub/x.P4P sub/y.INI sub/y.txt sub/x2.017 $'sub/new\nline1.001' sub/inner/in1.001 || exit 1
failures=0
expect() {  # COMPLETIONS WORD...
    local expected=$1 got
    shift
    COMP_WORDS=(korvaline "$@") COMP_CWORD=$#
    _korvaline "$korvaline" 2>"$PWD.err"
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort) && got=${got//$'\n'/ }
    [[ $got == "$expected" && ! -s $PWD.err ]] ||
        { echo "globbing options $options: korvaline $*: '$got', not '$expected'" \
            "$(cat "$PWD.err")" >&2; failures=$((failures + 1)); }
}
expect "--profile --profile-template --project" -y --pro
expect "-p" -p
expect "" abc
expect "" -- --
expect "-y" -p -- -y
expect "--backup --backup=" --ba
expect "never nil none numbered" --backup = n
expect "CR CU" --source C
expect "SCALE_WAVE=" --set SCALE_W
expect "" -S ""
expect "--set --settled" --se
expect "--show-origin" --sh
expect "" --settled ""
expect "-y" --accept frame-gap -y
for options in {0..15}; do
    shopt -u failglob nullglob nocaseglob extglob
    ((options & 1)) && shopt -s failglob
    ((options & 2)) && shopt -s nullglob
    ((options & 4)) && shopt -s nocaseglob
    ((options & 8)) && shopt -s extglob
    expect "abc" --no-profile -p a
    expect "ABC abc" --project =
    expect "-/ abc1.p4p frames/ sub/" --p4p ""
    expect "" --p4p zz
    expect "lab.ini" --profile = la
    expect "-/ abc1.p4p frames.txt frames/ lab.ini sub/" -o fr -C . -o ""
    expect "frames/" --directory = f
    expect "my\ proj" -C sub -p m
    expect "my proj" -C sub -p "'m"
    expect "\$'new\nline'" -C sub -p n
    expect "in" -C sub -C inner -p ""
    expect "dash" -C - -p ""
    expect "inner/ ver2.100/" -C "\$'s\\x75b'" -C ""
    expect "inner/ ver2.100/ x.P4P" -Csub --p4p ""
    expect "inner/ ver2.100/ y.INI" --directory = "\"s\"ub" --profile ""
    expect "inner/ ver2.100/ x.P4P y.INI y.txt" -C sub -o ""
    expect "inner/ ver2.100/" -C s\\ub -C ""
done
[[ $failures == 0 ]]
