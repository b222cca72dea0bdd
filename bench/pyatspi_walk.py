#!/usr/bin/env python3
"""The yardstick for `tavlenctl menus`: a plain pyatspi walk of an application's menu bar.

  pyatspi_walk.py APP [--print]

APP is the application's accessible name (case does not matter) or its process id. Reads, for
every element below the menu bar, its name, role, child count and states, and for every leaf the
key binding of its first action, then prints the number of elements and of entries with a key.
--print also lists the entries, indented by their level.
"""

import sys

import pyatspi


def find_application(wanted):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        try:
            if wanted.isdigit():
                if app.get_process_id() == int(wanted):
                    return app
            elif app.name.lower() == wanted.lower():
                return app
        except Exception:
            # An application that quit since the desktop listed it.
            continue
    return None


def find_menu_bar(app):
    for window in app:
        if window is None or window.getRole() != pyatspi.ROLE_FRAME:
            continue
        found = pyatspi.findDescendant(
            window, lambda acc: acc is not None and acc.getRole() == pyatspi.ROLE_MENU_BAR)
        if found is not None:
            return found
    return None


def key_binding(acc):
    try:
        return acc.queryAction().getKeyBinding(0)
    except Exception:
        # No Action interface (NotImplementedError), or an entry gone meanwhile.
        return ""


def has_key(binding):
    # GTK answers "mnemonic;menu path;accelerator"; Qt the shortcut, or for an entry without one
    # its mnemonic as Alt and a lowercase letter.
    if ";" in binding:
        return binding.split(";")[-1] != ""
    return binding != "" and not (binding.startswith("Alt+") and binding[4:].islower())


def walk(acc, level, totals, lines):
    name = acc.name
    role = acc.getRole()
    count = acc.childCount
    states = acc.getState()
    totals["elements"] += 1
    binding = ""
    if count == 0:
        binding = key_binding(acc)
        if has_key(binding):
            totals["keyed"] += 1
    if lines is not None:
        enabled = states.contains(pyatspi.STATE_SENSITIVE)
        lines.append(f"{'  ' * level}{name or '(untitled)'} [{getattr(role, 'value_nick', role)}]"
                     f"{' ' + binding if binding else ''}{'' if enabled else ' (disabled)'}")
    for child in acc:
        if child is not None:
            walk(child, level + 1, totals, lines)


def main(argv):
    if len(argv) < 2 or len(argv) > 3 or (len(argv) == 3 and argv[2] != "--print"):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    app = find_application(argv[1])
    if app is None:
        print(f"no application {argv[1]!r} on the accessibility bus", file=sys.stderr)
        return 1
    menu_bar = find_menu_bar(app)
    if menu_bar is None:
        print(f"{app.name} has no menu bar", file=sys.stderr)
        return 1
    totals = {"elements": 0, "keyed": 0}
    lines = [] if len(argv) == 3 else None
    walk(menu_bar, 0, totals, lines)
    if lines is not None:
        print("\n".join(lines))
    print(f"{totals['elements']} elements, {totals['keyed']} with a key")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
