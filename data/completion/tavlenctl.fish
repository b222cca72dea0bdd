# fish completion for tavlenctl

# Application ids: the desktop entries of $XDG_DATA_HOME and $XDG_DATA_DIRS, named the way
# tavlenctl names them (the path below applications/, '/' turned into '-', no .desktop).
function __tavlenctl_application_ids
    set -l data_home $XDG_DATA_HOME
    test -n "$data_home"; or set data_home ~/.local/share
    set -l data_dirs /usr/local/share /usr/share
    set -q XDG_DATA_DIRS[1]; and test -n "$XDG_DATA_DIRS"; and set data_dirs (string split : -- $XDG_DATA_DIRS)
    for dir in $data_home $data_dirs
        test -d $dir/applications; or continue
        find -L $dir/applications -name '*.desktop' -printf '%P\n' 2>/dev/null
    end | string replace -r '\.desktop$' '' | string replace -a / - | sort -u
end

set -l commands apps import export menus sheet check-shortcuts help version
complete -c tavlenctl -f

complete -c tavlenctl -n "not __fish_seen_subcommand_from $commands" -a apps -d 'List the running applications and their shortcut sources'
complete -c tavlenctl -n "not __fish_seen_subcommand_from $commands" -a import -d 'Import the custom shortcuts of an export file'
complete -c tavlenctl -n "not __fish_seen_subcommand_from $commands" -a export -d 'Export custom shortcuts of one application or all'
complete -c tavlenctl -n "not __fish_seen_subcommand_from $commands" -a menus -d 'Print the menu entries with shortcuts of an application'
complete -c tavlenctl -n "not __fish_seen_subcommand_from $commands" -a sheet -d 'Print or draw the sheet the shortcut panel would show'
complete -c tavlenctl -n "not __fish_seen_subcommand_from $commands" -a check-shortcuts -d 'Check a shortcut list of an application'
complete -c tavlenctl -n "not __fish_seen_subcommand_from $commands" -a help -d 'Show the usage'
complete -c tavlenctl -n "not __fish_seen_subcommand_from $commands" -a version -d 'Show the version'
complete -c tavlenctl -n "not __fish_seen_subcommand_from $commands" -l help -d 'Show the usage'
complete -c tavlenctl -n "not __fish_seen_subcommand_from $commands" -l version -d 'Show the version'

complete -c tavlenctl -n "__fish_seen_subcommand_from import export" -F
complete -c tavlenctl -n "__fish_seen_subcommand_from check-shortcuts" -k -a "(__fish_complete_suffix .json)"
complete -c tavlenctl -n "__fish_seen_subcommand_from export menus sheet" -l app -x -a "(__tavlenctl_application_ids)" -d 'Application id'
# Custom shortcuts that apply everywhere are exported under this id.
complete -c tavlenctl -n "__fish_seen_subcommand_from export" -l app -x -a global
complete -c tavlenctl -n "__fish_seen_subcommand_from export" -l all -d 'All applications (the default)'
complete -c tavlenctl -n "__fish_seen_subcommand_from menus" -l json -d 'Record the whole menu bar as JSON'
complete -c tavlenctl -n "__fish_seen_subcommand_from sheet" -l format -x -a "text markdown json" -d 'What to print'
complete -c tavlenctl -n "__fish_seen_subcommand_from sheet" -l png -r -F -d 'Draw the panel into a PNG picture'
complete -c tavlenctl -n "__fish_seen_subcommand_from sheet" -l pdf -r -F -d 'Draw the sheet into a PDF document'
