"""Parses a stylesheet in code page 949 the way a browser's CSS parser does and reports what it would drop.

Prints "rules N" and exits 0 when every rule and every declaration parses; otherwise prints each
problem first and exits 1.
"""
import sys

import tinycss2

SELECTOR_BREAKERS = ("error", "() block", "[] block", "{} block")


def rule_problems(rule):
    if rule.type != "qualified-rule":
        return [f"{rule.type} {getattr(rule, 'message', '')}"]
    problems = []
    if any(token.type in SELECTOR_BREAKERS or (token.type == "literal" and token.value == ";")
           for token in rule.prelude):
        problems.append("stray bracket or semicolon before the selector")
    if not tinycss2.serialize(rule.prelude).strip():
        problems.append("rule without selector")
    for item in tinycss2.parse_declaration_list(rule.content, skip_whitespace=True, skip_comments=True):
        if item.type != "declaration":
            problems.append(f"{item.type} {getattr(item, 'message', '')}")
        elif not tinycss2.serialize(item.value).strip():
            problems.append(f"{item.name} without value")
    return problems


def main(path):
    with open(path, "rb") as sheet:
        source = sheet.read().decode("cp949")
    rules = tinycss2.parse_stylesheet(source, skip_whitespace=True, skip_comments=True)
    problems = [f"line {rule.source_line}: {problem}" for rule in rules for problem in rule_problems(rule)]
    # The parser closes a block or string left open at the end without a word; the round trip shows it.
    # Its line ends come back as the parser's own single LF.
    newlines = source.replace("\r\n", "\n").replace("\r", "\n").replace("\f", "\n")
    if not problems and tinycss2.serialize(tinycss2.parse_stylesheet(source)) != newlines:
        problems.append("a block or string is left open at the end")
    for problem in problems:
        print(problem)
    print(f"rules {len(rules)}")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main(sys.argv[1])
