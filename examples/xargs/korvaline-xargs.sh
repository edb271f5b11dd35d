#!/bin/sh
# Sets up every crystal directory of FOLDER, four at a time, on this machine;
# each directory is named after its project (FOLDER/abc holds abc1.001, ...
# and abc1.p4p):
#
#   sh korvaline-xargs.sh FOLDER [OPTION]...
#
# Every OPTION goes to korvaline (a relative file name in one is taken in the
# crystal's directory). Each crystal's console output goes to
# logs/DIRECTORY.log here, not into its directory, which need not be
# writable for the reason to be seen; each crystal that failed is a line of
# failed.txt here: its directory, a tab and the reason. The status is 0 when
# every crystal was set up.
folder=${1:?usage: korvaline-xargs.sh FOLDER [OPTION]...}
shift
mkdir -p logs || exit 1
find "$folder" -mindepth 1 -maxdepth 1 -type d -print0 |
    xargs -0 -P 4 -I '{}' sh -c '
        crystal=$1 project=${1##*/}
        shift
        korvaline -C "$crystal" --project "$project" --yes "$@" </dev/null >"logs/$project.log" 2>&1 ||
            printf "%s\t%s\n" "$crystal" "$(tail -n 1 "logs/$project.log")"' sh '{}' "$@" >failed.txt
[ ! -s failed.txt ]
