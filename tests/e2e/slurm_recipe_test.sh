#!/bin/sh
# The Slurm script's tasks run by hand, from lists and with options passed
# on: a Cu crystal in a folder not named after its project (with and without
# the project in its line), given the sample
# dual-source profile, a broken one, an unwritable one, a missing one, a
# folder holding blanks (a TAB line and a whole line), an empty line and a
# comment, a crystal with a note written elsewhere by -o, a work directory
# that exists and one that cannot be made, a line past the list's end, a
# CR LF list, a wrong option, a failed.txt that is a symbolic link, the
# default list, a collection still being written (--settled), a line with blanks that names no directory, a line holding
# an escape, and a korvaline killed after a note; then the xargs recipe
# on a folder (a crystal not named after its project in it), on a link to
# it, on a missing one, on one whose entries are a link loop, a name with
# a line feed and a name too long for its log, and on the folder it runs
# in. Each record's time and job are checked and then left out. As root,
# all runs as nobody, from copies here, so that permissions count, but for
# one task and one xargs run as root, whose work directories must be their
# crystal's owner's.
# Usage: slurm_recipe_test.sh KORVALINE SCRIPT PROJECT
# shellcheck disable=SC2015 # "test && test || fail" runs fail when a test fails
set -u
korvaline=$1 script=$2 example=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/korvaline-slurm.XXXXXX") || exit 1
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
started=$(date -u +%Y-%m-%dT%H:%M:%SZ)
mkdir -p "$work/bin" "$work/empty" "$work/lists" "$work/links" "$work/Alice Smith" "$work/folder/gap" "$work/x" "$work/dot"
cp "$korvaline" "$script" "$(dirname "$script")/../xargs/korvaline-xargs.sh" "$work/bin/"
for crystal in 2026-12-07_alice quartz locked "Alice Smith/mo02" "Alice Smith/quartz" worked workless \
    "folder/2026-12-08 bob" rooted dot/quartz; do
    cp -R "$example" "$work/$crystal"
