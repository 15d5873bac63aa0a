# Reads the shipped 32-bit KestrovRepair.exe back with pefile: what a Windows 7 or 10 user needs, and nothing else.
"""Usage: check_release.py BUILD_DIR SOURCE_DIR

Checks BUILD_DIR/KestrovRepair.exe (the win32 preset's output): machine i386,
GUI subsystem whose version Windows 7 accepts, imports from system DLLs only,
ANSI functions wherever the tool's own code calls a function that has an A/W
pair, no IsUserAnAdmin import, exactly the resources the tool needs (the
manifest, DEFAULT_ICON first, the picture), and the size budget. Prints the
size; exits 1 with one line per fault.
"""
import os
import re
import subprocess
import sys

import pefile

import check_manifest

SIZE_BUDGET = 300 * 1024
WINDOWS_7 = (6, 1)
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "msvcrt.dll", "advapi32.dll"}
PAIRED_DLLS = ("kernel32", "user32", "gdi32", "shell32")
OWN_CODE = ("libkestrov_app.a", "libkestrov_platform.a", "CMakeFiles/KestrovRepair.dir/app/main.cpp.obj")
NM = "i686-w64-mingw32-nm"
IMPORT_LIBS = "/usr/i686-w64-mingw32/lib"
RT_ICON, RT_RCDATA, RT_GROUP_ICON, RT_MANIFEST = 3, 10, 14, 24


def imported_functions(paths, defined):
    """Names behind the __imp_ symbols that `paths` define (import libraries) or leave undefined (own code)."""
    output = subprocess.run([NM, "--defined-only" if defined else "--undefined-only", *paths],
                            check=True, capture_output=True, text=True).stdout
    return {m.group(1) for m in re.finditer(r"__imp__(\w+?)(?:@\d+)?$", output, re.M)}


def resources(pe):
    """{type: [(name or id, language, bytes)]} in the order the file holds them."""
    found = {}
    for type_entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for name_entry in type_entry.directory.entries:
            ident = name_entry.id if name_entry.id is not None else str(name_entry.name)
            for lang_entry in name_entry.directory.entries:
                data = lang_entry.data.struct
                found.setdefault(type_entry.id, []).append(
                    (ident, lang_entry.id, pe.get_data(data.OffsetToData, data.Size)))
    return found


def check(build_dir, source_dir):
    exe = os.path.join(build_dir, "KestrovRepair.exe")
    faults = check_manifest.check(exe, os.path.join(source_dir, "resources", "app.manifest"))
    pe = pefile.PE(exe)
    size = os.path.getsize(exe)

    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]:
        faults.append(f"machine {pe.FILE_HEADER.Machine:#x}, not i386")
    if pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]:
        faults.append(f"subsystem {pe.OPTIONAL_HEADER.Subsystem}, not the Windows GUI")
    version = (pe.OPTIONAL_HEADER.MajorSubsystemVersion, pe.OPTIONAL_HEADER.MinorSubsystemVersion)
    if version > WINDOWS_7:
        faults.append(f"subsystem version {version[0]}.{version[1]}: Windows 7 refuses more than 6.1")
    if pe.FILE_HEADER.PointerToSymbolTable or pe.FILE_HEADER.NumberOfSymbols:
        faults.append("the file carries a symbol table")
    if any(section.Name.startswith(b".debug") or section.Name.startswith(b"/") for section in pe.sections):
        faults.append("the file carries debug sections")

    for library in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        if library.dll.decode().lower() not in SYSTEM_DLLS:
            faults.append(f"imports from {library.dll.decode()}, which Windows does not carry")

    own = imported_functions([os.path.join(build_dir, path) for path in OWN_CODE], defined=False)
    paired = imported_functions([os.path.join(IMPORT_LIBS, f"lib{dll}.a") for dll in PAIRED_DLLS], defined=True)
    for name in sorted(own):
        if name.endswith("W") and name[:-1] + "A" in paired:
            faults.append(f"the tool's own code calls {name}; the ANSI {name[:-1]}A is the one to call")

    found = resources(pe)
    if set(found) != {RT_ICON, RT_GROUP_ICON, RT_RCDATA, RT_MANIFEST}:
        faults.append(f"resource types {sorted(found)}, expected icon, icon group, picture and manifest only")
    groups = found.get(RT_GROUP_ICON, [])
    if not groups or groups[0][0] != "DEFAULT_ICON" or len(groups) != 1:
        faults.append(f"icon groups {[g[0] for g in groups]}: DEFAULT_ICON must be the first and only one")
    if len(found.get(RT_ICON, [])) != 1:
        faults.append(f"{len(found.get(RT_ICON, []))} icon images, expected one")
    with open(os.path.join(source_dir, "resources", "background.jpg"), "rb") as picture:
        expected_picture = picture.read()
    pictures = [data for _, _, data in found.get(RT_RCDATA, [])]
    if pictures != [expected_picture]:
        faults.append(f"{len(pictures)} data resources; expected only resources/background.jpg as it is")

    if size > SIZE_BUDGET:
        faults.append(f"{size} bytes, over the budget of {SIZE_BUDGET}")
    return faults, size


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        faults, size = check(argv[1], argv[2])
    except FileNotFoundError as missing:
        faults, size = [f"missing: {missing.filename} (the win32 preset builds it)"], 0
    for fault in faults:
        print(f"release: {fault}", file=sys.stderr)
    if not faults:
        print(f"release: KestrovRepair.exe {size} bytes of a budget of {SIZE_BUDGET}; i386 GUI, system DLLs only, "
              "ANSI calls, manifest, DEFAULT_ICON and the picture")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
