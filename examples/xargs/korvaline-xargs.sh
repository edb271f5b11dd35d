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
# crystal's directory, its work directory, where saint writes, is made.
# Records, each a crystal's directory (or FOLDER), a tab and a text, are
# appended here in one write, and only to a regular file: failed.txt holds
# the reason of each crystal that failed, or of a FOLDER that cannot be
# listed, notes.txt each note of korvaline's (korvaline: note: ...); both
# start empty. The status is 0 when every crystal was set up, else 1.
#
# Each crystal is set up by this script again, as
#   sh korvaline-xargs.sh --one-crystal DIRECTORY [OPTION]...

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

# append FILE WHAT TEXT: WHAT, a tab and TEXT, in one write.
append() {
    appendable "$1"
    printf '%s\t%s\n' "$2" "$3" >>"$1"
}

# give_up WHAT REASON: a failure of this script's own, told on its standard
# error too.
give_up() {
    printf '%s\n' "$2" >&2
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
            for option in output directory help version; do
                case $option in "$name"*) return 1 ;; esac
            done
            [ "$name" = "${word#--}" ] || continue
            for option in project p4p profile set source suffix; do
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

# one_crystal DIRECTORY OPTION...: one crystal set up, its notes and its
# failure recorded.
one_crystal() {
    crystal=$1
    shift
    log=logs/${crystal##*/}.log
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
        problem=$(mkdir -- "$work" 2>&1) && exit 0
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
folder=${1:?usage: korvaline-xargs.sh FOLDER [OPTION]...}
shift
appendable failed.txt
appendable notes.txt
: >failed.txt && : >notes.txt && mkdir -p logs || exit 1
[ ! -e "$folder" ] || [ -d "$folder" ] ||
    give_up "$folder" "korvaline-xargs: cannot list $folder: Not a directory"
{
    # -L: a FOLDER, or a crystal in it, may be a symbolic link to a directory.
    problem=$(find -L "$folder" -mindepth 1 -maxdepth 1 -type d -print0 2>&1 >&3 3>&-) ||
        give_up "$folder" "korvaline-xargs: cannot list $folder: ${problem##*: }"
} 3>&1 | xargs -0 -P 4 -I '{}' sh "$0" --one-crystal '{}' "$@" || exit 1
[ ! -s failed.txt ]
