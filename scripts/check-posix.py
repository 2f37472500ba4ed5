#!/usr/bin/env python3
"""No header of POSIX or X11 outside code meant for them, so that the program still builds where
they do not exist. Every such #include under src/ must sit inside a guard for those systems
(#ifdef Q_OS_UNIX, #ifndef Q_OS_WIN, the #else of #ifdef Q_OS_WIN, QUENTOR_AVEC_XCB...).
Prints each one that does not, and fails if there is any. The tests are left out: they are a
Linux suite, and some check POSIX behaviour itself (file modes, a full disk).
    scripts/check-posix.py [FOLDER...]      (default: src)"""
import pathlib
import re
import sys

ENTETE = re.compile(r"#\s*include\s*<((?:sys|netinet|arpa|X11|xcb)/[\w/]+\.h|(?:unistd|dlfcn|fcntl|pwd|grp|"
                    r"termios|poll|dirent|pthread|syslog|spawn|sched|netdb|libgen|glob|fnmatch|semaphore|"
                    r"strings)\.h)>")
UNIX = re.compile(r"Q_OS_(UNIX|LINUX|MACOS|DARWIN|FREEBSD)|__unix__|__linux__|__APPLE__|QUENTOR_AVEC_XCB")
WINDOWS = re.compile(r"Q_OS_WIN|_WIN32")


def garde_unix(condition, sinon):
    """Whether the code under `condition` (its #else branch when `sinon`) is meant for Unix only."""
    if re.fullmatch(r"\s*ifndef\s+(Q_OS_WIN\w*|_WIN32)\s*", condition):
        return not sinon
    if re.fullmatch(r"\s*ifdef\s+(Q_OS_WIN\w*|_WIN32)\s*", condition):
        return sinon
    expression = re.sub(r"^\s*(ifdef|if|elif)\b", "", condition)
    if sinon:
        return False
    if UNIX.search(expression) and "||" not in expression:
        return True
    # "!defined(Q_OS_WIN)" alone
    return bool(re.fullmatch(r"\s*!\s*defined\s*\(?\s*(Q_OS_WIN\w*|_WIN32)\s*\)?\s*", expression))


def fautes(chemin):
    pile = []  # [condition, in its #else]
    for numero, ligne in enumerate(chemin.read_text(encoding="utf-8").splitlines(), 1):
        directive = re.match(r"\s*#\s*(\w+)(.*)", ligne)
        if not directive:
            continue
        mot = directive.group(1)
        if mot in ("if", "ifdef", "ifndef"):
            pile.append([mot + directive.group(2), False])
        elif mot == "elif" and pile:
            pile[-1] = ["elif" + directive.group(2), False]
        elif mot == "else" and pile:
            pile[-1][1] = True
        elif mot == "endif" and pile:
            pile.pop()
        elif mot == "include":
            m = ENTETE.match(ligne.strip())
            if m and not any(garde_unix(c, s) for c, s in pile):
                yield numero, m.group(1)


def main():
    racine = pathlib.Path(__file__).resolve().parent.parent
    dossiers = sys.argv[1:] or ["src"]
    trouve = 0
    for dossier in dossiers:
        for chemin in sorted((racine / dossier).rglob("*")):
            if chemin.suffix in (".cpp", ".h") and chemin.is_file():
                for numero, entete in fautes(chemin):
                    print(f"{chemin.relative_to(racine)}:{numero}: <{entete}> outside code meant for POSIX")
                    trouve += 1
    if trouve:
        print(f"{trouve} POSIX-only include(s) without a guard: put them under #ifdef Q_OS_UNIX "
              f"(or #ifndef Q_OS_WIN) with what uses them", file=sys.stderr)
        return 1
    print("POSIX-only includes: all guarded")
    return 0


if __name__ == "__main__":
    sys.exit(main())
