#!/usr/bin/env python3
"""Checks the includes between the libraries under src/.

    check-includes.py SRC_DIR TARGETS_FILE

TARGETS_FILE is written by the build (tests/CMakeLists.txt): one line per library or program
under src/, "name|type|source dir|sources|links|links passed on to users", lists separated by
';' (CMake's LINK_LIBRARIES and INTERFACE_LINK_LIBRARIES).

Every #include of a project header that another target builds must be backed by a
target_link_libraries dependency on that target, its own or one passed on (PUBLIC) by a target
it links; neither an include nor a link may point up the layers below. Prints each fault and exits 1 when there is any.
"""
import os
import re
import sys

# The layers, lowest first. A folder (relative to src/) belongs to the entry of its longest
# matching prefix. A library may use anything of its own entry and of lower layers; within a
# layer only along an edge of SIDEWAYS. A library without Qt Widgets never uses one with them.
LAYERS = [
    ["common"],
    ["xmlstore"],
    ["gateway"],
    ["editors/canopen/workbook"],
    ["editors/gateway", "editors/canopen", "xmltools", "firmware", "projectcheck", "devicenet", "canbus"],
    ["app"],
]

# Edges between entries of one layer, user first.
SIDEWAYS = {
    # The check runs the CANopen tables' rules and reads the configuration image's layout.
    ("projectcheck", "editors/canopen"),
    ("projectcheck", "firmware"),
    # The replay reads recorded CAN logs and the configuration image; its window draws the
    # input area as the byte map does.
    ("devicenet", "canbus"),
    ("devicenet", "firmware"),
    ("devicenet", "projectcheck"),
}

# Known faults the tree still has, each with the folders it joins (user first). The check
# passes while one is present and fails once it has gone, so that its entry is deleted then.
KNOWN_VIOLATIONS = {}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
SOURCE_SUFFIXES = (".cpp", ".h")


def layer_entry(folder):
    best = None
    for rank, entries in enumerate(LAYERS):
        for entry in entries:
            if (folder == entry or folder.startswith(entry + "/")) and (best is None or len(entry) > len(best[1])):
                best = (rank, entry)
    return best


def read_targets(path, src):
    targets = {}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            name, kind, source_dir, sources, links, passed_on = line.rstrip("\n").split("|")
            files = []
            for source in filter(None, sources.split(";")):
                full = os.path.realpath(os.path.join(source_dir, source))
                if full.startswith(src + os.sep) and full.endswith(SOURCE_SUFFIXES):
                    files.append(os.path.relpath(full, src))
            if files:
                targets[name] = {"kind": kind, "files": files, "links": names(links), "passed_on": names(passed_on)}
    return targets


def names(cmake_list):
    # A private link of a static library is passed on as $<LINK_ONLY:...>: linked, not usable.
    return {name for name in cmake_list.split(";") if name and not name.startswith("$<") and not name.endswith("-NOTFOUND")}


def reachable(name, targets):
    """The targets whose headers `name` may use: its links and what they pass on, transitively."""
    found, todo = set(), list(targets[name]["links"])
    while todo:
        link = todo.pop()
        if link in found:
            continue
        found.add(link)
        if link in targets:
            todo.extend(targets[link]["passed_on"])
    return found


def uses_widgets(name, targets, seen=None):
    seen = seen if seen is not None else set()
    if name in seen or name not in targets:
        return False
    seen.add(name)
    links = targets[name]["links"]
    return "Qt6::Widgets" in links or any(uses_widgets(link, targets, seen) for link in links)


def main(src, targets_file):
    src = os.path.realpath(src)
    targets = read_targets(targets_file, src)
    libraries = {name for name, target in targets.items() if target["kind"].endswith("_LIBRARY")}

    # A header belongs to the target that builds its .cpp, else to the libraries of its folder.
    by_stem, by_folder = {}, {}
    for name, target in targets.items():
        for file in target["files"]:
            by_stem[os.path.splitext(file)[0]] = name
            if name in libraries:
                by_folder.setdefault(os.path.dirname(file), set()).add(name)

    def owners(header):
        stem = os.path.splitext(header)[0]
        if stem in by_stem:
            return {by_stem[stem]}
        return by_folder.get(os.path.dirname(header), set())

    # Every header of the tree with the targets it belongs to; templates (.in) of generated
    # headers count as the header they become.
    headers = {}
    for root, _, names in os.walk(src):
        for file_name in names:
            path = os.path.relpath(os.path.join(root, file_name), src)
            if file_name.endswith(".h.in"):
                headers[path[: -len(".in")]] = owners(path[: -len(".in")])
            elif file_name.endswith(".h"):
                headers[path] = owners(path)

    files_of = {name: set(target["files"]) for name, target in targets.items()}
    for header, header_owners in headers.items():
        for name in header_owners:
            if os.path.exists(os.path.join(src, header)):
                files_of[name].add(header)

    faults, used_exceptions = [], set()

    def layered(user_folder, used_folder, what):
        user, used = layer_entry(user_folder), layer_entry(used_folder)
        for folder, entry in ((user_folder, user), (used_folder, used)):
            if entry is None:
                faults.append(f"{folder}/ has no layer in scripts/check-includes.py ({what})")
                return
        if user[1] == used[1] or used[0] < user[0] or (user[0] == used[0] and (user[1], used[1]) in SIDEWAYS):
            return
        for known in KNOWN_VIOLATIONS:
            if layer_contains(known[0], user_folder) and layer_contains(known[1], used_folder):
                used_exceptions.add(known)
                return
        direction = "up the layers" if used[0] > user[0] else "sideways without a rule"
        faults.append(f"{what}: {user[1]}/ uses {used[1]}/, {direction}")

    for name in sorted(targets):
        target = targets[name]
        usable = reachable(name, targets)
        plain = not uses_widgets(name, targets)
        folders = {os.path.dirname(file) for file in target["files"]}
        for link in sorted(target["links"] & libraries):
            link_folders = {os.path.dirname(file) for file in targets[link]["files"]}
            for folder in folders:
                for link_folder in link_folders:
                    layered(folder, link_folder, f"{name} links {link}")
            if plain and uses_widgets(link, targets):
                faults.append(f"{name} links {link}: a library without Qt Widgets links one with them")
        for file in sorted(files_of[name]):
            with open(os.path.join(src, file), encoding="latin-1") as text:
                included = INCLUDE.findall(text.read())
            for include in included:
                local = os.path.normpath(os.path.join(os.path.dirname(file), include))
                header = local if local in headers else include if include in headers else None
                if header is None:
                    continue  # a system or third-party header
                header_owners = headers[header]
                if name in header_owners:
                    continue
                what = f"{file} includes {header}"
                if not header_owners:
                    faults.append(f"{what}: no library builds {os.path.dirname(header)}/")
                    continue
                layered(os.path.dirname(file), os.path.dirname(header), what)
                if not header_owners & usable:
                    faults.append(f"{what}: {name} does not link {' or '.join(sorted(header_owners))}")
                if plain and all(uses_widgets(owner, targets) for owner in header_owners):
                    faults.append(f"{what}: a library without Qt Widgets includes a window header")

    for known in sorted(set(KNOWN_VIOLATIONS) - used_exceptions):
        faults.append(f"known violation {known[0]}/ -> {known[1]}/ is gone: delete its entry in KNOWN_VIOLATIONS")

    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        return 1
    print(f"check-includes: {len(targets)} targets, every include between libraries linked and layered")
    return 0


def layer_contains(prefix, folder):
    return folder == prefix or folder.startswith(prefix + "/")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
