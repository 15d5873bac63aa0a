# Reads a built KestrovRepair.exe back with pefile: its one manifest resource and its import table.
"""Usage: check_manifest.py EXE MANIFEST

Exits 0 when EXE holds exactly one manifest resource (type 24), id 1,
language 2052, whose bytes equal the file MANIFEST, and when no import of EXE
(ordinary or delay-loaded) names IsUserAnAdmin, which the tool binds by name
at run time. Exits 1 with one line per fault otherwise.
"""
import sys

import pefile

RT_MANIFEST = 24
MANIFEST_ID = 1
LANG_ZH_CN = 2052
MANIFEST_SIZE = 580
BOUND_AT_RUN_TIME = b"IsUserAnAdmin"


def manifest_entries(pe):
    """(id, language, bytes) of every resource of type 24, whatever its name or language."""
    found = []
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for type_entry in root.entries if root else []:
        if type_entry.id != RT_MANIFEST:
            continue
        for name_entry in type_entry.directory.entries:
            ident = name_entry.id if name_entry.id is not None else str(name_entry.name)
            for lang_entry in name_entry.directory.entries:
                data = lang_entry.data.struct
                found.append((ident, lang_entry.id, pe.get_data(data.OffsetToData, data.Size)))
    return found


def imported_names(pe):
    names = []
    for attr in ("DIRECTORY_ENTRY_IMPORT", "DIRECTORY_ENTRY_DELAY_IMPORT"):
        for library in getattr(pe, attr, []):
            for symbol in library.imports:
                names.append((library.dll, symbol.name))
    return names


def check(exe_path, manifest_path):
    faults = []
    with open(manifest_path, "rb") as source:
        expected = source.read()
    if len(expected) != MANIFEST_SIZE:
        faults.append(f"{manifest_path} is {len(expected)} bytes, not {MANIFEST_SIZE}")
    pe = pefile.PE(exe_path)
    entries = manifest_entries(pe)
    if len(entries) != 1:
        listed = ", ".join(f"id {i} lang {l} ({len(b)} bytes)" for i, l, b in entries) or "none"
        faults.append(f"expected exactly one manifest resource, found: {listed}")
    for ident, lang, data in entries:
        if (ident, lang) != (MANIFEST_ID, LANG_ZH_CN):
            faults.append(f"manifest resource id {ident} lang {lang}, expected id {MANIFEST_ID} lang {LANG_ZH_CN}")
        elif data != expected:
            faults.append(f"manifest resource ({len(data)} bytes) differs from {manifest_path}")
    for library, name in imported_names(pe):
        if name == BOUND_AT_RUN_TIME:
            faults.append(f"{library.decode()} import names {name.decode()}; it must be bound at run time")
    return faults


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    exe_path, manifest_path = argv[1], argv[2]
    try:
        faults = check(exe_path, manifest_path)
    except FileNotFoundError as missing:
        faults = [f"missing: {missing.filename} (build it first; the win32 exe comes from the win32 preset)"]
    for fault in faults:
        print(f"{exe_path}: {fault}", file=sys.stderr)
    if not faults:
        print(f"{exe_path}: one manifest, id 1, lang 2052, {MANIFEST_SIZE} bytes as in {manifest_path}; "
              "no import of IsUserAnAdmin")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
