# bash completion for vantoro-calc                                -*- shell-script -*-
_vantoro_calc()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    case $prev in
        --mode | -m)
            COMPREPLY=($(compgen -W 'auto seconds unit' -- "$cur"))
            return
            ;;
        --help | -h | --help-all | --version)
            return
            ;;
    esac
    if [[ $cur == --mode=* ]]; then
        COMPREPLY=($(compgen -P '--mode=' -W 'auto seconds unit' -- "${cur#--mode=}"))
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--mode --trace --history --strict --help --help-all --version' -- "$cur"))
        return
    fi
    # Key scripts are typed, not completed.
    COMPREPLY=()
} &&
    complete -F _vantoro_calc vantoro-calc