done
for file in "$example"/quartz*; do
    file=${file##*/quartz} && [ "$file" = 1.005 ] || cp "$example/quartz$file" "$work/folder/gap/gap$file"
done
mkdir "$work/worked/work" && touch "$work/worked/work/keep" "$work/workless/work" "$work/target" "$work/folder/gap/saint.ini"
ln -s ../target "$work/links/failed.txt"
echo gone >"$work/links/list.txt"
sed -i 's/^SOURCE .*/SOURCE  CU  1.54184/' "$work/2026-12-07_alice/quartz1.p4p"
{ cat "$(dirname "$script")/../profiles/dual-source.ini"; printf '[SAINT]\nNROWS=1024\n'; } >"$work/lab.ini"
printf '%s\n' "$work/2026-12-07_alice quartz" "$work/empty" "$work/locked quartz" gone \
    "$work/Alice Smith/mo02	quartz" "$work/Alice Smith/quartz" "" "  # not yet" "$work/folder/gap" \
    "$work/worked quartz" "$work/workless quartz" "$work/2026-12-07_alice" "$work/Alice Smith/mo2" \
    "$(printf 'gone\033[31m')" rooted >"$work/lists/cu.txt"
printf '%s\r\n' quartz gone >"$work/lists/crlf.txt"
echo quartz >"$work/crystals.txt"
as_user=
if [ "$(id -u)" -eq 0 ]; then
    chown -R 65534:65534 "$work"
    as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
chmod a-w "$work/locked"

failures=0 newline='
'
fail() {
    echo "$*" >&2
    failures=$((failures + 1))
}
# records FILE: FILE's records without their time, each checked to be one
# taken during this test; a job that is a process id is shown as PID when
# it is the same in every record.
records() {
    awk -F '\t' -v from="$started" -v to="$(date -u +%Y-%m-%dT%H:%M:%SZ)" '
        $1 !~ /^[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]T[0-2][0-9]:[0-5][0-9]:[0-5][0-9]Z$/ ||
            $1 < from || $1 > to { print "no time of this test: " $0; next }
        $2 ~ /^[0-9]+$/ && (pid == "" || pid == $2) { pid = $2; sub(/^[^\t]*\t[^\t]*/, "x\tPID") }
        { sub(/^[^\t]*\t/, ""); print }' "$1"
}
# expect TASK STATUS STANDARD-ERROR [ARGUMENT]...: a failure's record is the
# job, the list's line and the first line of standard error.
expect() {
    task=$1 expected=$2 errors=$3 status=0
    shift 3
    (cd "$work" && SLURM_ARRAY_JOB_ID=92000 SLURM_ARRAY_TASK_ID=$task PATH="$work/bin:$PATH" HOME="$work" \
        $as_user env -u XDG_CONFIG_HOME -u KORVALINE_PROFILE KORVALINE_SITE_PROFILE= sh bin/korvaline-array.sh "$@") \
        >/dev/null 2>"$work/err" </dev/null || status=$?
    [ "$status" -eq "$expected" ] && [ "$(cat "$work/err")" = "$errors" ] ||
        fail "task $task of ${1-}: status $status, standard error: $(cat "$work/err")"
    [ "$expected" -eq 0 ] || printf '92000_%s\t%s\t%s\n' "$task" "$(sed -n "${task}p" "$work/$1" | tr -d '\r' | sed 's/\t/\\t/g; s/\x1b/\\x1b/g')" \
        "${errors%%"$newline"*}" >>"$work/${1%/*}/failed.expected"
}
expect 1 0 "" lists/cu.txt --profile "$work/lab.ini"
expect 2 1 "korvaline: no project here: no file NAME1.001 in $work/empty" lists/cu.txt
expect 3 1 "korvaline: cannot create a temporary file beside $work/locked/saint.ini: Permission denied" \
    lists/cu.txt
expect 4 1 "korvaline: cannot enter directory 'gone': No such file or directory" lists/cu.txt
touch -d '2 hours ago' "$work/Alice Smith/mo02"/* && touch "$work/Alice Smith/mo02/quartz2.010"
expect 5 1 "korvaline: $work/Alice Smith/mo02/quartz2.010 was written less than a minute ago; the collection may still be running (--settled=10)" \
    lists/cu.txt --settled=10
for task in 5 6 7 8; do expect $task 0 "" lists/cu.txt; done
gap_note="korvaline: note: run 1 stops at frame 4: gap1.005 is missing but gap1.006 exists [frame-gap]"
expect 9 0 "$gap_note" lists/cu.txt -o gap.ini
expect 10 0 "" lists/cu.txt
expect 11 1 "korvaline-array: task 11: cannot make $work/workless/work: File exists" lists/cu.txt
expect 12 0 "" lists/cu.txt --profile "$work/lab.ini"
expect 13 1 "korvaline-array: task 13: no directory '$work/Alice Smith/mo2'" lists/cu.txt
expect 14 1 "korvaline: cannot enter directory 'gone\x1b[31m': No such file or directory" lists/cu.txt
user=$as_user as_user=
expect 15 0 "" lists/cu.txt
as_user=$user
[ "$(ls -dn "$work/rooted/work" | cut -d' ' -f3-4)" = "$(ls -dn "$work/rooted" | cut -d' ' -f3-4)" ] ||
    fail "a work directory made as root is not its crystal owner's"
expect 16 1 "korvaline-array: task 16: the list 'lists/cu.txt' has no line 16" lists/cu.txt
expect 1 2 "korvaline: unknown option '--bogus'
Try 'korvaline --help' for more information." lists/cu.txt --bogus
expect 2 1 "korvaline: cannot enter directory 'gone': No such file or directory" lists/crlf.txt
expect 1 0 "" lists/crlf.txt
expect 1 1 "korvaline-array: task 1: links/failed.txt is a symbolic link: no record is written to it" links/list.txt
expect 1 0 ""
# A korvaline ended by a signal (a time limit, say) after a note: the note is
# no reason.
mkdir "$work/killed" && printf '#!/bin/sh\necho "korvaline: note: x" >&2\nkill -9 $$\n' >"$work/killed/korvaline" &&
    chmod 777 "$work/killed" "$work/killed/korvaline" && printf 'quartz\n' >"$work/killed/list.txt"
(cd "$work" && SLURM_ARRAY_JOB_ID=7 SLURM_ARRAY_TASK_ID=1 PATH="$work/killed:$PATH" $as_user sh bin/korvaline-array.sh killed/list.txt) \
    >/dev/null 2>&1 </dev/null
[ "$(records "$work/killed/failed.txt")" = "7_1	quartz	korvaline-array: task 1: korvaline ended with status 137" ] ||
    fail "a killed task's reason: $(cat "$work/killed/failed.txt")"
for file in 2026-12-07_alice/saint.ini "Alice Smith/mo02/work" "Alice Smith/quartz/work" quartz/work \
    worked/work/keep folder/gap/gap.ini; do
    [ -e "$work/$file" ] || fail "$file missing"
done
[ ! -e "$work/folder/gap/work" ] && [ ! -s "$work/target" ] || fail "work made for -o, or target written"
grep -qx NROWS=1024 "$work/2026-12-07_alice/saint.ini" && grep -qx SCALE_WAVE=1.54184 "$work/2026-12-07_alice/saint.ini" ||
    fail "saint.ini of task 1 without the profile's values"
records "$work/lists/failed.txt" | diff "$work/lists/failed.expected" - >&2 || fail "lists/failed.txt wrong"
[ "$(records "$work/lists/notes.txt")" = "92000_9	$work/folder/gap	$gap_note" ] || fail "lists/notes.txt wrong"

# xrun STATUS FOLDER [DIRECTORY]: the xargs recipe run in DIRECTORY (x/) on
# FOLDER.
xrun() {
    status=0
    (cd "$work/${3:-x}" && PATH="$work/bin:$PATH" HOME="$work" $as_user env -u XDG_CONFIG_HOME -u KORVALINE_PROFILE \
        KORVALINE_SITE_PROFILE= sh ../bin/korvaline-xargs.sh "$2") >/dev/null 2>&1 </dev/null || status=$?
    [ "$status" -eq "$1" ] || fail "korvaline-xargs.sh $2: status $status"
}
xrun 0 ../folder
[ -d "$work/folder/gap/work" ] && [ -d "$work/folder/2026-12-08 bob/work" ] && [ ! -s "$work/x/failed.txt" ] &&
    [ "$(records "$work/x/notes.txt")" = "PID	../folder/gap	$gap_note" ] || fail "korvaline-xargs.sh ../folder: wrong records"
ln -s folder "$work/folder-link"
xrun 0 ../folder-link
[ "$(records "$work/x/notes.txt")" = "PID	../folder-link/gap	$gap_note" ] || fail "korvaline-xargs.sh: a linked folder not followed"
xrun 1 "$work/nowhere"
[ "$(records "$work/x/failed.txt")" = "PID	$work/nowhere	korvaline-xargs: cannot list $work/nowhere: No such file or directory" ] &&
    [ ! -s "$work/x/notes.txt" ] ||
    fail "korvaline-xargs.sh: failed.txt wrong: $(cat "$work/x/failed.txt")"
long=$(printf '%0253d' 0) evil=$(printf 'evil\nforged\tkorvaline: cannot replace saint.ini')
mkdir "$work/bad" "$work/bad/$long" "$work/bad/$evil" && ln -s loop "$work/bad/loop" && touch "$work/bad/file" &&
    chmod -R a+w "$work/bad"
xrun 1 ../bad
records "$work/x/failed.txt" | sort >"$work/x/failed.sorted"
printf 'PID\t../bad/%s\t%s\n' "$long" "korvaline-xargs: cannot write logs/$long.log: File name too long" \
    'evil\nforged\tkorvaline: cannot replace saint.ini' \
    "korvaline: no project here: no file NAME1.001 in $work/bad/evil\\nforged\\tkorvaline: cannot replace saint.ini" \
    loop 'korvaline-xargs: cannot follow ../bad/loop: Too many levels of symbolic links' | sort |
    diff - "$work/x/failed.sorted" >&2 || fail "korvaline-xargs.sh ../bad: wrong records"
# Run on the folder it is run in, as root where the test is, its logs are no crystal.
as_user=
xrun 0 . dot
[ "$(ls -dn "$work/dot/quartz/work" | cut -d' ' -f3-4)" = "$(ls -dn "$work/dot/quartz" | cut -d' ' -f3-4)" ] ||
    fail "korvaline-xargs.sh .: the work directory is not its crystal owner's"
[ "$failures" -eq 0 ]
