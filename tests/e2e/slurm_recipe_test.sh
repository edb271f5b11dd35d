#!/bin/sh
# Runs the Slurm recipe's tasks by hand, as the README says one can: a
# crystal that is set up, a directory that is missing, and one without its
# project. Usage: slurm_recipe_test.sh KORVALINE SCRIPT EXAMPLE_PROJECT
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
        >"$work/out" 2>"$work/err" </dev/null || status=$?
    if [ "$status" -ne "$2" ] || [ "$(cat "$work/err")" != "$3" ]; then
        echo "task $1: status $status, standard error: $(cat "$work/err")" >&2
        failures=$((failures + 1))
    fi
}
expect 1 0 ""
expect 2 1 "korvaline-array: task 2: no directory '$work/gone'"
expect 3 1 "korvaline: no project 'empty' here: empty1.001 does not exist in $work/empty"
[ "$(wc -l <"$work/quartz/saint.ini")" -eq 223 ] || { echo "task 1 wrote no saint.ini" >&2; failures=$((failures + 1)); }
printf '%s\n' "$work/gone" "$work/empty" | cmp -s - "$work/failed.txt" ||
    { echo "failed.txt: $(cat "$work/failed.txt")" >&2; failures=$((failures + 1)); }
echo "slurm recipe: 3 tasks run, $failures checks failed"
[ "$failures" -eq 0 ]
