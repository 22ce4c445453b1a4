"""A game folder as a comparable value, for tests that must show nothing
was written."""
import hashlib
import os


def tree(folder):
    """Every path under folder, following no link: a link's target, a
    file's digest, or "folder"."""
    found = {}
    for parent, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(parent, name)
            rel = os.path.relpath(path, folder)
            if os.path.islink(path):
                found[rel] = "-> " + os.readlink(path)
            elif os.path.isdir(path):
                found[rel] = "folder"
            else:
                with open(path, "rb") as f:
                    found[rel] = hashlib.sha256(f.read()).hexdigest()
    return found
