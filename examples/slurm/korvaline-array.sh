#!/bin/sh
#SBATCH --job-name=korvaline
#SBATCH --time=00:05:00
#SBATCH --mem=64M
# One task a crystal, as a Slurm job array:
#
#   sbatch --array=1-$(grep -c '' LIST) korvaline-array.sh [LIST [OPTION]...]
#
# Line SLURM_ARRAY_TASK_ID of LIST (crystals.txt when none is given) names a
# crystal, read in this order:
#   DIRECTORY<TAB>PROJECT   blanks belong to the directory; PROJECT may be empty
#   DIRECTORY               the whole line, when it names a directory
#   DIRECTORY PROJECT       separated by blanks, PROJECT optional
# Without PROJECT, korvaline takes the directory's one project. A CR at the
# line's end is dropped. An empty line, a line of blanks and a comment
# (its first character that is not a blank is #) are no crystal: the task
# says so and ends with status 0. A relative directory is taken in the
# directory the job was submitted from. The task runs
#
#   korvaline -C DIRECTORY --project PROJECT --yes [OPTION]...
#
# (--find-project in place of --project PROJECT without PROJECT), so every
# OPTION goes to korvaline (a relative file name in one is taken in
# DIRECTORY), and when that wrote DIRECTORY/saint.ini, makes DIRECTORY/work,
# where saint writes (run as root, with the owner and group of DIRECTORY);
# nothing is written into the crystal's directory before. A line holding
# blanks that names no directory, whole or split at its first blanks, fails
# with the reason "no directory 'LINE'". Beside LIST, a task appends records
# in one write, and only to a regular file or a new one; each is one line
# of four TAB-separated fields: the time (UTC, such as 2026-12-08T02:00:00Z),
# the job (SLURM_ARRAY_JOB_ID_SLURM_ARRAY_TASK_ID, such as 92000_2), the
# task's line of LIST and a text, control characters in the last two escaped
# as korvaline escapes them (\n, \t, \x1b):
#   failed.txt  the reason of a task that failed (its status is not 0);
#   notes.txt   each note of korvaline's (korvaline: note: ...).
# Run each night over crystals still being measured, give --settled=MINUTES
# (--settled=30, say): a crystal whose P4P file or last frame of a run was
# written less than MINUTES minutes ago fails, saying so, and is set up on a
# later night.
list=${1:-crystals.txt}
[ "$#" -gt 0 ] && shift
task=${SLURM_ARRAY_TASK_ID:?is not set: run this script by sbatch --array}
job=${SLURM_ARRAY_JOB_ID:?is not set: run this script by sbatch --array}_$task
failed=$(dirname -- "$list")/failed.txt
notes=$(dirname -- "$list")/notes.txt
tab=$(printf '\t')
cr=$(printf '\r')
line=

# appendable FILE: FILE is a regular file or none, so that a record goes
# into it and not through it; otherwise the task fails, saying why.
appendable() {
    if [ -L "$1" ]; then
        set -- "$1" 'is a symbolic link'
    elif [ -e "$1" ] && [ ! -f "$1" ]; then
        set -- "$1" 'is not a regular file'
    else
        return 0
    fi
    printf 'korvaline-array: task %s: %s %s: no record is written to it\n' "$task" "$1" "$2" >&2
    exit 1
}

# escaped TEXT: TEXT with its control characters escaped as korvaline
# escapes them in its messages, so that a record stays one line of fields.
escaped() {
    printf '%s\n' "$1" | LC_ALL=C awk '
        BEGIN {
            for (i = 1; i < 32; i++) code[sprintf("%c", i)] = sprintf("\\x%02x", i)
            code["\t"] = "\\t"; code["\r"] = "\\r"; code[sprintf("%c", 127)] = "\\x7f"
        }
        NR > 1 { printf "\\n" }
        {
            for (i = 1; i <= length($0); i++) {
                c = substr($0, i, 1)
                printf "%s", (c in code) ? code[c] : c
            }
        }'
}

# append FILE TEXT: the time, the job, the task's line and TEXT, in one write.
append() {
    appendable "$1"
    printf '%s\t%s\t%s\t%s\n' "$(date -u +%Y-%m-%dT%H:%M:%SZ)" "$job" "$(escaped "$line")" \
        "$(escaped "$2")" >>"$1"
}

# record REASON STATUS: the task's line and the reason go to failed.txt.
record() {
    append "$failed" "$1"
    exit "$2"
}

# give_up REASON: a failure of the task itself, told in its output too.
give_up() {
    printf '%s\n' "$(escaped "$1")" >&2
    record "$1" 1
}

