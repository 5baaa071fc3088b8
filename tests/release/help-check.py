#!/usr/bin/env python3
"""Decompiles the help file and checks it against its sources in resources/help.

    help-check.py [KalvoroHelp.chm]     (without an argument the help is built first)

Every source file must come back from the .chm unchanged once converted from GBK to UTF-8 (the
build's one edit, the charset meta, is undone); the help must say it is Chinese (language 0x804);
every page the contents, the index and the pages themselves link to must exist in the .chm, and so
must every anchor they name.  Prints one line per finding and a summary; exits non-zero on any.
"""
import html.parser
import pathlib
import re
import struct
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
SOURCES = ROOT / "resources" / "help"
CHINESE_PRC = 0x0804

problems = []


def problem(text):
    problems.append(text)
    print("FAIL:", text)


class LinkCollector(html.parser.HTMLParser):
    """Collects ids, hrefs and the sitemap's Local values of one HTML file."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids, self.links, self.sitemap = set(), [], []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.add(a["id"])
        if tag == "a" and "name" in a:
            self.ids.add(a["name"])
        if tag in ("a", "link") and "href" in a:
            self.links.append(a["href"])
        if tag == "param" and (a.get("name") or "").lower() == "local":
            self.sitemap.append(a.get("value") or "")


def parse(text):
    collector = LinkCollector()
    collector.feed(text)
    return collector


def system_language(system_bytes):
    """The LCID stored under code 4 of the #SYSTEM file."""
    offset = 4  # version
    while offset + 4 <= len(system_bytes):
        code, length = struct.unpack_from("<HH", system_bytes, offset)
        offset += 4
        if code == 4 and length >= 4:
            return struct.unpack_from("<I", system_bytes, offset)[0]
        offset += length
    return None


def main():
    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        if len(sys.argv) > 1:
            chm = pathlib.Path(sys.argv[1]).resolve()
        else:
            chm = work / "KalvoroHelp.chm"
            if subprocess.run(["bash", str(ROOT / "scripts" / "build-help.sh"), str(chm)]).returncode != 0:
                problem("the help does not build (see above)")
                print("0 passed, 1 failed")
                return 1
        out = work / "extracted"
        result = subprocess.run(["extract_chmLib", str(chm), str(out)], capture_output=True, text=True)
        if result.returncode != 0 or not out.is_dir():
            problem(f"extract_chmLib could not decompile {chm}: {result.stderr.strip()}")
            return 1

        language = system_language((out / "#SYSTEM").read_bytes())
        if language != CHINESE_PRC:
            problem(f"language id is {language!r}, expected 0x804")

        pages = {}
        compared = 0
        for source in sorted(SOURCES.iterdir()):
            if source.suffix == ".hhp":
                continue  # the project file is not stored in the .chm
            extracted = out / source.name
            if not extracted.is_file():
                problem(f"{source.name} is missing from the .chm")
                continue
            raw = extracted.read_bytes()
            if source.suffix in (".html", ".hhc", ".hhk"):
                try:
                    text = raw.decode("gbk")
                except UnicodeDecodeError as error:
                    problem(f"{source.name} in the .chm is not GBK: {error}")
                    continue
                if not re.search(r"charset=gb2312", text, re.I):
                    problem(f"{source.name} in the .chm does not declare charset=gb2312")
                text = re.sub(r"charset=gb2312", "charset=utf-8", text, flags=re.I)
                want = source.read_text(encoding="utf-8")
                if text != want:
                    problem(f"{source.name} differs from its source after converting back from GBK")
                pages[source.name] = text
            elif raw != source.read_bytes():
                problem(f"{source.name} differs from its source")
            compared += 1

        parsed = {name: parse(text) for name, text in pages.items()}

        def check_target(where, target):
            if re.match(r"^[a-z]+:", target):
                return  # mailto:, http: and the like are not pages of the help
            page, _, anchor = target.partition("#")
            page = page or where
            if page not in parsed:
                if not (out / page).is_file():
                    problem(f"{where} links to {target}: no such file in the .chm")
                return
            if anchor and anchor not in parsed[page].ids:
                problem(f"{where} links to {target}: {page} has no anchor {anchor}")

        toc_count = len(parsed.get("toc.hhc", LinkCollector()).sitemap)
        index_count = len(parsed.get("index.hhk", LinkCollector()).sitemap)
        if toc_count == 0:
            problem("the table of contents links to no page")
        if index_count == 0:
            problem("the index links to no page")
        for name, collector in parsed.items():
            for target in collector.sitemap + collector.links:
                check_target(name, target)

        html_pages = [name for name in pages if name.endswith(".html")]
        in_toc = {target.partition("#")[0] for target in parsed["toc.hhc"].sitemap} if "toc.hhc" in parsed else set()
        for name in html_pages:
            if name not in in_toc:
                problem(f"{name} is not in the table of contents")

        print(f"help-check: {chm.name}: {compared} files compared with their sources, "
              f"{toc_count} contents entries, {index_count} index entries, {len(html_pages)} pages, "
              f"language 0x{language or 0:x}")
    print(f"{1 if not problems else 0} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
