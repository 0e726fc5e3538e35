#!/usr/bin/python3
# SPDX-License-Identifier: Apache-2.0
"""Reads the icon, the version record and the subsystem back from a built
Windows program and fails, naming what is wrong, where they are not as the
program promises them:

    check-exe.py EXE [NAME=VALUE ...]

Each NAME=VALUE is a string the version record must hold (ProductName=...).
--gui asks for the windowed subsystem (no console window when started from
Explorer), --console for the console subsystem (a Command Prompt waits for the
program and %ERRORLEVEL% is its exit status); --icon N for an icon group with
the resource id N."""

import sys

import pefile


def version_strings(pe):
    strings = {}
    for info in getattr(pe, "FileInfo", None) or []:
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                for key, value in table.entries.items():
                    strings[key.decode("utf-8", "replace")] = value.decode("utf-8", "replace")
    return strings


def icon_groups(pe):
    groups = set()
    resources = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in resources.entries if resources else []:
        if kind.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]:
            groups.update(entry.id for entry in kind.directory.entries)
    return groups


def main(argv):
    path, wanted, gui, console, icons = None, {}, False, False, []
    args = iter(argv[1:])
    for arg in args:
        if arg == "--gui":
            gui = True
        elif arg == "--console":
            console = True
        elif arg == "--icon":
            icons.append(int(next(args)))
        elif "=" in arg and path:
            name, value = arg.split("=", 1)
            wanted[name] = value
        else:
            path = arg
    if not path:
        print(__doc__, file=sys.stderr)
        return 2

    pe = pefile.PE(path)
    problems = []
    strings = version_strings(pe)
    for name, value in wanted.items():
        if strings.get(name) != value:
            problems.append(f"{name} is {strings.get(name)!r}, not {value!r}")
    if gui and pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]:
        problems.append(f"subsystem {pe.OPTIONAL_HEADER.Subsystem}, not the windowed one")
    if console and pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_CUI"]:
        problems.append(f"subsystem {pe.OPTIONAL_HEADER.Subsystem}, not the console one")
    groups = icon_groups(pe)
    for icon in icons:
        if icon not in groups:
            problems.append(f"no icon group {icon} (has {sorted(groups)})")
    for problem in problems:
        print(f"{path}: {problem}", file=sys.stderr)
    if not problems:
        print(f"{path}: icon, version record and subsystem as expected")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
