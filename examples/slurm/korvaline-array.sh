#!/bin/sh
#SBATCH --job-name=korvaline
#SBATCH --time=00:05:00
#SBATCH --mem=64M
# One task a crystal, as a Slurm job array:
#
#   sbatch --array=1-$(grep -c '' LIST) korvaline-array.sh [LIST [OPTION]...]
#
# Line SLURM_ARRAY_TASK_ID of LIST (crystals.txt when none is given) is
# "DIRECTORY" or "DIRECTORY PROJECT", the project being the directory's last
# component when not given; a relative directory is taken in the directory
# the job was submitted from. The task runs
#
#   korvaline -C DIRECTORY --project PROJECT --yes [OPTION]...
#
# so every OPTION goes to korvaline (a relative file name in one is taken in
# DIRECTORY). The task writes only to its Slurm output, never into the
# crystal's directory, which need not be writable for the reason to be seen.
# A task that fails appends its line of LIST, a tab and the reason to
# failed.txt beside LIST, and ends with a status that is not 0.
list=${1:-crystals.txt}
[ "$#" -gt 0 ] && shift
task=${SLURM_ARRAY_TASK_ID:?is not set: run this script by sbatch --array}
failed=$(dirname -- "$list")/failed.txt
line=

# record REASON STATUS: the task's line and the reason go to failed.txt.
record() {
    printf '%s\t%s\n' "$line" "$1" >>"$failed"
    exit "$2"
}

# give_up REASON: a failure of the task itself, told in its output too.
give_up() {
    printf '%s\n' "$1" >&2
    record "$1" 1
}

[ -r "$list" ] || give_up "korvaline-array: task $task: cannot read the list '$list'"
line=$(sed -n "${task}p" "$list")
read -r directory project extra <<EOF
$line
EOF
[ -n "$directory" ] || give_up "korvaline-array: task $task: line $task of '$list' names no directory"
[ -z "$extra" ] || give_up "korvaline-array: task $task: line $task of '$list' holds more than DIRECTORY PROJECT"
[ -n "$project" ] || project=$(basename -- "$directory")

# korvaline's standard output goes straight to the task's output; its
# standard error is kept, to be shown there too and to give the reason.
exec 3>&1
errors=$(korvaline -C "$directory" --project "$project" --yes "$@" </dev/null 2>&1 >&3 3>&-)
status=$?
exec 3>&-
[ -z "$errors" ] || printf '%s\n' "$errors" >&2
[ "$status" -ne 0 ] || exit 0
# The failure is korvaline's last line, after any notes.
reason=$(printf '%s\n' "$errors" | tail -n 1)
record "${reason:-korvaline-array: task $task: korvaline ended with status $status}" "$status"
