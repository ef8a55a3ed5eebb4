#!/usr/bin/env python3
"""Renders README.md as the plain text the release zip carries as README.txt.

make-readme-txt.py README.md OUT.txt VERSION

The zip's text has no source of its own: it is README.md, English and Japanese, as Notepad can
show it. Images go, links keep their words, code spans and fences lose their marks, tables are
laid out in columns, and paragraphs are wrapped by display width, Japanese by characters. The
output depends on README.md and VERSION alone, so two releases of the same tree give equal bytes.
Marks left by markup this script does not render (backticks, link brackets, doubled stars) fail
the release rather than reach the zip.
"""
import re
import sys
import unicodedata

WIDTH = 78
# Local files the zip holds, by their names in the zip; links to any other local file keep
# only their words. scripts/release.sh puts LICENSE in as LICENSE.txt.
IN_ZIP = {"LICENSE": "LICENSE.txt"}

# Japanese line-breaking rules: no line starts with a closing mark or a small kana, and none
# ends with an opening bracket.
NO_LINE_START = set("、。，．,.:;!?)]}）］｝」』】〉》〕ー・：；！？ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ々%")
NO_LINE_END = set("([{（［｛「『【〈《〔")


def is_wide(ch):
    return unicodedata.east_asian_width(ch) in ("W", "F")


def display_width(text):
    return sum(2 if is_wide(ch) else 1 for ch in text)


# ---------------------------------------------------------------------------------------------
# Inline markup.

CODE_SPAN = re.compile(r"(`+)(.+?)\1")
IMAGE = re.compile(r"!\[[^\]]*\]\([^)]*\)")
LINK = re.compile(r"\[([^\]]+)\]\(([^)\s]+)\)")
AUTOLINK = re.compile(r"<(https?://[^>]+)>")
STRONG = re.compile(r"(\*\*|__)(?=\S)(.+?)(?<=\S)\1")
EMPHASIS = re.compile(r"(?<![\w*])\*(?=\S)(.+?)(?<=\S)\*(?![\w*])|(?<!\w)_(?=\S)(.+?)(?<=\S)_(?!\w)")
ESCAPE = re.compile(r"\\([!-/:-@\[-`{-~])")


def link_text(match):
    words, target = match.group(1), match.group(2)
    if re.match(r"[a-z]+:", target):
        return f"{words} ({target})"
    if target in IN_ZIP:
        # A link that names the file says the name it has in the zip.
        return IN_ZIP[target] if words == target else f"{words} ({IN_ZIP[target]})"
    return words


def render_prose(text):
    # An escaped mark is held in the private use area until the other marks are gone, so that
    # \* stays a star and never closes an emphasis.
    text = ESCAPE.sub(lambda m: chr(0xE000 + ord(m.group(1))), text)
    text = IMAGE.sub("", text)
    text = LINK.sub(link_text, text)
    text = AUTOLINK.sub(r"\1", text)
    text = STRONG.sub(r"\2", text)
    text = EMPHASIS.sub(lambda m: m.group(1) or m.group(2), text)
    return re.sub("[\ue000-\ue07f]", lambda m: chr(ord(m.group(0)) - 0xE000), text)


def render_inline(text):
    # Code spans first: what they hold is literal, stars, underscores and backslashes too.
    parts = []
    position = 0
    for match in CODE_SPAN.finditer(text):
        parts.append(render_prose(text[position:match.start()]))
        parts.append(match.group(2).strip())
        position = match.end()
    parts.append(render_prose(text[position:]))
    return "".join(parts)


# ---------------------------------------------------------------------------------------------
# Wrapping by display width.

def atoms(text):
    """The unbreakable pieces of text, each with whether a space stood before it."""
    pieces = []  # [text, space_before]
    space = False
    word = ""
    for ch in text:
        if ch == " ":
            if word:
                pieces.append([word, space])
                word = ""
            space = True
        elif is_wide(ch):
            if word:
                pieces.append([word, space])
                word, space = "", False
            pieces.append([ch, space])
            space = False
        else:
            word += ch
    if word:
        pieces.append([word, space])
    # Glue what the line-breaking rules keep together.
    glued = []
    for piece in pieces:
        if glued and not piece[1] and (piece[0][0] in NO_LINE_START or glued[-1][0][-1] in NO_LINE_END):
            glued[-1][0] += piece[0]
        else:
            glued.append(piece)
    return glued


def wrap(text, first_prefix, next_prefix):
    lines = []
    line = first_prefix
    empty = True
    for word, space in atoms(text):
        addition = (" " if space and not empty else "") + word
        if not empty and display_width(line + addition) > WIDTH:
            lines.append(line)
            line = next_prefix + word
        else:
            line += addition
        empty = False
    lines.append(line)
    return lines


def join_lines(lines):
    """One paragraph's source lines as one text: a line break is a space, except between two
    wide characters, where Japanese has none."""
    text = ""
    for line in lines:
        line = line.strip()
        if text and not (is_wide(text[-1]) and line and is_wide(line[0])):
            text += " "
        text += line
    return text


# ---------------------------------------------------------------------------------------------
# Blocks.

HEADING = re.compile(r"^(#{1,6})\s+(.*?)(?:\s+#+)?\s*$")
LIST_ITEM = re.compile(r"^(\s*)([-*+]|\d+[.)])\s+(.*)$")
FENCE = re.compile(r"^\s*(```|~~~)")
TABLE_RULE = re.compile(r"^\|?\s*:?-+:?\s*(\|\s*:?-+:?\s*)*\|?\s*$")


