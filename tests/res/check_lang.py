#!/usr/bin/env python3
# tests/res/check_lang.py LANG_FOLDER
# The translated language files against English.dat.txt: the program falls back to English when a
# translated format's conversions differ, shows '?' for characters outside the ANSI code page it
# runs under, and compares unit captions and extension lists exactly, so each of these is a fault
# a user would see. Prints every problem found and exits non-zero when there is one.
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

TRANSLATIONS = {
    # file: (ANSI code page its text must fit, the words Windows uses there for the recycle bin)
    "Japanese.dat.txt": ("cp932", "ごみ箱"),
    "Deutsch.dat.txt": ("cp1252", "Papierkorb"),
    "French.dat.txt": ("cp1252", "Corbeille"),
    "Spanish.dat.txt": ("cp1252", "Papelera de reciclaje"),
    "Portuguesa(Br).dat.txt": ("cp1252", "Lixeira"),
}
RECYCLE_BIN_KEY = "movedtoRec"
UNIT_CAPTIONS = {"B", "KB", "MB", "GB", "TB"}
# The wide profile reader fills 1024 characters and the ANSI text is cut at 1023 bytes.
MAX_VALUE_BYTES = 1023



def wide_keys(lang_folder, problems):
    """Keys of the language menu's entries: the menu reads them through the wide interface, so
    each language may name itself in its own script whatever the code page."""
    layout = os.path.join(lang_folder, os.pardir, "ship", "Resource.xml")
    if not os.path.isfile(layout):
        return set()
    try:
        root = ElementTree.parse(layout).getroot()
    except ElementTree.ParseError as error:
        problems.append(f"Resource.xml: does not parse ({error})")
        return set()
    keys = set()
    for menu in root.iter("MenuItem"):
        for submenu in menu:
            if "Language" in submenu.tag:
                keys.update(entry.get("caption") for entry in submenu if entry.get("caption"))
    return keys


# One printf conversion as the program's checked formatter reads it; "%%" is literal text.
CONVERSION = re.compile(r"%(%|[-+ 0#]*\d*(?:\.\d*)?(hh|h|ll|l|q|I64|I32)?([diuxXocfFeEgGaAs])?)")
LENGTH_CLASS = {None: "", "h": "h", "hh": "hh", "l": "l", "I32": "l", "ll": "ll", "q": "ll", "I64": "ll"}


def conversions(value):
    """The conversions of a value in order, each as (length class, letter); None for a '%'
    that starts no conversion the formatter takes."""
    found = []
    for match in CONVERSION.finditer(value):
        if match.group(1) == "%":
            continue
        letter = match.group(3)
        found.append((LENGTH_CLASS[match.group(2)], letter) if letter else None)
    return found


def must_stay_unchanged(value):
    """Addresses, extension lists, unit captions and file names are data, not prose."""
    return ("://" in value
            or re.fullmatch(r"(\.[A-Za-z0-9]+;)+\.?[A-Za-z0-9]*", value) is not None
            or value in UNIT_CAPTIONS
            or re.fullmatch(r"[\w()\-]+\.(dat|xml|ini|png|gif|bmp|exe|dll|dmp|txt)", value) is not None)


def read_lang_file(path, problems):
    """Key -> value of section [string], in file order; None when the file is not UTF-8."""
    name = os.path.basename(path)
    raw = open(path, "rb").read()
    if raw.startswith(b"\xef\xbb\xbf"):
        problems.append(f"{name}: starts with a UTF-8 byte-order mark (the build writes its own)")
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as error:
        problems.append(f"{name}: not valid UTF-8 ({error})")
        return None
    values, seen, section, sections = {}, set(), None, []
    for number, line in enumerate(text.splitlines(), 1):
        stripped = line.strip()
        if not stripped or stripped.startswith(";"):
            continue
        if stripped.startswith("[") and stripped.endswith("]"):
            section = stripped[1:-1]
            sections.append(section)
            continue
        if "=" not in line:
            problems.append(f"{name}:{number}: a line with no '='")
            continue
        key, value = line.split("=", 1)
        key = key.strip()
        if section != "string":
            problems.append(f"{name}:{number}: key {key} outside section [string]")
            continue
        # The profile reader finds keys without regard to case and returns the first.
        if key.lower() in seen:
            problems.append(f"{name}:{number}: duplicate key {key}")
            continue
        seen.add(key.lower())
        if value != value.strip():
            problems.append(f"{name}:{number}: {key} has spaces around its value (the reader drops them)")
        values[key] = value.strip()
    if sections != ["string"]:
        problems.append(f"{name}: sections {sections}, expected the one section [string]")
    return values


def check_code_page(name, values, code_page, exempt, problems):
    for key, value in values.items():
        if key in exempt:
            continue
        try:
            encoded = value.encode(code_page)
        except UnicodeEncodeError as error:
            problems.append(f"{name}: {key} has {value[error.start:error.end]!r}, not in {code_page}")
            continue
        if len(encoded) > MAX_VALUE_BYTES:
            problems.append(f"{name}: {key} is {len(encoded)} bytes in {code_page}, over {MAX_VALUE_BYTES}")
    if code_page == "cp932":
        # The same conversion by the system library, so both tables agree.
        text = "\n".join(f"{key}={value}" for key, value in values.items() if key not in exempt)
        result = subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932"], input=text.encode(),
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        if result.returncode != 0:
            problems.append(f"{name}: iconv to CP932 fails: {result.stderr.decode(errors='replace').strip()}")


def check_translation(name, english, values, recycle_bin, problems):
    for key in english:
        if key not in values:
            problems.append(f"{name}: missing key {key}")
    for key in values:
        if key not in english:
            problems.append(f"{name}: key {key} is not in English.dat.txt")
    for key, source in english.items():
        if key not in values:
            continue
        value = values[key]
        if source and not value:
            problems.append(f"{name}: {key} is empty")
        if conversions(value) != conversions(source):
            problems.append(f"{name}: {key} conversions {conversions(value)} differ from English "
                            f"{conversions(source)}")
        if must_stay_unchanged(source) and value != source:
            problems.append(f"{name}: {key} must stay {source!r}, is {value!r}")
    if RECYCLE_BIN_KEY in values and recycle_bin not in values[RECYCLE_BIN_KEY]:
        problems.append(f"{name}: {RECYCLE_BIN_KEY} does not name the recycle bin as {recycle_bin!r}")


def main():
    if len(sys.argv) != 2:
        print("usage: check_lang.py LANG_FOLDER", file=sys.stderr)
        return 2
    folder = sys.argv[1]
    problems = []
    english_path = os.path.join(folder, "English.dat.txt")
    english = read_lang_file(english_path, problems)
    if english is None:
        print("\n".join(problems))
        return 1
    exempt = wide_keys(folder, problems)
    check_code_page("English.dat.txt", english, "cp1252", exempt, problems)
    for name, (code_page, recycle_bin) in TRANSLATIONS.items():
        path = os.path.join(folder, name)
        if not os.path.isfile(path):
            problems.append(f"{name}: missing")
            continue
        values = read_lang_file(path, problems)
        if values is None:
            continue
        check_code_page(name, values, code_page, exempt, problems)
        check_translation(name, english, values, recycle_bin, problems)
    for problem in problems:
        print(problem)
    print(f"{len(english)} English keys, {len(TRANSLATIONS)} translations, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
