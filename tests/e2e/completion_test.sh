#!/bin/bash
# The bash completion by table: the words after korvaline, the last under the
# cursor (bash splits --opt=VALUE into three words), and what completes it.
# shellcheck source=../../completion/korvaline.bash
source "$1" && cd "$(mktemp -d)" && touch abc1.001 abc1.p4p lab.ini frames.txt && mkdir frames || exit 1
trap 'rm -rf "$PWD"' EXIT
failures=0
expect() {  # COMPLETIONS WORD...
    local expected=$1 got
    shift
    COMP_WORDS=(korvaline "$@") COMP_CWORD=$#
    _korvaline
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
    [[ $got == "$expected" ]] || { echo "korvaline $*: '$got', not '$expected'" >&2; failures=$((failures + 1)); }
}
expect "--profile --profile-template --project" -y --pro
expect "-p" -p
expect "" abc
expect "" -- --
expect "-y" -p -- -y
expect "abc" --no-profile -p a
expect "abc" --project =
expect "abc1.p4p" --p4p abc1.p
expect "lab.ini" --profile = la
expect "frames frames.txt" -o fr
expect "frames" --directory = f
[[ $failures == 0 ]]
