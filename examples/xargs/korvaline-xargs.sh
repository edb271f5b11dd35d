#!/bin/sh
# Sets up every crystal directory of FOLDER, four at a time, on this machine;
# each directory holds one project (FOLDER/2026-12-07_alice holds abc1.001,
# ... and abc1.p4p), which korvaline finds by --find-project:
#
#   sh korvaline-xargs.sh FOLDER [OPTION]...
#
# Every OPTION goes to korvaline (a relative file name in one is taken in the
# crystal's directory). Each crystal's console output goes to
# logs/DIRECTORY.log here, not into its directory, which need not be
# writable for the reason to be seen; when korvaline wrote saint.ini in the
# crystal's directory, its work directory, where saint writes, is made (run
# as root, with the owner and group of the crystal's directory). Entries of
# FOLDER that are no directory, and this script's own logs/ (when FOLDER is
# the directory it runs in), are passed over; a symbolic link that cannot be
# followed (a loop) is recorded as failed, by its name.
#
# Records are appended here in one write, and only to a regular file; each
# is one line of four TAB-separated fields: the time (UTC, such as
# 2026-12-08T02:00:00Z), the job (this script's process id, the same for
# one run), a crystal's directory (or FOLDER) and a text, control characters
# in the last two escaped as korvaline escapes them (\n, \t, \x1b). failed.txt
# holds the reason of each crystal that failed, or of a FOLDER that cannot
# be listed, notes.txt each note of korvaline's (korvaline: note: ...);
# both start empty. The status is 0 when every crystal was set up, else 1.
#
# Run each night over crystals still being measured, give --settled=MINUTES
# (--settled=30, say): a crystal whose P4P file or last frame of a run was
# written less than MINUTES minutes ago fails, saying so, and is set up on a
# later night.
#
# Each crystal is set up by this script again, as
#   sh korvaline-xargs.sh --one-crystal JOB DIRECTORY [OPTION]...

# appendable FILE: FILE is a regular file or none, so that a record goes
# into it and not through it; otherwise this fails, saying why.
appendable() {
    if [ -L "$1" ]; then
        set -- "$1" 'is a symbolic link'
    elif [ -e "$1" ] && [ ! -f "$1" ]; then
        set -- "$1" 'is not a regular file'
    else
        return 0
    fi
    printf 'korvaline-xargs: %s %s: no record is written to it\n' "$1" "$2" >&2
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

# append FILE WHAT TEXT: the time, the job, WHAT and TEXT, in one write.
append() {
    appendable "$1"
    printf '%s\t%s\t%s\t%s\n' "$(date -u +%Y-%m-%dT%H:%M:%SZ)" "$job" "$(escaped "$2")" \
        "$(escaped "$3")" >>"$1"
}

# give_up WHAT REASON: a failure of this script's own, told on its standard
# error too.
give_up() {
    printf '%s\n' "$(escaped "$2")" >&2
    append failed.txt "$1" "$2"
    exit 1
}

# Kept as in korvaline-array.sh, which has the same reading of the options: each
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

# owner_of DIRECTORY: its owner and group, as numbers, as chown takes them.
owner_of() {
    ls -dn -- "$1/." | {
        read -r _ _ uid gid _ && printf '%s:%s' "$uid" "$gid"
    }
}

# make_work CRYSTAL WORK: the work directory made; run as root, it is the
# crystal owner's, so that saint run by that user can write in it.
make_work() {
    mkdir -- "$2" || return 1
    [ "$(id -u)" -eq 0 ] || return 0
    chown -- "$(owner_of "$1")" "$2"
}

# passed_over DIRECTORY: whether the entry is no crystal: not a directory,
# or this script's own logs. A link that cannot be followed for another
# reason than a missing target is recorded as failed.
passed_over() {
    [ -d "$1" ] || {
        [ -L "$1" ] && [ ! -e "$1" ] || return 0
        problem=$(LC_ALL=C ls -dL -- "$1" 2>&1)
        [ "${problem##*: }" != 'No such file or directory' ] || return 0
        give_up "$1" "korvaline-xargs: cannot follow $1: ${problem##*: }"
    }
    [ "$1" -ef logs ]
}

# one_crystal JOB DIRECTORY OPTION...: one crystal set up, its notes and its
# failure recorded.
one_crystal() {
    job=$1 crystal=$2
    shift 2
    ! passed_over "$crystal" || exit 0
    log=logs/${crystal##*/}.log
    # A log that cannot be made (a name too long for one) stops the crystal
    # before korvaline runs, and that is its reason.
    problem=$({ : >"$log"; } 2>&1) ||
        give_up "$crystal" "korvaline-xargs: cannot write $log: ${problem##*: }"
    work=
    writes_saint_ini_here "$@" && work=$crystal/work
    korvaline -C "$crystal" --find-project --yes "$@" </dev/null >"$log" 2>&1
    status=$?
    notes=$(grep '^korvaline: note: ' "$log")
    while IFS= read -r note; do
        [ -z "$note" ] || append notes.txt "$crystal" "$note" || status=1
    done <<EOF
$notes
EOF
    if [ "$status" -eq 0 ]; then
        [ -n "$work" ] && [ -f "$crystal/saint.ini" ] && [ ! -d "$work" ] || exit 0
        problem=$(make_work "$crystal" "$work" 2>&1) && exit 0
        give_up "$crystal" "korvaline-xargs: cannot make $work: ${problem##*: }"
    fi
    # The failure is korvaline's line naming it: its last line that is no
    # note (the hint after a wrong option is not one of its lines). A run
    # ended by a signal may have none.
    reason=$(grep '^korvaline: ' "$log" | grep -v '^korvaline: note: ' | tail -n 1)
    append failed.txt "$crystal" "${reason:-korvaline ended with status $status}"
    exit 1
}

if [ "${1-}" = --one-crystal ]; then
    shift
    one_crystal "$@"
fi
job=$$
folder=${1:?usage: korvaline-xargs.sh FOLDER [OPTION]...}
shift
appendable failed.txt
appendable notes.txt
: >failed.txt && : >notes.txt && mkdir -p logs || exit 1
[ ! -e "$folder" ] || [ -d "$folder" ] ||
    give_up "$folder" "korvaline-xargs: cannot list $folder: Not a directory"
{
    # -H: a FOLDER may be a symbolic link to a directory; a crystal in it
    # may be one too, which is followed when it is set up.
    problem=$(find -H "$folder" -mindepth 1 -maxdepth 1 -print0 2>&1 >&3 3>&-) ||
        give_up "$folder" "korvaline-xargs: cannot list $folder: ${problem##*: }"
} 3>&1 | xargs -0 -P 4 -I '{}' sh "$0" --one-crystal "$job" '{}' "$@" || exit 1
[ ! -s failed.txt ]
