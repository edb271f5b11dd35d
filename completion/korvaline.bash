# bash completion for korvaline                            -*- shell-script -*-
# Installed as bash-completion/completions/korvaline, where bash-completion
# finds it the first time korvaline is completed; or source it in ~/.bashrc.

# Whether the option $1 takes the next word as its value.
_korvaline_takes_value() {
    case $1 in
        -p | --project | --p4p | --profile | -C | --directory | -o | --output) return 0 ;;
    esac
    return 1
}

_korvaline() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev='' i
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # bash splits --profile=FILE at the '=' into three words.
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi
    COMPREPLY=()
    # After --, korvaline takes nothing more.
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} == -- ]] && ! _korvaline_takes_value "${COMP_WORDS[i - 1]}"; then
            return 0
        fi
    done
    case $prev in
        -p | --project)
            # The projects here: the names of the first frames, less 1.001.
            local frame
            for frame in "$cur"*1.001; do
                [[ -e $frame ]] && COMPREPLY+=("${frame%1.001}")
            done
            return 0
            ;;
        --p4p | --profile | -o | --output)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return 0
            ;;
        -C | --directory)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return 0
            ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--project --p4p --yes --profile --no-profile
            --directory --output --profile-template --help --version -p -y -C -o -h -V' -- "$cur")
    fi
}

complete -F _korvaline korvaline
