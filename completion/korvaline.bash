# bash completion for korvaline                            -*- shell-script -*-
# Installed as bash-completion/completions/korvaline, where bash-completion
# finds it the first time korvaline is completed; or source it in ~/.bashrc.

# Whether the option $1 takes the next word as its value.
_korvaline_takes_value() {
    case $1 in
        -p | --project | --p4p | --profile | -C | --directory | -o | --output | --set | --source | -S | --suffix | \
            --accept | --settled)
            return 0
            ;;
    esac
    return 1
}

# The word $1 as the shell takes it, in REPLY: quotes and backslashes
# removed, $'...' decoded and a leading ~ expanded, with nothing run.
_korvaline_dequote() {
    local word=$1 part
    REPLY=
    if [[ $word == \~ || $word == \~/* ]]; then
        REPLY=$HOME word=${word:1}
    fi
    while [[ -n $word ]]; do
        case ${word:0:2} in
            \\?) REPLY+=${word:1:1} word=${word:2} ;;
            \'*)
                part=${word:1} && part=${part%%\'*}
                REPLY+=$part word=${word:${#part}+2}
                ;;
            \"* | \$\')
                local close=\" ansi=
                [[ ${word:0:1} == \$ ]] && close=\' ansi=1 word=${word:1}
                part='' word=${word:1}
                while [[ -n $word && ${word:0:1} != "$close" ]]; do
                    # Within "...", only these four are escaped.
                    [[ ${word:0:1} == \\ && ($ansi || ${word:1:1} != [\$\`\"\\]) ]] && part+=\\
                    [[ ${word:0:1} == \\ ]] && word=${word:1}
                    part+=${word:0:1} word=${word:1}
                done
                word=${word:1}
                [[ $ansi ]] && part=${part@E}
                REPLY+=$part
                ;;
            *) REPLY+=${word:0:1} word=${word:1} ;;
        esac
    done
}

# _korvaline_names KIND WORD DIR...: after entering each DIR in turn, the
# names that begin with WORD and complete KIND, each ended by a NUL:
# projects (the names of the first frames, less 1.001), directories (ending
# in /), and for file, p4p and ini the files of any name but a frame's, of
# *.p4p or of *.ini, in any case. Runs in a subshell, with the globbing
# options of its own.
_korvaline_names() {
    local kind=$1 word=$2 dir name
    shift 2
    CDPATH=
    for dir; do
        [[ $dir == - ]] && dir=./-
        cd -- "$dir" 2>/dev/null || return 0
    done
    set +f
    unset GLOBIGNORE
    shopt -s nullglob
    shopt -u failglob nocaseglob nocasematch dotglob globstar 2>/dev/null
    for name in "$word"*; do
        if [[ $kind == project ]]; then
            [[ $name == *1.001 ]] && printf '%s\0' "${name%1.001}"
        elif [[ -d $name ]]; then
            printf '%s/\0' "$name"
        elif [[ $name == *[0-9].[0-9][0-9][0-9] ]]; then
            continue
        elif [[ $kind == file || $kind == p4p && ${name,,} == *.p4p || $kind == ini && ${name,,} == *.ini ]]; then
            printf '%s\0' "$name"
        fi
    done
}

# _korvaline_offer RAW NAME...: the names as the candidates for the word
# RAW as typed: quoted as the shell needs, or within the quote RAW opens.
_korvaline_offer() {
    local raw=$1 name
    shift
    COMPREPLY=()
    for name; do
        case ${raw:0:1} in
            \') name=${name//\'/\'\\\'\'} ;;
            \") name=${name//\\/\\\\} && name=${name//\"/\\\"} && name=${name//\$/\\\$} && name=${name//\`/\\\`} ;;
            *) printf -v name %q "$name" ;;
        esac
        COMPREPLY+=("$name")
    done
    # A directory goes on to its names, not to the next word.
    [[ ${#COMPREPLY[@]} == 1 && $name == */ ]] && compopt -o nospace 2>/dev/null
}

_korvaline() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev='' equals='' i word kind
    local -a dirs=() names=()
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # bash splits --profile=FILE at the '=' into three words.
    if [[ $cur == = ]]; then
        cur='' equals=1
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]} equals=1
    fi
    COMPREPLY=()
    # The directories of -C, in order, each from the one before; after --,
    # korvaline takes nothing more.
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        [[ $word == -- ]] && return 0
        if [[ $word == -C?* ]]; then
            _korvaline_dequote "${word#-C}" && dirs+=("$REPLY")
        elif _korvaline_takes_value "$word" && ((i + 1 < COMP_CWORD)); then
            [[ ${COMP_WORDS[i + 1]} == = ]] && ((i++))
            ((++i < COMP_CWORD)) || break
            [[ $word == -C || $word == --directory ]] && _korvaline_dequote "${COMP_WORDS[i]}" && dirs+=("$REPLY")
        fi
    done
    case $prev in
        -p | --project) kind=project ;;
        --p4p) kind=p4p ;;
        --profile) kind=ini ;;
        -o | --output) kind='file' ;;
        -C | --directory) kind=directory ;;
        --backup)
            [[ $equals ]] && mapfile -t COMPREPLY < <(compgen -W 'none off numbered t existing nil simple never' -- "$cur")
            [[ $equals ]] && return 0
            ;;
        --source)
            mapfile -t COMPREPLY < <(compgen -W 'MO CU AG GA IN CR' -- "$cur")
            return 0
            ;;
        --set)
            # The keys a profile may set, as the program's template gives them.
            mapfile -t COMPREPLY < <(compgen -W "$("$1" --profile-template 2>/dev/null |
                sed -n 's/^;\([A-Za-z0-9_]*\)=.*/\1/p' | sort -u)" -- "$cur" | sed 's/$/=/')
            compopt -o nospace 2>/dev/null
            return 0
            ;;
        -S | --suffix | --accept | --settled) return 0 ;;
    esac
    if [[ $kind ]]; then
        _korvaline_dequote "$cur"
        mapfile -d '' names < <(_korvaline_names "$kind" "$REPLY" "${dirs[@]}")
        _korvaline_offer "$cur" "${names[@]}"
    elif [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--project --p4p --yes --profile --no-profile
            --directory --output --profile-template --help --version --set --source --strict
            --accept --settled --show-origin --backup --backup= --suffix --find-project
            -p -y -C -o -b -S -h -V' -- "$cur")
        [[ ${#COMPREPLY[@]} == 1 && ${COMPREPLY[0]} == *= ]] && compopt -o nospace 2>/dev/null
    fi
    return 0
}

complete -F _korvaline korvaline
