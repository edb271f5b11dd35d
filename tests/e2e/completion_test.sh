#!/bin/bash
# The bash completion, by table: the words typed after korvaline, the last
# one under the cursor, and what completes it (sorted), in a directory of a
# project abc, a P4P file, a profile, a directory and a file beside it.
# Usage: completion_test.sh COMPLETION-FILE
# shellcheck source=../../completion/korvaline.bash
source "$1" || exit 1
work=$(mktemp -d "${TMPDIR:-/tmp}/korvaline-completion.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" && touch abc1.001 abc1.p4p lab.ini frames.txt && mkdir frames || exit 1

failures=0
expect() {  # COMPLETIONS WORD...
    local expected=$1 got
    shift
    COMP_WORDS=(korvaline "$@")
    COMP_CWORD=$#
    _korvaline korvaline "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
    if [[ $got != "$expected" ]]; then
        echo "korvaline $*: '$got', not '$expected'" >&2
        failures=$((failures + 1))
    fi
}
expect "--profile --profile-template --project" --pro
expect "--directory" -y --d
expect "-p" -y -p
expect "" abc
expect "" -- --
expect "" -p abc -- -
expect "-y" -p -- -y
expect "abc" --no-profile -p a
expect "abc" --project =
expect "abc1.p4p" --p4p abc1.p
expect "lab.ini" --profile = la
expect "frames frames.txt" -o fr
expect "frames" -o x -C fr
expect "frames" --directory = f
((failures == 0))
