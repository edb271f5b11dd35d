#!/bin/sh
# The Slurm script's tasks run by hand, from a list and with an option passed
# on: a Cu crystal in a folder not named after its project, given the sample
# dual-source profile, a broken one, an
# unwritable one, a missing one, a line past the list's end, and the default
# list. As root, the tasks run as nobody, so that permissions count, on
# copies of the program and the script: the checkout may be closed to nobody.
# Usage: slurm_recipe_test.sh KORVALINE SCRIPT PROJECT
set -u
korvaline=$1 script=$2 example=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/korvaline-slurm.XXXXXX") || exit 1
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/empty" "$work/lists"
cp "$korvaline" "$work/bin/korvaline"
cp "$script" "$work/korvaline-array.sh"
cp -R "$example" "$work/2026-12-07_alice"
cp -R "$example" "$work/quartz"
cp -R "$example" "$work/locked"
sed -i 's/^SOURCE .*/SOURCE  CU  1.54184/' "$work/2026-12-07_alice/quartz1.p4p"
{ cat "$(dirname "$script")/../profiles/dual-source.ini"; printf '[SAINT]\nNROWS=1024\n'; } >"$work/lab.ini"
printf '%s\n' "$work/2026-12-07_alice quartz" "$work/empty" "$work/locked quartz" gone >"$work/lists/cu.txt"
echo quartz >"$work/crystals.txt"
as_user=
if [ "$(id -u)" -eq 0 ]; then
    chown -R 65534:65534 "$work"
    as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
chmod a-w "$work/locked"

failures=0
expect() {  # TASK STATUS STANDARD-ERROR [ARGUMENT]...
    task=$1 expected=$2 errors=$3 status=0
    shift 3
    (cd "$work" && SLURM_ARRAY_TASK_ID=$task PATH="$work/bin:$PATH" HOME="$work" \
        $as_user env -u XDG_CONFIG_HOME -u KORVALINE_PROFILE KORVALINE_SITE_PROFILE= sh "$work/korvaline-array.sh" "$@") \
        >/dev/null 2>"$work/err" </dev/null || status=$?
    if [ "$status" -ne "$expected" ] || [ "$(cat "$work/err")" != "$errors" ]; then
        echo "task $task: status $status, standard error: $(cat "$work/err")" >&2
        failures=$((failures + 1))
    fi
    [ "$expected" -eq 0 ] ||
        printf '%s\t%s\n' "$(sed -n "${task}p" "$work/lists/cu.txt")" "$errors" >>"$work/failed-expected"
}
expect 1 0 "" lists/cu.txt --profile "$work/lab.ini"
expect 2 1 "korvaline: no project 'empty' here: empty1.001 does not exist in $work/empty" lists/cu.txt
expect 3 1 "korvaline: cannot create a temporary file beside $work/locked/saint.ini: Permission denied" \
    lists/cu.txt
expect 4 1 "korvaline: cannot enter directory 'gone': No such file or directory" lists/cu.txt
expect 5 1 "korvaline-array: task 5: line 5 of 'lists/cu.txt' names no directory" lists/cu.txt
expect 1 0 ""
{ grep -qx NROWS=1024 "$work/2026-12-07_alice/saint.ini" &&
    grep -qx SCALE_WAVE=1.54184 "$work/2026-12-07_alice/saint.ini" && [ -f "$work/quartz/saint.ini" ]; } ||
    { echo "saint.ini of task 1 missing or without the profile's values" >&2; failures=$((failures + 1)); }
cmp -s "$work/failed-expected" "$work/lists/failed.txt" ||
    { echo "lists/failed.txt wrong: $(cat "$work/lists/failed.txt")" >&2; failures=$((failures + 1)); }
[ "$failures" -eq 0 ]