def table_cells(line):
    line = line.strip()
    if line.startswith("|"):
        line = line[1:]
    if line.endswith("|") and not line.endswith("\\|"):
        line = line[:-1]
    cells = re.split(r"(?<!\\)\|", line)
    return [render_inline(cell.strip().replace("\\|", "|")) for cell in cells]


def render_table(rows):
    """Every column but the last as wide as its widest cell; the last wraps under its title."""
    header, body = rows[0], rows[1:]
    count = len(header)
    rows = [row + [""] * (count - len(row)) for row in [header] + body]
    widths = [max(display_width(row[i]) for row in rows) for i in range(count - 1)]
    indent = sum(width + 2 for width in widths)

    def lead(row):
        return "".join(cell + " " * (width - display_width(cell) + 2) for cell, width in zip(row, widths))

    out = [(lead(header) + header[-1]).rstrip()]
    last_width = max(display_width(row[-1]) for row in rows)
    out.append("  ".join("-" * width for width in widths + [min(last_width, WIDTH - indent)]))
    for row in body:
        out.extend(line.rstrip() for line in wrap(row[-1], lead(row), " " * indent))
    return out


def blocks(lines):
    """Yields (kind, data) for each block of the Markdown text."""
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            yield "blank", None
            i += 1
        elif line.lstrip().startswith("<!--"):
            while i < len(lines) and "-->" not in lines[i]:
                i += 1
            i += 1
        elif FENCE.match(line):
            code = []
            i += 1
            while i < len(lines) and not FENCE.match(lines[i]):
                code.append(lines[i])
                i += 1
            yield "code", code
            i += 1
        elif HEADING.match(line):
            match = HEADING.match(line)
            yield "heading", (len(match.group(1)), render_inline(match.group(2)))
            i += 1
        elif line.startswith("    ") or line.startswith("\t"):
            code = []
            while i < len(lines) and (lines[i].startswith("    ") or lines[i].startswith("\t") or not lines[i].strip()):
                code.append(lines[i].expandtabs(4)[4:])
                i += 1
            while code and not code[-1].strip():
                code.pop()
            yield "code", code
        elif line.lstrip().startswith("|") and i + 1 < len(lines) and TABLE_RULE.match(lines[i + 1].strip()):
            rows = [table_cells(line)]
            i += 2
            while i < len(lines) and lines[i].lstrip().startswith("|"):
                rows.append(table_cells(lines[i]))
                i += 1
            yield "table", rows
        else:
            item = LIST_ITEM.match(line)
            text = [item.group(3) if item else line]
            i += 1
            # Continuation lines: anything up to a blank line or the start of another block.
            while i < len(lines) and lines[i].strip() and not LIST_ITEM.match(lines[i]) \
                    and not HEADING.match(lines[i]) and not FENCE.match(lines[i]) \
                    and not lines[i].lstrip().startswith("|"):
                text.append(lines[i])
                i += 1
            rendered = render_inline(join_lines(text)).strip()
            if item:
                yield "item", (item.group(1), item.group(2), rendered)
            elif rendered:
                yield "paragraph", rendered


def render(markdown, version):
    out = []
    previous = None
    titled = False
    for kind, data in blocks(markdown.splitlines()):
        if kind == "blank":
            previous = "blank"
            continue
        # One empty line between blocks, none between the items of one list, two before a chapter.
        if out and not (kind == "item" and previous == "item"):
            out.append("")
        if kind == "heading":
            level, text = data
            if level == 1 and not titled:
                text = f"{text} {version}"
                titled = True
            if level <= 2 and out:
                out.append("")
            out.append(text)
            out.append("=-~"[min(level, 3) - 1] * display_width(text))
        elif kind == "paragraph":
            out.extend(wrap(data, "", ""))
        elif kind == "item":
            indent, marker, text = data
            marker = "-" if marker in "-*+" else marker
            out.extend(wrap(text, indent + marker + " ", indent + " " * (len(marker) + 1)))
        elif kind == "code":
            out.extend(("    " + line).rstrip() for line in data)
        elif kind == "table":
            out.extend(render_table(data))
        previous = kind
    return "\n".join(line.rstrip() for line in out).strip("\n") + "\n"


LEFTOVER_MARKUP = ["](", "![", "```", "**", "`", "<!--", "|---"]


def main():
    source, output, version = sys.argv[1:]
    with open(source, encoding="utf-8") as f:
        text = render(f.read(), version)
    leftovers = [mark for mark in LEFTOVER_MARKUP if mark in text]
    if leftovers:
        sys.exit(f"make-readme-txt: {source} holds markup this script leaves as it is: {' '.join(leftovers)}")
    # CR LF and a byte-order mark. Notepads older than Windows 10 1903 (those of Windows 7 and 8,
    # which the program runs on) may read text without the mark in the ANSI code page, 932 on
    # Japanese Windows, and show every Japanese line as garbage; with the mark every Notepad
    # reads UTF-8.
    with open(output, "wb") as f:
        f.write(b"\xef\xbb\xbf" + text.replace("\n", "\r\n").encode("utf-8"))


if __name__ == "__main__":
    main()
