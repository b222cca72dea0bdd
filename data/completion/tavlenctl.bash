# bash completion for tavlenctl                                    -*- shell-script -*-

# Application ids: the desktop entries of $XDG_DATA_HOME and $XDG_DATA_DIRS, named the way
# tavlenctl names them (the path below applications/, '/' turned into '-', no .desktop).
# Applications that run without a desktop entry go by their window class, which only the
# running desktop knows; those are typed by hand.
_tavlenctl_application_ids()
{
    local -a data_dirs
    local dir
    IFS=: read -r -a data_dirs <<<"${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
    for dir in "${XDG_DATA_HOME:-$HOME/.local/share}" "${data_dirs[@]}"; do
        [[ -d $dir/applications ]] && find -L "$dir/applications" -name '*.desktop' -printf '%P\n' 2>/dev/null
    done | sed -e 's/\.desktop$//' -e 's|/|-|g' | sort -u
}

# File names, one per word whatever they contain; FILTER ("*.tavlen") keeps directories too.
_tavlenctl_files()
{
    local cur=$1 filter=${2:-}
    compopt -o filenames 2>/dev/null
    if [[ -n $filter ]]; then
        mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X "!$filter" -- "$cur")
    else
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
}

_tavlenctl()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()

    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W 'apps import export menus sheet check-shortcuts help version --help --version' -- "$cur")
        return
    fi

    local command=${COMP_WORDS[1]}
    case $prev in
    --app)
        local ids
        ids=$(_tavlenctl_application_ids)
        # Custom shortcuts that apply everywhere are exported under this id.
        [[ $command == export ]] && ids+=$'\nglobal'
        mapfile -t COMPREPLY < <(compgen -W "$ids" -- "$cur")
        return
        ;;
    --format)
        mapfile -t COMPREPLY < <(compgen -W 'text markdown json' -- "$cur")
        return
        ;;
    --png)
        _tavlenctl_files "$cur" '*.png'
        return
        ;;
    --pdf)
        _tavlenctl_files "$cur" '*.pdf'
        return
        ;;
    esac

    # The options of the command that are not on the line yet; export takes --app or --all.
    local -a options
    case $command in
    import)
        ((COMP_CWORD == 2)) && _tavlenctl_files "$cur" '*.tavlen'
        return
        ;;
    apps) return ;;
    check-shortcuts)
        ((COMP_CWORD == 2)) && _tavlenctl_files "$cur" '*.json'
        return
        ;;
    export) options=(--app --all) ;;
    menus) options=(--app --json) ;;
    sheet) options=(--app --format --png --pdf) ;;
    *) return ;;
    esac
    local word given=" ${COMP_WORDS[*]:2:COMP_CWORD-2} "
    local -a left=()
    for word in "${options[@]}"; do
        [[ $given == *" $word "* ]] || left+=("$word")
    done
    if [[ $command == export && ${#left[@]} -lt 2 ]]; then
        left=()
    fi

    if [[ $command == export && $cur != -* ]]; then
        # The file, unless it has been given.
        local i has_file=
        for ((i = 2; i < COMP_CWORD; i++)); do
            case ${COMP_WORDS[i]} in
            --app) ((i++)) ;;
            -*) ;;
            *) has_file=1 ;;
            esac
        done
        if [[ -z $has_file ]]; then
            _tavlenctl_files "$cur"
            return
        fi
    fi
    mapfile -t COMPREPLY < <(compgen -W "${left[*]}" -- "$cur")
}

complete -F _tavlenctl tavlenctl
