#!/bin/sh
# The Slurm recipe's tasks run by hand: a crystal set up, a directory missing,
# one without its project. Usage: slurm_recipe_test.sh KORVALINE SCRIPT PROJECT
set -u
korvaline=$1 script=$2 example=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/korvaline-slurm.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/empty"
ln -s "$korvaline" "$work/bin/korvaline"
cp -R "$example" "$work/quartz"
printf '%s\n' "$work/quartz" "$work/gone" "$work/empty" >"$work/crystals.txt"

failures=0
expect() {  # TASK STATUS STANDARD-ERROR
    status=0
    (cd "$work" && SLURM_ARRAY_TASK_ID=$1 PATH="$work/bin:$PATH" sh "$script") \
        >/dev/null 2>"$work/err" </dev/null || status=$?
    if [ "$status" -ne "$2" ] || [ "$(cat "$work/err")" != "$3" ]; then
        echo "task $1: status $status, standard error: $(cat "$work/err")" >&2
        failures=$((failures + 1))
    fi
}
expect 1 0 ""
expect 2 1 "korvaline-array: task 2: no directory '$work/gone'"
expect 3 1 "korvaline: no project 'empty' here: empty1.001 does not exist in $work/empty"
[ -f "$work/quartz/saint.ini" ] && printf '%s\n' "$work/gone" "$work/empty" | cmp -s - "$work/failed.txt" ||
    { echo "saint.ini of task 1, or failed.txt wrong" >&2; failures=$((failures + 1)); }
[ "$failures" -eq 0 ]
