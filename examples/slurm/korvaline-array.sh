#!/bin/sh
#SBATCH --job-name=korvaline
#SBATCH --time=00:05:00
#SBATCH --mem=64M
# One task a crystal: line SLURM_ARRAY_TASK_ID of crystals.txt names its
# directory, named after its project. A task that fails appends that line to
# failed.txt and ends with status 1.
failed=$PWD/failed.txt
dir=$(sed -n "${SLURM_ARRAY_TASK_ID}p" crystals.txt)
if [ ! -d "$dir" ]; then
    echo "korvaline-array: task $SLURM_ARRAY_TASK_ID: no directory '$dir'" >&2
    echo "$dir" >>"$failed"
    exit 1
fi
cd "$dir" && korvaline --project "$(basename "$dir")" --yes </dev/null && exit 0
echo "$dir" >>"$failed"
exit 1