# Kept as in korvaline-xargs.sh, which has the same reading of the options: each
# recipe is one file that a user copies alone, and sbatch runs a copy from its
# spool, beside which nothing could be sourced.
# writes_saint_ini_here OPTION...: whether korvaline, given these options on
# top of -C DIRECTORY and having succeeded, wrote DIRECTORY/saint.ini: not
# with -o or -C, which send it elsewhere, nor with an option that only
# prints. A value, in the same word or the next, is skipped.
writes_saint_ini_here() {
    while [ "$#" -gt 0 ]; do
        word=$1
        shift
        case $word in
        --) return 0 ;;
        --profile-*) return 1 ;;
        --*)
            name=${word%%=*}
            name=${name#--}
            for option in output directory help version show-origin; do
                case $option in "$name"*) return 1 ;; esac
            done
            [ "$name" = "${word#--}" ] || continue
            for option in project p4p profile set source suffix accept settled; do
                case $option in "$name"*) [ "$#" -eq 0 ] || shift && break ;; esac
            done
            ;;
        -?*)
            letters=${word#-}
            while [ -n "$letters" ]; do
                case $letters in
                [oChV]*) return 1 ;;
                [pS]) [ "$#" -eq 0 ] || shift ;;
                esac
                case $letters in [pS]*) break ;; esac
                letters=${letters#?}
            done
            ;;
        esac
    done
    return 0
}

# make_work WORK: the work directory made; run as root, it is the owner's
# of the crystal's directory, so that saint run by that user can write in it.
make_work() {
    mkdir -- "$1" || return 1
    [ "$(id -u)" -eq 0 ] || return 0
    chown -- "$(ls -dn -- "$directory/." | {
        read -r _ _ uid gid _ && printf '%s:%s' "$uid" "$gid"
    })" "$1"
}

appendable "$failed"
appendable "$notes"
case $task in
'' | *[!0-9]* | 0*) give_up "korvaline-array: task '$task' is not a line number" ;;
esac
{ [ -r "$list" ] && [ ! -d "$list" ]; } || give_up "korvaline-array: task $task: cannot read the list '$list'"
[ "$(sed -n "\$=" "$list")" -ge "$task" ] 2>/dev/null ||
    give_up "korvaline-array: task $task: the list '$list' has no line $task"
line=$(sed -n "${task}{p;q;}" "$list")
line=${line%"$cr"}

blanks_before=${line%%[! "$tab"]*}
case ${line#"$blanks_before"} in
'' | '#'*)
    printf 'korvaline-array: task %s: line %s of %s is no crystal: nothing to do\n' "$task" "$task" "$list"
    exit 0
    ;;
esac
case $line in
*"$tab"*)
    directory=${line%%"$tab"*} project=${line#*"$tab"}
    case $project in
    *"$tab"*) give_up "korvaline-array: task $task: line $task of '$list' holds more than DIRECTORY<TAB>PROJECT" ;;
    esac
    ;;
*)
    directory=$line project='' extra=''
    [ -d "$line" ] || read -r directory project extra <<EOF
$line
EOF
    # A typo in a folder with blanks is told by the whole line, not by the
    # part before its first blank.
    case $line in
    *' '*) [ -d "$line" ] || [ -d "$directory" ] || give_up "korvaline-array: task $task: no directory '$line'" ;;
    esac
    [ -z "$extra" ] || give_up "korvaline-array: task $task: line $task of '$list' holds more than DIRECTORY PROJECT"
    ;;
esac
[ -n "$directory" ] || give_up "korvaline-array: task $task: line $task of '$list' names no directory"
work=
writes_saint_ini_here "$@" && work=$directory/work
if [ -n "$project" ]; then
    set -- --project "$project" --yes "$@"
else
    set -- --find-project --yes "$@"
fi

# korvaline's standard output goes straight to the task's output; its
# standard error is kept, to be shown there too and to give the notes and
# the reason.
exec 3>&1
errors=$(korvaline -C "$directory" "$@" </dev/null 2>&1 >&3 3>&-)
status=$?
exec 3>&-
[ -z "$errors" ] || printf '%s\n' "$errors" >&2
while IFS= read -r note; do
    case $note in
    'korvaline: note: '*) append "$notes" "$note" || status=1 ;;
    esac
done <<EOF
$errors
EOF
if [ "$status" -eq 0 ]; then
    [ -n "$work" ] && [ -f "$directory/saint.ini" ] && [ ! -d "$work" ] || exit 0
    problem=$(make_work "$work" 2>&1) && exit 0
    give_up "korvaline-array: task $task: cannot make $work: ${problem##*: }"
fi
# The failure is korvaline's line naming it: its last line that is no note
# (the hint after a wrong option is not one of its lines). A run ended by a
# signal may have none.
reason=$(printf '%s\n' "$errors" | grep '^korvaline: ' | grep -v '^korvaline: note: ' | tail -n 1)
record "${reason:-korvaline-array: task $task: korvaline ended with status $status}" "$status"
